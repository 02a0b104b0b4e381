#pragma once
// Another program holding the settings file locked for the life of the object: python3's sqlite3 in an
// exclusive transaction, as a backup tool or the sqlite3 shell would hold it.
#include <QProcess>
#include <QString>
#include <string>

namespace corvane::test {

class TSettingsLock {
 public:
  // With `keepReadersOut` the file is switched to a rollback journal first, where the lock bars reads as
  // well; otherwise it stays in write-ahead logging, where others still read.
  explicit TSettingsLock(const std::string& file, bool keepReadersOut = false) {
    const std::string script = std::string("import sqlite3, sys\n"
                                           "c = sqlite3.connect(sys.argv[1], isolation_level=None)\n") +
                               (keepReadersOut ? "c.execute('PRAGMA journal_mode=DELETE')\n" : "") +
                               "c.execute('BEGIN EXCLUSIVE')\n"
                               "print('locked', flush=True)\n"
                               "sys.stdin.read()\n";
    process_.start("python3", {"-c", QString::fromStdString(script), QString::fromStdString(file)});
    held_ = process_.waitForReadyRead(-1) && process_.readAllStandardOutput().trimmed() == "locked";
  }
  ~TSettingsLock() { Release(); }
  TSettingsLock(const TSettingsLock&) = delete;
  TSettingsLock& operator=(const TSettingsLock&) = delete;

  bool Held() const { return held_; }
  std::string Errors() { return process_.readAllStandardError().toStdString(); }
  // Ends the transaction and the program; true once it has ended.
  bool Release() {
    if (process_.state() == QProcess::NotRunning) return true;
    process_.closeWriteChannel();
    return process_.waitForFinished(-1);
  }

 private:
  QProcess process_;
  bool held_ = false;
};

}  // namespace corvane::test
