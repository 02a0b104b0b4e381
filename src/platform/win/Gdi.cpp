#include "win/Gdi.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "qt/QtConvert.h"
#include "qt/QtSide.h"
#include "vcl/Controls.h"
#include "win/CodePage.h"

// A font handle: the record it was made from and the system font that record resolves to.
struct HFONT__ {
  LOGFONTA LogFont;
  QFont Font;
  QFontMetrics Metrics;
  HFONT__(const LOGFONTA& lf, const QFont& font) : LogFont(lf), Font(font), Metrics(font) {}
};

namespace {

QColor ToQColor(COLORREF c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

int PixelSizeFor(const LOGFONTA& lf, const QFont& font) {
  if (lf.lfHeight < 0) return -lf.lfHeight;
  if (lf.lfHeight == 0) return 13;
  // A positive height is the whole cell: scale the character height down to fit it.
  QFont probe(font);
  probe.setPixelSize(lf.lfHeight);
  const int cell = QFontMetrics(probe).height();
  return std::max(1, cell > 0 ? MulDiv(lf.lfHeight, lf.lfHeight, cell) : lf.lfHeight);
}

QFont ResolveFont(const LOGFONTA& lf) {
  QFont font;
  const std::string face(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
  if (!face.empty()) font.setFamily(InstalledFamily(face));
  if ((lf.lfPitchAndFamily & 3) == FIXED_PITCH) {
    font.setFixedPitch(true);
    font.setStyleHint(QFont::TypeWriter);
  }
  font.setWeight(static_cast<QFont::Weight>(std::clamp<int>(lf.lfWeight == 0 ? FW_NORMAL : lf.lfWeight, 100, 900)));
  font.setItalic(lf.lfItalic != 0);
  font.setUnderline(lf.lfUnderline != 0);
  font.setStrikeOut(lf.lfStrikeOut != 0);
  font.setKerning(false);
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setPixelSize(PixelSizeFor(lf, font));
  return font;
}

// Handles stay owned here until DeleteObject; what is never deleted goes with the process.
std::unordered_map<HFONT, std::unique_ptr<HFONT__>>& FontTable() {
  static std::unordered_map<HFONT, std::unique_ptr<HFONT__>> table;
  return table;
}

HFONT__& SystemFont() {
  static HFONT__ font = [] {
    LOGFONTA lf;
    lf.lfHeight = -13;
    lf.lfWeight = FW_NORMAL;
    std::strcpy(lf.lfFaceName, "DejaVu Sans");
    return HFONT__(lf, ResolveFont(lf));
  }();
  return font;
}

const HFONT__& SelectedFont(const TDCState& state) { return state.Font ? *state.Font : SystemFont(); }

TScreenDC& ScreenDC() {
  static TScreenDC dc;
  return dc;
}

TDeviceContext* DC(HDC dc) { return TDeviceContext::FromHandle(dc); }

}  // namespace

void TGdiFontDeleter::operator()(HFONT font) const { DeleteObject(font); }

// ---------------------------------------------------------------------------------------------------
// TDeviceContext

TDeviceContext::TDeviceContext(TRect clip) { state_.Clip = clip; }

TDeviceContext* TDeviceContext::FromHandle(HDC dc) { return static_cast<TDeviceContext*>(dc); }

int TDeviceContext::SaveState() {
  saved_.push_back(state_);
  return static_cast<int>(saved_.size());
}

bool TDeviceContext::RestoreState(int level) {
  const int count = static_cast<int>(saved_.size());
  if (level < 0) level = count + 1 + level;
  if (level < 1 || level > count) return false;
  state_ = saved_[static_cast<size_t>(level - 1)];
  saved_.resize(static_cast<size_t>(level - 1));
  return true;
}

void TDeviceContext::IntersectClip(const TRect& rect) {
  TRect out;
  IntersectRect(out, state_.Clip, rect);
  state_.Clip = out;
}

TEXTMETRICA TDeviceContext::TextMetrics() const {
  const HFONT__& font = SelectedFont(state_);
  const QFontMetrics& fm = font.Metrics;
  TEXTMETRICA tm;
  tm.tmHeight = fm.height();
  tm.tmAscent = fm.ascent();
  tm.tmDescent = fm.descent();
  tm.tmInternalLeading = std::max(0, fm.height() - font.Font.pixelSize());
  tm.tmExternalLeading = fm.leading();
  tm.tmAveCharWidth = fm.averageCharWidth();
  tm.tmMaxCharWidth = fm.maxWidth();
  tm.tmWeight = font.LogFont.lfWeight == 0 ? FW_NORMAL : font.LogFont.lfWeight;
  tm.tmItalic = font.LogFont.lfItalic;
  tm.tmUnderlined = font.LogFont.lfUnderline;
  tm.tmStruckOut = font.LogFont.lfStrikeOut;
  tm.tmPitchAndFamily = QFontInfo(font.Font).fixedPitch() ? 0 : TMPF_FIXED_PITCH;
  tm.tmCharSet = font.LogFont.lfCharSet;
  return tm;
}

int TDeviceContext::DeviceCaps(int index) const { return index == LOGPIXELSX || index == LOGPIXELSY ? 96 : 0; }

bool TDeviceContext::CharABCWidths(UINT first, UINT last, ABC* widths) const {
  if (first > last || last > 255 || !widths) return false;  // single-byte code pages only
  const QFontMetrics& fm = SelectedFont(state_).Metrics;
  for (UINT code = first; code <= last; ++code) {
    const auto ch = static_cast<char16_t>(AnsiCharToUnicode(static_cast<unsigned char>(code)));
    if (!fm.inFontUcs4(ch)) return false;
    ABC& abc = widths[code - first];
    abc.abcA = fm.leftBearing(QChar(ch));
    abc.abcC = fm.rightBearing(QChar(ch));
    abc.abcB = static_cast<UINT>(std::max(0, fm.horizontalAdvance(QChar(ch)) - abc.abcA - abc.abcC));
  }
  return true;
}

int TDeviceContext::CharAdvance(unsigned char byte) const {
  return SelectedFont(state_).Metrics.horizontalAdvance(QChar(static_cast<char16_t>(AnsiCharToUnicode(byte))));
}

// ---------------------------------------------------------------------------------------------------
// TRecordingDC

namespace {
TDCRecord RecordOf(const TDeviceContext& dc, TDCRecord::TKind kind) {
  TDCRecord r;
  r.Kind = kind;
  const TDCState& s = dc.State();
  r.TextColor = s.TextColor;
  r.BkColor = s.BkColor;
  const LOGFONTA& lf = SelectedFont(s).LogFont;
  r.FaceName.assign(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
  r.Height = lf.lfHeight;
  r.Bold = lf.lfWeight >= FW_BOLD;
  r.Italic = lf.lfItalic != 0;
  r.Underline = lf.lfUnderline != 0;
  r.StrikeOut = lf.lfStrikeOut != 0;
  return r;
}
}  // namespace

void TRecordingDC::DrawText(int x, int y, UINT options, const TRect* rect, std::string_view text,
                            const std::vector<int>& advances) {
  TDCRecord r = RecordOf(*this, TDCRecord::rkText);
  r.X = x;
  r.Y = y;
  r.Options = options;
  if (rect) r.Rect = *rect;
  r.Text.assign(text);
  r.Advances = advances;
  records_.push_back(std::move(r));
}

void TRecordingDC::Fill(const TRect& rect, COLORREF color) {
  TDCRecord r = RecordOf(*this, TDCRecord::rkFill);
  r.Rect = rect;
  r.BkColor = color;
  records_.push_back(std::move(r));
}

void TRecordingDC::Line(TPoint from, TPoint to, COLORREF color, int) {
  TDCRecord r = RecordOf(*this, TDCRecord::rkLine);
  r.Rect = TRect{from.x, from.y, to.x, to.y};
  r.BkColor = color;
  records_.push_back(std::move(r));
}

void TRecordingDC::DrawImage(const TRect& destRect, const TImageDC&, const TRect& sourceRect) {
  TDCRecord r = RecordOf(*this, TDCRecord::rkImage);
  r.Rect = destRect;
  r.X = sourceRect.Left;
  r.Y = sourceRect.Top;
  records_.push_back(std::move(r));
}

// ---------------------------------------------------------------------------------------------------
// TPainterDC

TPainterDC::TPainterDC(TRect clip) : TDeviceContext(clip) {}

void SetPainterOf(TPainterDC& Context, QPainter* Painter) { Context.painter_ = Painter; }

void TPainterDC::ClipTo(const TRect* extra) {
  TRect clip = ClipBox();
  if (extra) IntersectRect(clip, clip, *extra);
  painter_->setClipRect(ToQRect(clip));
}

void TPainterDC::DrawText(int x, int y, UINT options, const TRect* rect, std::string_view text,
                          const std::vector<int>& advances) {
  if (!painter_) return;
  const TDCState& s = State();
  const HFONT__& font = SelectedFont(s);
  painter_->save();
  ClipTo((options & ETO_CLIPPED) && rect ? rect : nullptr);
  int width = 0;
  for (size_t i = 0; i < text.size() && i < advances.size(); ++i) width += advances[i];
  if ((options & ETO_OPAQUE) && rect)
    painter_->fillRect(ToQRect(*rect), ToQColor(s.BkColor));
  else if (s.BkMode == OPAQUE && !text.empty())
    painter_->fillRect(QRect(x, y, width, font.Metrics.height()), ToQColor(s.BkColor));
  if (!text.empty()) {
    painter_->setFont(font.Font);
    painter_->setPen(ToQColor(s.TextColor));
    const int baseline = y + font.Metrics.ascent();
    int cx = x;
    for (size_t i = 0; i < text.size(); ++i) {
      const auto ch = static_cast<char16_t>(AnsiCharToUnicode(static_cast<unsigned char>(text[i])));
      if (ch > u' ') painter_->drawText(QPoint(cx, baseline), QString(QChar(ch)));
      cx += i < advances.size() ? advances[i] : 0;
    }
  }
  painter_->restore();
}

void TPainterDC::Fill(const TRect& rect, COLORREF color) {
  if (!painter_ || rect.IsEmpty()) return;
  painter_->save();
  ClipTo(nullptr);
  painter_->fillRect(ToQRect(rect), ToQColor(color));
  painter_->restore();
}

void TPainterDC::Line(TPoint from, TPoint to, COLORREF color, int width) {
  if (!painter_) return;
  // Like GDI, the end point itself is not drawn; straight lines are filled pixel-exact.
  if (from.x == to.x)
    Fill(TRect{from.x - width / 2, std::min(from.y, to.y), from.x - width / 2 + width, std::max(from.y, to.y)}, color);
  else if (from.y == to.y)
    Fill(TRect{std::min(from.x, to.x), from.y - width / 2, std::max(from.x, to.x), from.y - width / 2 + width}, color);
  else {
    painter_->save();
    ClipTo(nullptr);
    painter_->setPen(QPen(ToQColor(color), width));
    painter_->drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
    painter_->restore();
  }
}

void TPainterDC::DrawImage(const TRect& destRect, const TImageDC& source, const TRect& sourceRect) {
  if (!painter_) return;
  painter_->save();
  ClipTo(nullptr);
  painter_->drawImage(ToQRect(destRect), ImageOf(source), ToQRect(sourceRect));
  painter_->restore();
}

// ---------------------------------------------------------------------------------------------------
// TImageDC

struct TImageDC::TImpl {
  QImage image;
  QPainter painter;
};

namespace {
QImage FilledImage(int width, int height, COLORREF background) {
  QImage image(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
  image.fill(ToQColor(background));
  return image;
}
}  // namespace

TImageDC::TImageDC(int width, int height, COLORREF background) : TImageDC(FilledImage(width, height, background)) {}

TImageDC::TImageDC(const std::string& fileName) : TImageDC(QImage(FileNameToQString(fileName))) {}

TImageDC::TImageDC(TWinControl& control) : TImageDC(WidgetOf(&control)->grab().toImage()) {}

TImageDC::TImageDC(const QImage& image) : TPainterDC(TRect{}), impl_(std::make_unique<TImpl>()) {
  if (image.isNull()) return;  // an empty picture: it draws nothing and nothing draws on it
  impl_->image = image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_ARGB32)
                                         : image.convertToFormat(QImage::Format_RGB32);
  State().Clip = TRect{0, 0, impl_->image.width(), impl_->image.height()};
  impl_->painter.begin(&impl_->image);
  SetPainterOf(*this, &impl_->painter);
}

TImageDC::~TImageDC() {
  if (impl_->painter.isActive()) impl_->painter.end();
}

int TImageDC::Width() const { return impl_->image.isNull() ? 0 : impl_->image.width(); }
int TImageDC::Height() const { return impl_->image.isNull() ? 0 : impl_->image.height(); }

COLORREF TImageDC::Pixel(int x, int y) const {
  if (!impl_->image.valid(x, y)) return CLR_INVALID;
  const QRgb p = impl_->image.pixel(x, y);
  return static_cast<COLORREF>(qRed(p) | (qGreen(p) << 8) | (qBlue(p) << 16));
}

bool TImageDC::SaveToFile(const std::string& fileName) const {
  return impl_->image.save(FileNameToQString(fileName), "PNG");
}

TImageDC ImageDCOf(const QImage& Image) { return TImageDC(Image); }
const QImage& ImageOf(const TImageDC& Context) { return Context.impl_->image; }

// ---------------------------------------------------------------------------------------------------
// Win32-shaped calls

QFont ResolvedFont(const LOGFONTA& logFont) { return ResolveFont(logFont); }

LOGFONTA LogFontOf(const TFont& font) {
  LOGFONTA lf;
  lf.lfHeight = font.Height();
  lf.lfWeight = font.Style().Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.Style().Contains(fsItalic) ? 1 : 0;
  lf.lfUnderline = font.Style().Contains(fsUnderline) ? 1 : 0;
  lf.lfStrikeOut = font.Style().Contains(fsStrikeOut) ? 1 : 0;
  lf.lfCharSet = font.Charset();
  lf.lfPitchAndFamily = font.Pitch() == fpFixed ? FIXED_PITCH : font.Pitch() == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
  std::strncpy(lf.lfFaceName, font.Name().c_str(), LF_FACESIZE - 1);
  return lf;
}

HFONT CreateFontIndirectA(const LOGFONTA* logFont) {
  if (!logFont) return nullptr;
  auto font = std::make_unique<HFONT__>(*logFont, ResolveFont(*logFont));
  HFONT handle = font.get();
  FontTable().emplace(handle, std::move(font));
  return handle;
}

BOOL DeleteObject(HFONT font) { return FontTable().erase(font) ? 1 : 0; }

int GetObjectA(HFONT font, int size, LOGFONTA* logFont) {
  if (!font || !FontTable().count(font)) return 0;
  if (logFont && size >= static_cast<int>(sizeof(LOGFONTA))) *logFont = font->LogFont;
  return sizeof(LOGFONTA);
}

HFONT SelectObject(HDC dc, HFONT font) {
  if (!dc || !font) return nullptr;
  HFONT previous = DC(dc)->State().Font;
  DC(dc)->State().Font = font;
  return previous ? previous : &SystemFont();
}

HDC GetDC(HWND) { return ScreenDC().Handle(); }

int ReleaseDC(HWND, HDC dc) { return dc ? 1 : 0; }

BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics) {
  if (!dc || !metrics) return 0;
  *metrics = DC(dc)->TextMetrics();
  return 1;
}

BOOL GetCharABCWidthsA(HDC dc, UINT first, UINT last, ABC* widths) {
  return dc && DC(dc)->CharABCWidths(first, last, widths) ? 1 : 0;
}

DWORD GetFontLanguageInfo(HDC dc) {
  if (!dc) return 0;
  switch (SelectedFont(DC(dc)->State()).LogFont.lfCharSet) {
    case SHIFTJIS_CHARSET:
    case HANGEUL_CHARSET:
    case GB2312_CHARSET:
    case CHINESEBIG5_CHARSET: return GCP_DBCS;
    default: return 0;
  }
}

BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const TRect* rect, const char* text, UINT count, const INT* dx) {
  if (!dc) return 0;
  TDeviceContext* d = DC(dc);
  const std::string_view bytes(text ? text : "", text ? count : 0);
  std::vector<int> advances(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i)
    advances[i] = dx ? dx[i] : d->CharAdvance(static_cast<unsigned char>(bytes[i])) + d->State().CharExtra;
  d->DrawText(x, y, options, rect, bytes, advances);
  return 1;
}

BOOL TextOutA(HDC dc, int x, int y, const char* text, int count) {
  return ExtTextOutA(dc, x, y, 0, nullptr, text, static_cast<UINT>(std::max(0, count)), nullptr);
}

int GetDeviceCaps(HDC dc, int index) { return (dc ? DC(dc) : &ScreenDC())->DeviceCaps(index); }

int SaveDC(HDC dc) { return dc ? DC(dc)->SaveState() : 0; }

BOOL RestoreDC(HDC dc, int savedDC) { return dc && DC(dc)->RestoreState(savedDC) ? 1 : 0; }

COLORREF SetTextColor(HDC dc, COLORREF color) {
  if (!dc) return CLR_INVALID;
  return std::exchange(DC(dc)->State().TextColor, color);
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
  if (!dc) return CLR_INVALID;
  return std::exchange(DC(dc)->State().BkColor, color);
}

int SetBkMode(HDC dc, int mode) { return dc ? std::exchange(DC(dc)->State().BkMode, mode) : 0; }

int SetTextCharacterExtra(HDC dc, int extra) { return dc ? std::exchange(DC(dc)->State().CharExtra, extra) : 0; }

int GetTextCharacterExtra(HDC dc) { return dc ? DC(dc)->State().CharExtra : 0; }

int GetClipBox(HDC dc, TRect* rect) {
  if (!dc || !rect) return 0;
  *rect = DC(dc)->ClipBox();
  return rect->IsEmpty() ? 1 : 2;  // NULLREGION or SIMPLEREGION
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
  if (!dc) return 0;
  DC(dc)->IntersectClip(TRect{left, top, right, bottom});
  return DC(dc)->ClipBox().IsEmpty() ? 1 : 2;
}

BOOL MoveToEx(HDC dc, int x, int y, TPoint* previous) {
  if (!dc) return 0;
  const TPoint old = std::exchange(DC(dc)->State().PenPos, TPoint{x, y});
  if (previous) *previous = old;
  return 1;
}

BOOL LineTo(HDC dc, int x, int y) {
  if (!dc) return 0;
  TDCState& s = DC(dc)->State();
  DC(dc)->Line(s.PenPos, TPoint{x, y}, s.PenColor, s.PenWidth);
  s.PenPos = TPoint{x, y};
  return 1;
}

void SetPen(HDC dc, COLORREF color, int width) {
  if (!dc) return;
  DC(dc)->State().PenColor = color;
  DC(dc)->State().PenWidth = std::max(1, width);
}

BOOL FillSolidRect(HDC dc, const TRect& rect, COLORREF color) {
  if (!dc) return 0;
  DC(dc)->Fill(rect, color);
  return 1;
}
