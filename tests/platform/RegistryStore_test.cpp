#include "win/RegistryStore.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>


#include <string>
#include <vector>

#include "common/SettingsLock.h"
#include "common/TempRegistry.h"
#include "common/TestFiles.h"
#include "common/Unprivileged.h"
#include "win/Registry.h"

namespace {

namespace fs = std::filesystem;
using corvane::test::TempRegistry;

std::string ReadString(HKEY root, const std::string& key, const std::string& name) {
  HKEY opened{};
  if (RegOpenKeyEx(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return "<no key>";
  DWORD type = 0;
  std::string data;
  const LONG status = RegQueryValueData(opened, name, type, data);
  RegCloseKey(opened);
  return status == ERROR_SUCCESS ? data : "<no value>";
}

LONG WriteString(HKEY root, const std::string& key, const std::string& name, const std::string& value) {
  HKEY created{};
  if (const LONG status = RegCreateKeyEx(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr);
      status != ERROR_SUCCESS)
    return status;
  const LONG status = RegSetValueEx(created, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.data()),
                                    static_cast<DWORD>(value.size()));
  RegCloseKey(created);
  return status;
}

// What the store tells the user while the recorder lives.
class NoticeRecorder {
 public:
  NoticeRecorder() {
    RegistryStore::Instance().SetNoticeHandler([this](const std::string& text) { notices.push_back(text); });
  }
  ~NoticeRecorder() { RegistryStore::Instance().SetNoticeHandler(nullptr); }
  NoticeRecorder(const NoticeRecorder&) = delete;
  NoticeRecorder& operator=(const NoticeRecorder&) = delete;

  std::vector<std::string> notices;
};

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(RegistryStoreTest, KeyNamesIgnoreCaseAndKeepTheCaseTheyWereMadeWith) {
  TempRegistry registry;
  ASSERT_EQ(WriteString(HKEY_CURRENT_USER, "Software\\Ombrix\\Tarnwick", "Toolbar", "x"), ERROR_SUCCESS);
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, "SOFTWARE\\ombrix\\TARNWICK", "TOOLBAR"), "x");
  HKEY key{};
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "software\\OMBRIX\\tarnwick", 0, KEY_READ, &key), ERROR_SUCCESS);
  std::string path;
  EXPECT_EQ(RegKeyPath(key, path), ERROR_SUCCESS);
  EXPECT_EQ(path, "Software\\Ombrix\\Tarnwick");
  RegCloseKey(key);
  // Each hive is a tree of its own.
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, "Software\\Ombrix\\Tarnwick", "Toolbar"), "<no key>");
}

TEST(RegistryStoreTest, TheStoreAndItsJournalAreTheUsersAlone) {
  TempRegistry registry;
  ASSERT_EQ(WriteString(HKEY_CURRENT_USER, "Software", "v", "1"), ERROR_SUCCESS);
  for (const std::string suffix : {"", "-wal", "-shm"}) {
    const auto permissions = fs::status(registry.File() + suffix).permissions() & fs::perms::all;
    EXPECT_EQ(permissions, fs::perms::owner_read | fs::perms::owner_write) << suffix;
  }
}

TEST(RegistryStoreTest, ValuesKeepTheirKindAndBytes) {
  TempRegistry registry;
  HKEY key{};
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Kinds", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const std::string binary("\0\x01\xff", 3);
  const DWORD number = 0xFFFFFFFEu;
  ASSERT_EQ(RegSetValueEx(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>("default"), 8), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueEx(key, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueEx(key, "Blob", 0, REG_BINARY, reinterpret_cast<const BYTE*>(binary.data()), 3), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueEx(key, "Empty", 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);

  struct Case {
    const char* name;
    DWORD type;
    std::string data;
  };
  const Case cases[] = {
      {"", REG_SZ, std::string("default\0", 8)},
      {"number", REG_DWORD, std::string(reinterpret_cast<const char*>(&number), 4)},
      {"BLOB", REG_BINARY, binary},
      {"Empty", REG_BINARY, ""},
  };
  for (const Case& c : cases) {
    DWORD type = 0;
    std::string data;
    ASSERT_EQ(RegQueryValueData(key, c.name, type, data), ERROR_SUCCESS) << c.name;
    EXPECT_EQ(type, c.type) << c.name;
    EXPECT_EQ(data, c.data) << c.name;
  }
  // The Windows-shaped query: size first, then a buffer that is too small, then the bytes.
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueEx(key, "Blob", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 3u);
  BYTE small[2];
  size = 2;
  EXPECT_EQ(RegQueryValueEx(key, "Blob", nullptr, nullptr, small, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 3u);
  RegCloseKey(key);
}

TEST(RegistryStoreTest, HandlesAndRightsAreChecked) {
  TempRegistry registry;
  ASSERT_EQ(WriteString(HKEY_CURRENT_USER, "A\\B", "v", "1"), ERROR_SUCCESS);
  HKEY readOnly{};
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "A", 0, KEY_READ, &readOnly), ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueEx(readOnly, "v", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 1), ERROR_ACCESS_DENIED);
  HKEY child{};
  EXPECT_EQ(RegCreateKeyEx(readOnly, "C", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegCloseKey(readOnly), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(readOnly), ERROR_INVALID_HANDLE);
  DWORD type = 0;
  std::string data;
  EXPECT_EQ(RegQueryValueData(readOnly, "v", type, data), ERROR_INVALID_HANDLE);
}

TEST(RegistryStoreTest, DeletingAKeyWithSubkeysNeedsTheTreeDelete) {
  TempRegistry registry;
  ASSERT_EQ(WriteString(HKEY_CURRENT_USER, "Top\\Middle\\Leaf", "v", "1"), ERROR_SUCCESS);
  HKEY leaf{};
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Top\\Middle\\Leaf", 0, KEY_ALL_ACCESS, &leaf), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "Top"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteTree(HKEY_CURRENT_USER, "TOP"), ERROR_SUCCESS);
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, "Top\\Middle\\Leaf", "v"), "<no key>");
  // A handle to a key that went refuses writes instead of bringing it back.
  EXPECT_EQ(RegSetValueEx(leaf, "v", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 1), ERROR_KEY_DELETED);
  RegCloseKey(leaf);
  EXPECT_EQ(RegDeleteTree(HKEY_CURRENT_USER, "Top"), ERROR_FILE_NOT_FOUND);
}

TEST(RegistryStoreTest, EnumeratesSubkeysAndValuesInNameOrder) {
  TempRegistry registry;
  for (const char* name : {"b", "A", "c"})
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, std::string("E\\") + name, "", ""), 0);
  for (const char* name : {"y", "X"}) ASSERT_EQ(WriteString(HKEY_CURRENT_USER, "E", name, "1"), 0);
  HKEY key{};
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "E", 0, KEY_READ, &key), ERROR_SUCCESS);
  char name[16];
  std::string keys;
  for (DWORD i = 0; RegEnumKey(key, i, name, sizeof name) == ERROR_SUCCESS; ++i) keys += name;
  EXPECT_EQ(keys, "Abc");
  std::vector<std::string> values;
  EXPECT_EQ(RegValueNames(key, values), ERROR_SUCCESS);
  EXPECT_EQ(values, (std::vector<std::string>{"X", "y"}));
  DWORD subKeys = 0, valueCount = 0, longest = 0;
  EXPECT_EQ(RegQueryInfoKey(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &valueCount, nullptr, &longest,
                            nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(subKeys, 3u);
  EXPECT_EQ(valueCount, 2u);
  EXPECT_EQ(longest, 1u);
  RegCloseKey(key);
}

// Damaged stores are moved aside, never deleted, and a new store takes their place. Each way of
// damaging says false when this machine cannot make that damage.
TEST(RegistryStoreTest, ADamagedStoreIsMovedAsideAndANewOneStarted) {
  struct Case {
    const char* what;
    bool (*damage)(const std::string& file);
  };
  const Case cases[] = {
      {"not a database",
       [](const std::string& file) {
         std::ofstream(file, std::ios::binary) << std::string(8192, 'x');
         return true;
       }},
      // SQLite takes a file of one byte for an empty database and would write over it.
      {"one byte",
       [](const std::string& file) {
         std::ofstream(file, std::ios::binary) << "\n";
         return true;
       }},
      {"damaged pages",
       [](const std::string& file) {
         for (int i = 0; i < 50; ++i)
           if (WriteString(HKEY_CURRENT_USER, "Software\\Kept" + std::to_string(i), "v", std::string(500, 'v')) != 0)
             return false;
         RegistryStore::Instance().SetPath(file + ".elsewhere");  // closes the database
         std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
         f.seekp(4096);
         f << std::string(8192, '\x5a');
         return true;
       }},
      {"a schema of an unknown format",
       [](const std::string& file) {
         if (WriteString(HKEY_CURRENT_USER, "Software\\Kept0", "v", "stored") != 0) return false;
         RegistryStore::Instance().SetPath(file + ".elsewhere");  // closes the database
         std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
         f.seekp(44);  // the schema format number
         f << std::string("\0\0\0\x09", 4);
         return true;
       }},
      {"another program's database",
       [](const std::string& file) {
         const std::string make = "sqlite3 '" + file + "' 'CREATE TABLE notes(x);' 2>/dev/null";
         return std::system(make.c_str()) == 0;
       }},
  };
  for (const Case& c : cases) {
    TempRegistry registry;
    if (!c.damage(registry.File())) continue;
    RegistryStore::Instance().SetPath(registry.File());
    NoticeRecorder recorder;
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, "Software\\Kept0", "v"), "<no key>") << c.what;
    EXPECT_EQ(WriteString(HKEY_CURRENT_USER, "Software\\New", "v", "1"), ERROR_SUCCESS) << c.what;
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, "Software\\New", "v"), "1") << c.what;
    EXPECT_EQ(RegistryStore::Instance().IntegrityCheck(), "ok") << c.what;
    std::vector<std::string> movedAside;
    for (const auto& entry : fs::directory_iterator(registry.Folder()))
      if (entry.path().filename().string().starts_with("registry.sqlite3.damaged-"))
        movedAside.push_back(entry.path().string());
    ASSERT_EQ(movedAside.size(), 1u) << c.what;
    // The user learns once where the damaged copy lies.
    ASSERT_EQ(recorder.notices.size(), 1u) << c.what;
    EXPECT_TRUE(Contains(recorder.notices[0], "\"" + movedAside[0] + "\"")) << recorder.notices[0];
  }
}

TEST(RegistryStoreTest, AStoreThatCannotBeOpenedKeepsTheSessionsSettingsAndSaysSoOnce) {
  TempRegistry registry;
  const std::string blocker = registry.Folder() + "/file";
  std::ofstream(blocker) << "a file where a folder should be";
  RegistryStore::Instance().SetPath(blocker + "/registry.sqlite3");
  NoticeRecorder recorder;
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, "Software", "v"), "<no key>");
  EXPECT_EQ(WriteString(HKEY_CURRENT_USER, "Software", "v", "1"), ERROR_SUCCESS);
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, "Software", "v"), "1");
  ASSERT_EQ(recorder.notices.size(), 1u);
  EXPECT_TRUE(Contains(recorder.notices[0], blocker + "/registry.sqlite3\" cannot be written (Not a directory)"))
      << recorder.notices[0];
}

TEST(RegistryStoreTest, AStoreThatCannotBeWrittenKeepsItsFileAndSaysOnceWhy) {
  struct Case {
    const char* what;
    fs::perms file;
    fs::perms folder;
    std::string reason;
  };
  const auto readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  const auto readWrite = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                         fs::perms::group_write | fs::perms::others_read | fs::perms::others_write;
  const auto open = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                    fs::perms::others_exec;
  const auto closed = readOnly | fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
  const Case cases[] = {
      {"a read-only file", readOnly, open, "(Permission denied)"},
      {"a writable file in a read-only folder", readWrite, closed,
       "(its folder takes no new files: Permission denied)"},
  };
  for (const Case& c : cases) {
    TempRegistry registry;
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, "Software\\Kept", "v", "stored"), ERROR_SUCCESS);
    RegistryStore::Instance().SetPath(registry.File());  // closed, its journal folded into the file
    fs::permissions(registry.File(), c.file);
    fs::permissions(registry.Folder(), c.folder);
    const std::string before = corvane::test::ReadFile(registry.File());
    NoticeRecorder recorder;
    {
      corvane::test::AsUnprivilegedUser user;
      EXPECT_EQ(ReadString(HKEY_CURRENT_USER, "Software\\Kept", "v"), "stored") << c.what;
      // Writes land, to a key that did not exist as well, and last for the session.
      EXPECT_EQ(WriteString(HKEY_CURRENT_USER, "Software\\New\\Key", "v", "1"), ERROR_SUCCESS) << c.what;
      EXPECT_EQ(WriteString(HKEY_CURRENT_USER, "Software\\Kept", "v", "changed"), ERROR_SUCCESS) << c.what;
      EXPECT_EQ(ReadString(HKEY_CURRENT_USER, "Software\\New\\Key", "v"), "1") << c.what;
      EXPECT_EQ(ReadString(HKEY_CURRENT_USER, "Software\\Kept", "v"), "changed") << c.what;
    }
    fs::permissions(registry.Folder(), fs::perms::owner_all);
    EXPECT_EQ(corvane::test::ReadFile(registry.File()), before) << c.what;
    EXPECT_EQ(std::distance(fs::directory_iterator(registry.Folder()), fs::directory_iterator()), 1) << c.what;
    ASSERT_EQ(recorder.notices.size(), 1u) << c.what;
    EXPECT_TRUE(Contains(recorder.notices[0], "\"" + registry.File() + "\" cannot be written " + c.reason))
        << recorder.notices[0];
  }
}

TEST(RegistryStoreTest, AStoreLockedByAnotherProgramGivesTheDefaultsForTheSessionAfterOneWait) {
  TempRegistry registry;
  ASSERT_EQ(WriteString(HKEY_CURRENT_USER, "Software\\Kept", "v", "stored"), ERROR_SUCCESS);
  RegistryStore::Instance().SetPath(registry.File());  // closed: the other program takes the file
  corvane::test::TSettingsLock holder(registry.File(), true);
  ASSERT_TRUE(holder.Held()) << holder.Errors();

  RegistryStore::Instance().SetBusyTimeout(300);
  NoticeRecorder recorder;
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, "Software\\Kept", "v"), "<no key>");
  EXPECT_EQ(WriteString(HKEY_CURRENT_USER, "Software\\New", "v", "1"), ERROR_SUCCESS);
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, "Software\\New", "v"), "1");
  ASSERT_TRUE(holder.Release());
  // The file is not tried again in this session, so no later operation waits for it.
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, "Software\\Kept", "v"), "<no key>");
  RegistryStore::Instance().SetBusyTimeout(15000);
  ASSERT_EQ(recorder.notices.size(), 1u);
  EXPECT_TRUE(Contains(recorder.notices[0], "\"" + registry.File() + "\" is locked by another program"))
      << recorder.notices[0];
}

// Locked once the store is open: keys opened before keep working on the session's copy, which holds the
// settings as they were.
TEST(RegistryStoreTest, AStoreLockedDuringTheSessionGoesOnWithItsSettingsAsTheyAre) {
  TempRegistry registry;
  ASSERT_EQ(WriteString(HKEY_CURRENT_USER, "Software\\Kept", "v", "stored"), ERROR_SUCCESS);
  HKEY held{};
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Kept", 0, KEY_ALL_ACCESS, &held), ERROR_SUCCESS);
  corvane::test::TSettingsLock holder(registry.File());
  ASSERT_TRUE(holder.Held()) << holder.Errors();

  NoticeRecorder recorder;
  const std::string changed = "changed";
  EXPECT_EQ(RegSetValueEx(held, "v", 0, REG_SZ, reinterpret_cast<const BYTE*>(changed.data()),
                          static_cast<DWORD>(changed.size())),
            ERROR_SUCCESS);
  EXPECT_EQ(WriteString(HKEY_CURRENT_USER, "Software\\New", "v", "1"), ERROR_SUCCESS);
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, "Software\\Kept", "v"), "changed");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, "Software\\New", "v"), "1");
  RegCloseKey(held);
  ASSERT_TRUE(holder.Release());
  ASSERT_EQ(recorder.notices.size(), 1u);
  EXPECT_TRUE(Contains(recorder.notices[0], "\"" + registry.File() + "\" has been locked by another program"))
      << recorder.notices[0];
  // The file kept what it had: the session's changes were never its.
  RegistryStore::Instance().SetPath(registry.File());
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, "Software\\Kept", "v"), "stored");
}

// Several processes write their own values and one shared value many times at once; afterwards
// every last write is there and the store checks clean.
constexpr int kWriters = 6;
constexpr int kRounds = 200;

TEST(RegistryConcurrencyChild, Writer) {
  const char* id = std::getenv("CORVANE_REGISTRY_WRITER");
  if (!id) GTEST_SKIP() << "started by RegistryStoreTest.ProcessesWritingAtOnceLoseNothing";
  const std::string own = std::string("Software\\Writer") + id;
  for (int round = 0; round < kRounds; ++round) {
    const std::string value = std::to_string(round);
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, own, "Round", value), ERROR_SUCCESS);
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, own + "\\Values", "V" + value, value), ERROR_SUCCESS);
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, "Software\\Shared", "Last", std::string(id) + ":" + value), ERROR_SUCCESS);
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, "Software\\Shared", std::string("Writer") + id, value), ERROR_SUCCESS);
    ASSERT_EQ(ReadString(HKEY_CURRENT_USER, own, "Round"), value);
  }
}

TEST(RegistryStoreTest, ProcessesWritingAtOnceLoseNothing) {
  TempRegistry registry;
  const std::string self = fs::read_symlink("/proc/self/exe").string();
  std::string script = "pids=''; for i in";
  for (int i = 1; i <= kWriters; ++i) script += " " + std::to_string(i);
  script += "; do CORVANE_REGISTRY='" + registry.File() + "' CORVANE_REGISTRY_WRITER=$i '" + self +
            "' --gtest_filter=RegistryConcurrencyChild.Writer > '" + registry.Folder() +
            "/writer'$i.log 2>&1 & pids=\"$pids $!\"; done; rc=0; for p in $pids; do wait $p || rc=1; done; exit $rc";
  ASSERT_EQ(std::system(script.c_str()), 0) << "a writer failed; see " << registry.Folder();

  const std::string last = std::to_string(kRounds - 1);
  for (int i = 1; i <= kWriters; ++i) {
    const std::string own = "Software\\Writer" + std::to_string(i);
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, own, "Round"), last);
    for (int round = 0; round < kRounds; ++round)
      ASSERT_EQ(ReadString(HKEY_CURRENT_USER, own + "\\Values", "V" + std::to_string(round)), std::to_string(round));
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, "Software\\Shared", "Writer" + std::to_string(i)), last);
  }
  const std::string shared = ReadString(HKEY_CURRENT_USER, "Software\\Shared", "Last");
  EXPECT_TRUE(shared.ends_with(":" + last)) << shared;
  EXPECT_EQ(RegistryStore::Instance().IntegrityCheck(), "ok");
}

}  // namespace
