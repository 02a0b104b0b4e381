#pragma once
// Conversions between the class library's values and Qt's, for the layer's own sources only.
#include <QColor>
#include <QFont>
#include <QString>

#include <string>

#include "vcl/Graphics.h"
#include "win/CodePage.h"

// 8-bit text in the system code page to Qt text and back.
inline QString ToQString(const std::string& ansi) { return QString::fromStdString(AnsiToUtf8(ansi)); }
inline std::string FromQString(const QString& text) { return Utf8ToAnsi(text.toStdString()); }

inline QColor ToQColor(TColor color) {
  const std::int32_t rgb = ColorToRGB(color);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

// The font a widget shows for a TFont; the height in pixels is kept exactly.
QFont ToQFont(const TFont& font);
