#pragma once
// Exceptions and the string and file-name routines of the run-time library. Text is 8-bit: std::string.
#include <cstdarg>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : Message(std::move(message)) {}
  const char* what() const noexcept override { return Message.c_str(); }
  std::string Message;
};

class EConvertError : public Exception { using Exception::Exception; };
class EListError : public Exception { using Exception::Exception; };
class EStringListError : public EListError { using EListError::EListError; };
class EInvalidOperation : public Exception { using Exception::Exception; };
class EInvalidPointer : public Exception { using Exception::Exception; };
class EComponentError : public Exception { using Exception::Exception; };
class EStreamError : public Exception { using Exception::Exception; };
class EFOpenError : public EStreamError { using EStreamError::EStreamError; };
// Something that exists under the name but is not opened as a file: a folder, a pipe, a device.
class EFRefusedError : public EFOpenError { using EFOpenError::EFOpenError; };
class EFCreateError : public EStreamError { using EStreamError::EStreamError; };
class EReadError : public EStreamError { using EStreamError::EStreamError; };
class EWriteError : public EStreamError { using EStreamError::EStreamError; };
class EOSError : public Exception { using Exception::Exception; };
// The silent exception: aborts an operation without a message box.
class EAbort : public Exception { using Exception::Exception; };
[[noreturn]] void Abort();

std::string IntToStr(long long value);
std::string IntToHex(unsigned long long value, int digits);
int StrToInt(const std::string& text);  // EConvertError "'%s' is not a valid integer value"
int StrToIntDef(const std::string& text, int fallback);
bool TryStrToInt(const std::string& text, int& value);

std::string UpperCase(const std::string& text);  // ASCII letters only, as the run-time library does
std::string LowerCase(const std::string& text);
int CompareText(std::string_view a, std::string_view b);  // ASCII case-insensitive, <0, 0, >0
int CompareStr(const std::string& a, const std::string& b);
bool SameText(const std::string& a, const std::string& b);
std::string Trim(const std::string& text);  // strips bytes <= ' ' at both ends
std::string TrimLeft(const std::string& text);
std::string TrimRight(const std::string& text);
std::string StringOfChar(char c, int count);
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatV(const char* format, va_list args);
// 1-based position of sub in text, 0 when absent.
int Pos(const std::string& sub, const std::string& text);
// 1-based substring as Copy(S, Index, Count) clamps it.
std::string Copy(const std::string& text, int index, int count);

// File names: '/' is the separator on this platform.
inline constexpr char PathDelim = '/';
std::string ExtractFilePath(const std::string& fileName);  // with the trailing separator
std::string ExtractFileDir(const std::string& fileName);   // without it
std::string ExtractFileName(const std::string& fileName);
std::string ExtractFileExt(const std::string& fileName);  // with the dot, "" when none
std::string ChangeFileExt(const std::string& fileName, const std::string& extension);
// A relative name joined to the current folder; EOSError when the current folder cannot be read.
std::string ExpandFileName(const std::string& fileName);
std::string IncludeTrailingPathDelimiter(const std::string& path);
bool FileExists(const std::string& fileName);  // a regular file (or a link to one)
bool DirectoryExists(const std::string& path);
bool DeleteFile(const std::string& fileName);
bool ForceDirectories(const std::string& path);
std::string GetCurrentDir();  // whatever its length; "" when it cannot be read (errno says why)

// Sets a value for a scope and restores it when the scope ends, also by an exception.
template <class T>
class TRestore {
 public:
  TRestore(T& target, T value) : target_(target), saved_(target) { target_ = value; }
  ~TRestore() { target_ = saved_; }
  TRestore(const TRestore&) = delete;
  TRestore& operator=(const TRestore&) = delete;

 private:
  T& target_;
  T saved_;
};
