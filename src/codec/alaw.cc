#include "codec/alaw.h"

namespace vorma {

void alaw_expand_block(const uint8_t* codes, size_t count, uint8_t* out) {
  for (size_t i = 0; i < count; ++i) {
    const auto sample = static_cast<uint16_t>(alaw_expand(codes[i]));
    out[2 * i] = static_cast<uint8_t>(sample & 0xFFu);
    out[2 * i + 1] = static_cast<uint8_t>(sample >> 8);
  }
}

}  // namespace vorma
