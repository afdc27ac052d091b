#include "driver/paths.h"

#include <gtest/gtest.h>

#include "convert/backup_path.h"
#include "host/path.h"

namespace vorma {
namespace {

TEST(Paths, FollowThePatternAndTheMatchedName) {
  struct Case {
    const char* pattern;
    const char* name;
    const char* prefix;
    const char* source;
    const char* temporary;
    const char* backup;
  };
  const Case kCases[] = {
      {"*.wav", "m1.wav", "", "m1.wav", "m1.snd", "m1.voc"},
      {"d:\\voice\\*.wav", "m1.wav", "d:\\voice\\", "d:\\voice\\m1.wav", "d:\\voice\\m1.snd",
       "d:\\voice\\m1.voc"},
      {"..\\*.wav", "a.wav", "..\\", "..\\a.wav", "..\\a.snd", "..\\a.voc"},
      {"c:*.wav", "a.wav", "c:", "c:a.wav", "c:a.snd", "c:a.voc"},
      {"rec/in/*.wav", "a.wav", "rec/in/", "rec/in/a.wav", "rec/in/a.snd", "rec/in/a.voc"},
      {"x\\y/*", "a.wav", "x\\y/", "x\\y/a.wav", "x\\y/a.snd", "x\\y/a.voc"},
      {"*", "take.2.wav", "", "take.2.wav", "take.2.snd", "take.2.voc"},
      {"*", "memo", "", "memo", "memo.snd", "mvoc"},
      {"*", ".x", "", ".x", ".snd", ".x.voc"},  // the stem of a dot name is empty
      {"*", "m1.snd", "", "m1.snd", "m1.snd", "m1.voc"},
      {"*", "m1.voc", "", "m1.voc", "m1.snd", "m1.voc"},
      // Short names: the backup never eats into the directory part.
      {"ab/*", "x", "ab/", "ab/x", "ab/x.snd", "ab/x.voc"},
      {"ab/*", "xy", "ab/", "ab/xy", "ab/xy.snd", "ab/xy.voc"},
      {"ab/*", "xyz", "ab/", "ab/xyz", "ab/xyz.snd", "ab/voc"},
      {"c:*", "x", "c:", "c:x", "c:x.snd", "c:x.voc"},
  };
  for (const Case& c : kCases) {
    const std::string_view prefix = directory_prefix(c.pattern);
    EXPECT_EQ(prefix, c.prefix) << c.pattern;
    const std::string source = source_path(prefix, c.name);
    EXPECT_EQ(source, c.source);
    EXPECT_EQ(temporary_path(prefix, c.name), c.temporary) << source;
    EXPECT_EQ(backup_path(source), c.backup) << source;
  }
}

TEST(Paths, NativePrefixUsesSlashesOnPosix) {
#ifdef _WIN32
  EXPECT_EQ(native_directory_prefix("d:\\voice\\"), "d:\\voice\\");
#else
  EXPECT_EQ(native_directory_prefix("..\\in\\"), "../in/");
#endif
  EXPECT_EQ(native_directory_prefix(""), "");
}

TEST(Paths, WildcardsAreStarAndQuestionMark) {
  EXPECT_TRUE(has_wildcard("*.wav"));
  EXPECT_TRUE(has_wildcard("m?.wav"));
  EXPECT_FALSE(has_wildcard("m1.wav"));
}

}  // namespace
}  // namespace vorma
