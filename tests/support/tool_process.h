// Runs the built tool as a child process in a given directory, with its standard output read
// through a pipe.
#ifndef VORMA_TESTS_SUPPORT_TOOL_PROCESS_H_
#define VORMA_TESTS_SUPPORT_TOOL_PROCESS_H_

#include <sys/types.h>

#include <string>
#include <vector>

namespace vorma::test {

struct ToolExit {
  std::string output;    // all of standard output
  int exit_status = -1;  // when it exited
  int signal = 0;        // when a signal ended it
};

class ToolProcess {
 public:
  // Starts `binary` with `arguments` in `directory`.
  ToolProcess(const std::string& binary, const std::string& directory,
              const std::vector<std::string>& arguments);
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
ToolExit run_vorma(const std::string& directory, const std::vector<std::string>& arguments);

// The path of that binary.
const std::string& vorma_binary();

}  // namespace vorma::test

#endif  // VORMA_TESTS_SUPPORT_TOOL_PROCESS_H_
