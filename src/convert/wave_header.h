// The records of a RIFF WAVE header, and their little-endian byte form.
//
// A WAVE file is a RIFF container: "RIFF", a 32-bit size, "WAVE", then chunks, each a 4-byte
// identifier, a 32-bit payload size and the payload, padded to an even length. The "fmt " chunk
// holds the format block (WaveFormat); the "data" chunk holds the samples.
#ifndef VORMA_CONVERT_WAVE_HEADER_H_
#define VORMA_CONVERT_WAVE_HEADER_H_

#include <array>
#include <cstddef>
#include <cstdint>

namespace vorma {

using FourCc = std::array<char, 4>;

inline constexpr FourCc kRiffId = {'R', 'I', 'F', 'F'};
inline constexpr FourCc kWaveId = {'W', 'A', 'V', 'E'};
inline constexpr FourCc kFormatId = {'f', 'm', 't', ' '};
inline constexpr FourCc kDataId = {'d', 'a', 't', 'a'};

inline constexpr uint16_t kFormatTagPcm = 1;
inline constexpr uint16_t kFormatTagAlaw = 6;
// WAVE_FORMAT_EXTENSIBLE: the real format is the sub-format GUID at offset 24 of a format block
// of 40 bytes or more, whose first two bytes are the real tag and whose other fourteen are
// those of every registered sub-format.
inline constexpr uint16_t kFormatTagExtensible = 0xFFFE;
inline constexpr size_t kExtensibleFormatBytes = 40;
inline constexpr size_t kSubFormatOffset = 24;
inline constexpr std::array<uint8_t, 14> kSubFormatGuidTail = {
    0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

// The RIFF header and the header of the chunk that follows it: the first 20 bytes of a file.
struct RiffPreamble {
  static constexpr size_t kBytes = 20;
  FourCc riff_id{};
  uint32_t riff_size = 0;  // file length - 8
  FourCc form_type{};
  FourCc format_id{};
  uint32_t format_size = 0;  // bytes of format block that follow
};

// The format block: the payload of the "fmt " chunk. 16 bytes are required; an 18-byte block adds
// the size of any extra format bytes. Only the first 20 bytes of a larger block are kept.
struct WaveFormat {
  static constexpr size_t kBytes = 20;
  static constexpr size_t kMinimumBytes = 16;
  static constexpr size_t kPcmBytes = 18;  // what is written: the fields up to extra_format_size
  uint16_t format_tag = 0;
  uint16_t channel_count = 0;
  uint32_t sample_rate = 0;  // frames per second
  uint32_t byte_rate = 0;
  uint16_t block_alignment = 0;  // bytes per frame
  uint16_t bits_per_sample = 0;
  uint16_t extra_format_size = 0;
  std::array<uint8_t, 2> further_format_bytes{};
};

struct ChunkHeader {
  static constexpr size_t kBytes = 8;
  FourCc id{};
  uint32_t size = 0;  // payload bytes, not counting the pad byte of an odd size
};

// Length of the RIFF header: identifier, size and form type, before the first chunk.
inline constexpr size_t kRiffHeaderBytes = 12;

// Decoders read exactly kBytes from `bytes`.
WaveFormat decode_wave_format(const uint8_t* bytes);
ChunkHeader decode_chunk_header(const uint8_t* bytes);

// Length of the header of the PCM file that is written: preamble, 18-byte format block and the
// data chunk's header.
inline constexpr size_t kPcmHeaderBytes =
    RiffPreamble::kBytes + WaveFormat::kPcmBytes + ChunkHeader::kBytes;

// The largest number of sample bytes a PCM file can hold: its RIFF size, 38 + data bytes, must
// fit 32 bits.
inline constexpr uint64_t kMaximumPcmDataBytes = UINT32_MAX - (kPcmHeaderBytes - 8);

// Writes the 46-byte header of a 16-bit PCM file with the channel count and sample rate of
// `format` and `data_bytes` bytes of samples. `format` must describe a 16-bit PCM format whose
// byte rate and block alignment fit their fields (see pcm_format_of), and data_bytes must be at
// most kMaximumPcmDataBytes.
void encode_pcm_header(const WaveFormat& format, uint32_t data_bytes,
                       std::array<uint8_t, kPcmHeaderBytes>* header);

// The 16-bit PCM format with the channel count and sample rate of `source`. False if its block
// alignment (2 bytes per channel) or byte rate would not fit their 16- and 32-bit fields.
bool pcm_format_of(const WaveFormat& source, WaveFormat* pcm);

}  // namespace vorma

#endif  // VORMA_CONVERT_WAVE_HEADER_H_
