#pragma once
// Points the process's settings store at a fresh database in a temporary folder for the life of
// the object, so tests never touch the user's settings or one another's.
#include <filesystem>
#include <string>

#include "common/TestApp.h"
#include "win/RegistryStore.h"

namespace corvane::test {

class TempRegistry {
 public:
  TempRegistry() : folder_(MakeTempDir("corvane-registry")), previous_(RegistryStore::Instance().Path()) {
    RegistryStore::Instance().SetPath(File());
  }
  ~TempRegistry() {
    RegistryStore::Instance().SetPath(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  TempRegistry(const TempRegistry&) = delete;
  TempRegistry& operator=(const TempRegistry&) = delete;

  const std::string& Folder() const { return folder_; }
  std::string File() const { return folder_ + "/registry.sqlite3"; }

 private:
  std::string folder_;
  std::string previous_;
};

}  // namespace corvane::test
