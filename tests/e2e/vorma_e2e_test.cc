// The built binary, run in a scratch directory: its console output byte for byte, its exit
// status, and every file it leaves.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "support/scratch_dir.h"
#include "support/tool_process.h"
#include "support/wave_files.h"

namespace vorma {
namespace {

using test::alaw_file;
using test::banner;
using test::codes_sequence;
using test::format_block;
using test::pcm_file;
using test::riff_wave;
using test::run_vorma;
using test::ScratchDir;

using test::Files;

std::string converted(const std::string& name, size_t dots) {
  const std::string stem = name.substr(0, name.rfind('.'));
  return name + " -> " + stem + ".snd : \n" + std::string(dots, '.') + " OK.\n";
}

std::string rejected(const std::string& name, const std::string& message) {
  const std::string stem = name.substr(0, name.rfind('.'));
  return name + " -> " + stem + ".snd : \n" + message;
}

TEST(Vorma, WithoutArgumentsPrintsTheUsageAndTouchesNothing) {
  ScratchDir dir;
  dir.write("m1.wav", alaw_file("abc"));
  const auto run = run_vorma(dir.path(), {});
  EXPECT_EQ(run.output, banner() + "\aUsage: Vorma filename\nExample: Vorma *.wav\n");
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(dir.files(), (Files{{"m1.wav", alaw_file("abc")}}));
}

TEST(Vorma, AnswersHelpAndVersionAndTakesAnythingElseAsAPattern) {
  ScratchDir dir;
  dir.write("--x.wav", alaw_file("abc"));
  const auto help = run_vorma(dir.path(), {"--help"});
  EXPECT_EQ(help.output, banner() + "Usage: Vorma filename\nExample: Vorma *.wav\n");
  EXPECT_EQ(help.exit_status, 0);
  const auto version = run_vorma(dir.path(), {"--version", "*.wav"});
  EXPECT_EQ(version.output, banner());
  EXPECT_EQ(version.exit_status, 0);
  EXPECT_EQ(run_vorma(dir.path(), {"--*"}).output, banner() + converted("--x.wav", 1));
}

TEST(Vorma, ConvertsOneFileAndKeepsItsOriginalAsTheBackup) {
  ScratchDir dir;
  const std::string codes = codes_sequence(250);
  const std::string original = alaw_file(codes);
  dir.write("m1.wav", original);
  ASSERT_EQ(::chmod((dir / "m1.wav").c_str(), 0640), 0);

  const auto run = run_vorma(dir.path(), {"*.wav"});
  EXPECT_EQ(run.output, banner() + "m1.wav -> m1.snd : \n. OK.\n");
  EXPECT_EQ(run.exit_status, 0);
  const Files files = dir.files();
  EXPECT_EQ(files, (Files{{"m1.wav", pcm_file(codes)}, {"m1.voc", original}}));
  EXPECT_EQ(files.at("m1.wav").size(), 546u);
  struct stat info = {};
  ASSERT_EQ(::stat((dir / "m1.wav").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);

  // A second run finds only converted files and backups, and changes nothing.
  const auto again = run_vorma(dir.path(), {"*.wav"});
  EXPECT_EQ(again.output, banner() + rejected("m1.wav", "Wave file is not A-Law format.\n"));
  // cppcheck-suppress knownConditionTrueFalse ; the run in between may change the files
  EXPECT_EQ(dir.files(), files);
}

TEST(Vorma, ConvertsEveryLayoutToThePlainPcmLayout) {
  ScratchDir dir;
  const std::string empty;
  const std::string thousand = codes_sequence(1000, 1);
  const std::string thousand_one = codes_sequence(1001, 2);
  const std::string stereo = codes_sequence(3000, 3);
  const std::string tagged = codes_sequence(777, 4);
  const std::string surround = codes_sequence(size_t{6} * 500, 5);
  dir.write("a0.wav", alaw_file(empty));
  dir.write("a1000.wav", alaw_file(thousand));
  dir.write("a1001.wav", alaw_file(thousand_one));
  dir.write("stereo.wav", alaw_file(stereo, 2, 22050));
  // As current writers lay it out: fact and LIST before the samples, and a chunk after them.
  dir.write("tagged.wav", riff_wave({{"fmt ", format_block(6, 1, 8000, 8, 18)},
                                     {"fact", test::le32(777)},
                                     {"LIST", std::string(26, 'i')},
                                     {"data", tagged},
                                     {"id3 ", std::string(128, 't')}}));
  dir.write("surround.wav", riff_wave({{"fmt ", test::extensible_format_block(6, 6, 96000, 8)},
                                       {"fact", test::le32(500)},
                                       {"data", surround}}));

  const auto run = run_vorma(dir.path(), {"*.wav"});
  EXPECT_EQ(run.output, banner() + converted("a0.wav", 0) + converted("a1000.wav", 1) +
                            converted("a1001.wav", 2) + converted("stereo.wav", 3) +
                            converted("surround.wav", 3) + converted("tagged.wav", 1));
  const Files files = dir.files();
  EXPECT_EQ(files.at("a0.wav"), pcm_file(empty));
  EXPECT_EQ(files.at("a0.wav").size(), 46u);
  EXPECT_EQ(files.at("a1000.wav"), pcm_file(thousand));
  EXPECT_EQ(files.at("a1001.wav"), pcm_file(thousand_one));
  EXPECT_EQ(files.at("stereo.wav"), pcm_file(stereo, 2, 22050));
  EXPECT_EQ(files.at("tagged.wav"), pcm_file(tagged));
  EXPECT_EQ(files.at("surround.wav"), pcm_file(surround, 6, 96000));
  EXPECT_EQ(files.size(), 12u);  // six outputs, six backups, no temporary file
}

TEST(Vorma, LeavesBrokenAndForeignFilesByteForByte) {
  ScratchDir dir;
  const std::string alaw = alaw_file(codes_sequence(500));
  std::string not_riff = alaw;
  not_riff.replace(0, 4, "RIFX");
  const Files inputs = {
      {"b1-text.wav", "Just a text file.\n"},
      {"b2-empty.wav", ""},
      {"b3-not-riff.wav", not_riff},
      {"b4-truncated.wav", alaw.substr(0, 30)},
      {"b5-no-data.wav", riff_wave({{"fmt ", format_block(6, 1, 8000, 8)}})},
      {"b6-pcm.wav", pcm_file(codes_sequence(100))},
      {"b7-alaw16.wav", riff_wave({{"fmt ", format_block(6, 1, 8000, 16)}, {"data", "xx"}})},
      {"b8-no-channels.wav", riff_wave({{"fmt ", format_block(6, 0, 8000, 8)}, {"data", "x"}})},
      {"b9-short-format.wav", riff_wave({{"fmt ", std::string(12, '\0')}, {"data", "x"}})},
  };
  for (const auto& [name, bytes] : inputs) dir.write(name, bytes);

  const auto run = run_vorma(dir.path(), {"b*.wav"});
  const std::string not_wave = "No wave file.\n";
  const std::string not_alaw = "Wave file is not A-Law format.\n";
  EXPECT_EQ(run.output,
            banner() + rejected("b1-text.wav", not_wave) + rejected("b2-empty.wav", not_wave) +
                rejected("b3-not-riff.wav", not_wave) + rejected("b4-truncated.wav", not_alaw) +
                rejected("b5-no-data.wav", not_wave) + rejected("b6-pcm.wav", not_alaw) +
                rejected("b7-alaw16.wav", not_alaw) + rejected("b8-no-channels.wav", not_alaw) +
                rejected("b9-short-format.wav", not_alaw));
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(dir.files(), inputs);
}

TEST(Vorma, NeverReplacesABackupOrAnUnrelatedFile) {
  ScratchDir dir;
  const std::string alaw = alaw_file(codes_sequence(100));
  const Files inputs = {
      {"m1.wav", alaw}, {"m1.voc", "an earlier backup"},  // backup exists
      {"m2.wav", alaw}, {"m2.snd", "unrelated"},          // temporary name taken
      {"x.voc", alaw},                                    // its own backup path
      {"y.snd", alaw},                                    // its own temporary path
  };
  for (const auto& [name, bytes] : inputs) dir.write(name, bytes);

  EXPECT_EQ(run_vorma(dir.path(), {"*.wav"}).output,
            banner() + rejected("m1.wav", "Backup 'm1.voc' already exists!\a\n") +
                rejected("m2.wav", "Open 'm2.snd' is failed!\a\n"));
  EXPECT_EQ(run_vorma(dir.path(), {"x.voc"}).output,
            banner() + rejected("x.voc", "Backup 'x.voc' already exists!\a\n"));
  EXPECT_EQ(run_vorma(dir.path(), {"y.snd"}).output,
            banner() + rejected("y.snd", "Open 'y.snd' is failed!\a\n"));
  EXPECT_EQ(dir.files(), inputs);
}

TEST(Vorma, OffersOnlyOrdinaryVisibleFiles) {
  ScratchDir dir;
  ASSERT_EQ(::mkdir((dir / "c.wav").c_str(), 0755), 0);
  ASSERT_EQ(::mkfifo((dir / "f.wav").c_str(), 0644), 0);  // opening it would hang
  dir.write(".hidden.wav", alaw_file("x"));
  const auto run = run_vorma(dir.path(), {"*.wav"});
  EXPECT_EQ(run.output, banner());
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run_vorma(dir.path(), {"c.wav"}).output, banner());  // a directory named outright
  EXPECT_EQ(dir.files(), (Files{{".hidden.wav", alaw_file("x")}}));
}

TEST(Vorma, SearchesThePatternsDirectoryWithEitherSeparator) {
  ScratchDir dir;
  ASSERT_EQ(::mkdir((dir / "in").c_str(), 0755), 0);
  dir.write("in/m1.wav", alaw_file("x"));
  dir.write("in/m2.wav", alaw_file("y"));
  EXPECT_EQ(run_vorma(dir.path(), {"in\\m1.wav"}).output,
            banner() + "in/m1.wav -> in/m1.snd : \n. OK.\n");
  EXPECT_EQ(run_vorma(dir.path(), {"in/m?.*"}).output,
            banner() + "in/m1.voc -> in/m1.snd : \nBackup 'in/m1.voc' already exists!\a\n" +
                "in/m1.wav -> in/m1.snd : \nWave file is not A-Law format.\n" +
                "in/m2.wav -> in/m2.snd : \n. OK.\n");
}

TEST(Vorma, TakesEachArgumentWhenTheShellExpandedThePattern) {
  ScratchDir dir;
  dir.write("a.wav", alaw_file("x"));
  dir.write("b.wav", alaw_file("y"));
  dir.write("c.wav", alaw_file("z"));
  EXPECT_EQ(run_vorma(dir.path(), {"b.wav", "a.wav"}).output,
            banner() + converted("b.wav", 1) + converted("a.wav", 1));
  // With a wildcard in the first argument, only the first is a pattern.
  EXPECT_EQ(run_vorma(dir.path(), {"c*", "a.wav"}).output, banner() + converted("c.wav", 1));
}

TEST(Vorma, RefusesAnOutputTooLargeForTheFormat) {
  ScratchDir dir;
  // A sparse file whose samples run to its end: 2^31 of them would need 2^32 + 38 RIFF bytes.
  std::string header = riff_wave({{"fmt ", format_block(6, 1, 8000, 8)}, {"data", "", 0}});
  dir.write("big.wav", header);
  ASSERT_EQ(::truncate((dir / "big.wav").c_str(), static_cast<off_t>(46 + (1LL << 31))), 0);
  const auto run = run_vorma(dir.path(), {"big.wav"});
  EXPECT_EQ(run.output, banner() + rejected("big.wav", "Wave file is too large.\n"));
  struct stat info = {};
  ASSERT_EQ(::stat((dir / "big.wav").c_str(), &info), 0);
  EXPECT_EQ(info.st_size, 46 + (1LL << 31));
  EXPECT_FALSE(::access((dir / "big.snd").c_str(), F_OK) == 0);
  EXPECT_FALSE(::access((dir / "big.voc").c_str(), F_OK) == 0);
}

}  // namespace
}  // namespace vorma
