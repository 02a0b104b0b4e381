#include "win/RegistryStore.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <map>

#include "win/Shell.h"

namespace {

// Windows error numbers the registry interface reports.
constexpr long kSuccess = 0;
constexpr long kFileNotFound = 2;
constexpr long kAccessDenied = 5;
constexpr long kInvalidParameter = 87;
constexpr long kBusy = 170;
constexpr long kBadDatabase = 1009;
constexpr long kCantOpen = 1011;
constexpr long kIoFailed = 1016;
constexpr long kKeyDeleted = 1018;

// Marks a database as ours ("CRVR"), so a foreign SQLite file is moved aside, not reused.
constexpr int kApplicationId = 0x43525652;

struct Hive {
  std::uint32_t number;
  const char* name;
};
constexpr Hive kHives[] = {
    {0x80000000u, "HKEY_CLASSES_ROOT"}, {0x80000001u, "HKEY_CURRENT_USER"},     {0x80000002u, "HKEY_LOCAL_MACHINE"},
    {0x80000003u, "HKEY_USERS"},        {0x80000004u, "HKEY_PERFORMANCE_DATA"}, {0x80000005u, "HKEY_CURRENT_CONFIG"},
    {0x80000006u, "HKEY_DYN_DATA"},
};
// A hive's key row has the id of its position in kHives plus one.
constexpr std::int64_t HiveKeyId(std::size_t index) { return static_cast<std::int64_t>(index) + 1; }

struct SqlFailure {
  int code;
};

std::string Folded(std::string_view name) {
  // ASCII only: key names are 8-bit text of unknown code page, so other bytes compare exactly.
  std::string folded(name);
  for (char& ch : folded)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  return folded;
}

std::vector<std::string_view> SplitPath(std::string_view path) {
  std::vector<std::string_view> parts;
  while (!path.empty()) {
    const auto cut = path.find('\\');
    const auto part = path.substr(0, cut);
    if (!part.empty()) parts.push_back(part);
    if (cut == std::string_view::npos) break;
    path.remove_prefix(cut + 1);
  }
  return parts;
}

bool IsDamage(int code) {
  const int primary = code & 0xFF;
  return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

bool IsBusy(int code) {
  const int primary = code & 0xFF;
  return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

long ErrorFor(int code) {
  if (IsDamage(code)) return kBadDatabase;
  if (code == SQLITE_CONSTRAINT_FOREIGNKEY) return kKeyDeleted;
  switch (code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return kBusy;
    case SQLITE_READONLY:
    case SQLITE_PERM:
      return kAccessDenied;
    case SQLITE_CANTOPEN:
      return kCantOpen;
    default:
      return kIoFailed;
  }
}

bool IsWriteRefusal(int code) {
  const int primary = code & 0xFF;
  return primary == SQLITE_READONLY || primary == SQLITE_PERM || primary == SQLITE_CANTOPEN;
}

// Why SQLite could not write the file: its folder refuses the journal files that lie beside it, or
// SQLite's own reason.
std::string RefusalReason(const std::string& path, int code) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (::faccessat(AT_FDCWD, folder.empty() ? "." : folder.c_str(), W_OK, AT_EACCESS) != 0)
    return "its folder takes no new files: " + std::string(std::strerror(errno));
  return sqlite3_errstr(code);
}

std::string CannotWriteNotice(const std::string& path, const std::string& reason) {
  return "The settings file \"" + path + "\" cannot be written (" + reason +
         "). Settings changed now last only until the program ends.";
}

std::string LockedNotice(const std::string& path) {
  return "The settings file \"" + path +
         "\" is locked by another program. The program starts on its default settings, and settings changed "
         "now last only until it ends.";
}

std::string LockedInSessionNotice(const std::string& path, bool keptOwnSettings) {
  return "The settings file \"" + path + "\" has been locked by another program. " +
         (keptOwnSettings ? "The program goes on with its settings as they are, "
                          : "Its settings could not be read; the program goes on with its default settings, ") +
         "and settings changed from now on last only until it ends.";
}

// How long an operation waits for another program's lock once the store is open: its own writes take
// milliseconds, so a lock held this long is no passing write.
constexpr int kSessionBusyMs = 2000;

// Bytes that do not begin as a database: SQLite would take a short file for an empty database and write
// over it, so the store sets it aside as damaged instead.
bool IsForeignFile(int fd) {
  static constexpr char kHeader[] = "SQLite format 3";  // with its zero, the 16 bytes every database begins with
  char start[sizeof kHeader] = {};
  const ssize_t got = ::pread(fd, start, sizeof start, 0);
  return got > 0 && (static_cast<std::size_t>(got) < sizeof start || std::memcmp(start, kHeader, sizeof start) != 0);
}

// Copies the database at `path` into `target` without writing anything beside it: read-only when its
// journal files can be used, else as an unchanging file (a folder that takes no journal files).
bool CopyDatabase(const std::string& path, sqlite3* target) {
  for (const char* mode : {"?mode=ro", "?immutable=1"}) {
    sqlite3* source = nullptr;
    const std::string uri = FileUrl(std::filesystem::absolute(path).string()) + mode;
    bool copied = false;
    if (sqlite3_open_v2(uri.c_str(), &source, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX,
                        nullptr) == SQLITE_OK) {
      if (sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main")) {
        copied = sqlite3_backup_step(backup, -1) == SQLITE_DONE;
        sqlite3_backup_finish(backup);
      }
    }
    sqlite3_close_v2(source);
    if (copied) return true;
  }
  return false;
}

const char* const kSchema = R"sql(
CREATE TABLE IF NOT EXISTS keys(
    id INTEGER PRIMARY KEY,
    parent INTEGER REFERENCES keys(id) ON DELETE CASCADE,
    name TEXT NOT NULL,
    folded TEXT NOT NULL);
CREATE UNIQUE INDEX IF NOT EXISTS keys_by_parent ON keys(parent, folded);
CREATE TABLE IF NOT EXISTS vals(
    key INTEGER NOT NULL REFERENCES keys(id) ON DELETE CASCADE,
    name TEXT NOT NULL,
    folded TEXT NOT NULL,
    type INTEGER NOT NULL,
    data BLOB NOT NULL,
    PRIMARY KEY(key, folded)) WITHOUT ROWID;
)sql";

}  // namespace

struct RegistryStore::Connection {
  sqlite3* db = nullptr;
  // Prepared once per connection: reading a setting is a few lookups, and preparing them
  // anew each time would cost more than the lookups themselves.
  std::map<const char*, sqlite3_stmt*> statements;
  dev_t device = 0;
  ino_t inode = 0;
  bool inMemory = false;  // a session copy: no other program can lock it

  ~Connection() {
    for (auto& entry : statements) sqlite3_finalize(entry.second);
    sqlite3_close_v2(db);
  }

  void Check(int code) const {
    if (code != SQLITE_OK && code != SQLITE_ROW && code != SQLITE_DONE) throw SqlFailure{sqlite3_extended_errcode(db)};
  }

  void Exec(const char* sql) const {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) throw SqlFailure{sqlite3_extended_errcode(db)};
  }

  // A cached statement, reset and bound to `args`; steps are taken by the caller.
  class Query {
   public:
    Query(Connection& c, const char* sql) : c_(c) {
      auto& slot = c.statements[sql];
      if (!slot) c.Check(sqlite3_prepare_v3(c.db, sql, -1, SQLITE_PREPARE_PERSISTENT, &slot, nullptr));
      stmt_ = slot;
    }
    ~Query() {
      sqlite3_reset(stmt_);
      sqlite3_clear_bindings(stmt_);
    }
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    Query& Bind(int index, std::int64_t value) {
      c_.Check(sqlite3_bind_int64(stmt_, index, value));
      return *this;
    }
    Query& Bind(int index, std::string_view text) {
      c_.Check(sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT));
      return *this;
    }
    Query& BindBlob(int index, std::string_view bytes) {
      // A zero-length blob must still be a blob, not NULL.
      c_.Check(sqlite3_bind_blob(stmt_, index, bytes.empty() ? "" : bytes.data(), static_cast<int>(bytes.size()),
                                 SQLITE_TRANSIENT));
      return *this;
    }
    bool Step() {
      const int code = sqlite3_step(stmt_);
      c_.Check(code);
      return code == SQLITE_ROW;
    }
    std::int64_t Integer(int column) const { return sqlite3_column_int64(stmt_, column); }
    std::string Text(int column) const {
      const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
      return std::string(bytes ? bytes : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)));
    }

   private:
    Connection& c_;
    sqlite3_stmt* stmt_ = nullptr;
  };

  int ApplicationId() {
    Query q(*this, "PRAGMA application_id");
    return q.Step() ? static_cast<int>(q.Integer(0)) : 0;
  }

  std::int64_t ObjectCount() {
    Query q(*this, "SELECT count(*) FROM sqlite_master");
    return q.Step() ? q.Integer(0) : 0;
  }

  // Our mark, our tables and sound pages: what a store must have to take reads and writes.
  bool HoldsStore() {
    if (ApplicationId() != kApplicationId) return false;
    Query tables(*this, "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN ('keys', 'vals')");
    if (!tables.Step() || tables.Integer(0) != 2) return false;
    Query check(*this, "PRAGMA quick_check");
    return check.Step() && check.Text(0) == "ok";
  }

  // The tables, our mark and the hives' keys of a new store.
  void CreateSchema() {
    Exec(kSchema);
    Exec(("PRAGMA application_id=" + std::to_string(kApplicationId)).c_str());
    for (std::size_t i = 0; i < std::size(kHives); ++i)
      Query(*this, "INSERT INTO keys(id, parent, name, folded) VALUES(?1, NULL, ?2, ?3)")
          .Bind(1, HiveKeyId(i))
          .Bind(2, kHives[i].name)
          .Bind(3, Folded(kHives[i].name))
          .Step();
  }
};

RegistryStore& RegistryStore::Instance() {
  // Never destroyed: forms that save their settings while the process ends must still find it.
  // Every write is committed when it returns, so nothing waits for a close.
  static RegistryStore* const store = new RegistryStore(DefaultPath());
  return *store;
}

std::string RegistryStore::DefaultPath() {
  if (const char* own = std::getenv("CORVANE_REGISTRY"); own && *own) return own;
  std::filesystem::path config;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
    config = xdg;
  else if (const char* home = std::getenv("HOME"); home && *home)
    config = std::filesystem::path(home) / ".config";
  else
    config = std::filesystem::temp_directory_path();
  return (config / "Corvane" / "registry.sqlite3").string();
}

RegistryStore::RegistryStore(std::string path) : path_(std::move(path)) {}

RegistryStore::~RegistryStore() = default;

void RegistryStore::SetPath(std::string path) {
  std::lock_guard lock(mutex_);
  connection_.reset();
  path_ = std::move(path);
}

std::string RegistryStore::Path() const {
  std::lock_guard lock(mutex_);
  return path_;
}

void RegistryStore::SetNoticeHandler(NoticeHandler handler) {
  std::lock_guard lock(mutex_);
  noticeHandler_ = std::move(handler);
}

void RegistryStore::SetBusyTimeout(int milliseconds) {
  std::lock_guard lock(mutex_);
  busyTimeoutMs_ = milliseconds;
  if (connection_) sqlite3_busy_timeout(connection_->db, SessionBusyMs());
}

int RegistryStore::SessionBusyMs() const { return std::min(busyTimeoutMs_, kSessionBusyMs); }

void RegistryStore::Notice(const std::string& text) const {
  if (noticeHandler_)
    noticeHandler_(text);
  else
    std::fprintf(stderr, "%s\n", text.c_str());
}

void RegistryStore::EnsureOpen() {
  if (!connection_) Open();
}

void RegistryStore::Open() {
  namespace fs = std::filesystem;
  std::error_code ignored;
  const fs::path file(path_);
  if (file.has_parent_path() && !fs::exists(file.parent_path(), ignored)) {
    fs::create_directories(file.parent_path(), ignored);
    fs::permissions(file.parent_path(), fs::perms::owner_all, ignored);
  }
  // Two tries: the second runs on a fresh file after a damaged one was moved aside. Switching a new file
  // to write-ahead logging takes a lock that SQLite does not wait for, so programs starting together on a
  // first run try again, up to the busy time-out once; a lock held longer leaves the file to the other
  // program for this session.
  const auto busyDeadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(busyTimeoutMs_);
  for (int attempt = 0; attempt < 2; ++attempt) {
    // Settings are the user's alone; the database's journal files take its mode.
    const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0) return StartSessionCopy(true, CannotWriteNotice(path_, std::strerror(errno)));
    ::fchmod(fd, S_IRUSR | S_IWUSR);
    const bool foreign = IsForeignFile(fd);
    ::close(fd);
    auto c = std::make_unique<Connection>();
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (const int code = sqlite3_open_v2(path_.c_str(), &c->db, flags, nullptr); code != SQLITE_OK)
      return StartSessionCopy(true, CannotWriteNotice(path_, sqlite3_errstr(code)));
    sqlite3_extended_result_codes(c->db, 1);
    sqlite3_busy_timeout(c->db, busyTimeoutMs_);
    bool damaged = foreign;
    if (!damaged) try {
      c->Exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON;");
      c->Exec("BEGIN IMMEDIATE");
      const int appId = c->ApplicationId();
      if (appId == 0 && c->ObjectCount() == 0) {
        c->CreateSchema();
      } else {
        damaged = !c->HoldsStore();
      }
      c->Exec(damaged ? "ROLLBACK" : "COMMIT");
    } catch (const SqlFailure& failure) {
      if (IsBusy(failure.code)) {
        if (std::chrono::steady_clock::now() >= busyDeadline) return StartSessionCopy(false, LockedNotice(path_));
        c.reset();
        ::usleep(10000);
        --attempt;
        continue;
      }
      // The statements here are fixed, so an error of SQL in them is the file's (a schema it cannot read).
      if (!IsDamage(failure.code) && (failure.code & 0xFF) != SQLITE_ERROR)
        return StartSessionCopy(true, CannotWriteNotice(path_, RefusalReason(path_, failure.code)));
      damaged = true;
    }
    struct stat info {};
    if (::stat(path_.c_str(), &info) == 0) {
      c->device = info.st_dev;
      c->inode = info.st_ino;
    }
    sqlite3_busy_timeout(c->db, SessionBusyMs());
    connection_ = std::move(c);
    ++generation_;
    if (!damaged) return;
    MoveAside();
    if (connection_) return;  // it could not be moved: the session goes on without it
  }
  StartSessionCopy(false, CannotWriteNotice(path_, "it is damaged again after a fresh start"));
}

std::unique_ptr<RegistryStore::Connection> RegistryStore::InMemory() {
  auto c = std::make_unique<Connection>();
  sqlite3_open_v2(":memory:", &c->db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
  sqlite3_extended_result_codes(c->db, 1);
  c->inMemory = true;
  return c;
}

bool RegistryStore::HoldsStoreSafely(Connection& c) {
  try {
    return c.HoldsStore();
  } catch (const SqlFailure&) {
    return false;
  }
}

void RegistryStore::ContinueWithoutFile() {
  auto copy = InMemory();
  bool copied = false;
  if (sqlite3_backup* backup = sqlite3_backup_init(copy->db, "main", connection_->db, "main")) {
    copied = sqlite3_backup_step(backup, -1) == SQLITE_DONE;
    sqlite3_backup_finish(backup);
  }
  if (!copied || !HoldsStoreSafely(*copy)) return StartSessionCopy(false, LockedInSessionNotice(path_, false));
  try {
    copy->Exec("PRAGMA foreign_keys=ON");
  } catch (const SqlFailure&) {
    // the operations report their errors
  }
  // The copy keeps every key's id, so the keys the program holds open stay valid: no new generation.
  connection_ = std::move(copy);
  Notice(LockedInSessionNotice(path_, true));
}

void RegistryStore::StartSessionCopy(bool readFile, const std::string& notice) {
  connection_.reset();
  // A file that could not be opened for writing may be damaged in any way: its copy serves only when it
  // holds a sound store.
  auto copy = InMemory();
  try {
    if (!readFile || !CopyDatabase(path_, copy->db) || !HoldsStoreSafely(*copy)) {
      copy = InMemory();  // afresh: a damaged copy may not even let its tables be dropped
      copy->Exec("BEGIN");
      copy->CreateSchema();
      copy->Exec("COMMIT");
    }
    copy->Exec("PRAGMA foreign_keys=ON");
  } catch (const SqlFailure&) {
    // Memory this short means little else will work either; the operations report their errors.
  }
  connection_ = std::move(copy);
  ++generation_;
  Notice(notice);
}

void RegistryStore::MoveAside() {
  // Only the file this connection opened is moved: another process may already have
  // moved it and started a new store under the same name.
  std::unique_ptr<Connection> damaged = std::move(connection_);
  struct stat info {};
  const bool same =
      ::stat(path_.c_str(), &info) == 0 && info.st_dev == damaged->device && info.st_ino == damaged->inode;
  damaged.reset();
  if (!same) return;
  const std::time_t now = std::time(nullptr);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", std::gmtime(&now));
  std::string aside = path_ + ".damaged-" + stamp;
  std::error_code ignored;
  for (int n = 2; std::filesystem::exists(aside, ignored); ++n)
    aside = path_ + ".damaged-" + stamp + "-" + std::to_string(n);
  std::error_code failure;
  std::filesystem::rename(path_, aside, failure);
  if (failure)
    return StartSessionCopy(false,
                            CannotWriteNotice(path_, "it is damaged and cannot be set aside: " + failure.message()));
  std::filesystem::rename(path_ + "-wal", aside + "-wal", ignored);
  std::filesystem::remove(path_ + "-shm", ignored);
  Notice("The settings file \"" + path_ + "\" was damaged. It has been set aside as \"" + aside +
         "\", and the settings start again from their defaults.");
}

long RegistryStore::Run(bool write, const std::function<long(Connection&)>& body) {
  std::lock_guard lock(mutex_);
  EnsureOpen();
  for (;;) {
    Connection& c = *connection_;
    bool inTransaction = false;
    try {
      if (write) {
        c.Exec("BEGIN IMMEDIATE");
        inTransaction = true;
      }
      const long result = body(c);
      if (inTransaction) {
        inTransaction = false;
        if (result == kSuccess)
          c.Exec("COMMIT");
        else
          c.Exec("ROLLBACK");
      }
      return result;
    } catch (const SqlFailure& failure) {
      if (inTransaction) sqlite3_exec(c.db, "ROLLBACK", nullptr, nullptr, nullptr);
      // The busy time-out has passed once: the file is left to the program that holds it, and the operation
      // goes to the session's copy of the settings.
      if (IsBusy(failure.code) && !c.inMemory) {
        ContinueWithoutFile();
        continue;
      }
      if (IsDamage(failure.code))
        MoveAside();
      else if (IsWriteRefusal(failure.code))
        StartSessionCopy(true, CannotWriteNotice(path_, RefusalReason(path_, failure.code)));
      return ErrorFor(failure.code);
    }
  }
}

bool RegistryStore::IsCurrent(const KeyRef& key) const { return key.generation == generation_ && key.id > 0; }

long RegistryStore::ResolvePath(Connection& c, std::int64_t parent, std::string_view subPath, std::int64_t& id) {
  id = parent;
  for (const auto part : SplitPath(subPath)) {
    Connection::Query q(c, "SELECT id FROM keys WHERE parent = ?1 AND folded = ?2");
    q.Bind(1, id).Bind(2, Folded(part));
    if (!q.Step()) return kFileNotFound;
    id = q.Integer(0);
  }
  return kSuccess;
}

long RegistryStore::Root(std::uint32_t hive, KeyRef& key) {
  for (std::size_t i = 0; i < std::size(kHives); ++i)
    if (kHives[i].number == hive)
      return Run(false, [&](Connection&) {
        key = {generation_, HiveKeyId(i)};
        return kSuccess;
      });
  return kInvalidParameter;
}

long RegistryStore::OpenKey(const KeyRef& parent, std::string_view subPath, KeyRef& key) {
  return Run(false, [&](Connection& c) {
    if (!IsCurrent(parent)) return kKeyDeleted;
    Connection::Query exists(c, "SELECT 1 FROM keys WHERE id = ?1");
    if (!exists.Bind(1, parent.id).Step()) return kKeyDeleted;
    std::int64_t id = 0;
    const long result = ResolvePath(c, parent.id, subPath, id);
    if (result == kSuccess) key = {generation_, id};
    return result;
  });
}

long RegistryStore::CreateKey(const KeyRef& parent, std::string_view subPath, KeyRef& key, bool& created) {
  return Run(true, [&](Connection& c) {
    created = false;
    if (!IsCurrent(parent)) return kKeyDeleted;
    Connection::Query exists(c, "SELECT 1 FROM keys WHERE id = ?1");
    if (!exists.Bind(1, parent.id).Step()) return kKeyDeleted;
    std::int64_t id = parent.id;
    for (const auto part : SplitPath(subPath)) {
      const std::string folded = Folded(part);
      Connection::Query find(c, "SELECT id FROM keys WHERE parent = ?1 AND folded = ?2");
      if (find.Bind(1, id).Bind(2, folded).Step()) {
        id = find.Integer(0);
        created = false;
        continue;
      }
      Connection::Query insert(c, "INSERT INTO keys(parent, name, folded) VALUES(?1, ?2, ?3)");
      insert.Bind(1, id).Bind(2, part).Bind(3, folded).Step();
      id = sqlite3_last_insert_rowid(c.db);
      created = true;
    }
    key = {generation_, id};
    return kSuccess;
  });
}

long RegistryStore::DeleteKey(const KeyRef& parent, std::string_view subPath, bool recursive) {
  if (SplitPath(subPath).empty()) return kInvalidParameter;
  return Run(true, [&](Connection& c) {
    if (!IsCurrent(parent)) return kKeyDeleted;
    std::int64_t id = 0;
    if (const long result = ResolvePath(c, parent.id, subPath, id); result != kSuccess) return result;
    if (!recursive) {
      Connection::Query children(c, "SELECT 1 FROM keys WHERE parent = ?1 LIMIT 1");
      if (children.Bind(1, id).Step()) return kAccessDenied;
    }
    // Subkeys and values go with the key through the cascading foreign keys.
    Connection::Query(c, "DELETE FROM keys WHERE id = ?1").Bind(1, id).Step();
    return kSuccess;
  });
}

long RegistryStore::QueryValue(const KeyRef& key, std::string_view name, Value& value) {
  return Run(false, [&](Connection& c) {
    if (!IsCurrent(key)) return kKeyDeleted;
    Connection::Query q(c, "SELECT type, data FROM vals WHERE key = ?1 AND folded = ?2");
    if (!q.Bind(1, key.id).Bind(2, Folded(name)).Step()) return kFileNotFound;
    value.type = static_cast<std::uint32_t>(q.Integer(0));
    value.data = q.Text(1);
    return kSuccess;
  });
}

long RegistryStore::SetValue(const KeyRef& key, std::string_view name, const Value& value) {
  return Run(true, [&](Connection& c) {
    if (!IsCurrent(key)) return kKeyDeleted;
    Connection::Query q(c,
                        "INSERT INTO vals(key, name, folded, type, data) VALUES(?1, ?2, ?3, ?4, ?5) "
                        "ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, data = excluded.data");
    q.Bind(1, key.id).Bind(2, name).Bind(3, Folded(name)).Bind(4, static_cast<std::int64_t>(value.type));
    q.BindBlob(5, value.data).Step();
    return kSuccess;
  });
}

long RegistryStore::DeleteValue(const KeyRef& key, std::string_view name) {
  return Run(true, [&](Connection& c) {
    if (!IsCurrent(key)) return kKeyDeleted;
    Connection::Query(c, "DELETE FROM vals WHERE key = ?1 AND folded = ?2")
        .Bind(1, key.id)
        .Bind(2, Folded(name))
        .Step();
    return sqlite3_changes(c.db) > 0 ? kSuccess : kFileNotFound;
  });
}

long RegistryStore::ListNames(const KeyRef& key, const char* sql, std::vector<std::string>& names) {
  return Run(false, [&](Connection& c) {
    names.clear();
    if (!IsCurrent(key)) return kKeyDeleted;
    Connection::Query q(c, sql);
    q.Bind(1, key.id);
    while (q.Step()) names.push_back(q.Text(0));
    return kSuccess;
  });
}

long RegistryStore::SubKeyNames(const KeyRef& key, std::vector<std::string>& names) {
  return ListNames(key, "SELECT name FROM keys WHERE parent = ?1 ORDER BY folded", names);
}

long RegistryStore::ValueNames(const KeyRef& key, std::vector<std::string>& names) {
  return ListNames(key, "SELECT name FROM vals WHERE key = ?1 ORDER BY folded", names);
}

long RegistryStore::KeyPath(const KeyRef& key, std::string& path) {
  return Run(false, [&](Connection& c) {
    path.clear();
    if (!IsCurrent(key)) return kKeyDeleted;
    std::int64_t id = key.id;
    for (;;) {
      Connection::Query q(c, "SELECT parent, name FROM keys WHERE id = ?1");
      if (!q.Bind(1, id).Step()) return kKeyDeleted;
      if (q.Integer(0) == 0)  // a hive's row: its name is not part of the path
        return kSuccess;
      path = path.empty() ? q.Text(1) : q.Text(1) + "\\" + path;
      id = q.Integer(0);
    }
  });
}

std::string RegistryStore::IntegrityCheck() {
  std::string report;
  const long result = Run(false, [&](Connection& c) {
    report.clear();
    Connection::Query q(c, "PRAGMA integrity_check");
    while (q.Step()) report += (report.empty() ? "" : "\n") + q.Text(0);
    return kSuccess;
  });
  return result == kSuccess ? report : "store not available";
}
