#pragma once
// A user's desktop of the test's own: the data and config folders where the desktop keeps its
// applications, MIME database and MIME applications list, and the desktop's tools run on them.
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "common/TestApp.h"

namespace corvane::test {

// Points XDG_DATA_HOME and XDG_CONFIG_HOME at folders of a temporary folder for the life of the object.
class TDesktopFolders {
 public:
  TDesktopFolders() : folder_(MakeTempDir("corvane-desktop-folders")) {
    for (const char* name : kNames)
      if (const char* value = std::getenv(name)) saved_[name] = value;
    Use(folder_ + "/data", folder_ + "/config");
  }
  ~TDesktopFolders() {
    for (const char* name : kNames) unsetenv(name);
    for (const auto& [name, value] : saved_) setenv(name.c_str(), value.c_str(), 1);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  TDesktopFolders(const TDesktopFolders&) = delete;
  TDesktopFolders& operator=(const TDesktopFolders&) = delete;

  void Use(const std::string& data, const std::string& config) {
    data_ = data;
    config_ = config;
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  }
  const std::string& Folder() const { return folder_; }
  const std::string& Data() const { return data_; }
  const std::string& Config() const { return config_; }
  std::string Entry(const std::string& id) const { return data_ + "/applications/" + id; }
  std::string List() const { return config_ + "/mimeapps.list"; }

 private:
  static constexpr const char* kNames[] = {"XDG_DATA_HOME", "XDG_CONFIG_HOME"};
  std::string folder_, data_, config_;
  std::map<std::string, std::string> saved_;
};

// A desktop tool's output without its last line break. It reads the generic desktop whatever desktop
// the tests run in, and the desktop folders of the test's environment.
inline std::string DesktopTool(const QStringList& command, int* exitCode = nullptr) {
  QProcess tool;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"XDG_CURRENT_DESKTOP", "DE", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
    environment.remove(name);
  tool.setProcessEnvironment(environment);
  tool.start(command.first(), command.mid(1));
  EXPECT_TRUE(tool.waitForFinished(-1)) << command.join(' ').toStdString();
  if (exitCode) *exitCode = tool.exitCode();
  return (tool.readAllStandardOutput() + tool.readAllStandardError()).trimmed().toStdString();
}

// The file's inode and modification time, which change whenever the file is written; "missing" when
// there is no such file.
inline std::string FileStamp(const std::string& file) {
  struct stat status {};
  if (::stat(file.c_str(), &status) != 0) return "missing";
  return std::to_string(status.st_ino) + "@" + std::to_string(status.st_mtim.tv_sec) + "." +
         std::to_string(status.st_mtim.tv_nsec);
}

}  // namespace corvane::test
