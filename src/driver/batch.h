// The batch loop: the command line, the search, and one conversion per file found.
#ifndef VORMA_DRIVER_BATCH_H_
#define VORMA_DRIVER_BATCH_H_

#include "host/host.h"

namespace vorma {

// Runs the tool for the command line `argv` (argv[0] is the program) on `host`: prints the
// banner, then the usage text if no pattern is given (or the first argument is --help;
// --version prints only the banner), else converts every file the pattern matches. The first
// argument is the pattern. If it holds no wildcard and more arguments follow, as when a POSIX shell
// has expanded the pattern already, each argument is a pattern in turn. Returns the exit status, 0;
// after an interruption it returns the signal's number.
int run_batch(Host& host, int argc, const char* const* argv);

}  // namespace vorma

#endif  // VORMA_DRIVER_BATCH_H_
