#include "support/scratch_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace vorma::test {

namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
  const char* base = std::getenv("TMPDIR");
  const fs::path root =
      base != nullptr && *base != '\0' ? fs::path(base) : fs::temp_directory_path();
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate = root / ("vorma-test-" + std::to_string(random()));
    std::error_code error;
    if (fs::create_directory(candidate, error)) {
      path_ = candidate.generic_string();
      return;
    }
  }
  throw std::runtime_error("cannot create a scratch directory");
}

ScratchDir::~ScratchDir() {
  // Tests take permissions away; give the directories back to their owner before removing.
  std::error_code error;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, error);
  for (fs::recursive_directory_iterator it(path_, error), end; !error && it != end;
       it.increment(error)) {
    if (it->is_directory(error)) {
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
  }
  fs::remove_all(path_, error);
}

void ScratchDir::write(const std::string& name, const std::string& bytes) const {
  std::ofstream out(fs::u8path(*this / name), std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string ScratchDir::read(const std::string& name) const { return read_path(*this / name); }

std::string ScratchDir::read_path(const std::string& path) {
  std::ifstream in(fs::u8path(path), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

Files ScratchDir::files() const {
  Files found;
  const fs::path root = fs::u8path(path_);
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file() && !entry.is_symlink()) {
      const std::string relative = entry.path().lexically_relative(root).generic_u8string();
      found[relative] = read_path(entry.path().u8string());
    }
  }
  return found;
}

}  // namespace vorma::test
