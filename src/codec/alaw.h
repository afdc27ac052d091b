// A-law sample expansion: one 8-bit code to one signed 16-bit linear sample.
//
// The curve is computed from the code's fields (sign, 3-bit segment, 4-bit mantissa) and an
// eight-entry table of segment offsets; there is deliberately no 256-entry lookup table. The
// offsets are 132 * (2^segment - 1), so segment 0 steps by 8 from 0 and segment 7 by 1024 from
// 16764; the largest magnitude, 16764 + 15 * 1024 = 32124, fits a 16-bit sample without wrapping.
#ifndef VORMA_CODEC_ALAW_H_
#define VORMA_CODEC_ALAW_H_

#include <array>
#include <cstddef>
#include <cstdint>

namespace vorma {

// Start of each segment's magnitudes, indexed by segment number.
inline constexpr std::array<int32_t, 8> segment_offsets = {0,    132,  396,  924,
                                                           1980, 4092, 8316, 16764};

// Expands one A-law code. Pure; every one of the 256 codes is valid.
constexpr int16_t alaw_expand(uint8_t code) {
  // A-law inverts the even bits in transmission; XOR with 0xD5 undoes that and also flips the
  // sign bit, so that a set bit 7 in t means a negative sample.
  const unsigned t = code ^ 0xD5u;
  const unsigned segment = (t >> 4) & 0x7u;
  const unsigned mantissa = t & 0x0Fu;
  const int32_t magnitude =
      static_cast<int32_t>(mantissa << (segment + 3)) + segment_offsets[segment];
  // Negate without a branch (the sign of audio samples is not predictable): all ones when
  // bit 7 is set, and (m ^ ~0) - ~0 is -m.
  const int32_t negative = -static_cast<int32_t>(t >> 7);
  return static_cast<int16_t>((magnitude ^ negative) - negative);
}

// Expands `count` codes into `count` samples stored little-endian, two bytes each, in `out`.
// `out` must hold 2 * count bytes and must not overlap `codes`. Uses the fastest kernel this
// processor runs (see alaw_kernels.h); all give the same bytes as alaw_expand.
void alaw_expand_block(const uint8_t* codes, size_t count, uint8_t* out);

}  // namespace vorma

#endif  // VORMA_CODEC_ALAW_H_
