#include "vcl/Application.h"

#include <gtest/gtest.h>

#include <QTimer>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "common/TestApp.h"
#include "common/TestFiles.h"
#include "win/Shell.h"
#include "win/WinUser.h"

namespace {

namespace fs = std::filesystem;

// The descriptors open in this process now.
std::set<std::string> OpenDescriptors() {
  std::set<std::string> open;
  for (const auto& entry : fs::directory_iterator("/proc/self/fd")) open.insert(entry.path().filename().string());
  return open;
}

// The pipes that a listing of /proc/self/fd shows, other than the ones named (the standard three and
// what this test got from whoever started it).
std::vector<std::string> InheritedPipes(const std::string& listing, const std::set<std::string>& others) {
  std::vector<std::string> pipes;
  std::istringstream lines(listing);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t arrow = line.find(" -> ");
    if (arrow == std::string::npos || line.find("pipe:", arrow) == std::string::npos) continue;
    const std::size_t start = line.rfind(' ', arrow - 1) + 1;
    const std::string fd = line.substr(start, arrow - start);
    if (!others.contains(fd)) pipes.push_back(line);
  }
  return pipes;
}

TEST(ApplicationTest, AProgramStartedWhileTheLoopRunsInheritsNoPipeOfTheApplication) {
  corvane::test::EnsureApplication();
  const std::string dir = corvane::test::MakeTempDir("corvane-descriptors");
  const std::string listing = dir + "/fds";
  QTimer::singleShot(0, [&] {
    ShellExecute(nullptr, "open", "/bin/sh",
                 "-c \"ls -l /proc/self/fd > '" + listing + ".part'; mv '" + listing + ".part' '" + listing + "'\"",
                 "", SW_SHOWNORMAL);
  });
  const std::set<std::string> before = OpenDescriptors();
  QTimer poll;
  poll.callOnTimeout([&] {
    if (fs::exists(listing)) Application->Terminate();
  });
  poll.start(20);
  QTimer::singleShot(10000, [] { Application->Terminate(); });
  Application->Run();  // the loop that watches for the end of the session
  ASSERT_TRUE(fs::exists(listing)) << "the program did not start";
  EXPECT_EQ(InheritedPipes(corvane::test::ReadFile(listing), before), std::vector<std::string>{});
  fs::remove_all(dir);
}

}  // namespace
