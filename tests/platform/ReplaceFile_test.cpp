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
#include <set>
#include <map>
#include <string>

#include "common/FileSizeLimit.h"
#include "common/HalfWaySave.h"
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
    // The private temporary folders and state folders of this process and of the ordinary user's.
    runtime_ = dir_ + "/runtime";
    userRuntime_ = dir_ + "/user-runtime";
    state_ = dir_ + "/state";
    userState_ = dir_ + "/user-state";
    for (const std::string& folder : {runtime_, userRuntime_, state_, userState_}) {
      fs::create_directories(folder);
      fs::permissions(folder, fs::perms(0700));
    }
    GiveToOrdinaryUser(userRuntime_);
    GiveToOrdinaryUser(userState_);
    for (const char* variable : {"XDG_RUNTIME_DIR", "XDG_STATE_HOME"})
      if (const char* before = std::getenv(variable)) before_[variable] = before;
    setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
    setenv("XDG_STATE_HOME", state_.c_str(), 1);
  }
  void TearDown() override {
    for (const char* variable : {"XDG_RUNTIME_DIR", "XDG_STATE_HOME"})
      if (before_.count(variable))
        setenv(variable, before_[variable].c_str(), 1);
      else
        unsetenv(variable);
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
  // Files the save may leave behind: temporaries beside the file, copies and records in the private
  // and state folders.
  std::vector<std::string> Leftovers(const std::string& folder) const {
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
      if (entry.is_regular_file() && entry.path().filename().string().front() == '.') found.push_back(entry.path());
    for (const std::string& kept : {runtime_, userRuntime_, state_, userState_})
      for (const auto& entry : fs::recursive_directory_iterator(kept))
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
      setenv("XDG_STATE_HOME", userState_.c_str(), 1);
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
  std::string state_;
  std::string userState_;
  std::map<std::string, std::string> before_;
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

// The temporary file of a save that was killed is removed by the next save; the one of a save still
// running in another process stays, and so does every other file, whatever its name looks like.
TEST_F(ReplaceFileTest, TheNextSaveRemovesOnlyWhatAKilledSaveLeft) {
  const std::string name = Path("script.pl");
  WriteFile(name, "old\n");
  const char* others[] = {".script.pl.backup", ".script.pl.old123", ".script.pl.a1B2c3", ".script.pl.corvane-a1B2c3"};
  for (const char* other : others) WriteFile(Path(other), "the user's");
  const auto temporaries = [&] {
    std::set<std::string> found;
    for (const auto& entry : fs::directory_iterator(dir_))
      if (entry.path().filename().string().rfind(".script.pl.corvane-", 0) == 0) found.insert(entry.path());
    found.erase(Path(".script.pl.corvane-a1B2c3"));
    return found;
  };
  const std::string text(300000, 'n');
  {
    corvane::test::HalfWaySave killed(name, text, 100000);
    ASSERT_TRUE(killed.Started());
    ASSERT_TRUE(killed.Kill());
  }
  const std::set<std::string> left = temporaries();
  ASSERT_EQ(left.size(), 1u) << "the killed save left no temporary file";
  corvane::test::HalfWaySave running(name, "running\n", 3);
  ASSERT_TRUE(running.Started());
  const std::set<std::string> withRunning = temporaries();
  Save(name, "new\n");
  EXPECT_EQ(ReadFile(name), "new\n");
  std::set<std::string> expected = withRunning;
  for (const std::string& path : left) expected.erase(path);
  EXPECT_EQ(temporaries(), expected) << "the running save's file went, or the killed one's stayed";
  for (const char* other : others) EXPECT_EQ(ReadFile(Path(other)), "the user's") << other;
  ASSERT_TRUE(running.Finish());
  EXPECT_EQ(ReadFile(name), "running\n");
  EXPECT_TRUE(temporaries().empty());
}

// A file written in place (here: one with another hard link) whose save is killed half way is half
// written; its old bytes wait in the user's state folder, under a record that names the file, until
// the user puts them back or lets them be.
TEST_F(ReplaceFileTest, AFileWrittenInPlaceAndKilledHalfWayCanBePutBack) {
  const std::string name = Path("linked.pl");
  const std::string old(1000000, 'o');
  const std::string text(1000000, 'n');
  WriteFile(name, old);
  fs::create_hard_link(name, Path("other-name.pl"));
  WriteFile(Path("unrelated.pl"), "x");
  const auto killHalfWay = [&] {
    corvane::test::HalfWaySave save(name, text, 500000);
    ASSERT_TRUE(save.Started());
    ASSERT_TRUE(save.Kill());
    ASSERT_EQ(ReadFile(name), text.substr(0, 500000) + old.substr(500000));
  };
  killHalfWay();
  EXPECT_TRUE(FindCutShortSaves(Path("unrelated.pl")).empty());
  for (const std::string& asked : {name, Path("other-name.pl"), std::string()}) {
    SCOPED_TRACE(asked);
    const std::vector<TCutShortSave> found = FindCutShortSaves(asked);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].FileName, name);
    EXPECT_EQ(found[0].OldCopy.rfind(state_ + "/Corvane/linked.pl.", 0), 0u) << found[0].OldCopy;
    EXPECT_EQ(ReadFile(found[0].OldCopy), old);
  }
  Save(Path("unrelated.pl"), "y");  // a save of another file lets the copy be
  ASSERT_EQ(FindCutShortSaves(name).size(), 1u);
  RestoreCutShortSave(FindCutShortSaves(name).at(0));
  EXPECT_EQ(ReadFile(Path("other-name.pl")), old);
  EXPECT_EQ(StatOf(name).st_nlink, 2u);
  EXPECT_TRUE(FindCutShortSaves("").empty());
  EXPECT_TRUE(Leftovers(dir_).empty());

  killHalfWay();
  const std::string copy = FindCutShortSaves(name).at(0).OldCopy;
  ForgetCutShortSave(FindCutShortSaves(name).at(0));
  EXPECT_TRUE(FindCutShortSaves("").empty());
  EXPECT_EQ(ReadFile(copy), old) << "the copy the user was told of went";
}

}  // namespace
