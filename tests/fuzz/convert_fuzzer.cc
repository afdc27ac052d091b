// Fuzzes the header walk and the conversion of one file held in memory. Whatever the bytes,
// the conversion must either leave the file exactly as it was, or put a well-formed PCM file
// of the expected length under its name and the untouched original under the backup name; it
// never leaves a temporary file, and never reads or writes outside a buffer.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "codec/alaw.h"
#include "convert/convert_file.h"
#include "convert/sample_layout.h"
#include "support/fake_host.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

uint32_t load_u32(const std::string& bytes, size_t offset) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) {
    value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[offset + i])) << (8 * i);
  }
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string original(reinterpret_cast<const char*>(data), size);

  vorma::test::MemorySourceFile file(original);
  vorma::SampleLayout layout;
  const vorma::LayoutStatus status = vorma::find_alaw_samples(file, &layout);
  if (status == vorma::LayoutStatus::kAlaw) {
    check(layout.data_offset <= size && layout.data_bytes <= size - layout.data_offset);
  }

  vorma::test::FakeHost host;
  host.files["f.wav"] = {original};
  const vorma::ConvertResult result = vorma::convert_file(host, "f.wav", "f.snd");
  check(host.files.count("f.snd") == 0);
  if (result != vorma::ConvertResult::kConverted) {
    check(host.files.size() == 1 && host.files["f.wav"].bytes == original);
    return 0;
  }
  check(status == vorma::LayoutStatus::kAlaw);
  check(host.files.size() == 2 && host.files["f.voc"].bytes == original);
  const std::string& pcm = host.files["f.wav"].bytes;
  check(pcm.size() == 46 + 2 * layout.data_bytes);
  check(pcm.compare(0, 4, "RIFF") == 0 && pcm.compare(8, 8, "WAVEfmt ") == 0);
  check(load_u32(pcm, 4) == pcm.size() - 8 && load_u32(pcm, 42) == pcm.size() - 46);
  for (uint64_t i = 0; i < layout.data_bytes; ++i) {
    const auto code = static_cast<uint8_t>(original[layout.data_offset + i]);
    const auto sample = static_cast<uint16_t>(vorma::alaw_expand(code));
    check(static_cast<uint8_t>(pcm[46 + 2 * i]) == (sample & 0xFF));
    check(static_cast<uint8_t>(pcm[47 + 2 * i]) == (sample >> 8));
  }
  return 0;
}
