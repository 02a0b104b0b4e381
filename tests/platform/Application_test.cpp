#include "vcl/Application.h"

#include <gtest/gtest.h>

#include <QTimer>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "common/TestApp.h"
#include "common/TempRegistry.h"
#include "common/TestFiles.h"
#include "vcl/Classes.h"
#include "win/Registry.h"
#include "win/ReplaceFile.h"
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

// Whether this process holds a descriptor on the file.
bool HoldsOpen(const std::string& file) {
  const fs::path wanted = fs::canonical(file);
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator("/proc/self/fd"))
    if (fs::read_symlink(entry.path(), ignored) == wanted) return true;
  return false;
}

// What this process had open before it used the layer: the standard three and whatever it got from
// whoever started it.
const std::set<std::string> kDescriptorsAtStart = OpenDescriptors();

// The descriptors above 2 that a listing of /proc/self/fd (ls -l) shows other than the ones named,
// leaving out the lister's own handle on the folder it lists.
std::vector<std::string> InheritedDescriptors(const std::string& listing, const std::set<std::string>& others) {
  std::vector<std::string> inherited;
  std::istringstream lines(listing);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t arrow = line.find(" -> ");
    if (arrow == std::string::npos) continue;
    const std::size_t start = line.rfind(' ', arrow - 1) + 1;
    const std::string fd = line.substr(start, arrow - start);
    const std::string target = line.substr(arrow + 4);
    const bool lister = target.starts_with("/proc/") && target.ends_with("/fd");
    if (fd != "0" && fd != "1" && fd != "2" && !lister && !others.contains(fd)) inherited.push_back(line);
  }
  return inherited;
}

// Starts a program that writes the list of its descriptors to `listing`.
void StartLister(const std::string& listing) {
  ShellExecute(nullptr, "open", "/bin/sh",
               "-c \"ls -l /proc/self/fd > '" + listing + ".part'; mv '" + listing + ".part' '" + listing + "'\"", "",
               SW_SHOWNORMAL);
}

// The program is started from inside the loop (its terminate pipe is open), with the settings store's
// database open, and from inside a save, once with the new file beside the old one and once written in
// place with the old bytes kept aside: none of those may reach it.
TEST(ApplicationTest, AProgramStartedWhileTheLoopRunsInheritsNoDescriptorOfTheLayer) {
  corvane::test::EnsureApplication();
  corvane::test::TempRegistry registry;
  const std::string dir = corvane::test::MakeTempDir("corvane-descriptors");
  const std::string replaced = dir + "/replaced.pl";
  const std::string inPlace = dir + "/in-place.pl";
  corvane::test::WriteFile(replaced, "old\n");
  corvane::test::WriteFile(inPlace, "old\n");
  fs::create_hard_link(inPlace, dir + "/other-name.pl");  // so that the save writes it where it is
  const std::vector<std::string> listings = {dir + "/fds-replacing", dir + "/fds-in-place"};
  QTimer::singleShot(0, [&] {
    HKEY key{};
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Ombrix\\Descriptors", 0, nullptr, REG_OPTION_NON_VOLATILE,
                             KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const DWORD one = 1;
    EXPECT_EQ(RegSetValueEx(key, "Touched", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_TRUE(HoldsOpen(registry.File())) << "the store's database is not open";
    for (size_t i = 0; i < 2; ++i)
      WriteFileReplacing(i == 0 ? replaced : inPlace, [&](TStream& stream) {
        StartLister(listings[i]);
        stream.WriteBuffer("new\n", 4);
      });
  });
  QTimer poll;
  poll.callOnTimeout([&] {
    if (fs::exists(listings[0]) && fs::exists(listings[1])) Application->Terminate();
  });
  poll.start(20);
  QTimer::singleShot(10000, [] { Application->Terminate(); });
  Application->Run();  // the loop that watches for the end of the session
  EXPECT_EQ(corvane::test::ReadFile(dir + "/other-name.pl"), "new\n");
  for (const std::string& listing : listings) {
    SCOPED_TRACE(listing);
    ASSERT_TRUE(fs::exists(listing)) << "the program did not start";
    EXPECT_EQ(InheritedDescriptors(corvane::test::ReadFile(listing), kDescriptorsAtStart), std::vector<std::string>{});
  }
  fs::remove_all(dir);
}

}  // namespace
