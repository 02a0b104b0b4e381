// The test programs' entry: sets the environment the suites rely on (where a test is started by hand just
// as under ctest), then runs GoogleTest.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "TestFiles.h"

namespace {

// Parent of each running process, read from /proc.
std::multimap<pid_t, pid_t> ChildrenByParent() {
  std::multimap<pid_t, pid_t> children;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    const std::string stat = corvane::test::ReadFile(entry.path() / "stat");
    const auto end = stat.rfind(')');  // the program name may hold blanks and brackets
    if (end == std::string::npos) continue;
    char state = 0;
    int parent = 0;
    if (std::sscanf(stat.c_str() + end + 1, " %c %d", &state, &parent) == 2)
      children.emplace(static_cast<pid_t>(parent), static_cast<pid_t>(std::stoi(name)));
  }
  return children;
}

// Whether a process runs with this test program's private folders in its environment.
bool RunsWithFolder(pid_t process, const std::string& folder) {
  const std::string environment = corvane::test::ReadFile("/proc/" + std::to_string(process) + "/environ");
  return environment.find("XDG_STATE_HOME=" + folder + "/state") != std::string::npos;
}

// The browser engine's helpers (its zygote and the renderers it forks) share the test's output. A test
// program has no application object to shut the engine down in order, and a helper left behind keeps
// that output open, so ctest would wait for it until its time-out: the program ends what it started.
// A helper whose parent ended first has left the tree, so the program also ends every process that
// runs with its private folders.
void EndDescendants(const std::string& folder) {
  const std::multimap<pid_t, pid_t> children = ChildrenByParent();
  std::vector<pid_t> pending{getpid()};
  for (const auto& [parent, child] : children)
    if (child != getpid() && RunsWithFolder(child, folder)) pending.push_back(child);
  while (!pending.empty()) {
    const pid_t parent = pending.back();
    pending.pop_back();
    if (parent != getpid()) kill(parent, SIGKILL);
    const auto [first, last] = children.equal_range(parent);
    for (auto it = first; it != last; ++it) pending.push_back(it->second);
  }
}

// The user's desktop folders are the test program's own: the editor registers its file types there
// at each start, and they must never reach the desktop of whoever runs the tests. What the programs keep
// across sessions (the old copies of files saved in place) stays out of the user's state folder too.
std::string PrivateDesktopFolders() {
  std::string folder = (std::filesystem::temp_directory_path() / "corvane-xdg-XXXXXX").string();
  if (!mkdtemp(folder.data())) return {};
  setenv("XDG_DATA_HOME", (folder + "/data").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
  setenv("XDG_STATE_HOME", (folder + "/state").c_str(), 1);
  return folder;
}

// Nor does a test see or change the machine's printers: the print service of the test program and of
// the programs it starts is a socket in the program's own folder, where nothing listens.
void PrivatePrintService(const std::string& folder) { setenv("CUPS_SERVER", (folder + "/cups.sock").c_str(), 1); }

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
  setenv("CORVANE_TEST_DATA", CORVANE_TEST_DATA_DIR, 0);
  setenv("CORVANE_SOURCE_DIR", CORVANE_SOURCE_DIR_PATH, 0);
  setenv("CORVANE_BINARY_DIR", CORVANE_BINARY_DIR_PATH, 0);
  const std::string desktop = PrivateDesktopFolders();
  if (desktop.empty()) return 1;
  PrivatePrintService(desktop);
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  EndDescendants(desktop);
  std::error_code ignored;
  std::filesystem::remove_all(desktop, ignored);
  return result;
}
