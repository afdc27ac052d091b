#include "convert/convert_file.h"

#include <gtest/gtest.h>

#include "support/fake_host.h"
#include "support/wave_files.h"

namespace vorma {
namespace {

using test::alaw_file;
using test::codes_sequence;
using test::FakeHost;
using test::pcm_file;

TEST(ConvertFile, SwapsThePcmFileIntoPlaceAndKeepsTheOriginal) {
  FakeHost host;
  const std::string codes = codes_sequence(250);
  const std::string original = alaw_file(codes);
  host.files["m1.wav"] = {original, 0640};

  EXPECT_EQ(convert_file(host, "m1.wav", "m1.snd"), ConvertResult::kConverted);

  EXPECT_EQ(host.console, "m1.wav -> m1.snd : \n. OK.\n");
  ASSERT_EQ(host.files.size(), 2u);
  EXPECT_EQ(host.files["m1.wav"].bytes, pcm_file(codes));
  EXPECT_EQ(host.files["m1.wav"].bytes.size(), 546u);
  EXPECT_EQ(host.files["m1.wav"].permissions, 0640u);
  EXPECT_EQ(host.files["m1.voc"].bytes, original);
}

TEST(ConvertFile, ShowsADotPerThousandSampleBytes) {
  struct Case {
    size_t sample_bytes;
    size_t dots;
  };
  const Case kCases[] = {{0, 0}, {1, 1}, {1000, 1}, {1001, 2}, {200'000, 200}, {200'001, 201}};
  for (const Case& c : kCases) {
    FakeHost host;
    const std::string codes = codes_sequence(c.sample_bytes, 0x33);
    host.files["a.wav"] = {alaw_file(codes)};
    EXPECT_EQ(convert_file(host, "a.wav", "a.snd"), ConvertResult::kConverted);
    EXPECT_EQ(host.console, "a.wav -> a.snd : \n" + std::string(c.dots, '.') + " OK.\n");
    EXPECT_EQ(host.files["a.wav"].bytes, pcm_file(codes)) << c.sample_bytes;
  }
}

TEST(ConvertFile, TakesOnlyTheDataChunkAndKeepsTheChannels) {
  FakeHost host;
  const std::string codes = codes_sequence(1501, 7);  // odd: the data chunk is padded
  host.files["s.wav"] = {test::riff_wave({{"fmt ", test::format_block(6, 2, 44100, 8, 20)},
                                          {"fact", test::le32(750)},
                                          {"LIST", std::string(40, 'n')},
                                          {"data", codes},
                                          {"LIST", std::string(33, 't')}})};
  EXPECT_EQ(convert_file(host, "s.wav", "s.snd"), ConvertResult::kConverted);
  EXPECT_EQ(host.files["s.wav"].bytes, pcm_file(codes, 2, 44100));
}

TEST(ConvertFile, LeavesEveryFileAloneWhenItCannotConvert) {
  const std::string alaw = alaw_file(codes_sequence(300));
  struct Case {
    const char* what;
    std::map<std::string, FakeHost::File> files;
    std::string source;
    std::string temporary;
    std::string message;
  };
  const Case kCases[] = {
      {"missing source", {}, "gone.wav", "gone.snd", "Open 'gone.wav' is failed!\a\n"},
      {"text file", {{"t.wav", {"hello"}}}, "t.wav", "t.snd", "No wave file.\n"},
      {"PCM file",
       {{"p.wav", {pcm_file(codes_sequence(10))}}},
       "p.wav",
       "p.snd",
       "Wave file is not A-Law format.\n"},
      {"earlier backup",
       {{"m1.wav", {alaw}}, {"m1.voc", {"older"}}},
       "m1.wav",
       "m1.snd",
       "Backup 'm1.voc' already exists!\a\n"},
      {"source is its own backup",
       {{"m1.voc", {alaw}}},
       "m1.voc",
       "m1.snd",
       "Backup 'm1.voc' already exists!\a\n"},
      {"temporary file exists",
       {{"m1.wav", {alaw}}, {"m1.snd", {"unrelated"}}},
       "m1.wav",
       "m1.snd",
       "Open 'm1.snd' is failed!\a\n"},
      {"source is its own temporary file",
       {{"m1.snd", {alaw}}},
       "m1.snd",
       "m1.snd",
       "Open 'm1.snd' is failed!\a\n"},
  };
  for (const Case& c : kCases) {
    FakeHost host;
    host.files = c.files;
    EXPECT_EQ(convert_file(host, c.source, c.temporary), ConvertResult::kFailed) << c.what;
    EXPECT_EQ(host.console, c.source + " -> " + c.temporary + " : \n" + c.message) << c.what;
    EXPECT_EQ(host.files.size(), c.files.size()) << c.what;
    for (const auto& [path, file] : c.files) {
      EXPECT_EQ(host.files[path].bytes, file.bytes) << c.what << ": " << path;
    }
  }
}

TEST(ConvertFile, StopsAndCleansUpWhenInterrupted) {
  FakeHost host;
  const std::string original = alaw_file(codes_sequence(5000));
  host.files["m1.wav"] = {original};
  host.signal_number = 2;
  EXPECT_EQ(convert_file(host, "m1.wav", "m1.snd"), ConvertResult::kInterrupted);
  ASSERT_EQ(host.files.size(), 1u);
  EXPECT_EQ(host.files["m1.wav"].bytes, original);
}

}  // namespace
}  // namespace vorma
