#pragma once
// The registry's hives kept in one SQLite database that every process of the user shares.
// Keys form a tree of names that compare without regard to ASCII letter case and keep the
// case they were created with. Results are the Windows error numbers of the registry
// interface (0 for success), so the layer above passes them on unchanged.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

class RegistryStore {
 public:
  // A key as the store knows it. `generation` changes whenever another database is
  // opened, so a key of an earlier (moved-aside) database is never taken for a new one.
  struct KeyRef {
    std::uint64_t generation = 0;
    std::int64_t id = 0;
  };

  struct Value {
    std::uint32_t type = 0;
    std::string data;
  };

  // The process-wide store; its connection stays open for the life of the process.
  static RegistryStore& Instance();

  // $CORVANE_REGISTRY when set, else <config>/Corvane/registry.sqlite3, where <config>
  // is $XDG_CONFIG_HOME or else ~/.config.
  static std::string DefaultPath();

  explicit RegistryStore(std::string path);
  ~RegistryStore();
  RegistryStore(const RegistryStore&) = delete;
  RegistryStore& operator=(const RegistryStore&) = delete;

  // Closes the current database; the next operation opens the one at `path`.
  void SetPath(std::string path);
  std::string Path() const;

  // Where the store tells the user, once, that it works on a copy for this session only (its file
  // cannot be written, or another program holds it locked) or that it set a damaged file aside.
  // The handler may be called on any thread with the store busy: it must not call back into the
  // store. Without one the text goes to the standard error output.
  using NoticeHandler = std::function<void(const std::string& text)>;
  void SetNoticeHandler(NoticeHandler handler);
  // How long opening the store waits for another program's lock before the store gives up on the file
  // for the session (15 s unless set; programs starting together wait for one another). Once open, an
  // operation waits at most 2 s of it, then goes on with a copy of the settings as they are.
  void SetBusyTimeout(int milliseconds);

  // Hives are numbered as the registry's predefined keys (0x80000000 HKEY_CLASSES_ROOT
  // up to 0x80000006 HKEY_DYN_DATA).
  long Root(std::uint32_t hive, KeyRef& key);
  long OpenKey(const KeyRef& parent, std::string_view subPath, KeyRef& key);
  long CreateKey(const KeyRef& parent, std::string_view subPath, KeyRef& key, bool& created);
  // Deletes the last key of `subPath`; without `recursive` it must have no subkeys.
  long DeleteKey(const KeyRef& parent, std::string_view subPath, bool recursive);
  long QueryValue(const KeyRef& key, std::string_view name, Value& value);
  long SetValue(const KeyRef& key, std::string_view name, const Value& value);
  long DeleteValue(const KeyRef& key, std::string_view name);
  long SubKeyNames(const KeyRef& key, std::vector<std::string>& names);
  long ValueNames(const KeyRef& key, std::vector<std::string>& names);
  // The key's path below its hive in the case it was created with ("Software\Ombrix").
  long KeyPath(const KeyRef& key, std::string& path);

  // The result of SQLite's integrity check: "ok" for a sound database.
  std::string IntegrityCheck();

 private:
  struct Connection;

  long Run(bool write, const std::function<long(Connection&)>& body);
  void EnsureOpen();
  void Open();
  // Goes on, for this session, with a database in memory that takes the session's writes: a copy
  // of the file when `readFile` and it can be read, else empty; and tells the user why.
  void StartSessionCopy(bool readFile, const std::string& notice);
  // Another program holds the open file locked: the session goes on with a copy of the settings as this
  // connection reads them, in memory, and tells the user.
  void ContinueWithoutFile();
  static std::unique_ptr<Connection> InMemory();
  // False for a damaged copy too.
  static bool HoldsStoreSafely(Connection& c);
  int SessionBusyMs() const;
  // Moves the damaged file of the current connection aside, says where to, and closes it.
  void MoveAside();
  void Notice(const std::string& text) const;
  long ResolvePath(Connection& c, std::int64_t parent, std::string_view subPath, std::int64_t& id);
  bool IsCurrent(const KeyRef& key) const;
  // The first column of every row the query (with the key's id as ?1) gives.
  long ListNames(const KeyRef& key, const char* sql, std::vector<std::string>& names);

  std::string path_;
  mutable std::mutex mutex_;
  std::unique_ptr<Connection> connection_;
  std::uint64_t generation_ = 0;
  NoticeHandler noticeHandler_;
  int busyTimeoutMs_ = 15000;
};
