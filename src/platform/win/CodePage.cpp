#include "win/CodePage.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>

namespace {

using HighHalf = std::array<char16_t, 128>;

// Bytes 128..255 of each code page; 0..127 are ASCII in all of them.
constexpr HighHalf k1251 = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};
constexpr HighHalf k1252 = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,
    0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7,
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF,
    0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7,
    0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF,
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7,
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF,
    0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7,
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF,
};
constexpr HighHalf kKoi8r = {
    0x2500, 0x2502, 0x250C, 0x2510, 0x2514, 0x2518, 0x251C, 0x2524,
    0x252C, 0x2534, 0x253C, 0x2580, 0x2584, 0x2588, 0x258C, 0x2590,
    0x2591, 0x2592, 0x2593, 0x2320, 0x25A0, 0x2219, 0x221A, 0x2248,
    0x2264, 0x2265, 0x00A0, 0x2321, 0x00B0, 0x00B2, 0x00B7, 0x00F7,
    0x2550, 0x2551, 0x2552, 0x0451, 0x2553, 0x2554, 0x2555, 0x2556,
    0x2557, 0x2558, 0x2559, 0x255A, 0x255B, 0x255C, 0x255D, 0x255E,
    0x255F, 0x2560, 0x2561, 0x0401, 0x2562, 0x2563, 0x2564, 0x2565,
    0x2566, 0x2567, 0x2568, 0x2569, 0x256A, 0x256B, 0x256C, 0x00A9,
    0x044E, 0x0430, 0x0431, 0x0446, 0x0434, 0x0435, 0x0444, 0x0433,
    0x0445, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E,
    0x043F, 0x044F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0436, 0x0432,
    0x044C, 0x044B, 0x0437, 0x0448, 0x044D, 0x0449, 0x0447, 0x044A,
    0x042E, 0x0410, 0x0411, 0x0426, 0x0414, 0x0415, 0x0424, 0x0413,
    0x0425, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E,
    0x041F, 0x042F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0416, 0x0412,
    0x042C, 0x042B, 0x0417, 0x0428, 0x042D, 0x0429, 0x0427, 0x042A,
};

std::atomic<TAnsiCodePage> gCodePage{TAnsiCodePage::cp1251};

const HighHalf& HighHalfOf(TAnsiCodePage codePage) {
  switch (codePage) {
    case TAnsiCodePage::cp1252: return k1252;
    case TAnsiCodePage::koi8r: return kKoi8r;
    default: return k1251;
  }
}

// Each code page's high half sorted by character, so a whole UTF-8 text converts without a search
// through the table for every character.
struct ReverseEntry {
  char32_t unicode;
  unsigned char byte;
};
using ReverseHalf = std::array<ReverseEntry, 128>;

ReverseHalf SortedByCharacter(const HighHalf& half) {
  ReverseHalf reverse{};
  for (size_t i = 0; i < half.size(); ++i) reverse[i] = {half[i], static_cast<unsigned char>(0x80 + i)};
  std::sort(reverse.begin(), reverse.end(), [](const ReverseEntry& a, const ReverseEntry& b) { return a.unicode < b.unicode; });
  return reverse;
}

const ReverseHalf& ReverseHalfOf(TAnsiCodePage codePage) {
  static const ReverseHalf k1251Reverse = SortedByCharacter(k1251);
  static const ReverseHalf k1252Reverse = SortedByCharacter(k1252);
  static const ReverseHalf kKoi8rReverse = SortedByCharacter(kKoi8r);
  switch (codePage) {
    case TAnsiCodePage::cp1252: return k1252Reverse;
    case TAnsiCodePage::koi8r: return kKoi8rReverse;
    default: return k1251Reverse;
  }
}

// Where the first byte outside ASCII lies, eight bytes at a time (the text's size when there is none).
size_t AsciiPrefix(std::string_view text) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
  size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, text.data() + i, 8);
    if (word & kHighBits) break;
  }
  while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) ++i;
  return i;
}

void AppendUtf8(std::string& out, char32_t u) {
  if (u < 0x80) {
    out += static_cast<char>(u);
  } else if (u < 0x800) {
    out += static_cast<char>(0xC0 | (u >> 6));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else if (u < 0x10000) {
    out += static_cast<char>(0xE0 | (u >> 12));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (u >> 18));
    out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
}

// The smallest character each sequence length may carry: a longer form of a smaller one is overlong.
constexpr char32_t SmallestOfLength[] = {0, 0x80, 0x800, 0x10000};

// Decodes one UTF-8 sequence at i; malformed bytes decode to U+FFFD one at a time. Overlong forms,
// surrogates and values past U+10FFFF are malformed too, so no such form can pass for a character
// (an overlong "<" or "/" slipping past a check made on the UTF-8 text).
char32_t NextUtf8(std::string_view s, size_t& i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b0 = byte(i);
  int extra = b0 < 0x80 ? 0 : (b0 >> 5) == 6 ? 1 : (b0 >> 4) == 14 ? 2 : (b0 >> 3) == 30 ? 3 : -1;
  if (extra == 0) {
    ++i;
    return b0;
  }
  if (extra < 0 || i + static_cast<size_t>(extra) >= s.size()) {
    ++i;
    return 0xFFFD;
  }
  char32_t u = b0 & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    const unsigned char b = byte(i + static_cast<size_t>(k));
    if ((b & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    u = (u << 6) | (b & 0x3F);
  }
  if (u < SmallestOfLength[extra] || (u >= 0xD800 && u <= 0xDFFF) || u > 0x10FFFF) {
    ++i;
    return 0xFFFD;
  }
  i += static_cast<size_t>(extra) + 1;
  return u;
}

}  // namespace

TAnsiCodePage GetACP() { return gCodePage.load(); }
void SetACP(TAnsiCodePage codePage) { gCodePage.store(codePage); }

const char* CodePageName(TAnsiCodePage codePage) {
  switch (codePage) {
    case TAnsiCodePage::cp1252: return "Windows-1252";
    case TAnsiCodePage::koi8r: return "KOI8-R";
    default: return "Windows-1251";
  }
}

char32_t AnsiCharToUnicode(unsigned char c) { return CodePageCharToUnicode(GetACP(), c); }

bool UnicodeToAnsiChar(char32_t u, unsigned char& c) { return UnicodeToCodePageChar(GetACP(), u, c); }

char32_t CodePageCharToUnicode(TAnsiCodePage codePage, unsigned char c) {
  return c < 0x80 ? c : HighHalfOf(codePage)[c - 0x80];
}

bool UnicodeToCodePageChar(TAnsiCodePage codePage, char32_t u, unsigned char& c) {
  if (u < 0x80) {
    c = static_cast<unsigned char>(u);
    return true;
  }
  const ReverseHalf& reverse = ReverseHalfOf(codePage);
  const auto* found = std::lower_bound(reverse.begin(), reverse.end(), u,
                                       [](const ReverseEntry& entry, char32_t key) { return entry.unicode < key; });
  if (found == reverse.end() || found->unicode != u || u == 0xFFFD) return false;
  c = found->byte;
  return true;
}

std::u32string AnsiToUnicode(const std::string& text) {
  std::u32string out;
  out.reserve(text.size());
  for (char c : text) out += AnsiCharToUnicode(static_cast<unsigned char>(c));
  return out;
}

std::string AnsiToUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char c : text) AppendUtf8(out, AnsiCharToUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf8ToAnsi(const std::string& utf8) {
  size_t firstLacking = 0;
  return Utf8ToAnsi(utf8, firstLacking);
}

std::string Utf8ToAnsi(std::string_view utf8, size_t& FirstLacking) {
  std::string out(utf8);
  out.resize(Utf8ToAnsiInPlace(out.data(), out.size(), FirstLacking));
  return out;
}

size_t Utf8ToAnsiInPlace(char* Text, size_t Size, size_t& FirstLacking) {
  FirstLacking = std::string::npos;
  const std::string_view utf8(Text, Size);
  size_t in = AsciiPrefix(utf8);
  size_t out = in;
  while (in < Size) {
    // Runs of ASCII move as they are; a character never takes more bytes in the code page than in UTF-8,
    // so what is written never overtakes what is still to read.
    const size_t ascii = AsciiPrefix(utf8.substr(in));
    if (ascii > 0) {
      std::memmove(Text + out, Text + in, ascii);
      in += ascii;
      out += ascii;
      continue;
    }
    unsigned char c = 0;
    if (!UnicodeToAnsiChar(NextUtf8(utf8, in), c)) {
      if (FirstLacking == std::string::npos) FirstLacking = out;
      c = '?';
    }
    Text[out++] = static_cast<char>(c);
  }
  return out;
}

bool IsValidUtf8(std::string_view text) {
  size_t i = AsciiPrefix(text);
  while (i < text.size()) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      i += AsciiPrefix(text.substr(i));
      continue;
    }
    const size_t start = i;
    // A malformed byte decodes to U+FFFD alone; the character U+FFFD itself takes three bytes.
    if (NextUtf8(text, i) == 0xFFFD && i - start == 1) return false;
  }
  return true;
}

bool IsAscii(std::string_view text) { return AsciiPrefix(text) == text.size(); }
