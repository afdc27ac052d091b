// Where a converted file's original is kept.
#ifndef VORMA_CONVERT_BACKUP_PATH_H_
#define VORMA_CONVERT_BACKUP_PATH_H_

#include <string>

namespace vorma {

// The source path with the last three characters of its file name replaced by "voc"
// (m1.wav -> m1.voc). Only the name after the last '/' or '\' (or after a leading drive
// designator such as "c:") is touched; a name shorter than three characters gets ".voc" appended.
std::string backup_path(const std::string& source_path);

}  // namespace vorma

#endif  // VORMA_CONVERT_BACKUP_PATH_H_
