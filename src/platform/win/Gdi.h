#pragma once
// The device-context side of the windowing interface: fonts made from a LOGFONT record, text
// metrics, character widths, ExtTextOut with a spacing array, colours, pens, brushes and saved
// states. A device context draws on a widget during a paint, into an image, or into a log of
// what was drawn (for exact tests); all three answer the same calls.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "vcl/Graphics.h"
#include "vcl/Types.h"

using COLORREF = std::uint32_t;  // 0x00BBGGRR
using CHAR = char;
using INT = int;

inline constexpr int LF_FACESIZE = 32;

struct LOGFONTA {
  LONG lfHeight = 0;  // negative: character height in pixels; positive: cell height
  LONG lfWidth = 0;
  LONG lfEscapement = 0;
  LONG lfOrientation = 0;
  LONG lfWeight = 0;
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  BYTE lfCharSet = 0;
  BYTE lfOutPrecision = 0;
  BYTE lfClipPrecision = 0;
  BYTE lfQuality = 0;
  BYTE lfPitchAndFamily = 0;
  CHAR lfFaceName[LF_FACESIZE] = {};
};
static_assert(sizeof(LOGFONTA) == 60, "the font key is compared byte for byte");

inline constexpr LONG FW_NORMAL = 400;
inline constexpr LONG FW_BOLD = 700;
inline constexpr BYTE DEFAULT_PITCH = 0;
inline constexpr BYTE FIXED_PITCH = 1;
inline constexpr BYTE VARIABLE_PITCH = 2;
inline constexpr BYTE SHIFTJIS_CHARSET = 128;
inline constexpr BYTE HANGEUL_CHARSET = 129;
inline constexpr BYTE GB2312_CHARSET = 134;
inline constexpr BYTE CHINESEBIG5_CHARSET = 136;

struct TEXTMETRICA {
  LONG tmHeight = 0;
  LONG tmAscent = 0;
  LONG tmDescent = 0;
  LONG tmInternalLeading = 0;
  LONG tmExternalLeading = 0;
  LONG tmAveCharWidth = 0;
  LONG tmMaxCharWidth = 0;
  LONG tmWeight = 0;
  LONG tmOverhang = 0;
  BYTE tmItalic = 0;
  BYTE tmUnderlined = 0;
  BYTE tmStruckOut = 0;
  BYTE tmPitchAndFamily = 0;  // TMPF_FIXED_PITCH set means a variable-pitch font, as Windows has it
  BYTE tmCharSet = 0;
};
inline constexpr BYTE TMPF_FIXED_PITCH = 1;

struct ABC {
  int abcA = 0;
  UINT abcB = 0;
  int abcC = 0;
};

inline constexpr UINT ETO_OPAQUE = 2;
inline constexpr UINT ETO_CLIPPED = 4;
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;
inline constexpr int PS_SOLID = 0;
inline constexpr DWORD GCP_DBCS = 1;
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;
inline constexpr int PHYSICALOFFSETX = 112;
inline constexpr int PHYSICALOFFSETY = 113;

// RAII ownership of a font handle (DeleteObject when it goes).
struct TGdiFontDeleter {
  void operator()(HFONT font) const;
};
using TFontHandle = std::unique_ptr<HFONT__, TGdiFontDeleter>;

class TImageDC;
class TWinControl;

// Base of every device context; HDC points at one.
struct HDC__ {
  virtual ~HDC__() = default;
};

// What a device context holds between calls; SaveDC keeps a copy on a stack.
struct TDCState {
  HFONT Font = nullptr;
  COLORREF TextColor = 0x000000;
  COLORREF BkColor = 0xFFFFFF;
  int BkMode = OPAQUE;
  int CharExtra = 0;
  COLORREF PenColor = 0x000000;
  int PenWidth = 1;
  TPoint PenPos;
  TRect Clip;  // the area drawing reaches (the update region of a paint, the whole image, ...)
};

class TDeviceContext : public HDC__ {
 public:
  explicit TDeviceContext(TRect clip);
  HDC Handle() { return this; }
  static TDeviceContext* FromHandle(HDC dc);

  TDCState& State() { return state_; }
  const TDCState& State() const { return state_; }
  int SaveState();
  bool RestoreState(int level);

  TRect ClipBox() const { return state_.Clip; }
  void IntersectClip(const TRect& rect);

  // Drawing primitives in device pixels; text is bytes of the ANSI code page.
  virtual void DrawText(int x, int y, UINT options, const TRect* rect, std::string_view text,
                        const std::vector<int>& advances) = 0;
  virtual void Fill(const TRect& rect, COLORREF color) = 0;
  virtual void Line(TPoint from, TPoint to, COLORREF color, int width) = 0;
  virtual void DrawImage(const TRect& destRect, const TImageDC& source, const TRect& sourceRect) = 0;

  // Metrics of the selected font (the system font when none is selected).
  TEXTMETRICA TextMetrics() const;
  virtual bool CharABCWidths(UINT first, UINT last, ABC* widths) const;
  int CharAdvance(unsigned char byte) const;
  // GetDeviceCaps: resolution and the printable area's offset; a screen has 96 dots per inch, no offset.
  virtual int DeviceCaps(int index) const;

 private:
  TDCState state_;
  std::vector<TDCState> saved_;
};

// Measures only: what GetDC of no window gives (text metrics for layout without a window).
class TScreenDC : public TDeviceContext {
 public:
  TScreenDC() : TDeviceContext(TRect{0, 0, 1 << 16, 1 << 16}) {}
  void DrawText(int, int, UINT, const TRect*, std::string_view, const std::vector<int>&) override {}
  void Fill(const TRect&, COLORREF) override {}
  void Line(TPoint, TPoint, COLORREF, int) override {}
  void DrawImage(const TRect&, const TImageDC&, const TRect&) override {}
};

// One drawing call as the recording device context logs it.
struct TDCRecord {
  enum TKind { rkText, rkFill, rkLine, rkImage } Kind = rkText;
  int X = 0;
  int Y = 0;
  UINT Options = 0;
  TRect Rect;  // the ExtTextOut rectangle, the filled rectangle, or the line's end points
  std::string Text;
  std::vector<int> Advances;
  COLORREF TextColor = 0;
  COLORREF BkColor = 0;  // also the colour of a fill or a line
  std::string FaceName;
  LONG Height = 0;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
};

class TRecordingDC : public TDeviceContext {
 public:
  explicit TRecordingDC(TRect clip = TRect{0, 0, 4096, 4096}) : TDeviceContext(clip) {}
  void DrawText(int x, int y, UINT options, const TRect* rect, std::string_view text,
                const std::vector<int>& advances) override;
  void Fill(const TRect& rect, COLORREF color) override;
  void Line(TPoint from, TPoint to, COLORREF color, int width) override;
  void DrawImage(const TRect& destRect, const TImageDC& source, const TRect& sourceRect) override;
  const std::vector<TDCRecord>& Records() const { return records_; }
  void ClearRecords() { records_.clear(); }

 private:
  std::vector<TDCRecord> records_;
};

class QPainter;
class QImage;

// Draws through a painter the caller holds (a widget's paint event); nothing until the layer's Qt side
// hands it one.
class TPainterDC : public TDeviceContext {
 public:
  explicit TPainterDC(TRect clip);
  void DrawText(int x, int y, UINT options, const TRect* rect, std::string_view text,
                const std::vector<int>& advances) override;
  void Fill(const TRect& rect, COLORREF color) override;
  void Line(TPoint from, TPoint to, COLORREF color, int width) override;
  void DrawImage(const TRect& destRect, const TImageDC& source, const TRect& sourceRect) override;

 private:
  friend void SetPainterOf(TPainterDC& Context, QPainter* Painter);
  void ClipTo(const TRect* extra);
  QPainter* painter_ = nullptr;
};

// Draws into an image of its own, for pictures and off-screen strips.
class TImageDC : public TPainterDC {
 public:
  TImageDC(int width, int height, COLORREF background = 0xFFFFFF);
  // Loads a picture file (PNG, BMP, ...); an empty image when it cannot be read.
  explicit TImageDC(const std::string& fileName);
  // What the control's window shows, painted through its own paint event.
  explicit TImageDC(TWinControl& control);
  ~TImageDC() override;
  int Width() const;
  int Height() const;
  COLORREF Pixel(int x, int y) const;
  bool SaveToFile(const std::string& fileName) const;  // PNG, for looking at a failing picture

 private:
  friend TImageDC ImageDCOf(const QImage& Image);
  friend const QImage& ImageOf(const TImageDC& Context);
  explicit TImageDC(const QImage& image);
  struct TImpl;
  std::unique_ptr<TImpl> impl_;
};

// The LOGFONT a class-library font stands for.
LOGFONTA LogFontOf(const TFont& font);

// Win32-shaped calls on the handles above.
HFONT CreateFontIndirectA(const LOGFONTA* logFont);
BOOL DeleteObject(HFONT font);
int GetObjectA(HFONT font, int size, LOGFONTA* logFont);
HFONT SelectObject(HDC dc, HFONT font);
HDC GetDC(HWND window);  // no window: the screen (measuring) DC
int ReleaseDC(HWND window, HDC dc);
BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics);
BOOL GetCharABCWidthsA(HDC dc, UINT first, UINT last, ABC* widths);
DWORD GetFontLanguageInfo(HDC dc);
BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const TRect* rect, const char* text, UINT count,
                 const INT* dx);
BOOL TextOutA(HDC dc, int x, int y, const char* text, int count);
int GetDeviceCaps(HDC dc, int index);
int SaveDC(HDC dc);
BOOL RestoreDC(HDC dc, int savedDC);  // a negative value counts back from the latest save
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF SetBkColor(HDC dc, COLORREF color);
int SetBkMode(HDC dc, int mode);
int SetTextCharacterExtra(HDC dc, int extra);
int GetTextCharacterExtra(HDC dc);
int GetClipBox(HDC dc, TRect* rect);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
BOOL MoveToEx(HDC dc, int x, int y, TPoint* previous);
BOOL LineTo(HDC dc, int x, int y);
void SetPen(HDC dc, COLORREF color, int width);
BOOL FillSolidRect(HDC dc, const TRect& rect, COLORREF color);
