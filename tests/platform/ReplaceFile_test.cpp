#include "win/ReplaceFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "common/FileSizeLimit.h"
#include "common/TestApp.h"
#include "common/TestFiles.h"
#include "vcl/Classes.h"

namespace fs = std::filesystem;
using corvane::test::ReadFile;
using corvane::test::WriteFile;

namespace {

constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;

void Save(const std::string& name, const std::string& text) {
  WriteFileReplacing(name, [&](TStream& stream) { stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size())); });
}

struct stat StatOf(const std::string& name) {
  struct stat info {};
  EXPECT_EQ(::stat(name.c_str(), &info), 0) << name;
  return info;
}

// Runs a save with its output size limited, as a full disk limits it.
void SaveWithSizeLimit(const std::string& name, const std::string& text, rlim_t limit) {
  const corvane::test::FileSizeLimit full(limit);
  try {
    Save(name, text);
    ADD_FAILURE() << "the save went through";
  } catch (const EWriteError& e) {
    EXPECT_NE(e.Message.find("File too large"), std::string::npos) << e.Message;
  }
}

class ReplaceFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = corvane::test::MakeTempDir("replace");
    fs::permissions(dir_, fs::perms(0755));
    // The private temporary folders of this process and of the ordinary user's.
    runtime_ = dir_ + "/runtime";
    userRuntime_ = dir_ + "/user-runtime";
    for (const std::string& folder : {runtime_, userRuntime_}) {
      fs::create_directories(folder);
      fs::permissions(folder, fs::perms(0700));
    }
    GiveToOrdinaryUser(userRuntime_);
    if (const char* before = std::getenv("XDG_RUNTIME_DIR")) runtimeBefore_ = before;
    setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
  }
  void TearDown() override {
    if (runtimeBefore_)
      setenv("XDG_RUNTIME_DIR", runtimeBefore_->c_str(), 1);
    else
      unsetenv("XDG_RUNTIME_DIR");
    for (const auto& entry : fs::recursive_directory_iterator(dir_))
      if (entry.is_directory() && !entry.is_symlink()) fs::permissions(entry.path(), fs::perms(0755));
    fs::remove_all(dir_);
  }

  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  static bool IsRoot() { return geteuid() == 0; }
  static void GiveToOrdinaryUser(const std::string& path) {
    if (IsRoot()) {
      ASSERT_EQ(::chown(path.c_str(), kNobody, kNoGroup), 0);
    }
  }
  // Files the save may leave behind: temporaries beside the file and copies in the private folder.
  std::vector<std::string> Leftovers(const std::string& folder) const {
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
      if (entry.is_regular_file() && entry.path().filename().string().front() == '.') found.push_back(entry.path());
    for (const std::string& runtime : {runtime_, userRuntime_})
      for (const auto& entry : fs::recursive_directory_iterator(runtime))
        if (entry.is_regular_file()) found.push_back(entry.path());
    return found;
  }

  // Runs the check as an ordinary user, who is refused where root is let through: as root, in a child
  // process that has become "nobody". Its private temporary folder is the test's.
  void AsOrdinaryUser(const std::function<void()>& check) {
    if (!IsRoot()) {
      check();
      return;
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      if (setgroups(0, nullptr) != 0 || setgid(kNoGroup) != 0 || setuid(kNobody) != 0) _exit(3);
      setenv("XDG_RUNTIME_DIR", userRuntime_.c_str(), 1);
      int code = 0;
      try {
        check();
      } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        code = 2;
      }
      _exit(::testing::Test::HasFailure() ? 1 : code);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the check as an ordinary user failed";
  }

  std::string dir_;
  std::string runtime_;
  std::string userRuntime_;
  std::optional<std::string> runtimeBefore_;
};

TEST_F(ReplaceFileTest, AFileKeepsItsModeOwnerGroupAndHardLinks) {
  const std::string name = Path("kept.pl");
  WriteFile(name, "old\n");
  fs::permissions(name, fs::perms(0640));
  GiveToOrdinaryUser(name);
  Save(name, "new\n");
  EXPECT_EQ(ReadFile(name), "new\n");
  const struct stat info = StatOf(name);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  if (IsRoot()) {
    EXPECT_EQ(info.st_uid, kNobody);
    EXPECT_EQ(info.st_gid, kNoGroup);
  }

  // A file with another hard link is written where it is: both names see the new text.
  fs::create_hard_link(name, Path("other-name.pl"));
  Save(name, "newer\n");
  EXPECT_EQ(ReadFile(Path("other-name.pl")), "newer\n");
  EXPECT_EQ(StatOf(name).st_ino, StatOf(Path("other-name.pl")).st_ino);
  EXPECT_EQ(StatOf(name).st_nlink, 2u);
  EXPECT_TRUE(Leftovers(dir_).empty());

  // And a write that fails half way there puts the old bytes back.
  SaveWithSizeLimit(name, std::string(100000, 'x'), 1000);
  EXPECT_EQ(ReadFile(Path("other-name.pl")), "newer\n");
  EXPECT_TRUE(Leftovers(dir_).empty());
}

TEST_F(ReplaceFileTest, SymbolicLinksAreSavedThroughEvenToATargetNotThereYet) {
  fs::create_directories(Path("real"));
  fs::create_symlink("real/target.pl", Path("dangling.pl"));
  fs::create_symlink("dangling.pl", Path("chain.pl"));
  Save(Path("chain.pl"), "through\n");
  EXPECT_TRUE(fs::is_symlink(Path("chain.pl")));
  EXPECT_TRUE(fs::is_symlink(Path("dangling.pl")));
  EXPECT_EQ(ReadFile(Path("real/target.pl")), "through\n");
}

TEST_F(ReplaceFileTest, AFileWithoutWritePermissionIsRefusedAndLeftAlone) {
  const std::string name = Path("readonly.pl");
  WriteFile(name, "old\n");
  fs::permissions(name, fs::perms(0444));
  try {
    Save(name, "new\n");
    FAIL() << "a read-only file was replaced";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message, "Cannot create file \"" + name + "\". Permission denied");
  }
  EXPECT_EQ(ReadFile(name), "old\n");
  EXPECT_EQ(StatOf(name).st_mode & 07777, 0444u);
}

// The folder that takes the new name is flushed after the rename, so that a power cut cannot bring the
// old file back: an existing file, a new one, and one behind a link, whose target's folder is flushed.
TEST_F(ReplaceFileTest, TheFolderIsFlushedOnceTheNewFileHasTakenItsName) {
  fs::create_directories(Path("real"));
  WriteFile(Path("real/old.pl"), "old\n");
  fs::create_symlink("real/linked.pl", Path("link.pl"));
  struct Case {
    std::string saved, file;
  };
  for (const Case& c : {Case{"real/old.pl", "real/old.pl"}, Case{"real/fresh.pl", "real/fresh.pl"}, Case{"link.pl", "real/linked.pl"}}) {
    SCOPED_TRACE(c.saved);
    std::vector<std::string> flushed;
    SetFolderSyncWatch([&](const std::string& folder) {
      flushed.push_back(folder);
      EXPECT_EQ(ReadFile(Path(c.file)), "new\n") << "the folder was flushed before the new file had its name";
      EXPECT_TRUE(Leftovers(Path("real")).empty());
    });
    struct Restore {
      ~Restore() { SetFolderSyncWatch(nullptr); }
    } restore;
    Save(Path(c.saved), "new\n");
    ASSERT_EQ(flushed.size(), 1u) << "the folder was not flushed once";
    EXPECT_TRUE(fs::equivalent(flushed.front(), Path("real")));
  }
}

// A folder that takes no new file (a server's cgi-bin) with a file in it that may be written.
TEST_F(ReplaceFileTest, AFolderThatRefusesNewFilesGetsTheFileWrittenInPlace) {
  fs::create_directories(Path("cgi-bin"));
  const std::string name = Path("cgi-bin/form.cgi");
  WriteFile(name, "old\n");
  fs::permissions(name, fs::perms(0755));
  GiveToOrdinaryUser(name);
  fs::permissions(Path("cgi-bin"), fs::perms(0555));
  AsOrdinaryUser([&] {
    Save(name, "new\n");
    EXPECT_EQ(ReadFile(name), "new\n");
    SaveWithSizeLimit(name, std::string(100000, 'x'), 1000);
    EXPECT_EQ(ReadFile(name), "new\n");
    EXPECT_THROW(Save(Path("cgi-bin/fresh.cgi"), "x"), EFCreateError);
  });
  EXPECT_EQ(StatOf(name).st_mode & 07777, 0755u);
  EXPECT_TRUE(Leftovers(Path("cgi-bin")).empty());
}

// Temporary files of a save that was killed are removed by the next save of the file; one that a save
// in progress holds stays, and so do other files.
TEST_F(ReplaceFileTest, TheNextSaveRemovesWhatAKilledSaveLeft) {
  const std::string name = Path("script.pl");
  WriteFile(name, "old\n");
  const std::string killed = Path(".script.pl.a1B2c3");
  const std::string busy = Path(".script.pl.busy00");
  WriteFile(killed, std::string(100000, 'k'));
  WriteFile(busy, "in progress");
  for (const char* other : {".script.pl.longer1", ".other.pl.a1B2c3", "script.pl.a1B2c3"}) WriteFile(Path(other), "x");
  const int holder = ::open(busy.c_str(), O_RDONLY);
  ASSERT_EQ(flock(holder, LOCK_EX), 0);
  Save(name, "new\n");
  ::close(holder);
  EXPECT_FALSE(fs::exists(killed));
  EXPECT_TRUE(fs::exists(busy));
  for (const char* other : {".script.pl.longer1", ".other.pl.a1B2c3", "script.pl.a1B2c3"}) EXPECT_TRUE(fs::exists(Path(other))) << other;
  EXPECT_EQ(ReadFile(name), "new\n");
}

}  // namespace
