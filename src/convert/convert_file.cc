#include "convert/convert_file.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string_view>

#include "codec/alaw.h"
#include "convert/backup_path.h"
#include "convert/prefetched_source.h"
#include "convert/sample_layout.h"
#include "convert/wave_header.h"

namespace vorma {
namespace {

// Source bytes read and expanded per step, the size of the first bytes read with the header.
// The console shows one dot per kDotBytes of them, however large the blocks read.
constexpr size_t kBlockBytes = PrefetchedSource::kWindowBytes;
constexpr uint64_t kDotBytes = 1000;

void report(Host& host, std::string_view before, const std::string& path, std::string_view after) {
  host.print(before);
  host.print(path);
  host.print(after);
}

// Removes the temporary file of a conversion that did not complete, and says so if it cannot.
void discard(Host& host, const std::string& temporary_path) {
  if (!host.remove_file(temporary_path)) {
    report(host, "Delete of '", temporary_path, "' failed!\a\n");
  }
}

// Prints the dots due for `done` source bytes, given that `*shown` have been printed already.
void show_progress(Host& host, uint64_t done, uint64_t* shown) {
  static constexpr std::string_view kDots =
      "................................................................";
  const uint64_t due = (done + kDotBytes - 1) / kDotBytes;
  if (due == *shown) return;
  while (*shown < due) {
    const auto count = static_cast<size_t>(std::min<uint64_t>(due - *shown, kDots.size()));
    host.print(kDots.substr(0, count));
    *shown += count;
  }
  host.flush_console();
}

// Outcome of writing the temporary file.
enum class Stream { kComplete, kReadFailed, kWriteFailed, kInterrupted };

// Writes the PCM header and the expanded samples of `layout` to `target`, and closes it.
//
// Reads and writes are aligned to the block sizes in their files: the source is read in
// blocks that end at multiples of kBlockBytes, and the output is gathered in a buffer that
// holds one aligned stretch of the output file, written when full. Unaligned writes make the
// page cache merge partial pages at every block boundary, which costs more than the expansion.
Stream stream_samples(Host& host, PrefetchedSource& source, const SampleLayout& layout,
                      const WaveFormat& pcm, TargetFile& target) {
  std::array<uint8_t, kBlockBytes> codes;
  std::array<uint8_t, 2 * kBlockBytes> out;
  std::array<uint8_t, kPcmHeaderBytes> header;

  // The data size is known from the layout; it is corrected at the end should the source turn
  // out shorter than it was when opened.
  const auto expected_bytes = static_cast<uint32_t>(2 * layout.data_bytes);
  encode_pcm_header(pcm, expected_bytes, &header);
  std::copy(header.begin(), header.end(), out.begin());
  size_t filled = kPcmHeaderBytes;  // always even: samples are two bytes, and so is the header

  uint64_t done = 0;
  uint64_t dots = 0;
  while (done < layout.data_bytes) {
    if (host.interruption() != 0) return Stream::kInterrupted;
    const uint64_t offset = layout.data_offset + done;
    const auto wanted = static_cast<size_t>(
        std::min<uint64_t>(layout.data_bytes - done, kBlockBytes - offset % kBlockBytes));
    const uint8_t* block = source.bytes_at(offset, wanted);
    size_t count = wanted;
    if (block == nullptr) {
      const int64_t got = source.read_at(offset, codes.data(), wanted);
      if (got < 0) return Stream::kReadFailed;
      block = codes.data();
      count = static_cast<size_t>(got);
    }
    for (size_t expanded = 0; expanded < count;) {
      const size_t n = std::min(count - expanded, (out.size() - filled) / 2);
      alaw_expand_block(block + expanded, n, out.data() + filled);
      expanded += n;
      filled += 2 * n;
      if (filled == out.size()) {
        if (!target.append(out.data(), filled)) return Stream::kWriteFailed;
        filled = 0;
      }
    }
    done += count;
    show_progress(host, done, &dots);
    if (count < wanted) break;  // the file ended early
  }
  if (filled > 0 && !target.append(out.data(), filled)) return Stream::kWriteFailed;

  const auto data_bytes = static_cast<uint32_t>(2 * done);
  if (data_bytes != expected_bytes) {
    encode_pcm_header(pcm, data_bytes, &header);
    if (!target.write_at(0, header.data(), header.size())) return Stream::kWriteFailed;
  }
  return target.close() ? Stream::kComplete : Stream::kWriteFailed;
}

}  // namespace

ConvertResult convert_file(Host& host, const std::string& source_path,
                           const std::string& temporary_path) {
  host.print(source_path);
  host.print(" -> ");
  host.print(temporary_path);
  host.print(" : \n");

  std::unique_ptr<SourceFile> file = host.open_source(source_path);
  if (file == nullptr) {
    report(host, "Open '", source_path, "' is failed!\a\n");
    return ConvertResult::kFailed;
  }
  PrefetchedSource source(*file);

  SampleLayout layout;
  switch (find_alaw_samples(source, &layout)) {
    case LayoutStatus::kAlaw:
      break;
    case LayoutStatus::kNotWave:
      host.print("No wave file.\n");
      return ConvertResult::kFailed;
    case LayoutStatus::kNotAlaw:
      host.print("Wave file is not A-Law format.\n");
      return ConvertResult::kFailed;
    case LayoutStatus::kReadFailed:
      report(host, "Read from '", source_path, "' failed!\a\n");
      return ConvertResult::kFailed;
  }
  WaveFormat pcm;
  pcm_format_of(layout.format, &pcm);  // cannot fail: find_alaw_samples checked it
  if (layout.data_bytes > kMaximumPcmDataBytes / 2) {
    host.print("Wave file is too large.\n");
    return ConvertResult::kFailed;
  }

  const std::string backup = backup_path(source_path);
  if (host.exists(backup)) {
    report(host, "Backup '", backup, "' already exists!\a\n");
    return ConvertResult::kFailed;
  }

  std::unique_ptr<TargetFile> target = host.create_exclusive(temporary_path, source.permissions());
  if (target == nullptr) {
    report(host, "Open '", temporary_path, "' is failed!\a\n");
    return ConvertResult::kFailed;
  }
  const Stream streamed = stream_samples(host, source, layout, pcm, *target);
  target.reset();
  file.reset();
  switch (streamed) {
    case Stream::kComplete:
      break;
    case Stream::kReadFailed:
      report(host, "Read from '", source_path, "' failed!\a\n");
      discard(host, temporary_path);
      return ConvertResult::kFailed;
    case Stream::kWriteFailed:
      report(host, "Write to '", temporary_path, "' failed!\a\n");
      discard(host, temporary_path);
      return ConvertResult::kFailed;
    case Stream::kInterrupted:
      discard(host, temporary_path);
      return ConvertResult::kInterrupted;
  }
  if (host.interruption() != 0) {
    discard(host, temporary_path);
    return ConvertResult::kInterrupted;
  }

  // The swap. Interrupting signals only raise a flag, so nothing splits these two renames.
  if (!host.rename_no_replace(source_path, backup)) {
    report(host, "Rename of '", source_path, "' failed!\a\n");
    discard(host, temporary_path);
    return ConvertResult::kFailed;
  }
  if (!host.rename_no_replace(temporary_path, source_path)) {
    report(host, "Rename of '", temporary_path, "' failed!\a\n");
    // Put the original back under its name. Should that fail too, it is still whole under the
    // backup name, and the console says so.
    if (!host.rename_no_replace(backup, source_path)) {
      report(host, "Rename of '", backup, "' failed!\a\n");
    }
    discard(host, temporary_path);
    return ConvertResult::kFailed;
  }
  host.print(" OK.\n");
  return ConvertResult::kConverted;
}

}  // namespace vorma
