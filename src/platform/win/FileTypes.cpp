#include "win/FileTypes.h"

#include <QMimeDatabase>
#include <QMimeType>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/SysUtils.h"
#include "win/ReplaceFile.h"

namespace fs = std::filesystem;

namespace {

const char* const kEntry = "Desktop Entry";
const char* const kAdded = "Added Associations";
const char* const kDefaults = "Default Applications";

// A key file's lines, changed a key at a time so that everything else in it stays as it was.
class TKeyFile {
 public:
  explicit TKeyFile(const std::string& text) {
    std::string::size_type start = 0;
    while (start < text.size()) {
      const auto end = text.find('\n', start);
      lines_.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
      if (end == std::string::npos) break;
      start = end + 1;
    }
  }

  std::string Text() const {
    std::string text;
    for (const std::string& line : lines_) text += line + "\n";
    return text;
  }

  std::optional<std::string> Get(const std::string& section, const std::string& key) const {
    if (const auto line = Find(section, key)) return TrimLeft(lines_[*line].substr(lines_[*line].find('=') + 1));
    return std::nullopt;
  }

  // Replaces the key's line, else adds one after the section's last key, else adds the section.
  void Set(const std::string& section, const std::string& key, const std::string& value) {
    const std::string line = key + "=" + value;
    if (const auto found = Find(section, key)) {
      lines_[*found] = line;
      return;
    }
    const auto [first, last] = Lines(section);
    if (!first) {
      if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
      lines_.push_back("[" + section + "]");
      lines_.push_back(line);
      return;
    }
    std::size_t at = last;
    while (at > *first && Trim(lines_[at - 1]).empty()) --at;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), line);
  }

 private:
  // The lines between the section's header and the next header; no first line without the section.
  std::pair<std::optional<std::size_t>, std::size_t> Lines(const std::string& section) const {
    const auto header = std::find_if(lines_.begin(), lines_.end(),
                                     [&](const std::string& line) { return Trim(line) == "[" + section + "]"; });
    if (header == lines_.end()) return {std::nullopt, lines_.size()};
    const auto next = std::find_if(header + 1, lines_.end(),
                                   [](const std::string& line) { return Trim(line).rfind('[', 0) == 0; });
    return {static_cast<std::size_t>(header + 1 - lines_.begin()), static_cast<std::size_t>(next - lines_.begin())};
  }

  std::optional<std::size_t> Find(const std::string& section, const std::string& key) const {
    const auto [first, last] = Lines(section);
    for (std::size_t i = first.value_or(last); i < last; ++i) {
      const std::string& line = lines_[i];
      const auto equals = line.find('=');
      if (equals != std::string::npos && Trim(line).rfind('#', 0) != 0 && Trim(line.substr(0, equals)) == key)
        return i;
    }
    return std::nullopt;
  }

  std::vector<std::string> lines_;
};

std::vector<std::string> ListOf(const std::string& value) {
  std::vector<std::string> items;
  std::string::size_type start = 0;
  while (start < value.size()) {
    const auto end = std::min(value.find(';', start), value.size());
    if (end > start) items.push_back(value.substr(start, end - start));
    start = end + 1;
  }
  return items;
}

std::string JoinedList(const std::vector<std::string>& items) {
  std::string value;
  for (const std::string& item : items) value += item + ";";
  return value;
}

void AddOnce(std::vector<std::string>& items, const std::string& item) {
  if (std::find(items.begin(), items.end(), item) == items.end()) items.push_back(item);
}

bool IsUtf8(const std::string& text) { return QString::fromUtf8(text).toUtf8().toStdString() == text; }

// A string value of a desktop file: backslashes and line breaks escaped.
std::string Escaped(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '\\')
      escaped += "\\\\";
    else if (c == '\n')
      escaped += "\\n";
    else if (c == '\t')
      escaped += "\\t";
    else if (c == '\r')
      escaped += "\\r";
    else
      escaped += c;
  }
  return escaped;
}

// The program as the first word of a command line of the entry. It is quoted only when it holds a
// blank or a shell sign, which quoting keeps part of it: some openers take the first word as it
// stands, quotes and all.
std::string ProgramWord(const std::string& program) {
  if (program.find_first_of(" \t\n\"'\\><~|&;$*?#()`") == std::string::npos) return program;
  std::string quoted = "\"";
  for (const char c : program) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

std::string XmlEscaped(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '&')
      escaped += "&amp;";
    else if (c == '<')
      escaped += "&lt;";
    else if (c == '>')
      escaped += "&gt;";
    else
      escaped += c;
  }
  return escaped;
}

// A folder of the user's that the variable names when it holds an absolute path, else the one below home.
std::string UserFolder(const char* variable, const char* belowHome) {
  if (const char* value = std::getenv(variable); value && *value == '/') return value;
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + "/" + belowHome;
}

std::string ReadWhole(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

enum class TWrite { Unchanged, Written, Failed };

TWrite WriteIfChanged(const std::string& file, const std::string& text) {
  std::error_code error;
  if (fs::exists(file, error) && ReadWhole(file) == text) return TWrite::Unchanged;
  fs::create_directories(fs::path(file).parent_path(), error);
  try {
    WriteFileReplacing(file, [&](TStream& stream) { stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size())); });
  } catch (const std::exception&) {
    return TWrite::Failed;
  }
  return TWrite::Written;
}

std::string OwnTypeName(const std::string& extension) { return "application/x-" + LowerCase(extension); }

// The text types the MIME database gives a file with the extension, each with its aliases. The type
// of its own an earlier registration gave the extension does not count, so the registration takes the
// same way whether or not the database has taken that type in yet.
std::vector<std::vector<std::string>> TextTypesOf(const std::string& extension) {
  std::vector<std::vector<std::string>> types;
  const QMimeDatabase database;
  for (const QMimeType& type : database.mimeTypesForFileName(QString::fromUtf8("x." + extension))) {
    if (!type.inherits("text/plain") || type.name().toStdString() == OwnTypeName(extension)) continue;
    std::vector<std::string> names{type.name().toStdString()};
    for (const QString& alias : type.aliases()) names.push_back(alias.toStdString());
    types.push_back(std::move(names));
  }
  return types;
}

bool NamesAType(const std::string& extension) {
  return std::all_of(extension.begin(), extension.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' || c == '-' ||
           c == '.' || c == '_';
  });
}

std::string TypePackage(const std::string& type, const std::string& extension, const std::string& description) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
         "  <mime-type type=\"" + type + "\">\n"
         "    <comment>" + XmlEscaped(description) + "</comment>\n"
         "    <sub-class-of type=\"text/plain\"/>\n"
         "    <glob pattern=\"*." + extension + "\"/>\n"
         "  </mime-type>\n"
         "</mime-info>\n";
}

bool RebuildMimeDatabase(const std::string& folder) {
  QProcess tool;
  tool.setStandardOutputFile(QProcess::nullDevice());
  tool.setStandardErrorFile(QProcess::nullDevice());
  tool.start("update-mime-database", {QString::fromUtf8(folder)});
  return tool.waitForFinished(60000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

// The type of its own for an extension the database knows no text type for, made known to the database.
std::optional<std::string> OwnType(const std::string& extension, const std::string& description,
                                   const std::string& package) {
  if (!NamesAType(extension)) return std::nullopt;
  const std::string type = OwnTypeName(extension);
  const std::string folder = fs::path(package).parent_path().parent_path().string();
  const TWrite written = WriteIfChanged(package, TypePackage(type, extension, description));
  if (written == TWrite::Failed) return std::nullopt;
  std::error_code error;
  if ((written == TWrite::Written || !fs::exists(folder + "/mime.cache", error)) && !RebuildMimeDatabase(folder))
    return std::nullopt;
  return type;
}

std::string EntryText(const std::string& current, const std::string& program, const std::string& icon,
                      const std::vector<std::vector<std::string>>& types) {
  TKeyFile entry(current);
  entry.Set(kEntry, "Type", "Application");
  entry.Set(kEntry, "Name", Escaped(ExtractFileName(program)));
  entry.Set(kEntry, "Exec", Escaped(ProgramWord(program)) + " %f");
  if (!icon.empty()) entry.Set(kEntry, "Icon", Escaped(icon));
  std::vector<std::string> listed = ListOf(entry.Get(kEntry, "MimeType").value_or(""));
  for (const auto& names : types)
    for (const std::string& name : names) AddOnce(listed, name);
  entry.Set(kEntry, "MimeType", JoinedList(listed));
  return entry.Text();
}

std::string AssociationsText(const std::string& current, const std::string& entryId,
                             const std::vector<std::vector<std::string>>& types) {
  TKeyFile list(current);
  for (const auto& names : types) {
    // A type and its aliases are one type: a default the user chose under any of its names stands.
    const bool chosen =
        std::any_of(names.begin(), names.end(), [&](const std::string& name) { return list.Get(kDefaults, name).has_value(); });
    for (const std::string& name : names) {
      std::vector<std::string> programs = ListOf(list.Get(kAdded, name).value_or(""));
      if (std::find(programs.begin(), programs.end(), entryId) == programs.end()) {
        programs.push_back(entryId);
        list.Set(kAdded, name, JoinedList(programs));
      }
      if (!chosen) list.Set(kDefaults, name, entryId + ";");
    }
  }
  return list.Text();
}

// A name that can stand in a list of the MIME applications list and as a file name.
bool IsEntryId(const std::string& id) {
  return IsUtf8(id) && std::none_of(id.begin(), id.end(), [](char c) {
    return c == '/' || c == ';' || c == '=' || static_cast<unsigned char>(c) < ' ';
  });
}

}  // namespace

bool AssociateFileType(const std::string& extension, const std::string& typeName, const std::string& description,
                       const std::string& program, const std::string& icon) {
  const std::string name = ExtractFileName(program);
  const std::string entryId = name + "-" + typeName + ".desktop";
  // A percent sign in the program's path has no form the desktop both accepts and runs: "%%" stays
  // doubled when the desktop looks for the program.
  if (!IsEntryId(entryId) || !IsUtf8(program) || program.find('%') != std::string::npos || !IsUtf8(icon) ||
      !IsUtf8(description) || !IsUtf8(extension))
    return false;
  const std::string data = UserFolder("XDG_DATA_HOME", ".local/share");
  std::vector<std::vector<std::string>> types = TextTypesOf(extension);
  if (types.empty()) {
    const auto own = OwnType(extension, description, data + "/mime/packages/" + name + "-" + LowerCase(extension) + ".xml");
    if (!own) return false;
    types.push_back({*own});
  }
  const std::string entry = data + "/applications/" + entryId;
  if (WriteIfChanged(entry, EntryText(ReadWhole(entry), program, icon, types)) == TWrite::Failed) return false;
  const std::string list = UserFolder("XDG_CONFIG_HOME", ".config") + "/mimeapps.list";
  return WriteIfChanged(list, AssociationsText(ReadWhole(list), entryId, types)) != TWrite::Failed;
}
