// The contract every host keeps, checked on the host this build is for.
#include <gtest/gtest.h>

#include <string>

#include "host/host.h"
#include "support/scratch_dir.h"

namespace vorma {
namespace {

using test::ScratchDir;

TEST(PlatformHost, NeverReplacesAnExistingFile) {
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
  EXPECT_TRUE(host.remove_file(dir / "fresh"));
  EXPECT_FALSE(host.exists(dir / "fresh"));
  EXPECT_FALSE(host.remove_file(dir / "fresh"));
}

TEST(PlatformHost, WritesAtOffsetsAndReadsBack) {
  ScratchDir dir;
  Host& host = platform_host();
  auto target = host.create_exclusive(dir / "t", 0644);
  ASSERT_NE(target, nullptr);
  EXPECT_TRUE(target->append("hello ", 6));
  EXPECT_TRUE(target->append("world", 5));
  EXPECT_TRUE(target->write_at(6, "WORLD", 5));
  EXPECT_TRUE(target->close());
  EXPECT_EQ(dir.read("t"), "hello WORLD");

  auto source = host.open_source(dir / "t");
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(source->size(), 11u);
  char buffer[8] = {};
  EXPECT_EQ(source->read_at(6, buffer, sizeof buffer), 5);
  EXPECT_EQ(std::string(buffer, 5), "WORLD");
  EXPECT_EQ(source->read_at(11, buffer, sizeof buffer), 0);
  EXPECT_EQ(host.open_source(dir / "missing"), nullptr);
  EXPECT_EQ(host.open_source(dir.path()), nullptr);  // a directory is not a source
}

}  // namespace
}  // namespace vorma
