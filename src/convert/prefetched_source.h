// A source file whose first bytes are read in one call and then served from memory.
//
// The header walk reads a few small records near the start of the file; a small file's
// samples follow them within the same bytes. Reading them all at once makes a small file cost
// one read, however many chunks its header has.
#ifndef VORMA_CONVERT_PREFETCHED_SOURCE_H_
#define VORMA_CONVERT_PREFETCHED_SOURCE_H_

#include <array>
#include <cstddef>
#include <cstdint>

#include "host/host.h"

namespace vorma {

class PrefetchedSource final : public SourceFile {
 public:
  static constexpr size_t kWindowBytes = size_t{64} * 1024;

  // Reads the first kWindowBytes of `file` (fewer if it is shorter). ok() tells whether that
  // read succeeded; if not, every read_at fails.
  explicit PrefetchedSource(SourceFile& file);

  bool ok() const { return window_bytes_ >= 0; }

  uint64_t size() const override { return file_.size(); }
  uint32_t permissions() const override { return file_.permissions(); }
  int64_t read_at(uint64_t offset, void* buffer, size_t count) override;

  // The `count` bytes at `offset` if they were read with the first bytes, else null.
  const uint8_t* bytes_at(uint64_t offset, size_t count) const;

 private:
  SourceFile& file_;
  std::array<uint8_t, kWindowBytes> window_;
  int64_t window_bytes_;
};

}  // namespace vorma

#endif  // VORMA_CONVERT_PREFETCHED_SOURCE_H_
