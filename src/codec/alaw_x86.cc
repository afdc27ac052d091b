// Vector kernels for x86-64. Each 16-bit lane computes what alaw_expand computes:
//   t = code ^ 0xD5, segment = (t >> 4) & 7, mantissa = t & 15,
//   magnitude = mantissa * 2^(segment + 3) + segment_offsets[segment], negated if t & 0x80.
// The two per-segment values come from eight-entry tables of 16-bit words, looked up with a
// byte shuffle whose index for segment s is the byte pair (2s, 2s + 1). The sign is applied by
// psignw with t << 8, negative exactly when bit 7 of t is set; where that is zero, t is 0 and
// so is the magnitude. Little-endian stores give the file's byte order directly.
#include "codec/alaw_kernels.h"

#ifdef VORMA_HAVE_X86_KERNELS

#include <immintrin.h>

#include <array>

#include "codec/alaw.h"

namespace vorma {
namespace {

constexpr int16_t offset(unsigned segment) {
  return static_cast<int16_t>(segment_offsets[segment]);
}
constexpr int16_t step(unsigned segment) { return static_cast<int16_t>(1u << (segment + 3)); }

#define VORMA_SEGMENT_TABLE(f) f(0), f(1), f(2), f(3), f(4), f(5), f(6), f(7)

__attribute__((target("ssse3"))) inline __m128i expand_lanes_ssse3(__m128i t) {
  const __m128i offsets = _mm_setr_epi16(VORMA_SEGMENT_TABLE(offset));
  const __m128i steps = _mm_setr_epi16(VORMA_SEGMENT_TABLE(step));
  const __m128i segment = _mm_and_si128(_mm_srli_epi16(t, 4), _mm_set1_epi16(7));
  const __m128i mantissa = _mm_and_si128(t, _mm_set1_epi16(15));
  const __m128i index =
      _mm_add_epi16(_mm_mullo_epi16(segment, _mm_set1_epi16(0x0202)), _mm_set1_epi16(0x0100));
  const __m128i magnitude = _mm_add_epi16(_mm_mullo_epi16(mantissa, _mm_shuffle_epi8(steps, index)),
                                          _mm_shuffle_epi8(offsets, index));
  return _mm_sign_epi16(magnitude, _mm_slli_epi16(t, 8));
}

__attribute__((target("avx2"))) inline __m256i expand_lanes_avx2(__m256i t) {
  const __m256i offsets =
      _mm256_setr_epi16(VORMA_SEGMENT_TABLE(offset), VORMA_SEGMENT_TABLE(offset));
  const __m256i steps = _mm256_setr_epi16(VORMA_SEGMENT_TABLE(step), VORMA_SEGMENT_TABLE(step));
  const __m256i segment = _mm256_and_si256(_mm256_srli_epi16(t, 4), _mm256_set1_epi16(7));
  const __m256i mantissa = _mm256_and_si256(t, _mm256_set1_epi16(15));
  const __m256i index = _mm256_add_epi16(_mm256_mullo_epi16(segment, _mm256_set1_epi16(0x0202)),
                                         _mm256_set1_epi16(0x0100));
  const __m256i magnitude =
      _mm256_add_epi16(_mm256_mullo_epi16(mantissa, _mm256_shuffle_epi8(steps, index)),
                       _mm256_shuffle_epi8(offsets, index));
  return _mm256_sign_epi16(magnitude, _mm256_slli_epi16(t, 8));
}

#undef VORMA_SEGMENT_TABLE

// With AVX-512BW the segment needs no byte-pair index: vpermw looks the offset up by it
// directly, and vpsllvw shifts each mantissa by its own segment.
constexpr std::array<int16_t, 32> kWideOffsets = {offset(0), offset(1), offset(2), offset(3),
                                                  offset(4), offset(5), offset(6), offset(7)};

}  // namespace

__attribute__((target("ssse3"))) void alaw_expand_block_ssse3(const uint8_t* codes, size_t count,
                                                              uint8_t* out) {
  const __m128i inversion = _mm_set1_epi8(static_cast<char>(0xD5));
  const __m128i zero = _mm_setzero_si128();
  size_t i = 0;
  for (; i + 16 <= count; i += 16) {
    const __m128i t =
        _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(codes + i)), inversion);
    auto* target = reinterpret_cast<__m128i*>(out + 2 * i);
    _mm_storeu_si128(target, expand_lanes_ssse3(_mm_unpacklo_epi8(t, zero)));
    _mm_storeu_si128(target + 1, expand_lanes_ssse3(_mm_unpackhi_epi8(t, zero)));
  }
  alaw_expand_block_portable(codes + i, count - i, out + 2 * i);
}

__attribute__((target("avx2"))) void alaw_expand_block_avx2(const uint8_t* codes, size_t count,
                                                            uint8_t* out) {
  const __m256i inversion = _mm256_set1_epi16(0xD5);
  size_t i = 0;
  for (; i + 32 <= count; i += 32) {
    const __m256i low =
        _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(codes + i)));
    const __m256i high =
        _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(codes + i + 16)));
    auto* target = reinterpret_cast<__m256i*>(out + 2 * i);
    _mm256_storeu_si256(target, expand_lanes_avx2(_mm256_xor_si256(low, inversion)));
    _mm256_storeu_si256(target + 1, expand_lanes_avx2(_mm256_xor_si256(high, inversion)));
  }
  alaw_expand_block_portable(codes + i, count - i, out + 2 * i);
}

__attribute__((target("avx512f,avx512bw"))) void alaw_expand_block_avx512(const uint8_t* codes,
                                                                          size_t count,
                                                                          uint8_t* out) {
  const __m512i offsets = _mm512_loadu_si512(kWideOffsets.data());
  const __m512i inversion = _mm512_set1_epi16(0xD5);
  const __m512i seven = _mm512_set1_epi16(7);
  const __m512i fifteen = _mm512_set1_epi16(15);
  const __m512i three = _mm512_set1_epi16(3);
  const __m512i sign_bit = _mm512_set1_epi16(0x80);
  const __m512i zero = _mm512_setzero_si512();
  size_t i = 0;
  for (; i + 32 <= count; i += 32) {
    const __m512i t = _mm512_xor_si512(
        _mm512_cvtepu8_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(codes + i))),
        inversion);
    const __m512i segment = _mm512_and_si512(_mm512_srli_epi16(t, 4), seven);
    const __m512i mantissa = _mm512_and_si512(t, fifteen);
    const __m512i magnitude =
        _mm512_add_epi16(_mm512_sllv_epi16(mantissa, _mm512_add_epi16(segment, three)),
                         _mm512_permutexvar_epi16(segment, offsets));
    const __mmask32 negative = _mm512_test_epi16_mask(t, sign_bit);
    _mm512_storeu_si512(out + 2 * i, _mm512_mask_sub_epi16(magnitude, negative, zero, magnitude));
  }
  alaw_expand_block_portable(codes + i, count - i, out + 2 * i);
}

}  // namespace vorma

#endif  // VORMA_HAVE_X86_KERNELS
