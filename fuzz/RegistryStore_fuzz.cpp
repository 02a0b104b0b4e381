// The settings store given arbitrary bytes, with its files on tmpfs so that many inputs a second are
// tried. Odd first byte: the rest is the database file it opens; a file that cannot be a database is set
// aside unchanged with a notice, and a value written afterwards reads back. Even: the rest gives a key
// path, a value name and the data, which must read back exactly through a fresh open of the key.
#include <unistd.h>

#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "win/Registry.h"
#include "win/RegistryStore.h"

namespace {

namespace fs = std::filesystem;

const std::string& Folder() {
  static const std::string folder = [] {
    const fs::path memory = fs::exists("/dev/shm") ? "/dev/shm" : fs::temp_directory_path();
    std::string pattern = (memory / "corvane-registry-fuzz-XXXXXX").string();
    return std::string(mkdtemp(pattern.data()));
  }();
  return folder;
}

void Check(bool rule) {
  if (!rule) std::abort();
}

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The file set aside holds the bytes it was given. Only a database header may differ: the store asks for
// its own journal before it finds the damage, which rewrites the header's journal bytes and counters.
bool SameFile(const std::string& aside, const std::string& given) {
  constexpr std::size_t kHeader = 100;
  if (aside.size() != given.size()) return false;
  const bool header = given.starts_with(std::string("SQLite format 3\0", 16));
  const std::size_t from = header ? std::min(kHeader, given.size()) : 0;
  return aside.compare(from, std::string::npos, given, from, std::string::npos) == 0;
}

// Writes the value below the key, then reads it back through a key opened anew.
void WriteAndReadBack(const std::string& key, const std::string& name, DWORD type, const std::string& data) {
  HKEY created{};
  Check(RegCreateKeyEx(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr) ==
        ERROR_SUCCESS);
  Check(RegSetValueEx(created, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                      static_cast<DWORD>(data.size())) == ERROR_SUCCESS);
  RegCloseKey(created);
  HKEY opened{};
  Check(RegOpenKeyEx(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened) == ERROR_SUCCESS);
  DWORD readType = 0;
  std::string read;
  Check(RegQueryValueData(opened, name, readType, read) == ERROR_SUCCESS);
  Check(readType == type && read == data);
  RegCloseKey(opened);
}

// Empties the hive for the next input, so the store stays small.
void ClearHive() {
  std::vector<std::string> names;
  RegSubKeyNames(HKEY_CURRENT_USER, names);
  for (const std::string& name : names) RegDeleteTree(HKEY_CURRENT_USER, name.c_str());
  RegValueNames(HKEY_CURRENT_USER, names);
  for (const std::string& name : names) RegDeleteValue(HKEY_CURRENT_USER, name.c_str());
}

void OpenFile(const std::string& bytes) {
  const std::string folder = Folder() + "/file";
  fs::remove_all(folder);
  fs::create_directory(folder);
  const std::string file = folder + "/registry.sqlite3";
  std::ofstream(file, std::ios::binary) << bytes;
  std::vector<std::string> notices;
  RegistryStore::Instance().SetNoticeHandler([&](const std::string& text) { notices.push_back(text); });
  RegistryStore::Instance().SetPath(file);
  WriteAndReadBack("Software\\Ombrix", "Toolbar", REG_DWORD, std::string("\1\0\0\0", 4));
  RegistryStore::Instance().SetNoticeHandler(nullptr);
  std::vector<fs::path> aside;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().filename().string().starts_with("registry.sqlite3.damaged-")) aside.push_back(entry.path());
  // Bytes that do not begin as a database can never be opened as one.
  if (!bytes.empty() && !bytes.starts_with(std::string("SQLite format 3\0", 16))) Check(aside.size() == 1);
  if (!aside.empty()) {
    Check(aside.size() == 1 && SameFile(ReadAll(aside.front()), bytes));
    Check(notices.size() == 1 && notices.front().find(aside.front().string()) != std::string::npos);
  }
}

void ExerciseKeys(const std::string& input) {
  const std::string file = Folder() + "/keys.sqlite3";
  if (RegistryStore::Instance().Path() != file) RegistryStore::Instance().SetPath(file);
  const auto cut = input.find('\0');
  const std::string key = input.substr(0, cut);
  const std::string rest = cut == std::string::npos ? std::string() : input.substr(cut + 1);
  WriteAndReadBack(key, rest.substr(0, rest.find('\0')), REG_BINARY, rest);
  ClearHive();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  if (size == 0) return 0;
  const std::string input(reinterpret_cast<const char*>(bytes + 1), size - 1);
  if (bytes[0] & 1)
    OpenFile(input);
  else
    ExerciseKeys(input);
  return 0;
}
