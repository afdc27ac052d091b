#include "convert/backup_path.h"

#include "host/path.h"

namespace vorma {

std::string backup_path(const std::string& source_path) {
  const size_t name_length = source_path.size() - directory_prefix(source_path).size();
  constexpr size_t kReplaced = 3;
  if (name_length < kReplaced) return source_path + ".voc";
  return source_path.substr(0, source_path.size() - kReplaced) + "voc";
}

}  // namespace vorma
