#include "support/faulty_host.h"

#include <algorithm>

namespace vorma::test {
namespace {

class FaultySourceFile : public SourceFile {
 public:
  FaultySourceFile(std::unique_ptr<SourceFile> file, int64_t failing_read)
      : file_(std::move(file)), failing_read_(failing_read) {}
  uint64_t size() const override { return file_->size(); }
  uint32_t permissions() const override { return file_->permissions(); }
  int64_t read_at(uint64_t offset, void* buffer, size_t count) override {
    if (reads_++ == failing_read_) return -1;
    return file_->read_at(offset, buffer, count);
  }

 private:
  std::unique_ptr<SourceFile> file_;
  int64_t failing_read_;
  int64_t reads_ = 0;
};

// Writes up to `limit` bytes, as a full disk would, then fails; or fails on close.
class FaultyTargetFile : public TargetFile {
 public:
  FaultyTargetFile(std::unique_ptr<TargetFile> file, uint64_t limit, bool fail_close)
      : file_(std::move(file)), limit_(limit), fail_close_(fail_close) {}
  bool append(const void* data, size_t count) override {
    const auto room = static_cast<size_t>(std::min<uint64_t>(count, limit_ - written_));
    if (!file_->append(data, room)) return false;
    written_ += room;
    return room == count;
  }
  bool write_at(uint64_t offset, const void* data, size_t count) override {
    return file_->write_at(offset, data, count);
  }
  bool close() override { return file_->close() && !fail_close_; }

 private:
  std::unique_ptr<TargetFile> file_;
  uint64_t limit_;
  bool fail_close_;
  uint64_t written_ = 0;
};

}  // namespace

std::unique_ptr<SourceFile> FaultyHost::open_source(const std::string& path) {
  if (hits(Fault::kOpenSource, path)) return nullptr;
  std::unique_ptr<SourceFile> file = HostWrapper::open_source(path);
  if (file == nullptr || !hits(Fault::kRead, path)) return file;
  return std::make_unique<FaultySourceFile>(std::move(file), static_cast<int64_t>(count_));
}

std::unique_ptr<TargetFile> FaultyHost::create_exclusive(const std::string& path,
                                                         uint32_t permissions) {
  if (hits(Fault::kCreateTemporary, path)) return nullptr;
  std::unique_ptr<TargetFile> file = HostWrapper::create_exclusive(path, permissions);
  if (file == nullptr || !(hits(Fault::kWrite, path) || hits(Fault::kClose, path))) return file;
  const uint64_t limit = hits(Fault::kWrite, path) ? count_ : UINT64_MAX;
  return std::make_unique<FaultyTargetFile>(std::move(file), limit, hits(Fault::kClose, path));
}

bool FaultyHost::rename_no_replace(const std::string& from, const std::string& to) {
  if (from.find(victim_) != std::string::npos) {
    ++renames_;
    if ((renames_ == 1 && faults_.count(Fault::kFirstRename) != 0) ||
        (renames_ == 2 && faults_.count(Fault::kSecondRename) != 0) ||
        (renames_ == 3 && faults_.count(Fault::kUndoRename) != 0)) {
      return false;
    }
  }
  return HostWrapper::rename_no_replace(from, to);
}

bool FaultyHost::remove_file(const std::string& path) {
  if (hits(Fault::kDelete, path)) return false;
  return HostWrapper::remove_file(path);
}

bool FaultyHost::find_files(const std::string& directory_prefix, const std::string& name_pattern,
                            std::vector<std::string>* names) {
  if (faults_.count(Fault::kFindFiles) != 0) return false;
  return HostWrapper::find_files(directory_prefix, name_pattern, names);
}

}  // namespace vorma::test
