// Runs commands one after another and reports their total wall time and the largest peak
// resident size among them: "<seconds> <KiB>" on standard output. Each command is a line on
// standard input, its arguments separated by tabs; the commands' own output is discarded.
// A small launcher, so that neither the bench script's start-up nor its memory counts.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

int main() {
  std::vector<std::vector<std::string>> commands;
  for (std::string line; std::getline(std::cin, line);) {
    std::vector<std::string> words;
    std::istringstream fields(line);
    for (std::string word; std::getline(fields, word, '\t');) words.push_back(word);
    if (!words.empty()) commands.push_back(words);
  }
  long peak_kib = 0;
  const auto start = std::chrono::steady_clock::now();
  for (std::vector<std::string>& words : commands) {
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
      const int null = ::open("/dev/null", O_WRONLY);
      ::dup2(null, STDOUT_FILENO);
      ::dup2(null, STDERR_FILENO);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
    int status = 0;
    rusage usage = {};
    ::wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      std::fprintf(stderr, "failed: %s\n", argv[0]);
      return 1;
    }
    peak_kib = std::max(peak_kib, usage.ru_maxrss);
  }
  const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
  std::printf("%.6f %ld\n", wall.count(), peak_kib);
  return 0;
}
