#include "codec/alaw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "codec/alaw_kernels.h"

namespace vorma {
namespace {

TEST(AlawExpand, GivesTheTabulatedSamples) {
  struct Case {
    uint8_t code;
    int sample;
  };
  constexpr std::array<Case, 14> kCases = {{
      {0xD5, 0},
      {0x55, 0},
      {0xD4, 8},
      {0x54, -8},
      {0xD0, 40},
      {0xDA, 120},
      {0xC5, 132},
      {0xE5, 924},
      {0xFF, 716},
      {0x7F, -716},
      {0x80, 4092 + 5 * 256},
      {0x00, -(4092 + 5 * 256)},
      {0xAA, 16764 + 15 * 1024},
      {0x2A, -(16764 + 15 * 1024)},
  }};
  for (const Case& c : kCases) {
    EXPECT_EQ(alaw_expand(c.code), c.sample) << "code 0x" << std::hex << int{c.code};
  }
}

TEST(AlawExpand, IsSymmetricBoundedAndDistinctOverAllCodes) {
  std::set<int> samples;
  for (int code = 0; code < 256; ++code) {
    const int sample = alaw_expand(static_cast<uint8_t>(code));
    samples.insert(sample);
    // Bit 7 of the code is the sign: clear means negative.
    EXPECT_EQ(alaw_expand(static_cast<uint8_t>(code ^ 0x80)), -sample) << code;
    EXPECT_EQ(sample < 0, (code & 0x80) == 0 && sample != 0) << code;
    EXPECT_LE(std::abs(sample), 16764 + 15 * 1024) << code;
  }
  EXPECT_EQ(samples.size(), 255u);  // only 0xD5 and 0x55 share a value, 0
  EXPECT_EQ(*samples.begin(), -(16764 + 15 * 1024));
  EXPECT_EQ(*samples.rbegin(), 16764 + 15 * 1024);
}

TEST(AlawExpand, StepsDoubleFromSegmentToSegment) {
  for (unsigned segment = 0; segment < 8; ++segment) {
    for (unsigned mantissa = 0; mantissa < 16; ++mantissa) {
      const auto code = static_cast<uint8_t>(((segment << 4) | mantissa) ^ 0xD5u);
      EXPECT_EQ(alaw_expand(code),
                segment_offsets[segment] + static_cast<int>(mantissa << (segment + 3)));
    }
    EXPECT_EQ(segment_offsets[segment], 132 * ((1 << segment) - 1));
  }
}

TEST(AlawExpandBlock, EveryKernelWritesTheSameLittleEndianSamples) {
  // All 256 codes, in several orders, at every length up to a few vectors and at unaligned
  // starts, so that each kernel's vector body and its tail are both covered.
  std::vector<uint8_t> codes(3 * 256 + 77);
  for (size_t i = 0; i < codes.size(); ++i)
    codes[i] = static_cast<uint8_t>((i * 73 + i / 256) & 0xFF);
  std::vector<uint8_t> expected(2 * codes.size());
  for (size_t i = 0; i < codes.size(); ++i) {
    const auto sample = static_cast<uint16_t>(alaw_expand(codes[i]));
    expected[2 * i] = static_cast<uint8_t>(sample & 0xFF);
    expected[2 * i + 1] = static_cast<uint8_t>(sample >> 8);
  }
  const std::vector<AlawKernel> kernels = available_alaw_kernels();
  ASSERT_EQ(std::string(kernels.front().name), "portable");
  for (const AlawKernel& kernel : kernels) {
    for (const size_t start : {size_t{0}, size_t{1}, size_t{7}}) {
      for (size_t count = 0; start + count <= codes.size(); count += count < 80 ? 1 : 97) {
        std::vector<uint8_t> out(2 * count + 2, 0xEE);
        kernel.expand(codes.data() + start, count, out.data());
        ASSERT_TRUE(std::equal(out.begin(), out.begin() + static_cast<ptrdiff_t>(2 * count),
                               expected.begin() + static_cast<ptrdiff_t>(2 * start)))
            << kernel.name << " from " << start << ", " << count << " codes";
        ASSERT_EQ(out[2 * count], 0xEE) << kernel.name << ": wrote past the end";
      }
    }
  }
  std::printf("kernels checked: %zu (fastest: %s)\n", kernels.size(), kernels.back().name);
}

}  // namespace
}  // namespace vorma
