#include "qt/QtConvert.h"

#include <algorithm>

QFont ToQFont(const TFont& font) {
  QFont f(ToQString(font.Name()));
  const int height = font.Height();
  // A negative height is the character height; a positive one the cell height, slightly larger.
  f.setPixelSize(std::max(1, height < 0 ? -height : height * 4 / 5));
  f.setBold(font.Style().Contains(fsBold));
  f.setItalic(font.Style().Contains(fsItalic));
  f.setUnderline(font.Style().Contains(fsUnderline));
  f.setStrikeOut(font.Style().Contains(fsStrikeOut));
  if (font.Pitch() == fpFixed) f.setFixedPitch(true);
  return f;
}
