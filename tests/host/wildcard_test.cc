#include "host/wildcard.h"

#include <gtest/gtest.h>

namespace vorma {
namespace {

TEST(WildcardMatch, FollowsStarAndQuestionMark) {
  struct Case {
    const char* pattern;
    const char* name;
    bool matches;
  };
  const Case kCases[] = {
      {"*.wav", "m1.wav", true},
      {"*.wav", ".wav", true},
      {"*.wav", "m1.wav.bak", false},
      {"*.wav", "M1.WAV", false},  // case counts on this host
      {"m?.wav", "m1.wav", true},
      {"m?.wav", "m.wav", false},
      {"m?.wav", "m12.wav", false},
      {"*", "anything", true},
      {"*.*", "memo", true},  // as on Windows consoles
      {"*.*", "take.2.wav", true},
      {"a*b*c", "aXbYbZc", true},
      {"a*b*c", "aXbYbZ", false},
      {"**x", "x", true},
      {"m1.wav", "m1.wav", true},
      {"m1.wav", "m1.wa", false},
      {"", "x", false},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(wildcard_match(c.pattern, c.name), c.matches) << c.pattern << " ~ " << c.name;
  }
}

}  // namespace
}  // namespace vorma
