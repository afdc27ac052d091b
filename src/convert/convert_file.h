// Conversion of one 8-bit A-law WAVE file into a 16-bit PCM WAVE file, in place.
//
// The PCM file is written to the temporary path, which must not exist yet. Only when it is
// complete and closed are the files swapped, by two renames that never replace anything: the
// source becomes its backup (see backup_path), then the temporary file takes the source's name.
// Whatever fails, the original bytes stay intact under the source path or, once the swap has
// happened, under the backup path; no temporary file is left behind.
#ifndef VORMA_CONVERT_CONVERT_FILE_H_
#define VORMA_CONVERT_CONVERT_FILE_H_

#include <string>

#include "host/host.h"

namespace vorma {

enum class ConvertResult {
  kConverted,
  kFailed,       // reported on the console; the file is left as it was
  kInterrupted,  // a signal arrived; the file is left as it was, the batch should end
};

// Converts the file at `source_path`, reporting its progress and fate on the host's console:
// the line "<source> -> <temporary> : ", a dot per 1000 source sample bytes, then " OK." or
// one line saying why the file was left alone.
ConvertResult convert_file(Host& host, const std::string& source_path,
                           const std::string& temporary_path);

}  // namespace vorma

#endif  // VORMA_CONVERT_CONVERT_FILE_H_
