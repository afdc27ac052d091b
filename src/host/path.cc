#include "host/path.h"

#include <algorithm>

namespace vorma {

std::string_view directory_prefix(std::string_view path) {
  const size_t separator = path.find_last_of("\\/");
  if (separator != std::string_view::npos) return path.substr(0, separator + 1);
  const bool has_drive = path.size() >= 2 && path[1] == ':' &&
                         ((path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z'));
  return has_drive ? path.substr(0, 2) : std::string_view();
}

std::string native_directory_prefix(std::string_view prefix) {
  std::string native(prefix);
#ifndef _WIN32
  std::replace(native.begin(), native.end(), '\\', '/');
#endif
  return native;
}

}  // namespace vorma
