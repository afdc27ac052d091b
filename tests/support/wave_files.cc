#include "support/wave_files.h"

#include "codec/alaw.h"

namespace vorma::test {

std::string le16(uint16_t value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string le32(uint32_t value) {
  return le16(static_cast<uint16_t>(value & 0xFFFF)) + le16(static_cast<uint16_t>(value >> 16));
}

std::string riff_wave(const std::vector<Chunk>& chunks) {
  std::string body = "WAVE";
  for (const Chunk& chunk : chunks) {
    const auto size = chunk.declared_size < 0 ? static_cast<uint32_t>(chunk.payload.size())
                                              : static_cast<uint32_t>(chunk.declared_size);
    body += chunk.id + le32(size) + chunk.payload;
    if (chunk.payload.size() % 2 != 0) body += '\0';
  }
  return "RIFF" + le32(static_cast<uint32_t>(body.size())) + body;
}

std::string format_block(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits,
                         size_t block_bytes) {
  const auto block_alignment = static_cast<uint16_t>(channels * bits / 8);
  std::string block = le16(tag) + le16(channels) + le32(rate) + le32(rate * block_alignment) +
                      le16(block_alignment) + le16(bits) + le16(0);
  block.resize(block_bytes, '\0');
  return block;
}

std::string extensible_format_block(uint16_t sub_tag, uint16_t channels, uint32_t rate,
                                    uint16_t bits, bool guid_tail_ok) {
  std::string block = format_block(0xFFFE, channels, rate, bits, 18);
  block.replace(16, 2, le16(22));  // the extension's size
  block += le16(bits) + le32(0);   // valid bits, channel mask
  block +=
      le16(sub_tag) + std::string("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
  if (!guid_tail_ok) block[39] = 0x72;
  return block;
}

std::string alaw_file(const std::string& codes, uint16_t channels, uint32_t rate) {
  return riff_wave({{"fmt ", format_block(6, channels, rate, 8)}, {"data", codes}});
}

std::string codes_sequence(size_t count, uint8_t first) {
  std::string codes(count, '\0');
  for (size_t i = 0; i < count; ++i) codes[i] = static_cast<char>((first + i) & 0xFF);
  return codes;
}

std::string pcm_file(const std::string& codes, uint16_t channels, uint32_t rate) {
  const auto data_bytes = static_cast<uint32_t>(2 * codes.size());
  std::string file = "RIFF" + le32(38 + data_bytes) + "WAVE" + "fmt " + le32(18) + le16(1) +
                     le16(channels) + le32(rate) + le32(2u * channels * rate) +
                     le16(static_cast<uint16_t>(2 * channels)) + le16(16) + le16(0) + "data" +
                     le32(data_bytes);
  for (const char code : codes) {
    file += le16(static_cast<uint16_t>(alaw_expand(static_cast<uint8_t>(code))));
  }
  return file;
}

}  // namespace vorma::test
