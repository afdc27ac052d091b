// The implementations behind alaw_expand_block: a portable loop over alaw_expand, and on
// x86-64 vector kernels that run the same arithmetic on 16-bit lanes, chosen at run time.
#ifndef VORMA_CODEC_ALAW_KERNELS_H_
#define VORMA_CODEC_ALAW_KERNELS_H_

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorma {

using AlawBlockKernel = void (*)(const uint8_t* codes, size_t count, uint8_t* out);

struct AlawKernel {
  const char* name;
  AlawBlockKernel expand;
};

// The kernels this processor can run, the portable loop first and the fastest last.
std::vector<AlawKernel> available_alaw_kernels();

void alaw_expand_block_portable(const uint8_t* codes, size_t count, uint8_t* out);

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define VORMA_HAVE_X86_KERNELS 1
void alaw_expand_block_ssse3(const uint8_t* codes, size_t count, uint8_t* out);
void alaw_expand_block_avx2(const uint8_t* codes, size_t count, uint8_t* out);
void alaw_expand_block_avx512(const uint8_t* codes, size_t count, uint8_t* out);
#endif

}  // namespace vorma

#endif  // VORMA_CODEC_ALAW_KERNELS_H_
