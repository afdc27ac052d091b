#include "driver/paths.h"

namespace vorma {

std::string source_path(std::string_view prefix, std::string_view name) {
  std::string path(prefix);
  path += name;
  return path;
}

std::string temporary_path(std::string_view prefix, std::string_view name) {
  std::string path(prefix);
  path += name.substr(0, name.find_last_of('.'));
  path += ".snd";
  return path;
}

bool has_wildcard(std::string_view text) {
  return text.find_first_of("*?") != std::string_view::npos;
}

}  // namespace vorma
