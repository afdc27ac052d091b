// Wildcard matching of file names, for hosts whose directory search does not match by itself.
#ifndef VORMA_HOST_WILDCARD_H_
#define VORMA_HOST_WILDCARD_H_

#include <string_view>

namespace vorma {

// True if `name` matches `pattern`, where * matches any run of characters (none included) and
// ? exactly one; every other character matches itself, case counting. As on Windows consoles,
// the pattern *.* matches every name, with or without a dot.
bool wildcard_match(std::string_view pattern, std::string_view name);

}  // namespace vorma

#endif  // VORMA_HOST_WILDCARD_H_
