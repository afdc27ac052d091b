#include "driver/batch.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "convert/convert_file.h"
#include "driver/paths.h"
#include "host/path.h"
#include "version.h"

namespace vorma {
namespace {

// Converts every file `pattern` matches, in name order. The names are gathered before the
// first conversion, so the backups and replaced files it creates are not offered again.
// Returns the interrupting signal's number, or 0.
int convert_matches(Host& host, std::string_view pattern) {
  const std::string_view prefix = directory_prefix(pattern);
  const std::string_view name_pattern = pattern.substr(prefix.size());
  const std::string directory = native_directory_prefix(prefix);

  std::vector<std::string> names;
  host.find_files(directory, std::string(name_pattern), &names);
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    if (host.interruption() != 0) break;
    convert_file(host, source_path(directory, name), temporary_path(directory, name));
  }
  return host.interruption();
}

}  // namespace

int run_batch(Host& host, int argc, const char* const* argv) {
  host.print("Vorma " VORMA_VERSION " - converts 8-bit A-law WAVE files to 16-bit PCM in place\n");
  const std::string_view first = argc >= 2 ? argv[1] : "";
  if (argc < 2 || first == "--help") {
    // Asked for, the usage is no error, and rings no bell.
    host.print(argc < 2 ? "\aUsage: Vorma filename\n" : "Usage: Vorma filename\n");
    host.print("Example: Vorma *.wav\n");
    return 0;
  }
  if (first == "--version") return 0;
  const bool expanded = kShellsExpandPatterns && !has_wildcard(argv[1]) && argc > 2;
  // cppcheck-suppress knownConditionTrueFalse ; always false only where shells do not expand
  const int last = expanded ? argc - 1 : 1;
  int interruption = 0;
  for (int i = 1; i <= last && interruption == 0; ++i) {
    interruption = convert_matches(host, argv[i]);
  }
  host.flush_console();
  return interruption;
}

}  // namespace vorma
