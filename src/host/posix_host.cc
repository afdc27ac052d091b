// The host on POSIX systems (Linux first): plain file descriptors, positional reads and writes,
// renameat2 for renames that never replace, and a directory search that offers only regular,
// non-hidden files.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "host/host.h"
#include "host/wildcard.h"

namespace vorma {
namespace {

class PosixSourceFile final : public SourceFile {
 public:
  PosixSourceFile(int fd, uint64_t size, uint32_t permissions)
      : fd_(fd), size_(size), permissions_(permissions) {}
  ~PosixSourceFile() override { ::close(fd_); }
  PosixSourceFile(const PosixSourceFile&) = delete;
  PosixSourceFile& operator=(const PosixSourceFile&) = delete;

  uint64_t size() const override { return size_; }
  uint32_t permissions() const override { return permissions_; }

  int64_t read_at(uint64_t offset, void* buffer, size_t count) override {
    auto* bytes = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < count) {
      const ssize_t got =
          ::pread(fd_, bytes + done, count - done, static_cast<off_t>(offset + done));
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) return -1;
      if (got == 0) break;
      done += static_cast<size_t>(got);
    }
    return static_cast<int64_t>(done);
  }

 private:
  int fd_;
  uint64_t size_;
  uint32_t permissions_;
};

class PosixTargetFile final : public TargetFile {
 public:
  explicit PosixTargetFile(int fd) : fd_(fd) {}
  ~PosixTargetFile() override {
    if (fd_ >= 0) ::close(fd_);
  }
  PosixTargetFile(const PosixTargetFile&) = delete;
  PosixTargetFile& operator=(const PosixTargetFile&) = delete;

  // Appends are positional writes at the end this file keeps, so one loop serves both.
  bool append(const void* data, size_t count) override {
    const bool written = write_at(end_, data, count);
    if (written) end_ += count;
    return written;
  }

  bool write_at(uint64_t offset, const void* data, size_t count) override {
    const auto* bytes = static_cast<const char*>(data);
    while (count > 0) {
      const ssize_t put = ::pwrite(fd_, bytes, count, static_cast<off_t>(offset));
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) return false;
      bytes += put;
      offset += static_cast<uint64_t>(put);
      count -= static_cast<size_t>(put);
    }
    return true;
  }

  bool close() override {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
  uint64_t end_ = 0;
};

volatile std::sig_atomic_t interrupting_signal = 0;

extern "C" void note_interruption(int signal_number) { interrupting_signal = signal_number; }

class PosixHost final : public Host {
 public:
  PosixHost() : console_is_terminal_(::isatty(STDOUT_FILENO) == 1), umask_(current_umask()) {
    // The handlers only note the signal: the conversion sees it between blocks, removes its
    // temporary file and ends the batch. Without SA_RESTART, a console write blocked on a full
    // pipe gives way too; the file calls here retry on EINTR themselves.
    struct sigaction action = {};
    action.sa_handler = note_interruption;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    for (const int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
      struct sigaction previous = {};
      // A signal ignored by whoever started the tool (nohup, a shell's background job) stays so.
      if (::sigaction(signal_number, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) {
        continue;
      }
      ::sigaction(signal_number, &action, nullptr);
    }
  }

  std::unique_ptr<SourceFile> open_source(const std::string& path) override {
    // O_NONBLOCK keeps a FIFO put in the file's place from hanging the open; for regular files
    // it changes nothing.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return nullptr;
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
      ::close(fd);
      return nullptr;
    }
    return std::make_unique<PosixSourceFile>(fd, static_cast<uint64_t>(info.st_size),
                                             static_cast<uint32_t>(info.st_mode & 07777));
  }

  std::unique_ptr<TargetFile> create_exclusive(const std::string& path,
                                               uint32_t permissions) override {
    const auto mode = static_cast<mode_t>(permissions);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode & ~umask_);
    if (fd < 0) return nullptr;
    // The file gets the source's bits exactly: where the umask took some away, put them back.
    if ((mode & umask_) != 0 && ::fchmod(fd, mode) != 0) {
      ::close(fd);
      ::unlink(path.c_str());
      return nullptr;
    }
    return std::make_unique<PosixTargetFile>(fd);
  }

  bool exists(const std::string& path) override {
    struct stat info = {};
    return ::lstat(path.c_str(), &info) == 0 || errno != ENOENT;
  }

  bool rename_no_replace(const std::string& from, const std::string& to) override {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
      return true;
    }
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system without RENAME_NOREPLACE: a hard link also refuses to replace.
    if (::link(from.c_str(), to.c_str()) != 0) return false;
    if (::unlink(from.c_str()) != 0) {
      ::unlink(to.c_str());
      return false;
    }
    return true;
  }

  bool remove_file(const std::string& path) override { return ::unlink(path.c_str()) == 0; }

  bool find_files(const std::string& directory_prefix, const std::string& name_pattern,
                  std::vector<std::string>* names) override {
    // A prefix that is only a drive designator ("c:") names no directory on this host.
    if (!directory_prefix.empty() && directory_prefix.back() != '/') return false;
    const std::string directory = directory_prefix.empty() ? "." : directory_prefix;
    DIR* dir = ::opendir(directory.c_str());
    if (dir == nullptr) return false;
    const int dir_fd = ::dirfd(dir);
    // One thread: readdir is safe, and readdir_r is deprecated.
    // cppcheck-suppress readdirCalled
    while (const dirent* entry = ::readdir(dir)) {
      const std::string_view name = entry->d_name;
      if (name.empty() || name[0] == '.' || !wildcard_match(name_pattern, name)) continue;
      bool regular = entry->d_type == DT_REG;
      if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
        struct stat info = {};
        regular = ::fstatat(dir_fd, entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
      }
      if (regular) names->emplace_back(name);
    }
    ::closedir(dir);
    return true;
  }

  void print(std::string_view text) override {
    // Console output is best effort: a closed or full console must not stop a conversion.
    (void)std::fwrite(text.data(), 1, text.size(), stdout);
  }

  // Progress dots need pushing out only where a person watches them.
  void flush_console() override {
    if (console_is_terminal_) (void)std::fflush(stdout);
  }

  int interruption() override { return interrupting_signal; }

 private:
  static mode_t current_umask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
  }

  const bool console_is_terminal_;
  const mode_t umask_;
};

}  // namespace

Host& platform_host() {
  static PosixHost host;
  return host;
}

void exit_by_interruption(int signal_number) {
  (void)std::fflush(stdout);
  (void)std::signal(signal_number, SIG_DFL);
  (void)std::raise(signal_number);
  // cppcheck-suppress unreachableCode
  std::_Exit(128 + signal_number);  // only if the signal did not end the process
}

}  // namespace vorma
