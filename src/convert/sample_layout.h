// Finding the samples of an A-law WAVE file by walking its chunks.
//
// The chunks after the RIFF header are walked in order: the first "fmt " chunk is the format
// block, and the samples are the payload of the first "data" chunk after it. Chunks of any other
// kind ("fact", "LIST", ...) are skipped, before the samples and after them.
#ifndef VORMA_CONVERT_SAMPLE_LAYOUT_H_
#define VORMA_CONVERT_SAMPLE_LAYOUT_H_

#include <cstdint>

#include "convert/wave_header.h"
#include "host/host.h"

namespace vorma {

struct SampleLayout {
  WaveFormat format;         // the first 20 bytes (at most) of the format block
  uint64_t data_offset = 0;  // where the first sample byte is
  uint64_t data_bytes = 0;   // how many sample bytes there are
};

enum class LayoutStatus {
  kAlaw,        // an 8-bit A-law file; the layout is filled in
  kNotWave,     // not RIFF/WAVE, or no format block, or no data chunk after it
  kNotAlaw,     // a format block that is short, not A-law (plain or extensible), not 8-bit,
                // or has no channels
  kReadFailed,  // the file could not be read
};

// Reads the header of `file`. The data chunk's declared size bounds the samples, except that a
// size of 0 or one running past the end of the file (left by writers that could not seek back)
// means the samples run to the end of the file. Never reads outside the file or a buffer.
LayoutStatus find_alaw_samples(SourceFile& file, SampleLayout* layout);

}  // namespace vorma

#endif  // VORMA_CONVERT_SAMPLE_LAYOUT_H_
