// Each step of a conversion made to fail on the real file system, with the invariant checked
// after each: the original bytes are whole under the source name (or, once the swap is done,
// the backup name), no temporary file is left unless deleting it was what failed, one line says
// what went wrong, and the batch goes on with the next file.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "driver/batch.h"
#include "support/faulty_host.h"
#include "support/scratch_dir.h"
#include "support/wave_files.h"

namespace vorma {
namespace {

using test::alaw_file;
using test::codes_sequence;
using test::Fault;
using test::pcm_file;

using test::Files;

struct Case {
  const char* what;
  std::set<Fault> faults;
  uint64_t count;                 // the failing read, or the bytes written before a write fails
  std::string messages;           // after the file's line and any dots; $ stands for the directory
  std::vector<std::string> left;  // the victim's files left: m1.wav, m1.voc or m1.snd
};

std::string expand(const std::string& text, const std::string& directory) {
  std::string result;
  for (const char c : text) {
    if (c == '$') {
      result += directory;
    } else {
      result += c;
    }
  }
  return result;
}

TEST(FaultInjection, NoFaultLosesTheOriginalOrStopsTheBatch) {
  const std::string m1_codes = codes_sequence(150'000, 9);
  const std::string m2_codes = codes_sequence(2'000, 5);
  const std::string m1 = alaw_file(m1_codes);
  const std::string m2 = alaw_file(m2_codes);
  const uint64_t pcm_bytes = 46 + 2 * m1_codes.size();

  std::vector<Case> cases = {
      {"open source", {Fault::kOpenSource}, 0, "Open '$/m1.wav' is failed!\a\n", {"m1.wav"}},
      {"read header", {Fault::kRead}, 0, "Read from '$/m1.wav' failed!\a\n", {"m1.wav"}},
      {"read samples", {Fault::kRead}, 1, "Read from '$/m1.wav' failed!\a\n", {"m1.wav"}},
      {"create temporary",
       {Fault::kCreateTemporary},
       0,
       "Open '$/m1.snd' is failed!\a\n",
       {"m1.wav"}},
      {"close", {Fault::kClose}, 0, "Write to '$/m1.snd' failed!\a\n", {"m1.wav"}},
      {"first rename", {Fault::kFirstRename}, 0, "Rename of '$/m1.wav' failed!\a\n", {"m1.wav"}},
      {"second rename", {Fault::kSecondRename}, 0, "Rename of '$/m1.snd' failed!\a\n", {"m1.wav"}},
      {"second rename, and its undo",
       {Fault::kSecondRename, Fault::kUndoRename},
       0,
       "Rename of '$/m1.snd' failed!\a\nRename of '$/m1.voc' failed!\a\n",
       {"m1.voc"}},
      {"write, and the delete after it",
       {Fault::kWrite, Fault::kDelete},
       1000,
       "Write to '$/m1.snd' failed!\a\nDelete of '$/m1.snd' failed!\a\n",
       {"m1.wav", "m1.snd"}},
      {"delete alone: nothing is deleted on success",
       {Fault::kDelete},
       0,
       " OK.\n",
       {"m1.wav", "m1.voc"}},
  };
  for (const uint64_t limit :
       {uint64_t{0}, uint64_t{1}, uint64_t{45}, uint64_t{46}, uint64_t{47}, uint64_t{4096},
        uint64_t{46 + 2 * 65536}, uint64_t{47 + 2 * 65536}, pcm_bytes - 1}) {
    // cppcheck-suppress useStlAlgorithm ; a loop over the limits reads better here
    cases.push_back(
        {"write", {Fault::kWrite}, limit, "Write to '$/m1.snd' failed!\a\n", {"m1.wav"}});
  }

  int faults_survived = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.what) + " at " + std::to_string(c.count));
    test::ScratchDir dir;
    dir.write("m1.wav", m1);
    dir.write("m2.wav", m2);
    test::FaultyHost host(&platform_host(), c.faults, "/m1.", c.count);
    const std::string pattern = dir / "*.wav";
    const char* arguments[] = {"vorma", pattern.c_str()};
    EXPECT_EQ(run_batch(host, 2, arguments), 0);

    // The banner, the victim's line, its dots, then exactly the expected lines.
    const std::string line = dir / "m1.wav -> " + dir.path() + "/m1.snd : \n";
    const size_t start = host.console.find(line);
    ASSERT_NE(start, std::string::npos) << host.console;
    const size_t after_dots = host.console.find_first_not_of('.', start + line.size());
    const std::string m2_line = dir / "m2.wav -> " + dir.path() + "/m2.snd : \n.. OK.\n";
    EXPECT_EQ(host.console.substr(after_dots), expand(c.messages, dir.path()) + m2_line);

    Files expected = {{"m2.wav", pcm_file(m2_codes)}, {"m2.voc", m2}};
    for (const std::string& name : c.left) {
      expected[name] = name == "m1.snd" ? "" : m1;
    }
    if (c.messages == " OK.\n") expected["m1.wav"] = pcm_file(m1_codes);
    Files files = dir.files();
    // A partial temporary file: only its presence counts.
    if (const auto partial = files.find("m1.snd"); partial != files.end()) partial->second.clear();
    EXPECT_EQ(files, expected);
    if (!::testing::Test::HasFailure()) ++faults_survived;
  }
  std::printf("%d injected faults survived\n", faults_survived);
}

TEST(FaultInjection, AnUnsearchableDirectoryEndsTheBatchQuietly) {
  test::ScratchDir dir;
  dir.write("m1.wav", alaw_file("x"));
  test::FaultyHost host(&platform_host(), {Fault::kFindFiles}, "/m1.");
  const std::string pattern = dir / "*.wav";
  const char* arguments[] = {"vorma", pattern.c_str()};
  EXPECT_EQ(run_batch(host, 2, arguments), 0);
  EXPECT_EQ(host.console.find('\n'), host.console.size() - 1);  // the banner alone
  EXPECT_EQ(dir.files(), (Files{{"m1.wav", alaw_file("x")}}));
}

}  // namespace
}  // namespace vorma
