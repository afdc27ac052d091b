// Vector kernels for x86-64. Each 16-bit lane computes what alaw_expand computes:
//   t = code ^ 0xD5, segment = (t >> 4) & 7, mantissa = t & 15,
//   magnitude = mantissa * 2^(segment + 3) + segment_offsets[segment], negated if t & 0x80.
// The two per-segment values come from eight-entry tables of 16-bit words, looked up with a
// byte shuffle whose index for segment s is the byte pair (2s, 2s + 1). Little-endian stores
// give the file's byte order directly.
#include "codec/alaw_kernels.h"

#ifdef VORMA_HAVE_X86_KERNELS

#include <immintrin.h>

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
  const __m128i negative = _mm_srai_epi16(_mm_slli_epi16(t, 8), 15);
  return _mm_sub_epi16(_mm_xor_si128(magnitude, negative), negative);
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
  const __m256i negative = _mm256_srai_epi16(_mm256_slli_epi16(t, 8), 15);
  return _mm256_sub_epi16(_mm256_xor_si256(magnitude, negative), negative);
}

#undef VORMA_SEGMENT_TABLE

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

}  // namespace vorma

#endif  // VORMA_HAVE_X86_KERNELS
