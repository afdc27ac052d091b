#include "support/tool_process.h"

#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <stdexcept>

#include "version.h"

namespace vorma::test {

namespace {

constexpr uid_t kNobody = 65534;

}  // namespace

bool permissions_bind() {
  if (::geteuid() != 0) return true;
  const pid_t child = ::fork();
  if (child == 0) ::_exit(::setgid(kNobody) == 0 && ::setuid(kNobody) == 0 ? 0 : 1);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

ToolProcess::ToolProcess(const std::string& binary, const std::string& directory,
                         const std::vector<std::string>& arguments, const ToolOptions& options) {
  int fds[2];
  if (::pipe(fds) != 0) throw std::runtime_error("pipe failed");
  // execv wants mutable strings: point into copies of them.
  std::vector<std::string> words = {binary};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv(words.size() + 1, nullptr);
  std::transform(words.begin(), words.end(), argv.begin(),
                 [](std::string& word) { return word.data(); });

  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    ::dup2(fds[1], STDOUT_FILENO);
    ::close(fds[0]);
    ::close(fds[1]);
    // Start with the dispositions a shell would give.
    for (const int signal_number : {SIGINT, SIGTERM, SIGPIPE})
      (void)std::signal(signal_number, SIG_DFL);
    if (options.file_size_limit != 0) {
      (void)std::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit = {options.file_size_limit, options.file_size_limit};
      if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(125);
    }
    if (options.unprivileged && ::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
      ::_exit(124);
    }
    if (::chdir(directory.c_str()) != 0) ::_exit(126);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(fds[1]);
  output_fd_ = fds[0];
}

ToolProcess::~ToolProcess() {
  if (pid_ > 0) finish();
}

ToolExit ToolProcess::finish() {
  ToolExit result;
  char buffer[4096];
  ssize_t got = 0;
  while ((got = ::read(output_fd_, buffer, sizeof buffer)) > 0) {
    result.output.append(buffer, static_cast<size_t>(got));
  }
  ::close(output_fd_);
  int status = 0;
  ::waitpid(pid_, &status, 0);
  pid_ = -1;
  if (WIFEXITED(status)) result.exit_status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  return result;
}

const std::string& vorma_binary() {
  static const std::string binary = VORMA_BINARY;
  return binary;
}

const std::string& banner() {
  static const std::string text =
      "Vorma " VORMA_VERSION " - converts 8-bit A-law WAVE files to 16-bit PCM in place\n";
  return text;
}

ToolExit run_vorma(const std::string& directory, const std::vector<std::string>& arguments,
                   const ToolOptions& options) {
  return ToolProcess(vorma_binary(), directory, arguments, options).finish();
}

}  // namespace vorma::test
