#include "codec/alaw.h"

#include "codec/alaw_kernels.h"

namespace vorma {

void alaw_expand_block_portable(const uint8_t* codes, size_t count, uint8_t* out) {
  for (size_t i = 0; i < count; ++i) {
    const auto sample = static_cast<uint16_t>(alaw_expand(codes[i]));
    out[2 * i] = static_cast<uint8_t>(sample & 0xFFu);
    out[2 * i + 1] = static_cast<uint8_t>(sample >> 8);
  }
}

std::vector<AlawKernel> available_alaw_kernels() {
  std::vector<AlawKernel> kernels = {{"portable", alaw_expand_block_portable}};
#ifdef VORMA_HAVE_X86_KERNELS
  if (__builtin_cpu_supports("ssse3")) kernels.push_back({"ssse3", alaw_expand_block_ssse3});
  if (__builtin_cpu_supports("avx2")) kernels.push_back({"avx2", alaw_expand_block_avx2});
  if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw")) {
    kernels.push_back({"avx512", alaw_expand_block_avx512});
  }
#endif
  return kernels;
}

void alaw_expand_block(const uint8_t* codes, size_t count, uint8_t* out) {
  static const AlawBlockKernel fastest = available_alaw_kernels().back().expand;
  fastest(codes, count, out);
}

}  // namespace vorma
