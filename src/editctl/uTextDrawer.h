#pragma once
// Draws editor text in fixed character cells whatever the real glyph widths are. Per base font it
// keeps the bold, italic, underline and strike-out variants as font handles with their cell size,
// shared between every drawer that uses an identical font.
#include <array>
#include <memory>
#include <string_view>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/Graphics.h"
#include "win/Gdi.h"

class EheTextDrawerException : public Exception {
  using Exception::Exception;
};
class EheFontStockException : public Exception {
  using Exception::Exception;
};

// The style set's bit value indexes the table (bold 1, italic 2, underline 4, strike-out 8).
inline constexpr int MaxFontStyleIndex = 16;

struct TheFontStyleEntry {
  TFontHandle Handle;  // empty until the style is first used
  int CharWidth = 0;
  int DBCharWidth = 0;
  int CharHeight = 0;
};

// One per distinct base font, shared by every font stock on that font.
struct TheSharedFontsInfo {
  int RefCount = 0;   // font stocks that use the record
  int LockCount = 0;  // font stocks whose style handles are in use
  std::unique_ptr<TFont> BaseFont;
  LOGFONTA BaseLF{};  // the key: italic, underline and strike-out cleared, face padded with NULs
  bool IsDBCSFont = false;
  std::array<TheFontStyleEntry, MaxFontStyleIndex + 1> FontsData;
};

class TheFontsInfoManager : public TObject {
 public:
  ~TheFontsInfoManager() override;
  TheSharedFontsInfo* GetFontsInfo(TFont* font);
  void ReleaseFontsInfo(TheSharedFontsInfo* info);
  void ActivateFontsInfo(TheSharedFontsInfo* info);
  void DeactivateFontsInfo(TheSharedFontsInfo* info);
  int Count() const { return static_cast<int>(infos_.size()); }

 private:
  TheSharedFontsInfo* CreateFontsInfo(TFont* font, const LOGFONTA& key);
  std::vector<std::unique_ptr<TheSharedFontsInfo>> infos_;
};

// The process-wide manager, made on first use.
TheFontsInfoManager* GetFontsInfoManager();

class TheFontStock : public TObject {
 public:
  explicit TheFontStock(TFont* font);
  ~TheFontStock() override;

  virtual int GetCharWidth() const;
  virtual int GetCharHeight() const;
  virtual int GetDBCharWidth() const;
  virtual void SetBaseFont(TFont* font);
  virtual void SetStyle(TFontStyles style);
  virtual void ReleaseFontHandles();

  HFONT FontHandle() const { return crntFont_; }
  TFontStyles Style() const { return crntStyle_; }
  const TheSharedFontsInfo* FontsInfo() const { return pInfo_; }
  const LOGFONTA& BaseLogFont() const { return baseLF_; }

 protected:
  virtual HDC GetScreenDC();
  virtual void ReleaseScreenDC(HDC dc);
  virtual HFONT CreateStyleFont(TFontStyles style);
  // Fills the entry's cell width and height (and the double-byte width of a double-byte font).
  virtual void CalcFontMetrics(HDC dc, TheFontStyleEntry& entry);
  virtual TheFontStyleEntry* GetStyleEntry(TFontStyles style);

 private:
  HDC dc_ = nullptr;
  int dcRefCount_ = 0;
  TheSharedFontsInfo* pInfo_ = nullptr;
  bool usingFontHandles_ = false;
  HFONT crntFont_ = nullptr;
  TFontStyles crntStyle_;
  TheFontStyleEntry* pCrntFontData_ = nullptr;
  LOGFONTA baseLF_{};
};

class TheTextDrawer : public TObject {
 public:
  TheTextDrawer(TFontStyles baseStyle, TFont* baseFont);
  ~TheTextDrawer() override;

  virtual int GetCharWidth() const;
  virtual int GetCharHeight() const;
  virtual void BeginDrawing(HDC dc);
  virtual void EndDrawing();
  virtual void TextOut(int x, int y, const char* text, int length);
  virtual void ExtTextOut(int x, int y, UINT options, const TRect& rect, const char* text, int length);
  virtual void SetBaseFont(TFont* font);
  virtual void SetBaseStyle(TFontStyles style);
  virtual void SetStyle(TFontStyles style);
  virtual void SetForeColor(TColor color);
  virtual void SetBackColor(TColor color);
  virtual void SetCharExtra(int extra);
  virtual void ReleaseTemporaryResources();

  TFontStyles BaseStyle() const { return baseStyle_; }
  TColor ForeColor() const { return color_; }
  TColor BackColor() const { return bkColor_; }
  int CharExtra() const { return charExtra_; }
  int CharWidthsLength() const { return static_cast<int>(etoDist_.size()); }
  const TheFontStock& FontStock() const { return *fontStock_; }

 protected:
  virtual void FlushCharWidths();
  virtual void ReselectFont();
  virtual void ApplyCharExtra();

 private:
  HDC dc_ = nullptr;
  int saveDC_ = 0;
  std::unique_ptr<TheFontStock> fontStock_;
  TFontStyles baseStyle_;
  int baseCharWidth_ = 0;
  int baseCharHeight_ = 0;
  HFONT crntFont_ = nullptr;
  std::vector<int> etoDist_;  // the spacing array: every character advances one cell
  TColor color_ = clWindowText;
  TColor bkColor_ = clWindow;
  int charExtra_ = 0;
  int drawingCount_ = 0;
};
