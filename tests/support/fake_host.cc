#include "support/fake_host.h"

#include <algorithm>
#include <cstring>

#include "host/wildcard.h"

namespace vorma::test {
namespace {

class FakeTargetFile : public TargetFile {
 public:
  FakeTargetFile(FakeHost* host, std::string path) : host_(host), path_(std::move(path)) {}

  bool append(const void* data, size_t count) override {
    bytes().append(static_cast<const char*>(data), count);
    return true;
  }
  bool write_at(uint64_t offset, const void* data, size_t count) override {
    std::string& file = bytes();
    if (offset + count > file.size()) return false;
    std::memcpy(&file[offset], data, count);
    return true;
  }
  bool close() override { return true; }

 private:
  std::string& bytes() { return host_->files.at(path_).bytes; }
  FakeHost* host_;
  std::string path_;
};

}  // namespace

int64_t MemorySourceFile::read_at(uint64_t offset, void* buffer, size_t count) {
  if (offset >= bytes_.size()) return 0;
  const size_t got = std::min<uint64_t>(count, bytes_.size() - offset);
  std::memcpy(buffer, bytes_.data() + offset, got);
  return static_cast<int64_t>(got);
}

std::unique_ptr<SourceFile> FakeHost::open_source(const std::string& path) {
  const auto found = files.find(path);
  if (found == files.end()) return nullptr;
  return std::make_unique<MemorySourceFile>(found->second.bytes, found->second.permissions);
}

std::unique_ptr<TargetFile> FakeHost::create_exclusive(const std::string& path,
                                                       uint32_t permissions) {
  if (exists(path)) return nullptr;
  files[path] = File{"", permissions};
  return std::make_unique<FakeTargetFile>(this, path);
}

bool FakeHost::exists(const std::string& path) {
  return files.count(path) != 0 || others.count(path) != 0;
}

bool FakeHost::rename_no_replace(const std::string& from, const std::string& to) {
  const auto found = files.find(from);
  if (found == files.end() || exists(to)) return false;
  File file = std::move(found->second);
  files.erase(found);
  files[to] = std::move(file);
  return true;
}

bool FakeHost::remove_file(const std::string& path) { return files.erase(path) != 0; }

bool FakeHost::find_files(const std::string& directory_prefix, const std::string& name_pattern,
                          std::vector<std::string>* names) {
  for (const auto& [path, file] : files) {
    if (path.compare(0, directory_prefix.size(), directory_prefix) != 0) continue;
    const std::string name = path.substr(directory_prefix.size());
    if (name.find_first_of("/\\") != std::string::npos || name[0] == '.') continue;
    if (wildcard_match(name_pattern, name)) names->push_back(name);
  }
  return true;
}

}  // namespace vorma::test
