// An in-memory host: files are byte strings keyed by path, the console is a string. Tests set up
// files, run the conversion or the batch loop over it, and compare what is left.
#ifndef VORMA_TESTS_SUPPORT_FAKE_HOST_H_
#define VORMA_TESTS_SUPPORT_FAKE_HOST_H_

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "host/host.h"

namespace vorma::test {

class FakeHost : public Host {
 public:
  struct File {
    std::string bytes;
    uint32_t permissions = 0644;
  };

  // Every file, by its full path ("dir/name" or "name").
  std::map<std::string, File> files;
  // Paths that exist but are not ordinary files (directories, FIFOs); never offered or opened.
  std::set<std::string> others;
  // Everything printed.
  std::string console;
  // What interruption() answers.
  int signal_number = 0;

  std::unique_ptr<SourceFile> open_source(const std::string& path) override;
  std::unique_ptr<TargetFile> create_exclusive(const std::string& path,
                                               uint32_t permissions) override;
  bool exists(const std::string& path) override;
  bool rename_no_replace(const std::string& from, const std::string& to) override;
  bool remove_file(const std::string& path) override;
  bool find_files(const std::string& directory_prefix, const std::string& name_pattern,
                  std::vector<std::string>* names) override;
  void print(std::string_view text) override { console += text; }
  void flush_console() override {}
  int interruption() override { return signal_number; }
};

// A SourceFile over bytes held in memory.
class MemorySourceFile : public SourceFile {
 public:
  explicit MemorySourceFile(std::string bytes, uint32_t permissions = 0644)
      : bytes_(std::move(bytes)), permissions_(permissions) {}
  uint64_t size() const override { return bytes_.size(); }
  uint32_t permissions() const override { return permissions_; }
  int64_t read_at(uint64_t offset, void* buffer, size_t count) override;

 private:
  std::string bytes_;
  uint32_t permissions_;
};

}  // namespace vorma::test

#endif  // VORMA_TESTS_SUPPORT_FAKE_HOST_H_
