#include "support/RegTools.h"

#include <algorithm>
#include <memory>

#include "support/CKSLib.h"
#include "vcl/Graphics.h"
#include "vcl/Registry.h"
#include "vcl/SysUtils.h"
#include "win/Kernel.h"
#include "win/Shell.h"
#include "win/WinUser.h"

namespace {

const char* const kPerlAppPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Perl.exe";
const char* const kDreamweaverAppPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Dreamweaver.exe";
const char* const kDefaultDreamweaver = "C:\\Program Files\\Macromedia\\Dreamweaver 2\\Dreamweaver.exe";
const char* const kUploader = "Uploader.exe";
// The largest font size in points that word processors offer. A stored size beyond it, or below one
// point, is no font a user chose, and would overflow the conversions to pixels.
constexpr int kLargestFontSize = 1638;

// A write lands or raises: a key that cannot be made is as much a failure as a value that cannot be.
template <class Write>
void WriteValue(HKEY root, const std::string& key, Write&& write) {
  TRegistry registry;
  registry.SetRootKey(root);
  if (!registry.OpenKey(key, true)) throw ERegistryException("Failed to create key " + key);
  write(registry);
}

// A value of another kind than the one read counts as missing, and the default takes its place with the
// right kind, so the same value does not stand in the way at every start; a store that refuses the
// write is no reason to fail the read.
template <class T, class Read, class Write>
T ReadValue(HKEY root, const std::string& key, const std::string& name, T fallback, Read&& read, Write&& write) {
  {
    TRegistry registry;
    registry.SetRootKey(root);
    if (!registry.OpenKeyReadOnly(key) || !registry.ValueExists(name)) return fallback;
    try {
      return read(registry);
    } catch (const ERegistryException&) {
    }
  }
  try {
    WriteValue(root, key, [&](TRegistry& r) { write(r, fallback); });
  } catch (const ERegistryException&) {
  }
  return fallback;
}

std::string AddTrailing(const std::string& path, char separator) {
  std::string result = Trim(path);
  if (result.empty()) return result;
  const char last = result.back();
  if (last != '/' && last != ':' && last != '\\') result += separator;
  return result;
}

TFontPitch PitchOf(int value) {
  switch (value) {
    case 1:
      return fpVariable;
    case 2:
      return fpFixed;
    default:
      return fpDefault;
  }
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return c - 'A' + 10;
}

}  // namespace

void RegWriteString(const std::string& Key, const std::string& Name, const std::string& Value) {
  WriteValue(HKEY_CURRENT_USER, Key, [&](TRegistry& r) { r.WriteString(Name, Value); });
}

void RegWriteStringLM(const std::string& Key, const std::string& Name, const std::string& Value) {
  WriteValue(HKEY_LOCAL_MACHINE, Key, [&](TRegistry& r) { r.WriteString(Name, Value); });
}

void RegWriteInteger(const std::string& Key, const std::string& Name, int Value) {
  WriteValue(HKEY_CURRENT_USER, Key, [&](TRegistry& r) { r.WriteInteger(Name, Value); });
}

void RegWriteBool(const std::string& Key, const std::string& Name, bool Value) {
  WriteValue(HKEY_CURRENT_USER, Key, [&](TRegistry& r) { r.WriteBool(Name, Value); });
}

std::string RegReadString(const std::string& Key, const std::string& Name, const std::string& Default) {
  return ReadValue(
      HKEY_CURRENT_USER, Key, Name, Default, [&](TRegistry& r) { return r.ReadString(Name); },
      [&](TRegistry& r, const std::string& value) { r.WriteString(Name, value); });
}

std::string RegReadStringLM(const std::string& Key, const std::string& Name, const std::string& Default) {
  return ReadValue(
      HKEY_LOCAL_MACHINE, Key, Name, Default, [&](TRegistry& r) { return r.ReadString(Name); },
      [&](TRegistry& r, const std::string& value) { r.WriteString(Name, value); });
}

int RegReadInteger(const std::string& Key, const std::string& Name, int Default) {
  return ReadValue(
      HKEY_CURRENT_USER, Key, Name, Default, [&](TRegistry& r) { return r.ReadInteger(Name); },
      [&](TRegistry& r, int value) { r.WriteInteger(Name, value); });
}

bool RegReadBool(const std::string& Key, const std::string& Name, bool Default) {
  return ReadValue(
      HKEY_CURRENT_USER, Key, Name, Default, [&](TRegistry& r) { return r.ReadBool(Name); },
      [&](TRegistry& r, bool value) { r.WriteBool(Name, value); });
}

void LoadFontFromRegistry(TFont* Font, const std::string& Key, const TFont* Defaults) {
  TFont read;
  // Whatever was read before a failure still reaches the target font.
  try {
    read.SetCharset(static_cast<TFontCharset>(RegReadInteger(Key, "CharSet", Defaults->Charset())));
    read.SetColor(RegReadInteger(Key, "Color", Defaults->Color()));
    const int largestHeight = MulDiv(kLargestFontSize, read.PixelsPerInch, 72);
    read.SetHeight(std::clamp(RegReadInteger(Key, "Height", Defaults->Height()), -largestHeight, largestHeight));
    read.SetName(RegReadString(Key, "Name", Defaults->Name()));
    read.SetPitch(PitchOf(RegReadInteger(Key, "Pitch", Defaults->Pitch())));
    read.SetSize(std::clamp(RegReadInteger(Key, "Size", Defaults->Size()), 1, kLargestFontSize));
    std::string style = RegReadString(Key, "Style", "----");
    if (style.size() < 4) style += "----";
    const TFontStyle byPosition[] = {fsBold, fsItalic, fsUnderline, fsStrikeOut};
    TFontStyles styles;
    for (int i = 0; i < 4; ++i)
      if (style[static_cast<size_t>(i)] != '-') styles.Include(byPosition[i]);
    read.SetStyle(styles);
  } catch (...) {
    Font->Assign(&read);
    throw;
  }
  Font->Assign(&read);
}

void SaveFontToRegistry(const TFont* Font, const std::string& Key) {
  RegWriteInteger(Key, "CharSet", Font->Charset());
  RegWriteInteger(Key, "Color", Font->Color());
  RegWriteInteger(Key, "Height", Font->Height());
  RegWriteString(Key, "Name", Font->Name());
  RegWriteInteger(Key, "Pitch", Font->Pitch());
  RegWriteInteger(Key, "Size", Font->Size());
  std::string style = "----";
  if (Font->Style().Contains(fsBold)) style[0] = 'B';
  if (Font->Style().Contains(fsItalic)) style[1] = 'I';
  if (Font->Style().Contains(fsUnderline)) style[2] = 'U';
  if (Font->Style().Contains(fsStrikeOut)) style[3] = 'S';
  RegWriteString(Key, "Style", style);
}

std::string AddTrailingDelimiter(const std::string& Path) { return AddTrailing(Path, PathDelim); }

std::string AddTrailingSlash(const std::string& Path) { return AddTrailing(Path, '/'); }

std::string GetWindowsDir() { return GetWindowsDirectory(); }

std::string GetTempDirectory() { return GetTempPath(); }

bool ShellOpen(const std::string& FileName) {
  try {
    ShellExecute(nullptr, "open", FileName, "", "", SW_SHOWNORMAL);
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

std::string GetPerlPath(const std::string& FirstLine) {
  const std::string stored = RegReadStringLM(kPerlAppPath, "", "");
  const std::string fromScript = FirstLine.size() > 2 ? FirstLine.substr(2) : std::string();
  if (!stored.empty()) return stored;
  if (!fromScript.empty() && FileExists(fromScript)) return fromScript;
  return DefaultPerlPath();
}

std::string DefaultPerlPath() {
  const std::string found = FindProgram("perl");
  return found.empty() ? "perl" : found;
}

std::string GetDreamweaverPath() { return RegReadStringLM(kDreamweaverAppPath, "", kDefaultDreamweaver); }

std::string GetUploaderPath() {
  const std::string program = ProgramFileName(kUploader);
  const std::string folder = AddTrailingDelimiter(ExtractFilePath(GetModuleFileName()));
  if (FileExists(folder + program)) return folder + program;
  const std::string ftpFolder = AddTrailingDelimiter(folder + "FTP");
  if (FileExists(ftpFolder + program)) return ftpFolder + program;
  return program;
}

std::string EscapePerlString(const std::string& Text) {
  std::string result = Text;
  // The backslash first, so the backslashes put in later are not doubled.
  for (const char* special : {"\\", "@", "#", "$", "\"", "&", "%"})
    ReplaceAllText(result, special, std::string("\\") + special);
  return result;
}

std::string SplitAtDelimiter(const std::string& Text, const std::string& Delimiter, bool Before, bool TrimIt) {
  const auto found = Delimiter.empty() ? std::string::npos : Text.find(Delimiter);
  if (found == std::string::npos) return Before ? Text : std::string();
  const std::string part = Before ? Text.substr(0, found) : Text.substr(found + Delimiter.size());
  return TrimIt ? Trim(part) : part;
}

std::string UrlEncodeText(const std::string& Text) {
  static const char kHex[] = "0123456789abcdef";
  std::string encoded;
  encoded.reserve(Text.size() * 3);
  for (const char c : Text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == ' ')
      encoded += '+';
    else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
      encoded += c;
    else
      encoded += {'%', kHex[byte >> 4], kHex[byte & 0xF]};
  }
  return encoded;
}

std::string UrlDecodeText(const std::string& Text) {
  std::string decoded;
  decoded.reserve(Text.size());
  for (std::size_t i = 0; i < Text.size(); ++i) {
    const char c = Text[i];
    if (c == '+') {
      decoded += ' ';
    } else if (c == '%') {
      if (i + 2 >= Text.size() || !IsHexDigit(Text[i + 1]) || !IsHexDigit(Text[i + 2])) return Text;
      decoded += static_cast<char>(HexValue(Text[i + 1]) * 16 + HexValue(Text[i + 2]));
      i += 2;
    } else {
      decoded += c;
    }
  }
  return decoded;
}
