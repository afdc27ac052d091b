// Path syntax shared by the whole tool: Windows-style paths with an optional drive designator
// ("c:") and '\' or '/' between directories.
#ifndef VORMA_HOST_PATH_H_
#define VORMA_HOST_PATH_H_

#include <string>
#include <string_view>

namespace vorma {

// The leading part of `path` up to and including its last '\' or '/'; without a separator, its
// drive designator (letter and colon) if it starts with one; else empty.
// d:\voice\*.wav -> "d:\voice\", ..\*.wav -> "..\", c:*.wav -> "c:", *.wav -> "".
std::string_view directory_prefix(std::string_view path);

// Whether the shells of this platform expand wildcards before the tool starts: POSIX shells
// do; Windows consoles hand the pattern over as typed.
#ifdef _WIN32
inline constexpr bool kShellsExpandPatterns = false;
#else
inline constexpr bool kShellsExpandPatterns = true;
#endif

// The directory prefix as this host's file calls take it: on POSIX every '\' becomes '/', so
// that the path printed is the path opened. Unchanged on hosts that accept both separators.
std::string native_directory_prefix(std::string_view prefix);

}  // namespace vorma

#endif  // VORMA_HOST_PATH_H_
