// The two paths the batch loop forms for each file the search finds.
#ifndef VORMA_DRIVER_PATHS_H_
#define VORMA_DRIVER_PATHS_H_

#include <string>
#include <string_view>

namespace vorma {

// Directory prefix + matched name.
std::string source_path(std::string_view prefix, std::string_view name);

// Directory prefix + the name without its extension (from its last dot on) + ".snd":
// take.2.wav -> take.2.snd, memo -> memo.snd.
std::string temporary_path(std::string_view prefix, std::string_view name);

// True if `text` holds a wildcard, * or ?.
bool has_wildcard(std::string_view text);

}  // namespace vorma

#endif  // VORMA_DRIVER_PATHS_H_
