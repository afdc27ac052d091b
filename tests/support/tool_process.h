// Runs the built tool as a child process in a given directory, with its standard output read
// through a pipe.
#ifndef VORMA_TESTS_SUPPORT_TOOL_PROCESS_H_
#define VORMA_TESTS_SUPPORT_TOOL_PROCESS_H_

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vorma::test {

struct ToolExit {
  std::string output;    // all of standard output
  int exit_status = -1;  // when it exited
  int signal = 0;        // when a signal ended it
};

struct ToolOptions {
  // Run as an unprivileged user (nobody) when the tests run as root, so that file permissions
  // bind the tool.
  bool unprivileged = false;
  // RLIMIT_FSIZE for the tool, with SIGXFSZ ignored so that writes past it fail; 0 for none.
  uint64_t file_size_limit = 0;
};

// True if ToolOptions::unprivileged makes permissions bind the tool: the tests do not run as
// root, or can drop to nobody.
bool permissions_bind();

class ToolProcess {
 public:
  // Starts `binary` with `arguments` in `directory`.
  ToolProcess(const std::string& binary, const std::string& directory,
              const std::vector<std::string>& arguments, const ToolOptions& options = {});
  ~ToolProcess();
  ToolProcess(const ToolProcess&) = delete;
  ToolProcess& operator=(const ToolProcess&) = delete;

  pid_t pid() const { return pid_; }
  // Reads standard output to its end and waits for the process.
  ToolExit finish();

 private:
  pid_t pid_ = -1;
  int output_fd_ = -1;
};

// The tool under test (the binary this build made), run to its end.
ToolExit run_vorma(const std::string& directory, const std::vector<std::string>& arguments,
                   const ToolOptions& options = {});

// The path of that binary.
const std::string& vorma_binary();

// The banner it prints first, line feed included.
const std::string& banner();

}  // namespace vorma::test

#endif  // VORMA_TESTS_SUPPORT_TOOL_PROCESS_H_
