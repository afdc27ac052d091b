// The operating-system services the tool needs, behind one small interface.
//
// Conversion and the batch loop talk only to a Host, never to the platform directly, so that
// tests can run them over an in-memory file system or wrap the real host to inject faults. Every
// operation reports failure as a return value; none throws.
#ifndef VORMA_HOST_HOST_H_
#define VORMA_HOST_HOST_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vorma {

// An ordinary file opened for reading.
class SourceFile {
 public:
  virtual ~SourceFile() = default;

  // Length of the file in bytes when it was opened.
  virtual uint64_t size() const = 0;
  // Permission bits to give a file that replaces this one (0 where the host has none).
  virtual uint32_t permissions() const = 0;
  // Reads up to `count` bytes starting at `offset` into `buffer`. Returns the number of bytes
  // read, which is less than `count` only at the end of the file, or -1 on a read error.
  virtual int64_t read_at(uint64_t offset, void* buffer, size_t count) = 0;
};

// A newly created file being written. Destroying it without close() closes it silently.
class TargetFile {
 public:
  virtual ~TargetFile() = default;

  // Writes all `count` bytes at the current end of the file; false on any error.
  virtual bool append(const void* data, size_t count) = 0;
  // Overwrites `count` bytes at `offset`, which lies within what was appended; false on error.
  virtual bool write_at(uint64_t offset, const void* data, size_t count) = 0;
  // Flushes and closes the file; false if anything written may not have reached it.
  virtual bool close() = 0;
};

class Host {
 public:
  virtual ~Host() = default;

  // Opens an ordinary file for reading; null if it cannot be opened or is not an ordinary file.
  virtual std::unique_ptr<SourceFile> open_source(const std::string& path) = 0;
  // Creates a new file with the given permission bits. Fails (null) if anything already exists
  // under `path`: an existing file is never truncated.
  virtual std::unique_ptr<TargetFile> create_exclusive(const std::string& path,
                                                       uint32_t permissions) = 0;
  // True if anything (file, directory, link) exists under `path`, or if that cannot be told.
  virtual bool exists(const std::string& path) = 0;
  // Renames `from` to `to`, failing rather than replacing anything that exists under `to`.
  virtual bool rename_no_replace(const std::string& from, const std::string& to) = 0;
  // Deletes a file.
  virtual bool remove_file(const std::string& path) = 0;

  // Appends to `names` the names of the ordinary, non-hidden files in the directory that
  // `directory_prefix` names (empty for the current one) whose names match `name_pattern`
  // (wildcards * and ?). Returns false, adding nothing, if the directory cannot be searched.
  virtual bool find_files(const std::string& directory_prefix, const std::string& name_pattern,
                          std::vector<std::string>* names) = 0;

  // Writes text to the console, buffered.
  virtual void print(std::string_view text) = 0;
  // Pushes buffered console text out, so that progress shows while work goes on.
  virtual void flush_console() = 0;

  // The number of the interrupting signal (Ctrl-C, termination request) received so far, or 0.
  virtual int interruption() = 0;
};

// The host of the platform this binary was built for. Installs the interrupt handlers on first
// use; lives for the whole process.
Host& platform_host();

// Ends the process the way the interrupting signal `signal_number` would have ended it.
[[noreturn]] void exit_by_interruption(int signal_number);

}  // namespace vorma

#endif  // VORMA_HOST_HOST_H_
