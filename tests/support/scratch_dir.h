// A fresh directory for one test on the real file system, removed with everything in it after.
#ifndef VORMA_TESTS_SUPPORT_SCRATCH_DIR_H_
#define VORMA_TESTS_SUPPORT_SCRATCH_DIR_H_

#include <map>
#include <string>

namespace vorma::test {

// Files by relative path ("dir/name.wav"), with their bytes.
using Files = std::map<std::string, std::string>;

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& path() const { return path_; }
  // `name` within the directory.
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

  void write(const std::string& name, const std::string& bytes) const;
  std::string read(const std::string& name) const;
  // The bytes of the file at `path`, anywhere.
  static std::string read_path(const std::string& path);
  // Every ordinary file in the directory and its subdirectories, by relative path, with its
  // bytes.
  Files files() const;

 private:
  std::string path_;
};

}  // namespace vorma::test

#endif  // VORMA_TESTS_SUPPORT_SCRATCH_DIR_H_
