#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "host/host.h"
#include "support/scratch_dir.h"

namespace vorma {
namespace {

using test::ScratchDir;

TEST(PosixHost, FindsOnlyOrdinaryVisibleFiles) {
  ScratchDir dir;
  dir.write("a.wav", "a");
  dir.write("b.wav", "b");
  dir.write(".hidden.wav", "h");
  dir.write("other.txt", "o");
  ASSERT_EQ(::mkdir((dir / "c.wav").c_str(), 0755), 0);
  ASSERT_EQ(::mkfifo((dir / "f.wav").c_str(), 0644), 0);
  ASSERT_EQ(::symlink("a.wav", (dir / "link.wav").c_str()), 0);
  ASSERT_EQ(::symlink("c.wav", (dir / "dirlink.wav").c_str()), 0);

  std::vector<std::string> names;
  ASSERT_TRUE(platform_host().find_files(dir.path() + "/", "*.wav", &names));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.wav", "b.wav", "link.wav"}));

  names.clear();
  EXPECT_FALSE(platform_host().find_files(dir / "missing/", "*", &names));
  EXPECT_FALSE(platform_host().find_files("c:", "*", &names));  // no drives here
  EXPECT_TRUE(names.empty());
}

TEST(PosixHost, GivesANewFileExactlyThePermissionsAsked) {
  ScratchDir dir;
  Host& host = platform_host();
  for (const uint32_t permissions : {0604u, 0640u, 0777u}) {
    const std::string path = dir / std::to_string(permissions);
    ASSERT_NE(host.create_exclusive(path, permissions), nullptr);
    struct stat info = {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, permissions);  // whatever the umask
    EXPECT_EQ(host.open_source(path)->permissions(), permissions);
  }
}

}  // namespace
}  // namespace vorma
