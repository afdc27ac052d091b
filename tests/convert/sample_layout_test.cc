#include "convert/sample_layout.h"

#include <gtest/gtest.h>

#include "support/fake_host.h"
#include "support/wave_files.h"

namespace vorma {
namespace {

using test::alaw_file;
using test::format_block;
using test::MemorySourceFile;
using test::riff_wave;

const std::string kAlawFormat = format_block(6, 1, 8000, 8);
const std::string kCodes = test::codes_sequence(250);

TEST(FindAlawSamples, FollowsTheChunks) {
  struct Case {
    const char* what;
    std::string file;
    uint64_t data_offset;
    uint64_t data_bytes;
  };
  const Case kCases[] = {
      {"plain layout", alaw_file(kCodes), 46, 250},
      {"no samples", alaw_file(""), 46, 0},
      {"fact and LIST before the data",
       riff_wave({{"fmt ", kAlawFormat},
                  {"fact", test::le32(250)},
                  {"LIST", std::string(26, 'i')},
                  {"data", kCodes}}),
       46 + 12 + 34, 250},
      {"a chunk after the data",
       riff_wave({{"fmt ", kAlawFormat}, {"data", kCodes}, {"LIST", std::string(30, 'x')}}), 46,
       250},
      {"odd-sized chunks are padded",
       riff_wave({{"fmt ", kAlawFormat}, {"junk", "abc"}, {"data", "12345"}, {"id3 ", "z"}}),
       46 + 12, 5},
      {"data chunk before the format block is skipped",
       riff_wave({{"data", "zz"}, {"fmt ", kAlawFormat}, {"data", kCodes}}), 46 + 10, 250},
      {"16-byte format block",
       riff_wave({{"fmt ", format_block(6, 1, 8000, 8, 16)}, {"data", kCodes}}), 44, 250},
      {"40-byte format block",
       riff_wave({{"fmt ", format_block(6, 1, 8000, 8, 40)}, {"data", kCodes}}), 68, 250},
      {"extensible A-law",
       riff_wave({{"fmt ", test::extensible_format_block(6, 1, 8000, 8)}, {"data", kCodes}}), 68,
       250},
      {"declared size 0 runs to the end", riff_wave({{"fmt ", kAlawFormat}, {"data", kCodes, 0}}),
       46, 250},
      {"declared size past the end runs to the end",
       riff_wave({{"fmt ", kAlawFormat}, {"data", kCodes, 0xFFFFFFFF}}), 46, 250},
  };
  for (const Case& c : kCases) {
    MemorySourceFile file(c.file);
    SampleLayout layout;
    ASSERT_EQ(find_alaw_samples(file, &layout), LayoutStatus::kAlaw) << c.what;
    EXPECT_EQ(layout.data_offset, c.data_offset) << c.what;
    EXPECT_EQ(layout.data_bytes, c.data_bytes) << c.what;
    EXPECT_EQ(layout.format.channel_count, 1) << c.what;
    EXPECT_EQ(layout.format.sample_rate, 8000u) << c.what;
  }
}

TEST(FindAlawSamples, RejectsWhatIsNotAnAlawWaveFile) {
  const std::string plain = alaw_file(kCodes);
  std::string not_riff = plain;
  not_riff[0] = 'X';
  std::string not_wave = plain;
  not_wave[8] = 'X';
  struct Case {
    const char* what;
    std::string file;
    LayoutStatus status;
  };
  const Case kCases[] = {
      {"empty file", "", LayoutStatus::kNotWave},
      {"text", "just some words, not a wave file at all", LayoutStatus::kNotWave},
      {"not RIFF", not_riff, LayoutStatus::kNotWave},
      {"not WAVE", not_wave, LayoutStatus::kNotWave},
      {"ends inside the RIFF header", plain.substr(0, 11), LayoutStatus::kNotWave},
      {"ends inside a chunk header", plain.substr(0, 17), LayoutStatus::kNotWave},
      {"no format block", riff_wave({{"data", kCodes}}), LayoutStatus::kNotWave},
      {"no data chunk", riff_wave({{"fmt ", kAlawFormat}, {"LIST", "ab"}}), LayoutStatus::kNotWave},
      {"ends before the data chunk's header", plain.substr(0, 40), LayoutStatus::kNotWave},
      {"ends inside the format block", plain.substr(0, 30), LayoutStatus::kNotAlaw},
      {"format block under 16 bytes",
       riff_wave({{"fmt ", kAlawFormat.substr(0, 14)}, {"data", kCodes}}), LayoutStatus::kNotAlaw},
      {"PCM", riff_wave({{"fmt ", format_block(1, 1, 8000, 16)}, {"data", kCodes}}),
       LayoutStatus::kNotAlaw},
      {"A-law of 16 bits", riff_wave({{"fmt ", format_block(6, 1, 8000, 16)}, {"data", kCodes}}),
       LayoutStatus::kNotAlaw},
      {"no channels", riff_wave({{"fmt ", format_block(6, 0, 8000, 8)}, {"data", kCodes}}),
       LayoutStatus::kNotAlaw},
      {"block alignment would not fit 16 bits",
       riff_wave({{"fmt ", format_block(6, 40000, 8000, 8)}, {"data", kCodes}}),
       LayoutStatus::kNotAlaw},
      {"byte rate would not fit 32 bits",
       riff_wave({{"fmt ", format_block(6, 2, 0x40000000, 8)}, {"data", kCodes}}),
       LayoutStatus::kNotAlaw},
      {"extensible PCM",
       riff_wave({{"fmt ", test::extensible_format_block(1, 1, 8000, 16)}, {"data", kCodes}}),
       LayoutStatus::kNotAlaw},
      {"extensible A-law of 16 bits",
       riff_wave({{"fmt ", test::extensible_format_block(6, 1, 8000, 16)}, {"data", kCodes}}),
       LayoutStatus::kNotAlaw},
      {"extensible with an unregistered sub-format",
       riff_wave({{"fmt ", test::extensible_format_block(6, 1, 8000, 8, false)}, {"data", kCodes}}),
       LayoutStatus::kNotAlaw},
      {"extensible tag in a block too short for the sub-format",
       riff_wave({{"fmt ", test::extensible_format_block(6, 1, 8000, 8).substr(0, 38)},
                  {"data", kCodes}}),
       LayoutStatus::kNotAlaw},
      {"the format is checked before the data is looked for",
       riff_wave({{"fmt ", format_block(1, 1, 8000, 16)}}), LayoutStatus::kNotAlaw},
  };
  for (const Case& c : kCases) {
    MemorySourceFile file(c.file);
    SampleLayout layout;
    EXPECT_EQ(find_alaw_samples(file, &layout), c.status) << c.what;
  }
}

}  // namespace
}  // namespace vorma
