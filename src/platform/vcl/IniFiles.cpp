#include "vcl/IniFiles.h"

#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "vcl/Classes.h"
#include "win/Kernel.h"
#include "win/ReplaceFile.h"

namespace {

// One line of the file as read; edits keep every other line (comments included) as it was.
struct IniLine {
  std::string text;
  std::string section;  // set on a section header
  std::string key;      // set on an entry
  bool isSection = false;
  bool isEntry = false;
};

IniLine ParseLine(const std::string& text) {
  IniLine line;
  line.text = text;
  const std::string trimmed = Trim(text);
  if (trimmed.size() >= 2 && trimmed.front() == '[') {
    const auto close = trimmed.find(']');
    line.isSection = true;
    line.section = Trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    return line;
  }
  if (trimmed.empty() || trimmed.front() == ';') return line;
  const auto equals = trimmed.find('=');
  if (equals == std::string::npos || equals == 0) return line;
  line.isEntry = true;
  line.key = Trim(trimmed.substr(0, equals));
  return line;
}

std::string EntryValue(const IniLine& line) {
  std::string value = Trim(line.text.substr(line.text.find('=') + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return value;
}

class IniDocument {
 public:
  explicit IniDocument(const std::string& fileName) : fileName_(fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return;
    std::ostringstream content;
    content << in.rdbuf();
    for (const std::string& text : SplitLines(content.str())) lines_.push_back(ParseLine(text));
  }

  // Index of the section's header, or nullopt.
  std::optional<std::size_t> FindSection(const std::string& section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
      if (lines_[i].isSection && SameText(lines_[i].section, section)) return i;
    return std::nullopt;
  }

  // One past the section's last line.
  std::size_t SectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && !lines_[i].isSection) ++i;
    return i;
  }

  std::optional<std::size_t> FindEntry(const std::string& section, const std::string& key) const {
    const auto header = FindSection(section);
    if (!header) return std::nullopt;
    for (std::size_t i = *header + 1, end = SectionEnd(*header); i < end; ++i)
      if (lines_[i].isEntry && SameText(lines_[i].key, key)) return i;
    return std::nullopt;
  }

  std::vector<std::size_t> Entries(const std::string& section) const {
    std::vector<std::size_t> found;
    if (const auto header = FindSection(section))
      for (std::size_t i = *header + 1, end = SectionEnd(*header); i < end; ++i)
        if (lines_[i].isEntry) found.push_back(i);
    return found;
  }

  std::vector<std::string> Sections() const {
    std::vector<std::string> names;
    for (const IniLine& line : lines_)
      if (line.isSection) names.push_back(line.section);
    return names;
  }

  const IniLine& Line(std::size_t index) const { return lines_[index]; }

  void Set(const std::string& section, const std::string& key, const std::string& value) {
    IniLine entry = ParseLine(key + "=" + value);
    if (const auto existing = FindEntry(section, key)) {
      lines_[*existing] = entry;
      return;
    }
    if (const auto header = FindSection(section)) {
      // After the section's last entry, before the blank lines that part it from the next.
      std::size_t at = SectionEnd(*header);
      while (at > *header + 1 && Trim(lines_[at - 1].text).empty()) --at;
      lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), entry);
      return;
    }
    lines_.push_back(ParseLine("[" + section + "]"));
    lines_.push_back(entry);
  }

  bool Remove(const std::string& section, const std::string& key) {
    const auto existing = FindEntry(section, key);
    if (!existing) return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*existing));
    return true;
  }

  bool RemoveSection(const std::string& section) {
    const auto header = FindSection(section);
    if (!header) return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(*header)));
    return true;
  }

  // Through a new file that takes the old one's place, so that nothing beside it is touched.
  void Save() const {
    try {
      WriteFileReplacing(fileName_, [this](TStream& stream) {
        std::string text;
        for (const IniLine& line : lines_) text += line.text + "\r\n";
        stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
      });
    } catch (const EStreamError&) {
      throw EIniFileException("Unable to write to " + fileName_);
    }
  }

 private:
  std::string fileName_;
  std::vector<IniLine> lines_;
};

bool HoldsAny(const std::string& text, const char* bytes) { return text.find_first_of(bytes) != std::string::npos; }

// A line break would add lines of its own, and a name that reads back as another (blanks around it, a
// bracket or an equals sign in it, a leading comment mark) would change some other entry.
bool Writable(const std::string& section, const std::string& key, const std::string& value) {
  if (HoldsAny(section, "\r\n]") || HoldsAny(key, "\r\n=") || HoldsAny(value, "\r\n")) return false;
  return Trim(section) == section && !key.empty() && Trim(key) == key && key[0] != ';' && key[0] != '[';
}

void FillStrings(TStrings* strings, const std::vector<std::string>& items) {
  strings->BeginUpdate();
  strings->Clear();
  for (const std::string& item : items) strings->Add(item);
  strings->EndUpdate();
}

}  // namespace

TIniFile::TIniFile(const std::string& FileName)
    : fileName_(FileName.find('/') == std::string::npos ? IncludeTrailingPathDelimiter(GetWindowsDirectory()) + FileName
                                                        : FileName) {}

std::string TIniFile::ReadString(const std::string& Section, const std::string& Ident,
                                 const std::string& Default) const {
  const IniDocument document(fileName_);
  const auto entry = document.FindEntry(Section, Ident);
  return entry ? EntryValue(document.Line(*entry)) : Default;
}

int TIniFile::ReadInteger(const std::string& Section, const std::string& Ident, int Default) const {
  return StrToIntDef(ReadString(Section, Ident, ""), Default);
}

bool TIniFile::ReadBool(const std::string& Section, const std::string& Ident, bool Default) const {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) {
  if (!Writable(Section, Ident, Value))
    throw EIniFileException("Unable to write \"" + Ident + "\" in [" + Section + "] to " + fileName_ +
                            ": the name or value cannot stand in an ini file");
  IniDocument document(fileName_);
  document.Set(Section, Ident, Value);
  document.Save();
}

void TIniFile::WriteInteger(const std::string& Section, const std::string& Ident, int Value) {
  WriteString(Section, Ident, IntToStr(Value));
}

void TIniFile::WriteBool(const std::string& Section, const std::string& Ident, bool Value) {
  WriteString(Section, Ident, Value ? "1" : "0");
}

bool TIniFile::SectionExists(const std::string& Section) const {
  return IniDocument(fileName_).FindSection(Section).has_value();
}

bool TIniFile::ValueExists(const std::string& Section, const std::string& Ident) const {
  return IniDocument(fileName_).FindEntry(Section, Ident).has_value();
}

void TIniFile::ReadSection(const std::string& Section, TStrings* Strings) const {
  const IniDocument document(fileName_);
  std::vector<std::string> keys;
  for (std::size_t i : document.Entries(Section)) keys.push_back(document.Line(i).key);
  FillStrings(Strings, keys);
}

void TIniFile::ReadSections(TStrings* Strings) const { FillStrings(Strings, IniDocument(fileName_).Sections()); }

void TIniFile::ReadSectionValues(const std::string& Section, TStrings* Strings) const {
  const IniDocument document(fileName_);
  std::vector<std::string> items;
  for (std::size_t i : document.Entries(Section))
    items.push_back(document.Line(i).key + "=" + EntryValue(document.Line(i)));
  FillStrings(Strings, items);
}

void TIniFile::EraseSection(const std::string& Section) {
  IniDocument document(fileName_);
  if (document.RemoveSection(Section)) document.Save();
}

void TIniFile::DeleteKey(const std::string& Section, const std::string& Ident) {
  IniDocument document(fileName_);
  if (document.Remove(Section, Ident)) document.Save();
}
