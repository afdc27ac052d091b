// The Windows build of the tool, run under Wine in scratch directories: what only a Windows
// host does (attributes, drive designators, backslashes, case-insensitive matching, UTF-16
// names), and the same bytes as the POSIX build on a shared set of files.
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "support/scratch_dir.h"
#include "support/tool_process.h"
#include "support/wave_files.h"

namespace vorma {
namespace {

using test::alaw_file;
using test::banner;
using test::codes_sequence;
using test::pcm_file;
using test::ScratchDir;

using test::Files;

test::ToolExit run_windows(const std::string& directory, const std::vector<std::string>& args) {
  std::vector<std::string> words = {VORMA_WINDOWS_BINARY};
  words.insert(words.end(), args.begin(), args.end());
  return test::ToolProcess(VORMA_WINE, directory, words).finish();
}

// Runs a Windows command (cmd /c ...) in `directory` under Wine.
void run_cmd(const std::string& directory, const std::vector<std::string>& args) {
  std::vector<std::string> words = {"cmd", "/c"};
  words.insert(words.end(), args.begin(), args.end());
  const auto run = test::ToolProcess(VORMA_WINE, directory, words).finish();
  ASSERT_EQ(run.exit_status, 0) << run.output;
}

// The Windows path Wine gives a POSIX path: its Z: drive is the root.
std::string on_z(const std::string& path) {
  std::string windows = "Z:" + path;
  std::replace(windows.begin(), windows.end(), '/', '\\');
  return windows;
}

std::string line(const std::string& source, const std::string& temporary) {
  return source + " -> " + temporary + " : \n";
}

class Wine : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { setenv("WINEDEBUG", "-all", 1); }
};

TEST_F(Wine, GivesTheSameBytesAsThePosixBuild) {
  const Files inputs = {
      {"a-plain.wav", alaw_file(codes_sequence(2500))},
      {"b-stereo.wav", alaw_file(codes_sequence(3001, 9), 2, 44100)},
      {"c-chunks.wav", test::riff_wave({{"fmt ", test::format_block(6, 1, 8000, 8, 20)},
                                        {"fact", test::le32(700)},
                                        {"LIST", std::string(22, 'l')},
                                        {"data", codes_sequence(700, 3)},
                                        {"LIST", "ab"}})},
      {"d-text.wav", "not a wave file"},
      {"e-pcm.wav", pcm_file(codes_sequence(10))},
      {"f-short.wav", alaw_file("xyz").substr(0, 30)},
      {"g-kept.wav", alaw_file("x")},
      {"g-kept.voc", "an earlier backup"},
      {"h-taken.wav", alaw_file("y")},
      {"h-taken.snd", "unrelated"},
  };
  ScratchDir posix;
  ScratchDir windows;
  for (const auto& [name, bytes] : inputs) {
    posix.write(name, bytes);
    windows.write(name, bytes);
  }
  const auto on_posix = test::run_vorma(posix.path(), {"*.wav"});
  const auto on_windows = run_windows(windows.path(), {"*.wav"});
  EXPECT_EQ(on_windows.exit_status, 0);
  EXPECT_EQ(on_windows.output, on_posix.output);
  EXPECT_EQ(windows.files(), posix.files());
  EXPECT_NE(on_posix.output.find("h-taken.wav -> h-taken.snd : \nOpen 'h-taken.snd' is failed!"),
            std::string::npos);
}

TEST_F(Wine, SkipsHiddenAndSystemFilesAndMatchesWithoutCase) {
  ScratchDir dir;
  for (const char* name : {"hidden.wav", "system.wav", "readonly.wav", "M1.WAV"}) {
    dir.write(name, alaw_file("abc"));
  }
  run_cmd(dir.path(), {"attrib", "+h", "hidden.wav"});
  run_cmd(dir.path(), {"attrib", "+s", "system.wav"});
  run_cmd(dir.path(), {"attrib", "+r", "readonly.wav"});
  const auto run = run_windows(dir.path(), {"*.wav"});
  EXPECT_EQ(run.output, banner() + line("M1.WAV", "M1.snd") + ". OK.\n" +
                            line("readonly.wav", "readonly.snd") + ". OK.\n");
  const Files files = dir.files();
  EXPECT_EQ(files.at("M1.WAV"), pcm_file("abc"));
  EXPECT_EQ(files.at("M1.voc"), alaw_file("abc"));
  EXPECT_EQ(files.at("readonly.voc"), alaw_file("abc"));
  EXPECT_EQ(files.at("hidden.wav"), alaw_file("abc"));
  EXPECT_EQ(files.at("system.wav"), alaw_file("abc"));
  run_cmd(dir.path(), {"attrib", "-r", "readonly.voc"});
}

TEST_F(Wine, FollowsDriveDesignatorsAndBackslashes) {
  ScratchDir dir;
  ASSERT_EQ(::mkdir((dir / "in").c_str(), 0755), 0);
  dir.write("in/m1.wav", alaw_file("x"));
  dir.write("in/m2.wav", alaw_file("y"));
  dir.write("m3.wav", alaw_file("z"));
  const std::string in = on_z(dir / "in") + "\\";
  EXPECT_EQ(run_windows(dir.path(), {in + "m1.wav"}).output,
            banner() + line(in + "m1.wav", in + "m1.snd") + ". OK.\n");
  EXPECT_EQ(run_windows(dir.path(), {"in\\m2.*"}).output,
            banner() + line("in\\m2.wav", "in\\m2.snd") + ". OK.\n");
  EXPECT_EQ(run_windows(dir.path(), {"z:*.wav"}).output,
            banner() + line("z:m3.wav", "z:m3.snd") + ". OK.\n");
  // No Windows shell expands a pattern: only the first argument is one.
  EXPECT_EQ(run_windows(dir.path(), {"in\\m1.wav", "in\\m2.wav"}).output,
            banner() + line("in\\m1.wav", "in\\m1.snd") + "Wave file is not A-Law format.\n");
  const Files files = dir.files();
  EXPECT_EQ(files.size(), 6u);
  EXPECT_EQ(files.at("in/m2.voc"), alaw_file("y"));
  EXPECT_EQ(files.at("m3.voc"), alaw_file("z"));
}

TEST_F(Wine, HandlesNamesBeyondAsciiAndKeepsBackups) {
  ScratchDir dir;
  const std::string name = "\xC3\xA4rger-\xD0\xB6-\xE6\x97\xA5.wav";  // ärger-ж-日.wav
  const std::string stem = name.substr(0, name.size() - 4);
  dir.write(name, alaw_file("abc"));
  dir.write("kept.wav", alaw_file("def"));
  dir.write("kept.voc", "older");
  const auto run = run_windows(dir.path(), {"*.wav"});
  EXPECT_EQ(run.output, banner() + line("kept.wav", "kept.snd") +
                            "Backup 'kept.voc' already exists!\a\n" + line(name, stem + ".snd") +
                            ". OK.\n");
  const Files files = dir.files();
  EXPECT_EQ(files.at(name), pcm_file("abc"));
  EXPECT_EQ(files.at(stem + ".voc"), alaw_file("abc"));
  EXPECT_EQ(files.at("kept.voc"), "older");
  EXPECT_EQ(files.at("kept.wav"), alaw_file("def"));
}

}  // namespace
}  // namespace vorma
