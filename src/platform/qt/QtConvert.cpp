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

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers) {
  TShiftState shift;
  if (modifiers & Qt::ShiftModifier) shift.Include(ssShift);
  if (modifiers & Qt::ControlModifier) shift.Include(ssCtrl);
  if (modifiers & Qt::AltModifier) shift.Include(ssAlt);
  return shift;
}

Qt::Alignment HorizontalAlignmentOf(TAlignment alignment) {
  switch (alignment) {
    case taCenter: return Qt::AlignHCenter;
    case taRightJustify: return Qt::AlignRight;
    case taLeftJustify: break;
  }
  return Qt::AlignLeft;
}
