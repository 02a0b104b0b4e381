#pragma once
// The memory of everything a program started, however deep, read the same way for every program: the
// sum of the resident sizes of all processes of the tree, sampled while it runs (the tree's peak is the
// highest sum), and the sum of their proportional set sizes, where pages the processes share count once
// for the whole tree. The tool that starts the program becomes the tree's reaper, so a helper that
// leaves its parent stays in the tree instead of going to init.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

namespace tree {

using Clock = std::chrono::steady_clock;

// Called before the program starts.
inline void BecomeReaper() { prctl(PR_SET_CHILD_SUBREAPER, 1); }

// Every process below this one, read from /proc.
inline std::vector<pid_t> Descendants() {
  std::multimap<pid_t, pid_t> children;
  const std::unique_ptr<DIR, int (*)(DIR*)> proc(opendir("/proc"), closedir);
  if (!proc) return {};
  while (const dirent* entry = readdir(proc.get())) {
    const pid_t pid = std::atoi(entry->d_name);
    if (pid <= 0) continue;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) continue;
    const size_t name_end = line.rfind(')');  // the name may hold spaces and brackets
    if (name_end == std::string::npos) continue;
    char state = 0;
    int parent = 0;
    if (std::sscanf(line.c_str() + name_end + 1, " %c %d", &state, &parent) == 2 && state != 'Z')
      children.emplace(parent, pid);
  }
  std::vector<pid_t> tree;
  std::vector<pid_t> todo{getpid()};
  while (!todo.empty()) {
    const pid_t parent = todo.back();
    todo.pop_back();
    for (auto [it, end] = children.equal_range(parent); it != end; ++it) {
      tree.push_back(it->second);
      todo.push_back(it->second);
    }
  }
  std::sort(tree.begin(), tree.end());
  return tree;
}

// A "Name:  N kB" field of a /proc file, or 0 when the process has gone.
inline long ProcKib(pid_t pid, const char* file, const std::string& field) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/" + file);
  for (std::string line; std::getline(in, line);)
    if (line.rfind(field + ":", 0) == 0) return std::atol(line.c_str() + field.size() + 1);
  return 0;
}

inline long TreeRssKib(const std::vector<pid_t>& tree) {
  long sum = 0;
  for (pid_t pid : tree) sum += ProcKib(pid, "status", "VmRSS");
  return sum;
}

inline long TreePssKib(const std::vector<pid_t>& tree) {
  long sum = 0;
  for (pid_t pid : tree) sum += ProcKib(pid, "smaps_rollup", "Pss");
  return sum;
}

// An open file descriptor, closed when it goes.
class TDescriptor {
 public:
  explicit TDescriptor(int fd) : fd_(fd) {}
  ~TDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

// The tree's resident pages with each page counted once, however many processes of the tree or
// elsewhere map it: what the summed proportional sizes would be with nothing else running, which makes it
// the figure to compare on a busy machine. -1 when the page frames cannot be read (they need root).
inline long TreeOwnKib(const std::vector<pid_t>& tree) {
  constexpr std::uint64_t kPresent = std::uint64_t{1} << 63;
  constexpr std::uint64_t kFrameBits = (std::uint64_t{1} << 55) - 1;
  const long pageSize = sysconf(_SC_PAGESIZE);
  std::unordered_set<std::uint64_t> frames;
  bool framesHidden = false;  // present pages read as frame 0 without root
  std::vector<std::uint64_t> entries(4096);
  for (pid_t pid : tree) {
    const std::string folder = "/proc/" + std::to_string(pid);
    const TDescriptor pagemap(open((folder + "/pagemap").c_str(), O_RDONLY | O_CLOEXEC));
    if (pagemap.Get() < 0) continue;
    std::ifstream maps(folder + "/maps");
    for (std::string line; std::getline(maps, line);) {
      unsigned long start = 0, end = 0;
      char permissions[5] = {};
      if (std::sscanf(line.c_str(), "%lx-%lx %4s", &start, &end, permissions) != 3) continue;
      if (std::string(permissions, 3) == "---") continue;  // reserved address space holds no pages
      for (unsigned long page = start / pageSize; page < end / pageSize;) {
        const size_t count = std::min<size_t>(entries.size(), end / pageSize - page);
        const ssize_t got = pread(pagemap.Get(), entries.data(), count * sizeof(std::uint64_t),
                                  static_cast<off_t>(page * sizeof(std::uint64_t)));
        if (got <= 0) break;
        for (size_t i = 0; i < static_cast<size_t>(got) / sizeof(std::uint64_t); ++i) {
          if (!(entries[i] & kPresent)) continue;
          const std::uint64_t frame = entries[i] & kFrameBits;
          framesHidden |= frame == 0;
          frames.insert(frame);
        }
        page += static_cast<unsigned long>(got) / sizeof(std::uint64_t);
      }
    }
  }
  return framesHidden ? -1 : static_cast<long>(frames.size()) * (pageSize / 1024);
}

// Samples the tree's resident size on a thread of its own while the program runs, and tells when the
// tree has settled: the same processes for a while and their memory no longer growing. With `with_pss`
// it samples the proportional sizes and the pages counted once too, for a program that ends by itself
// before they can be read once.
class TSampler {
 public:
  explicit TSampler(bool with_pss = false)
      : withPss_(with_pss), thread_([this](std::stop_token stop) { Run(stop); }) {}
  TSampler(const TSampler&) = delete;
  TSampler& operator=(const TSampler&) = delete;

  long PeakRssKib() {
    const std::lock_guard lock(mutex_);
    return peak_;
  }
  long PeakPssKib() {
    const std::lock_guard lock(mutex_);
    return peakPss_;
  }
  long PeakOwnKib() {
    const std::lock_guard lock(mutex_);
    return peakOwn_;
  }

  // Waits until the tree has been steady for `steady_ms`, at most `timeout_ms`; whether it was.
  bool WaitSettled(int steady_ms, int timeout_ms) {
    const Clock::time_point until = Clock::now() + std::chrono::milliseconds(timeout_ms);
    while (Clock::now() < until) {
      {
        const std::lock_guard lock(mutex_);
        if (!tree_.empty() && Clock::now() - steadySince_ >= std::chrono::milliseconds(steady_ms)) return true;
      }
      std::this_thread::sleep_for(kPeriod);
    }
    return false;
  }

  std::vector<pid_t> Tree() {
    const std::lock_guard lock(mutex_);
    return tree_;
  }

 private:
  static constexpr std::chrono::milliseconds kPeriod{20};
  // Memory growing by less than this share (at least a MiB) since the tree last changed counts as steady:
  // a caret or a timer allocates a little now and then.
  static constexpr long kSteadyShare = 100;
  static constexpr long kSteadyKib = 1024;

  void Run(const std::stop_token& stop) {
    long steadyRss = 0;
    while (!stop.stop_requested()) {
      std::vector<pid_t> tree = Descendants();
      const long rss = TreeRssKib(tree);
      const long pss = withPss_ ? TreePssKib(tree) : 0;
      const long own = withPss_ ? TreeOwnKib(tree) : 0;
      {
        const std::lock_guard lock(mutex_);
        peak_ = std::max(peak_, rss);
        peakPss_ = std::max(peakPss_, pss);
        peakOwn_ = peakOwn_ < 0 ? peakOwn_ : own < 0 ? -1 : std::max(peakOwn_, own);
        if (tree != tree_ || rss > steadyRss + std::max(kSteadyKib, steadyRss / kSteadyShare)) {
          tree_ = std::move(tree);
          steadyRss = rss;
          steadySince_ = Clock::now();
        }
      }
      std::this_thread::sleep_for(kPeriod);
    }
  }

  const bool withPss_;
  std::mutex mutex_;
  long peak_ = 0;
  long peakPss_ = 0;
  long peakOwn_ = 0;  // -1 once the page frames cannot be read
  std::vector<pid_t> tree_;
  Clock::time_point steadySince_ = Clock::now();
  std::jthread thread_;  // last: it stops and joins before the fields it uses go
};

// Ends whatever of the tree is still running and reaps it all.
inline void EndLeftovers() {
  for (std::vector<pid_t> rest = Descendants(); !rest.empty(); rest = Descendants()) {
    for (pid_t pid : rest) kill(pid, SIGKILL);
    while (waitpid(-1, nullptr, WNOHANG) > 0) {
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  while (waitpid(-1, nullptr, WNOHANG) > 0) {
  }
}

// Ends the running program, politely first, then the rest of its tree.
inline void EndTree(pid_t program) {
  kill(program, SIGTERM);
  for (int i = 0; i < 300 && waitpid(program, nullptr, WNOHANG) != program; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EndLeftovers();
}

}  // namespace tree
