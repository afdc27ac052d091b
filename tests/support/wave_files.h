// Builders for the WAVE files the tests feed the tool, and for the PCM files it must write.
// Files are byte strings; the headers are assembled here field by field, independently of the
// tool's own encoder.
#ifndef VORMA_TESTS_SUPPORT_WAVE_FILES_H_
#define VORMA_TESTS_SUPPORT_WAVE_FILES_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vorma::test {

std::string le16(uint16_t value);
std::string le32(uint32_t value);

struct Chunk {
  std::string id;       // four characters
  std::string payload;  // padded to an even length when written
  // The size written in the chunk header; the payload's length when negative.
  int64_t declared_size = -1;
};

// "RIFF", size, "WAVE", then the chunks.
std::string riff_wave(const std::vector<Chunk>& chunks);

// A format block of `block_bytes` bytes (16, 18, 20 or more; zero-filled past 18).
std::string format_block(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits,
                         size_t block_bytes = 18);

// A 40-byte WAVE_FORMAT_EXTENSIBLE format block whose sub-format has the tag `sub_tag`;
// `guid_tail_ok` false spoils the GUID's registered tail.
std::string extensible_format_block(uint16_t sub_tag, uint16_t channels, uint32_t rate,
                                    uint16_t bits, bool guid_tail_ok = true);

// The plain A-law layout: an 18-byte format block followed directly by the data chunk, so that
// the samples start at offset 46.
std::string alaw_file(const std::string& codes, uint16_t channels = 1, uint32_t rate = 8000);

// `count` sample codes cycling through all 256 values, starting at `first`.
std::string codes_sequence(size_t count, uint8_t first = 0);

// The 16-bit PCM file the tool writes for these codes: 46-byte header, then the samples.
std::string pcm_file(const std::string& codes, uint16_t channels = 1, uint32_t rate = 8000);

}  // namespace vorma::test

#endif  // VORMA_TESTS_SUPPORT_WAVE_FILES_H_
