#pragma once
// Conversions between the class library's values and Qt's, for the layer's own sources only.
#include <QColor>
#include <QFont>
#include <QString>

#include <string>
#include <string_view>

#include "vcl/Controls.h"
#include "vcl/Graphics.h"
#include "vcl/StdCtrls.h"
#include "win/CodePage.h"

// 8-bit text in the system code page to Qt text and back (characters the code page lacks become '?',
// counted in Unmapped when given), directly between bytes and UTF-16, as whole texts go to and from the
// clipboard this way.
QString ToQString(std::string_view ansi);
std::string FromQString(const QString& text, TUnmappedChars* Unmapped = nullptr);
// Typed or composed text in the code page: the characters it lacks are left out and counted.
std::string TypedFromQString(const QString& text, TUnmappedChars& Unmapped);
// The same kept as Qt text, for a field that holds code-page text. U+FFFD stays: the field's own text
// shows a byte with no character so.
QString CodePageCharsOf(const QString& text, TUnmappedChars& Unmapped);

// A file name is the file system's bytes, never code-page text: the one conversion between a name and
// what Qt holds of it (the dialogs, the shell, images, printing to a file, drops).
QString FileNameToQString(std::string_view name);
std::string FileNameFromQString(const QString& name);

inline QColor ToQColor(TColor color) {
  const std::int32_t rgb = ColorToRGB(color);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

// The installed family that stands in for a font name of the forms: the names the forms were laid out
// with ("MS Sans Serif", "Courier New") become metric-compatible families, so captions keep fitting.
QString InstalledFamily(const std::string& name);

// The font a widget shows for a TFont; the height in pixels is kept exactly.
QFont ToQFont(const TFont& font);

// The Shift, Ctrl and Alt keys held in Qt's modifiers.
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers);

// Qt's horizontal alignment for a control's text alignment.
Qt::Alignment HorizontalAlignmentOf(TAlignment alignment);
