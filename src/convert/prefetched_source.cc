#include "convert/prefetched_source.h"

#include <algorithm>
#include <cstring>

namespace vorma {

PrefetchedSource::PrefetchedSource(SourceFile& file)
    : file_(file),
      window_(),
      window_bytes_(
          file.read_at(0, window_.data(),
                       static_cast<size_t>(std::min<uint64_t>(window_.size(), file.size())))) {}

const uint8_t* PrefetchedSource::bytes_at(uint64_t offset, size_t count) const {
  const auto held = static_cast<uint64_t>(std::max<int64_t>(window_bytes_, 0));
  if (offset > held || count > held - offset) return nullptr;
  return window_.data() + offset;
}

int64_t PrefetchedSource::read_at(uint64_t offset, void* buffer, size_t count) {
  if (!ok()) return -1;
  const auto held = static_cast<uint64_t>(window_bytes_);
  if (const uint8_t* bytes = bytes_at(offset, count)) {
    std::memcpy(buffer, bytes, count);
    return static_cast<int64_t>(count);
  }
  // A window shorter than it could be ends where the file ended when it was opened.
  if (held < window_.size() && held == file_.size() && offset <= held) {
    const auto rest = static_cast<size_t>(held - offset);
    std::memcpy(buffer, window_.data() + offset, rest);
    return static_cast<int64_t>(rest);
  }
  return file_.read_at(offset, buffer, count);
}

}  // namespace vorma
