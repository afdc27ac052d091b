#include "convert/sample_layout.h"

#include <algorithm>
#include <array>
#include <optional>

namespace vorma {
namespace {

// Reads exactly `count` bytes at `offset`. Returns nothing if all were read, else the status
// of a file whose read failed, or that ended too soon (`if_short`).
std::optional<LayoutStatus> read_exactly(SourceFile& file, uint64_t offset, uint8_t* buffer,
                                         size_t count, LayoutStatus if_short) {
  const int64_t got = file.read_at(offset, buffer, count);
  if (got < 0) return LayoutStatus::kReadFailed;
  if (static_cast<size_t>(got) != count) return if_short;
  return std::nullopt;
}

// The format the block's tag names: for the extensible tag, the sub-format's (0 if the block is
// too short to hold one, or the GUID is not a registered sub-format).
uint16_t real_format_tag(const WaveFormat& format, const uint8_t* block, size_t block_bytes) {
  if (format.format_tag != kFormatTagExtensible) return format.format_tag;
  if (block_bytes < kExtensibleFormatBytes) return 0;
  const uint8_t* guid = block + kSubFormatOffset;
  if (!std::equal(kSubFormatGuidTail.begin(), kSubFormatGuidTail.end(), guid + 2)) return 0;
  return static_cast<uint16_t>(guid[0] | (guid[1] << 8));
}

bool is_alaw(const WaveFormat& format, uint16_t real_tag) {
  WaveFormat pcm;
  return real_tag == kFormatTagAlaw && format.bits_per_sample == 8 && format.channel_count != 0 &&
         pcm_format_of(format, &pcm);
}

}  // namespace

LayoutStatus find_alaw_samples(SourceFile& file, SampleLayout* layout) {
  const uint64_t file_size = file.size();

  std::array<uint8_t, kRiffHeaderBytes> riff{};
  if (const auto failed = read_exactly(file, 0, riff.data(), riff.size(), LayoutStatus::kNotWave)) {
    return *failed;
  }
  if (!std::equal(kRiffId.begin(), kRiffId.end(), riff.begin()) ||
      !std::equal(kWaveId.begin(), kWaveId.end(), riff.begin() + 8)) {
    return LayoutStatus::kNotWave;
  }

  bool have_format = false;
  uint64_t offset = kRiffHeaderBytes;
  while (offset <= file_size && file_size - offset >= ChunkHeader::kBytes) {
    std::array<uint8_t, ChunkHeader::kBytes> header_bytes{};
    // The loop's condition leaves room for the whole header, so only an error can fail it.
    if (const auto failed = read_exactly(file, offset, header_bytes.data(), header_bytes.size(),
                                         LayoutStatus::kNotWave)) {
      return *failed;
    }
    const ChunkHeader chunk = decode_chunk_header(header_bytes.data());
    const uint64_t payload = offset + ChunkHeader::kBytes;
    const uint64_t available = file_size - payload;

    if (!have_format && chunk.id == kFormatId) {
      // The record takes the first 20 bytes; an extensible block's sub-format lies beyond.
      std::array<uint8_t, kExtensibleFormatBytes> block{};
      const auto wanted =
          static_cast<size_t>(std::min<uint64_t>({chunk.size, block.size(), available}));
      if (wanted < WaveFormat::kMinimumBytes) return LayoutStatus::kNotAlaw;
      if (const auto failed =
              read_exactly(file, payload, block.data(), wanted, LayoutStatus::kNotAlaw)) {
        return *failed;
      }
      layout->format = decode_wave_format(block.data());
      if (!is_alaw(layout->format, real_format_tag(layout->format, block.data(), wanted))) {
        return LayoutStatus::kNotAlaw;
      }
      have_format = true;
    } else if (have_format && chunk.id == kDataId) {
      layout->data_offset = payload;
      layout->data_bytes = (chunk.size == 0 || chunk.size > available) ? available : chunk.size;
      return LayoutStatus::kAlaw;
    }
    // Next chunk: the payload is padded to an even length. 64-bit sums cannot wrap here.
    offset = payload + chunk.size + (chunk.size & 1u);
  }
  return LayoutStatus::kNotWave;
}

}  // namespace vorma
