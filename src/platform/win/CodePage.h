#pragma once
// The system ANSI code page: the 8-bit text of scripts becomes characters on screen, on the printer and on
// the clipboard through it. Windows-1251 unless chosen otherwise.
#include <cstddef>
#include <string>
#include <string_view>

enum class TAnsiCodePage { cp1251, cp1252, koi8r };

TAnsiCodePage GetACP();
void SetACP(TAnsiCodePage codePage);
// The name the character sets give the code page ("Windows-1251").
const char* CodePageName(TAnsiCodePage codePage);

// The characters a conversion into the code page met that the code page lacks: how many, and the first.
struct TUnmappedChars {
  std::size_t Count = 0;
  char32_t First = 0;
  void Add(char32_t u) {
    if (Count++ == 0) First = u;
  }
  void Add(const TUnmappedChars& More) {
    if (Count == 0) First = More.First;
    Count += More.Count;
  }
};

// One byte to its Unicode code point (bytes with no character map to U+FFFD).
char32_t AnsiCharToUnicode(unsigned char c);
// A code point to its byte, or false when the code page has none for it.
bool UnicodeToAnsiChar(char32_t u, unsigned char& c);
// The same two for a code page named instead of the system's.
char32_t CodePageCharToUnicode(TAnsiCodePage codePage, unsigned char c);
bool UnicodeToCodePageChar(TAnsiCodePage codePage, char32_t u, unsigned char& c);

std::u32string AnsiToUnicode(const std::string& text);
std::string AnsiToUtf8(const std::string& text);
// Characters the code page lacks become '?'.
std::string Utf8ToAnsi(const std::string& utf8);
// The same, telling where the first '?' that stands for a lacking character lies in the result
// (std::string::npos when the code page has every character).
std::string Utf8ToAnsi(std::string_view utf8, size_t& FirstLacking);
// The same where the text lies (the code page's text is never longer); returns its length.
size_t Utf8ToAnsiInPlace(char* Text, size_t Size, size_t& FirstLacking);
// True when every byte sequence of the text is a well-formed UTF-8 character (a text of ASCII is).
bool IsValidUtf8(std::string_view text);
// True when no byte of the text lies outside ASCII, which reads the same in UTF-8 and every code page.
bool IsAscii(std::string_view text);
