#pragma once
// TIniFile: sections of "name=value" entries in a text file, read and written the way the
// system's profile functions do: names compare without regard to letter case, values are
// trimmed and lose one pair of enclosing quotes when read, and every write goes to the file
// at once (through a temporary file renamed over it, so a crash leaves the old or the new).
#include <string>

#include "vcl/Classes.h"
#include "vcl/SysUtils.h"

class EIniFileException : public Exception {
 public:
  using Exception::Exception;
};

class TIniFile : public TObject {
 public:
  // A bare file name lies in the system's default ini folder (GetWindowsDirectory).
  explicit TIniFile(const std::string& FileName);
  std::string ClassName() const override { return "TIniFile"; }

  const std::string& FileName() const { return fileName_; }

  std::string ReadString(const std::string& Section, const std::string& Ident, const std::string& Default) const;
  // Decimal, or hexadecimal after "0x" or "$"; anything else gives the default.
  int ReadInteger(const std::string& Section, const std::string& Ident, int Default) const;
  bool ReadBool(const std::string& Section, const std::string& Ident, bool Default) const;
  // Writes raise EIniFileException when the file cannot be written, and for a name or value it cannot
  // hold (a line break anywhere, blanks around a name, "]" in a section, "=" in a key or a key that
  // starts with ";" or "["); the old file stays.
  void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value);
  void WriteInteger(const std::string& Section, const std::string& Ident, int Value);
  void WriteBool(const std::string& Section, const std::string& Ident, bool Value);

  bool SectionExists(const std::string& Section) const;
  bool ValueExists(const std::string& Section, const std::string& Ident) const;
  void ReadSection(const std::string& Section, TStrings* Strings) const;
  void ReadSections(TStrings* Strings) const;
  void ReadSectionValues(const std::string& Section, TStrings* Strings) const;
  void EraseSection(const std::string& Section);
  void DeleteKey(const std::string& Section, const std::string& Ident);
  // Writes are never held back; kept for callers that flush explicitly.
  void UpdateFile() {}

 private:
  std::string fileName_;
};
