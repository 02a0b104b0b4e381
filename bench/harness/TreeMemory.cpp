// Runs a program to its end and reports how long it ran and what its whole process tree held: the peak of
// the tree's summed resident size, of its summed proportional size and of its pages counted once (-1
// without root), all sampled while it runs.
//
// Usage: tree-memory -- PROGRAM [ARGS...]
// The program's output goes to this tool's stderr. Prints one line: ms peak_rss_kib peak_pss_kib
// peak_own_kib, or "failed <why>".
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "ProcessTree.h"

int main(int argc, char** argv) {
  if (argc < 3 || std::strcmp(argv[1], "--") != 0) {
    std::fprintf(stderr, "usage: %s -- PROGRAM [ARGS...]\n", argv[0]);
    return 2;
  }
  std::vector<char*> command(argv + 2, argv + argc);
  command.push_back(nullptr);
  tree::BecomeReaper();
  tree::TSampler sampler(true);
  const tree::Clock::time_point start = tree::Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(STDERR_FILENO, STDOUT_FILENO);  // this tool's output is its one line of figures
    execvp(command[0], command.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  const double ms = std::chrono::duration<double, std::milli>(tree::Clock::now() - start).count();
  const long peakRss = sampler.PeakRssKib();
  const long peakPss = sampler.PeakPssKib();
  const long peakOwn = sampler.PeakOwnKib();
  tree::EndLeftovers();  // what the program left running
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::printf("failed the program ended with %d\n", WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
    return 1;
  }
  std::printf("%.1f %ld %ld %ld\n", ms, peakRss, peakPss, peakOwn);
  return 0;
}
