#include "win/CharType.h"

#include <QChar>

#include "win/CodePage.h"

WORD GetCharType3(unsigned char Byte) {
  const QChar c(AnsiCharToUnicode(Byte));
  if (c.isLetterOrNumber() || c == QLatin1Char('_')) return C3_HALFWIDTH | C3_ALPHA;
  if (c.isSpace() || !c.isPrint()) return C3_SYMBOL;
  return C3_HALFWIDTH | C3_SYMBOL;
}

DWORD CharLowerBuffA(char* Buffer, DWORD Length) {
  for (DWORD i = 0; i < Length; ++i) {
    const char32_t small = QChar::toLower(AnsiCharToUnicode(static_cast<unsigned char>(Buffer[i])));
    unsigned char c = 0;
    if (UnicodeToAnsiChar(small, c)) Buffer[i] = static_cast<char>(c);
  }
  return Length;
}

BOOL IsCharAlphaNumericA(char Ch) { return QChar(AnsiCharToUnicode(static_cast<unsigned char>(Ch))).isLetterOrNumber(); }
