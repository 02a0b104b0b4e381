// The ini file given an arbitrary file and one write or delete: every other entry reads as before,
// no section goes missing, the written entry reads back as written (trimmed, one pair of enclosing
// quotes dropped), and a name or value the file cannot hold is refused with the file left as it was.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "vcl/IniFiles.h"

namespace {

// A private folder for the process, removed when it ends.
struct TFolder {
  std::string path;
  TFolder() {
    char pattern[] = "/tmp/corvane-ini-fuzz-XXXXXX";
    path = mkdtemp(pattern);
  }
  ~TFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

const std::string& FilePath() {
  static const TFolder folder;
  static const std::string file = folder.path + "/fuzz.ini";
  return file;
}

std::string FileBytes() {
  std::ifstream in(FilePath(), std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "ini file oracle broken: %s\n", what);
  std::abort();
}

struct TEntry {
  std::string section, key, value;
};

std::vector<std::string> Items(const TStringList& list) {
  std::vector<std::string> items;
  for (int i = 0; i < list.Count(); ++i) items.push_back(list.Get(i));
  return items;
}

std::vector<std::string> Sections(const TIniFile& ini) {
  TStringList list;
  ini.ReadSections(&list);
  return Items(list);
}

std::vector<TEntry> Snapshot(const TIniFile& ini) {
  std::vector<TEntry> entries;
  for (const std::string& section : Sections(ini)) {
    TStringList keys;
    ini.ReadSection(section, &keys);
    for (const std::string& key : Items(keys)) entries.push_back({section, key, ini.ReadString(section, key, "")});
  }
  return entries;
}

bool Holds(const std::string& text, const std::string& bytes) { return text.find_first_of(bytes) != std::string::npos; }

// What the file format can hold: names that read back as themselves, nothing that ends a line.
bool Writable(const std::string& section, const std::string& key, const std::string& value) {
  if (Holds(section + key + value, "\r\n")) return false;
  if (Trim(section) != section || Holds(section, "]")) return false;
  return !key.empty() && Trim(key) == key && !Holds(key, "=") && key[0] != ';' && key[0] != '[';
}

std::string AsRead(const std::string& value) {
  std::string read = Trim(value);
  if (read.size() >= 2 && (read.front() == '"' || read.front() == '\'') && read.back() == read.front())
    read = read.substr(1, read.size() - 2);
  return read;
}

// Input: an operation byte, two bytes giving the file's length, the file, then the section, the key
// and the value, parted by NUL bytes.
struct TInput {
  bool remove = false;
  std::string file, section, key, value;
};

TInput Parse(const std::uint8_t* data, size_t size) {
  TInput input;
  input.remove = data[0] & 1;
  const size_t length = std::min<size_t>(data[1] | (data[2] << 8), size - 3);
  const std::string bytes(reinterpret_cast<const char*>(data + 3), size - 3);
  input.file = bytes.substr(0, length);
  std::istringstream fields(bytes.substr(length));
  std::getline(fields, input.section, '\0');
  std::getline(fields, input.key, '\0');
  std::getline(fields, input.value, '\0');
  return input;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const TInput input = Parse(data, size);
  std::ofstream(FilePath(), std::ios::binary | std::ios::trunc) << input.file;
  TIniFile ini(FilePath());
  const std::vector<std::string> sectionsBefore = Sections(ini);
  const std::vector<TEntry> before = Snapshot(ini);

  if (input.remove) {
    ini.DeleteKey(input.section, input.key);
  } else if (!Writable(input.section, input.key, input.value)) {
    const std::string bytesBefore = FileBytes();
    try {
      ini.WriteString(input.section, input.key, input.value);
      Fail("a write the file cannot hold was accepted");
    } catch (const EIniFileException&) {
    }
    if (FileBytes() != bytesBefore) Fail("a refused write changed the file");
    return 0;
  } else {
    ini.WriteString(input.section, input.key, input.value);
    if (ini.ReadString(input.section, input.key, "") != AsRead(input.value))
      Fail("the written value reads back otherwise");
  }

  for (const TEntry& entry : before) {
    if (SameText(entry.section, input.section) && SameText(entry.key, input.key)) continue;
    if (ini.ReadString(entry.section, entry.key, "\x01missing") != entry.value) Fail("another entry changed");
  }
  std::vector<std::string> sectionsAfter = Sections(ini);
  bool known = false;
  for (const std::string& section : sectionsBefore) known = known || SameText(section, input.section);
  if (!known && !input.remove) {
    if (sectionsAfter.empty() || sectionsAfter.back() != input.section) Fail("the new section is not at the end");
    sectionsAfter.pop_back();
  }
  if (sectionsAfter != sectionsBefore) Fail("the sections changed");
  return 0;
}
