#include "driver/batch.h"
#include "host/host.h"

#ifdef _WIN32
#include <algorithm>
#include <string>
#include <vector>

#include "host/windows_text.h"

// Windows hands over the command line in UTF-16; the tool works in UTF-8.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments(static_cast<size_t>(argc));
  std::transform(argv, argv + argc, arguments.begin(),
                 [](const wchar_t* argument) { return vorma::to_utf8(argument); });
  std::vector<const char*> pointers(arguments.size());
  std::transform(arguments.begin(), arguments.end(), pointers.begin(),
                 [](const std::string& argument) { return argument.c_str(); });
  vorma::Host& host = vorma::platform_host();
  const int interruption = vorma::run_batch(host, argc, pointers.data());
  if (interruption != 0) vorma::exit_by_interruption(interruption);
  return 0;
}
#else
int main(int argc, char** argv) {
  vorma::Host& host = vorma::platform_host();
  const int interruption = vorma::run_batch(host, argc, argv);
  if (interruption != 0) vorma::exit_by_interruption(interruption);
  return 0;
}
#endif
