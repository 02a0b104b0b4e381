#include "qt/QtConvert.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <utility>

#include "vcl/SysUtils.h"

QString InstalledFamily(const std::string& name) {
  // Liberation matches the widths of these faces character by character.
  static constexpr std::array<std::pair<const char*, const char*>, 9> kStandIns{{
      {"MS Sans Serif", "Liberation Sans"},
      {"Microsoft Sans Serif", "Liberation Sans"},
      {"MS Shell Dlg", "Liberation Sans"},
      {"MS Shell Dlg 2", "Liberation Sans"},
      {"Arial", "Liberation Sans"},
      {"Courier New", "Liberation Mono"},
      {"Courier", "Liberation Mono"},
      {"Times New Roman", "Liberation Serif"},
      {"MS Serif", "Liberation Serif"},
  }};
  for (const auto& [face, family] : kStandIns)
    if (SameText(name, face)) return QString::fromLatin1(family);
  return ToQString(name);
}

QString ToQString(std::string_view ansi) {
  // Every character of the code pages lies in the Basic Multilingual Plane: one UTF-16 unit a byte.
  std::array<char16_t, 256> table{};
  for (std::size_t c = 0; c < table.size(); ++c)
    table[c] = static_cast<char16_t>(AnsiCharToUnicode(static_cast<unsigned char>(c)));
  QString text(static_cast<qsizetype>(ansi.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (char c : ansi) *out++ = QChar(table[static_cast<unsigned char>(c)]);
  return text;
}

namespace {

// Each character of the text in the code page, or Lacking(code point) for one it lacks.
template <class TLacking>
std::string ToCodePage(const QString& text, TLacking&& Lacking) {
  std::string ansi;
  ansi.reserve(static_cast<std::size_t>(text.size()));
  const QChar* in = text.constData();
  const QChar* end = in + text.size();
  for (; in < end; ++in) {
    char32_t u = in->unicode();
    // A surrogate pair is one character beyond the code page.
    if (in->isHighSurrogate() && in + 1 < end && (in + 1)->isLowSurrogate()) {
      u = QChar::surrogateToUcs4(*in, *(in + 1));
      ++in;
    }
    unsigned char c = 0;
    if (UnicodeToAnsiChar(u, c))
      ansi += static_cast<char>(c);
    else
      Lacking(ansi, u);
  }
  return ansi;
}

}  // namespace

std::string FromQString(const QString& text, TUnmappedChars* Unmapped) {
  return ToCodePage(text, [Unmapped](std::string& ansi, char32_t u) {
    ansi += '?';
    if (Unmapped) Unmapped->Add(u);
  });
}

std::string TypedFromQString(const QString& text, TUnmappedChars& Unmapped) {
  return ToCodePage(text, [&Unmapped](std::string&, char32_t u) { Unmapped.Add(u); });
}
QString FileNameToQString(std::string_view name) {
  return QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
}

std::string FileNameFromQString(const QString& name) { return QFile::encodeName(name).toStdString(); }

QString CodePageCharsOf(const QString& text, TUnmappedChars& Unmapped) {
  std::u32string kept;
  for (char32_t u : text.toUcs4()) {
    unsigned char c = 0;
    if (u == 0xFFFD || UnicodeToAnsiChar(u, c))
      kept += u;
    else
      Unmapped.Add(u);
  }
  return QString::fromUcs4(kept.data(), static_cast<qsizetype>(kept.size()));
}

QFont ToQFont(const TFont& font) {
  QFont f(InstalledFamily(font.Name()));
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
