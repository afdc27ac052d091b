#include "host/wildcard.h"

namespace vorma {

bool wildcard_match(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*") return true;
  // Greedy matching with one backtrack point: on a mismatch, let the most recent * swallow one
  // more character. Linear in practice, O(pattern * name) at worst; no recursion.
  size_t p = 0;
  size_t n = 0;
  size_t star = std::string_view::npos;
  size_t star_n = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      star_n = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++star_n;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace vorma
