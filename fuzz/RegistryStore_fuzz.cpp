// The settings store given arbitrary bytes: as the database file it opens (a damaged store must be
// moved aside and replaced, never crash), and as key paths, value names and data.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "win/Registry.h"
#include "win/RegistryStore.h"

namespace {

const std::string& Folder() {
  static const std::string folder = [] {
    char pattern[] = "/tmp/corvane-registry-fuzz-XXXXXX";
    return std::string(mkdtemp(pattern));
  }();
  return folder;
}

void Exercise(const std::string& key, const std::string& name, const std::string& data) {
  HKEY created{};
  if (RegCreateKeyEx(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr) ==
      ERROR_SUCCESS) {
    RegSetValueEx(created, name.c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(data.data()),
                  static_cast<DWORD>(data.size()));
    DWORD type = 0;
    std::string read;
    RegQueryValueData(created, name, type, read);
    std::vector<std::string> names;
    RegValueNames(created, names);
    RegCloseKey(created);
  }
  RegDeleteTree(HKEY_CURRENT_USER, key.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  if (size == 0) return 0;
  const std::string input(reinterpret_cast<const char*>(bytes + 1), size - 1);
  const std::string file = Folder() + "/registry.sqlite3";
  std::filesystem::remove_all(Folder());
  std::filesystem::create_directories(Folder());
  if (bytes[0] & 1) {
    std::ofstream(file, std::ios::binary) << input;
    RegistryStore::Instance().SetPath(file);
    Exercise("Software\\Ombrix", "Toolbar", "1");
  } else {
    RegistryStore::Instance().SetPath(file);
    const auto cut = input.find('\0');
    const std::string key = input.substr(0, cut);
    const std::string rest = cut == std::string::npos ? std::string() : input.substr(cut + 1);
    Exercise(key, rest.substr(0, rest.find('\0')), rest);
  }
  return 0;
}
