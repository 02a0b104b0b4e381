#include "win/RegistryStore.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>

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
constexpr int kBusyTimeoutMs = 15000;

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

bool RegistryStore::EnsureOpen() { return connection_ || Open(); }

bool RegistryStore::Open() {
  namespace fs = std::filesystem;
  std::error_code ignored;
  const fs::path file(path_);
  if (file.has_parent_path() && !fs::exists(file.parent_path(), ignored)) {
    fs::create_directories(file.parent_path(), ignored);
    fs::permissions(file.parent_path(), fs::perms::owner_all, ignored);
  }
  // Two tries: the second runs on a fresh file after a damaged one was moved aside. Switching a new file
  // to write-ahead logging takes a lock that SQLite does not wait for, so programs starting together on a
  // first run try again for a while instead of giving up.
  const auto busyDeadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kBusyTimeoutMs);
  for (int attempt = 0; attempt < 2; ++attempt) {
    // Settings are the user's alone; the database's journal files take its mode.
    if (const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, S_IRUSR | S_IWUSR); fd >= 0) {
      ::fchmod(fd, S_IRUSR | S_IWUSR);
      ::close(fd);
    }
    auto c = std::make_unique<Connection>();
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path_.c_str(), &c->db, flags, nullptr) != SQLITE_OK) return false;
    sqlite3_extended_result_codes(c->db, 1);
    sqlite3_busy_timeout(c->db, kBusyTimeoutMs);
    bool damaged = false;
    try {
      c->Exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON;");
      c->Exec("BEGIN IMMEDIATE");
      int appId = 0;
      std::int64_t objects = 0;
      {
        Connection::Query q(*c, "PRAGMA application_id");
        if (q.Step()) appId = static_cast<int>(q.Integer(0));
      }
      {
        Connection::Query q(*c, "SELECT count(*) FROM sqlite_master");
        if (q.Step()) objects = q.Integer(0);
      }
      if (appId == 0 && objects == 0) {
        c->Exec(kSchema);
        c->Exec(("PRAGMA application_id=" + std::to_string(kApplicationId)).c_str());
        for (std::size_t i = 0; i < std::size(kHives); ++i)
          Connection::Query(*c, "INSERT INTO keys(id, parent, name, folded) VALUES(?1, NULL, ?2, ?3)")
              .Bind(1, HiveKeyId(i))
              .Bind(2, kHives[i].name)
              .Bind(3, Folded(kHives[i].name))
              .Step();
      } else if (appId != kApplicationId) {
        damaged = true;
      } else {
        Connection::Query q(*c, "PRAGMA quick_check");
        damaged = !q.Step() || q.Text(0) != "ok";
      }
      c->Exec(damaged ? "ROLLBACK" : "COMMIT");
    } catch (const SqlFailure& failure) {
      if (IsBusy(failure.code) && std::chrono::steady_clock::now() < busyDeadline) {
        c.reset();
        ::usleep(10000);
        --attempt;
        continue;
      }
      if (!IsDamage(failure.code)) return false;
      damaged = true;
    }
    struct stat info {};
    if (::stat(path_.c_str(), &info) == 0) {
      c->device = info.st_dev;
      c->inode = info.st_ino;
    }
    connection_ = std::move(c);
    ++generation_;
    if (!damaged) return true;
    MoveAside();
  }
  return false;
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
  std::filesystem::rename(path_, aside, ignored);
  std::filesystem::rename(path_ + "-wal", aside + "-wal", ignored);
  std::filesystem::remove(path_ + "-shm", ignored);
}

long RegistryStore::Run(bool write, const std::function<long(Connection&)>& body) {
  std::lock_guard lock(mutex_);
  if (!EnsureOpen()) return kCantOpen;
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
    if (IsDamage(failure.code)) MoveAside();
    return ErrorFor(failure.code);
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
  created = false;
  return Run(true, [&](Connection& c) {
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
  names.clear();
  return Run(false, [&](Connection& c) {
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
  path.clear();
  return Run(false, [&](Connection& c) {
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
    Connection::Query q(c, "PRAGMA integrity_check");
    while (q.Step()) report += (report.empty() ? "" : "\n") + q.Text(0);
    return kSuccess;
  });
  return result == kSuccess ? report : "store not available";
}
