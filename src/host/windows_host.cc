// The host on Windows: wide-character file calls on UTF-8 paths, positional reads and writes
// through OVERLAPPED offsets, CREATE_NEW for exclusive creation, MoveFileExW without
// MOVEFILE_REPLACE_EXISTING for renames that never replace, and the directory search of
// FindFirstFileExW, which matches wildcards itself (without regard to case) and tells hidden
// and system files by their attributes.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "host/host.h"
#include "host/windows_text.h"

namespace vorma {
namespace {

// ReadFile and WriteFile take 32-bit counts.
constexpr size_t kLargestTransfer = size_t{1} << 30;

OVERLAPPED at_offset(uint64_t offset) {
  OVERLAPPED overlapped = {};
  overlapped.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
  overlapped.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return overlapped;
}

class WindowsSourceFile final : public SourceFile {
 public:
  WindowsSourceFile(HANDLE handle, uint64_t size) : handle_(handle), size_(size) {}
  ~WindowsSourceFile() override { CloseHandle(handle_); }
  WindowsSourceFile(const WindowsSourceFile&) = delete;
  WindowsSourceFile& operator=(const WindowsSourceFile&) = delete;

  uint64_t size() const override { return size_; }
  uint32_t permissions() const override { return 0; }  // ACLs are inherited, not copied

  int64_t read_at(uint64_t offset, void* buffer, size_t count) override {
    auto* bytes = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < count) {
      OVERLAPPED overlapped = at_offset(offset + done);
      DWORD got = 0;
      const auto wanted = static_cast<DWORD>(std::min(count - done, kLargestTransfer));
      if (!ReadFile(handle_, bytes + done, wanted, &got, &overlapped)) {
        if (GetLastError() == ERROR_HANDLE_EOF) break;
        return -1;
      }
      if (got == 0) break;
      done += got;
    }
    return static_cast<int64_t>(done);
  }

 private:
  HANDLE handle_;
  uint64_t size_;
};

class WindowsTargetFile final : public TargetFile {
 public:
  explicit WindowsTargetFile(HANDLE handle) : handle_(handle) {}
  ~WindowsTargetFile() override {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  WindowsTargetFile(const WindowsTargetFile&) = delete;
  WindowsTargetFile& operator=(const WindowsTargetFile&) = delete;

  bool append(const void* data, size_t count) override {
    const bool written = write(end_, data, count);
    if (written) end_ += count;
    return written;
  }

  bool write_at(uint64_t offset, const void* data, size_t count) override {
    return write(offset, data, count);
  }

  bool close() override {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return CloseHandle(handle) != 0;
  }

 private:
  bool write(uint64_t offset, const void* data, size_t count) {
    const auto* bytes = static_cast<const char*>(data);
    while (count > 0) {
      OVERLAPPED overlapped = at_offset(offset);
      DWORD put = 0;
      const auto wanted = static_cast<DWORD>(std::min(count, kLargestTransfer));
      if (!WriteFile(handle_, bytes, wanted, &put, &overlapped) || put == 0) return false;
      bytes += put;
      offset += put;
      count -= put;
    }
    return true;
  }

  HANDLE handle_;
  uint64_t end_ = 0;
};

std::atomic<int> interrupting_event{0};

BOOL WINAPI note_interruption(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
      interrupting_event = SIGINT;
      return TRUE;
    case CTRL_CLOSE_EVENT:
      // The process ends when this returns: give the conversion a moment to clean up.
      interrupting_event = SIGTERM;
      Sleep(2000);
      return TRUE;
    default:
      return FALSE;
  }
}

class WindowsHost final : public Host {
 public:
  WindowsHost() {
    SetConsoleCtrlHandler(note_interruption, TRUE);
    // The console gets the same bytes as on every host: UTF-8, and no \r added to \n.
    SetConsoleOutputCP(CP_UTF8);
    (void)_setmode(_fileno(stdout), _O_BINARY);
    console_is_terminal_ = GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_CHAR;
  }

  std::unique_ptr<SourceFile> open_source(const std::string& path) override {
    const HANDLE handle =
        CreateFileW(to_wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    BY_HANDLE_FILE_INFORMATION info = {};
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      CloseHandle(handle);
      return nullptr;
    }
    const uint64_t size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    return std::make_unique<WindowsSourceFile>(handle, size);
  }

  std::unique_ptr<TargetFile> create_exclusive(const std::string& path,
                                               uint32_t /*permissions*/) override {
    const HANDLE handle = CreateFileW(to_wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<WindowsTargetFile>(handle);
  }

  bool exists(const std::string& path) override {
    if (GetFileAttributesW(to_wide(path).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
  }

  bool rename_no_replace(const std::string& from, const std::string& to) override {
    return MoveFileExW(to_wide(from).c_str(), to_wide(to).c_str(), 0) != 0;
  }

  bool remove_file(const std::string& path) override {
    return DeleteFileW(to_wide(path).c_str()) != 0;
  }

  bool find_files(const std::string& directory_prefix, const std::string& name_pattern,
                  std::vector<std::string>* names) override {
    WIN32_FIND_DATAW entry = {};
    const HANDLE search =
        FindFirstFileExW(to_wide(directory_prefix + name_pattern).c_str(), FindExInfoBasic, &entry,
                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    constexpr DWORD kNotOffered =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
      if ((entry.dwFileAttributes & kNotOffered) == 0) names->push_back(to_utf8(entry.cFileName));
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return true;
  }

  void print(std::string_view text) override {
    (void)std::fwrite(text.data(), 1, text.size(), stdout);
  }

  void flush_console() override {
    if (console_is_terminal_) (void)std::fflush(stdout);
  }

  int interruption() override { return interrupting_event; }

 private:
  bool console_is_terminal_ = false;
};

}  // namespace

Host& platform_host() {
  static WindowsHost host;
  return host;
}

void exit_by_interruption(int /*signal_number*/) {
  (void)std::fflush(stdout);
  // What Windows reports for a console program ended by Ctrl-C.
  ExitProcess(static_cast<UINT>(STATUS_CONTROL_C_EXIT));
}

}  // namespace vorma
