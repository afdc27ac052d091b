// The Windows host on a real (or Wine's) file system.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "host/host.h"
#include "host/windows_text.h"
#include "support/scratch_dir.h"

namespace vorma {
namespace {

using test::ScratchDir;

void set_attributes(const std::string& path, DWORD attributes) {
  ASSERT_TRUE(SetFileAttributesW(to_wide(path).c_str(), attributes)) << path;
}

TEST(WindowsHost, OffersFilesAsTheSearchDoesWithoutHiddenOrSystemOnes) {
  ScratchDir dir;
  for (const char* name : {"a.wav", "M1.WAV", "hidden.wav", "system.wav", "readonly.wav",
                           "archive.wav", "\xC3\xA4rger-\xC3\xB8.wav", "other.txt"}) {
    dir.write(name, "x");
  }
  ASSERT_TRUE(CreateDirectoryW(to_wide(dir / "c.wav").c_str(), nullptr));
  set_attributes(dir / "hidden.wav", FILE_ATTRIBUTE_HIDDEN);
  set_attributes(dir / "system.wav", FILE_ATTRIBUTE_SYSTEM);
  set_attributes(dir / "readonly.wav", FILE_ATTRIBUTE_READONLY);
  set_attributes(dir / "archive.wav", FILE_ATTRIBUTE_ARCHIVE);

  std::vector<std::string> names;
  ASSERT_TRUE(platform_host().find_files(dir.path() + "\\", "*.wav", &names));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"M1.WAV", "a.wav", "archive.wav", "readonly.wav",
                                             "\xC3\xA4rger-\xC3\xB8.wav"}));
  set_attributes(dir / "readonly.wav", FILE_ATTRIBUTE_NORMAL);

  names.clear();
  EXPECT_TRUE(platform_host().find_files(dir.path() + "\\", "none*.wav", &names));
  EXPECT_TRUE(names.empty());
}

}  // namespace
}  // namespace vorma
