#include "win/CharType.h"

#include <QChar>

#include "win/CodePage.h"

WORD GetCharType3(unsigned char Byte) {
  const QChar c(AnsiCharToUnicode(Byte));
  if (c.isLetterOrNumber() || c == QLatin1Char('_')) return C3_HALFWIDTH | C3_ALPHA;
  if (c.isSpace() || !c.isPrint()) return C3_SYMBOL;
  return C3_HALFWIDTH | C3_SYMBOL;
}
