#include "support/scratch_dir.h"

#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace vorma::test {
namespace {

std::map<std::string, std::string>* listing = nullptr;
size_t listing_root = 0;

int open_directory(const char* path, const struct stat* /*info*/, int type, struct FTW* /*walk*/) {
  if (type == FTW_D || type == FTW_DNR) ::chmod(path, 0700);  // tests take permissions away
  return 0;
}

int remove_entry(const char* path, const struct stat* /*info*/, int /*type*/,
                 struct FTW* /*walk*/) {
  return ::remove(path);
}

int list_entry(const char* path, const struct stat* info, int type, struct FTW* /*walk*/) {
  if (type == FTW_F && S_ISREG(info->st_mode)) {
    std::ifstream in(path, std::ios::binary);
    (*listing)[std::string(path).substr(listing_root)] =
        std::string(std::istreambuf_iterator<char>(in), {});
  }
  return 0;
}

}  // namespace

ScratchDir::ScratchDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern =
      std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/vorma-test-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

ScratchDir::~ScratchDir() {
  ::chmod(path_.c_str(), 0700);
  ::nftw(path_.c_str(), open_directory, 16, FTW_PHYS);
  ::nftw(path_.c_str(), remove_entry, 16, FTW_DEPTH | FTW_PHYS);
}

void ScratchDir::write(const std::string& name, const std::string& bytes) const {
  std::ofstream out(*this / name, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string ScratchDir::read(const std::string& name) const { return read_path(*this / name); }

std::string ScratchDir::read_path(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::map<std::string, std::string> ScratchDir::files() const {
  std::map<std::string, std::string> found;
  listing = &found;
  listing_root = path_.size() + 1;
  ::nftw(path_.c_str(), list_entry, 16, FTW_PHYS);
  listing = nullptr;
  return found;
}

}  // namespace vorma::test
