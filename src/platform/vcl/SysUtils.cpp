#include "vcl/SysUtils.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "vcl/Events.h"

namespace vcl_detail {
CodeBytes NextLambdaCode() {
  // A process-wide counter gives each lambda binding a code no member pointer can have (data stays null).
  static std::atomic<unsigned long long> counter{0};
  CodeBytes code{};
  const unsigned long long id = ++counter;
  code.back() = 0xFF;
  std::memcpy(code.data(), &id, sizeof(id));
  return code;
}
}  // namespace vcl_detail

void Abort() { throw EAbort("Operation aborted"); }

std::string IntToStr(long long value) { return std::to_string(value); }

std::string IntToHex(unsigned long long value, int digits) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%0*llX", digits, value);
  return buffer;
}

bool TryStrToInt(const std::string& text, int& value) {
  const std::string t = Trim(text);
  if (t.empty()) return false;
  const char* begin = t.c_str();
  char* end = nullptr;
  errno = 0;
  long long parsed = 0;
  if (t[0] == '$') {
    parsed = std::strtoll(begin + 1, &end, 16);
  } else if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    parsed = std::strtoll(begin + 2, &end, 16);
  } else {
    parsed = std::strtoll(begin, &end, 10);
  }
  if (errno != 0 || end == nullptr || *end != '\0' || end == begin || parsed < INT_MIN || parsed > INT_MAX) return false;
  value = static_cast<int>(parsed);
  return true;
}

int StrToInt(const std::string& text) {
  int value = 0;
  if (!TryStrToInt(text, value)) throw EConvertError("'" + text + "' is not a valid integer value");
  return value;
}

int StrToIntDef(const std::string& text, int fallback) {
  int value = 0;
  return TryStrToInt(text, value) ? value : fallback;
}

std::string UpperCase(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return out;
}

std::string LowerCase(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return out;
}

int CompareText(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int CompareStr(const std::string& a, const std::string& b) {
  const int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool SameText(const std::string& a, const std::string& b) { return a.size() == b.size() && CompareText(a, b) == 0; }

static bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string TrimLeft(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && IsBlankOrControl(text[i])) ++i;
  return text.substr(i);
}

std::string TrimRight(const std::string& text) {
  size_t n = text.size();
  while (n > 0 && IsBlankOrControl(text[n - 1])) --n;
  return text.substr(0, n);
}

std::string Trim(const std::string& text) { return TrimLeft(TrimRight(text)); }

std::string StringOfChar(char c, int count) { return count > 0 ? std::string(static_cast<size_t>(count), c) : std::string(); }

std::string FormatV(const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  const int needed = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (needed <= 0) return std::string();
  std::string out(static_cast<size_t>(needed), '\0');
  std::vsnprintf(out.data(), out.size() + 1, format, args);
  return out;
}

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string out = FormatV(format, args);
  va_end(args);
  return out;
}

int Pos(const std::string& sub, const std::string& text) {
  if (sub.empty()) return 0;
  const size_t at = text.find(sub);
  return at == std::string::npos ? 0 : static_cast<int>(at) + 1;
}

std::string Copy(const std::string& text, int index, int count) {
  if (index < 1) index = 1;
  if (count <= 0 || static_cast<size_t>(index) > text.size()) return std::string();
  return text.substr(static_cast<size_t>(index - 1), static_cast<size_t>(count));
}

std::string ExtractFilePath(const std::string& fileName) {
  const size_t at = fileName.find_last_of(PathDelim);
  return at == std::string::npos ? std::string() : fileName.substr(0, at + 1);
}

std::string ExtractFileDir(const std::string& fileName) {
  const size_t at = fileName.find_last_of(PathDelim);
  if (at == std::string::npos) return std::string();
  return at == 0 ? std::string(1, PathDelim) : fileName.substr(0, at);
}

std::string ExtractFileName(const std::string& fileName) {
  const size_t at = fileName.find_last_of(PathDelim);
  return at == std::string::npos ? fileName : fileName.substr(at + 1);
}

std::string ExtractFileExt(const std::string& fileName) {
  const size_t at = fileName.find_last_of(std::string(1, PathDelim) + ".");
  if (at == std::string::npos || fileName[at] != '.') return std::string();
  return fileName.substr(at);
}

std::string ChangeFileExt(const std::string& fileName, const std::string& extension) {
  const size_t at = fileName.find_last_of(std::string(1, PathDelim) + ".");
  if (at == std::string::npos || fileName[at] != '.') return fileName + extension;
  return fileName.substr(0, at) + extension;
}

std::string ExpandFileName(const std::string& fileName) {
  if (fileName.empty() || fileName[0] == PathDelim) return fileName;
  const std::string current = GetCurrentDir();
  // Without the current folder the name stands for no file, least of all one at the root.
  if (current.empty())
    throw EOSError("Cannot find the full name of \"" + fileName + "\". The current folder cannot be read: " +
                   std::strerror(errno));
  return IncludeTrailingPathDelimiter(current) + fileName;
}

std::string IncludeTrailingPathDelimiter(const std::string& path) {
  if (!path.empty() && path.back() == PathDelim) return path;
  return path + PathDelim;
}

bool FileExists(const std::string& fileName) {
  struct stat info {};
  return !fileName.empty() && ::stat(fileName.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool DeleteFile(const std::string& fileName) { return ::unlink(fileName.c_str()) == 0; }

bool ForceDirectories(const std::string& path) {
  if (path.empty()) return false;
  std::string dir = path;
  while (dir.size() > 1 && dir.back() == PathDelim) dir.pop_back();
  if (DirectoryExists(dir)) return true;
  const std::string parent = ExtractFileDir(dir);
  if (!parent.empty() && parent != dir && !ForceDirectories(parent)) return false;
  return ::mkdir(dir.c_str(), 0777) == 0 || DirectoryExists(dir);
}

std::string GetCurrentDir() {
  // The system makes room for the whole name, however deep the folder.
  const std::unique_ptr<char, decltype(&std::free)> current(::getcwd(nullptr, 0), &std::free);
  return current ? std::string(current.get()) : std::string();
}
