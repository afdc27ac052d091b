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

TEST(PosixHost, NeverReplacesAnExistingFile) {
  ScratchDir dir;
  Host& host = platform_host();
  dir.write("old", "old");
  dir.write("new", "new");
  EXPECT_EQ(host.create_exclusive(dir / "old", 0644), nullptr);
  EXPECT_FALSE(host.rename_no_replace(dir / "new", dir / "old"));
  EXPECT_EQ(dir.read("old"), "old");
  EXPECT_EQ(dir.read("new"), "new");
  EXPECT_TRUE(host.rename_no_replace(dir / "new", dir / "fresh"));
  EXPECT_EQ(dir.read("fresh"), "new");
  EXPECT_FALSE(host.exists(dir / "new"));
}

TEST(PosixHost, CreatesWithTheGivenPermissionsAndWritesAtOffsets) {
  ScratchDir dir;
  Host& host = platform_host();
  auto target = host.create_exclusive(dir / "t", 0604);
  ASSERT_NE(target, nullptr);
  EXPECT_TRUE(target->append("hello world", 11));
  EXPECT_TRUE(target->write_at(6, "WORLD", 5));
  EXPECT_TRUE(target->close());
  EXPECT_EQ(dir.read("t"), "hello WORLD");
  struct stat info = {};
  ASSERT_EQ(::stat((dir / "t").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0604u);

  auto source = host.open_source(dir / "t");
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(source->size(), 11u);
  EXPECT_EQ(source->permissions(), 0604u);
  char buffer[8] = {};
  EXPECT_EQ(source->read_at(6, buffer, sizeof buffer), 5);
  EXPECT_EQ(std::string(buffer, 5), "WORLD");
  EXPECT_EQ(host.open_source(dir.path()), nullptr);  // a directory is not a source
}

}  // namespace
}  // namespace vorma
