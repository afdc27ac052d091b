#include "convert/wave_header.h"

#include <algorithm>

namespace vorma {
namespace {

uint16_t load_u16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t load_u32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

FourCc load_fourcc(const uint8_t* p) {
  return {static_cast<char>(p[0]), static_cast<char>(p[1]), static_cast<char>(p[2]),
          static_cast<char>(p[3])};
}

uint8_t* store_u16(uint8_t* p, uint16_t value) {
  p[0] = static_cast<uint8_t>(value & 0xFFu);
  p[1] = static_cast<uint8_t>(value >> 8);
  return p + 2;
}

uint8_t* store_u32(uint8_t* p, uint32_t value) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>((value >> (8 * i)) & 0xFFu);
  return p + 4;
}

uint8_t* store_fourcc(uint8_t* p, const FourCc& id) {
  std::copy(id.begin(), id.end(), p);
  return p + 4;
}

}  // namespace

WaveFormat decode_wave_format(const uint8_t* bytes) {
  WaveFormat format;
  format.format_tag = load_u16(bytes);
  format.channel_count = load_u16(bytes + 2);
  format.sample_rate = load_u32(bytes + 4);
  format.byte_rate = load_u32(bytes + 8);
  format.block_alignment = load_u16(bytes + 12);
  format.bits_per_sample = load_u16(bytes + 14);
  format.extra_format_size = load_u16(bytes + 16);
  format.further_format_bytes = {bytes[18], bytes[19]};
  return format;
}

ChunkHeader decode_chunk_header(const uint8_t* bytes) {
  return ChunkHeader{load_fourcc(bytes), load_u32(bytes + 4)};
}

bool pcm_format_of(const WaveFormat& source, WaveFormat* pcm) {
  constexpr uint64_t kSampleBytes = 2;
  const uint64_t block_alignment = kSampleBytes * source.channel_count;
  const uint64_t byte_rate = block_alignment * source.sample_rate;
  if (block_alignment > UINT16_MAX || byte_rate > UINT32_MAX) return false;
  *pcm = WaveFormat{};
  pcm->format_tag = kFormatTagPcm;
  pcm->channel_count = source.channel_count;
  pcm->sample_rate = source.sample_rate;
  pcm->byte_rate = static_cast<uint32_t>(byte_rate);
  pcm->block_alignment = static_cast<uint16_t>(block_alignment);
  pcm->bits_per_sample = 16;
  pcm->extra_format_size = 0;
  return true;
}

void encode_pcm_header(const WaveFormat& format, uint32_t data_bytes,
                       std::array<uint8_t, kPcmHeaderBytes>* header) {
  const RiffPreamble preamble{kRiffId, static_cast<uint32_t>(kPcmHeaderBytes - 8 + data_bytes),
                              kWaveId, kFormatId, static_cast<uint32_t>(WaveFormat::kPcmBytes)};
  uint8_t* p = header->data();
  p = store_fourcc(p, preamble.riff_id);
  p = store_u32(p, preamble.riff_size);
  p = store_fourcc(p, preamble.form_type);
  p = store_fourcc(p, preamble.format_id);
  p = store_u32(p, preamble.format_size);

  p = store_u16(p, format.format_tag);
  p = store_u16(p, format.channel_count);
  p = store_u32(p, format.sample_rate);
  p = store_u32(p, format.byte_rate);
  p = store_u16(p, format.block_alignment);
  p = store_u16(p, format.bits_per_sample);
  p = store_u16(p, format.extra_format_size);

  p = store_fourcc(p, kDataId);
  store_u32(p, data_bytes);
}

}  // namespace vorma
