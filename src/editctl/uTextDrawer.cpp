#include "uTextDrawer.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

const char* const kValueMissing = "SetBaseFont: 'Value' must be specified.";

int StyleIndex(TFontStyles style) { return static_cast<int>(style.Bits()); }

// The key of a base font: the style bytes that a style variant sets are cleared, the weight stays.
LOGFONTA FontKey(const TFont& font) {
  LOGFONTA key = LogFontOf(font);
  key.lfItalic = 0;
  key.lfUnderline = 0;
  key.lfStrikeOut = 0;
  const size_t faceLength = strnlen(key.lfFaceName, LF_FACESIZE);
  std::memset(key.lfFaceName + faceLength, 0, LF_FACESIZE - faceLength);
  return key;
}

bool ReportsDoubleByteChars(const LOGFONTA& key) {
  TFontHandle font(CreateFontIndirectA(&key));
  HDC dc = GetDC(nullptr);
  HFONT old = SelectObject(dc, font.get());
  const bool dbcs = (GetFontLanguageInfo(dc) & GCP_DBCS) != 0;
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return dbcs;
}

}  // namespace

// ---------------------------------------------------------------------------------------------------
// TheFontsInfoManager

TheFontsInfoManager::~TheFontsInfoManager() {
  while (!infos_.empty()) {
    assert(infos_.back()->RefCount == 1 && "font stocks still share a font-info record");
    ReleaseFontsInfo(infos_.back().get());
  }
}

TheSharedFontsInfo* TheFontsInfoManager::CreateFontsInfo(TFont* font, const LOGFONTA& key) {
  auto info = std::make_unique<TheSharedFontsInfo>();
  info->BaseFont = std::make_unique<TFont>();
  info->BaseFont->Assign(font);
  info->BaseLF = key;
  info->IsDBCSFont = ReportsDoubleByteChars(key);
  infos_.push_back(std::move(info));
  return infos_.back().get();
}

TheSharedFontsInfo* TheFontsInfoManager::GetFontsInfo(TFont* font) {
  const LOGFONTA key = FontKey(*font);
  TheSharedFontsInfo* found = nullptr;
  for (const auto& info : infos_)
    if (std::memcmp(&info->BaseLF, &key, sizeof key) == 0) {
      found = info.get();
      break;
    }
  if (!found) found = CreateFontsInfo(font, key);
  ++found->RefCount;
  return found;
}

void TheFontsInfoManager::ReleaseFontsInfo(TheSharedFontsInfo* info) {
  assert(info);
  assert(info->LockCount < info->RefCount && "Call DeactivateFontsInfo before calling this.");
  if (info->RefCount < 2) {
    for (auto it = infos_.begin(); it != infos_.end(); ++it)
      if (it->get() == info) {
        infos_.erase(it);
        break;
      }
  } else {
    --info->RefCount;
  }
}

void TheFontsInfoManager::ActivateFontsInfo(TheSharedFontsInfo* info) { ++info->LockCount; }

void TheFontsInfoManager::DeactivateFontsInfo(TheSharedFontsInfo* info) {
  if (--info->LockCount == 0)
    for (TheFontStyleEntry& entry : info->FontsData) entry.Handle.reset();
}

TheFontsInfoManager* GetFontsInfoManager() {
  static std::unique_ptr<TheFontsInfoManager> manager;
  if (!manager) manager = std::make_unique<TheFontsInfoManager>();
  return manager.get();
}

// ---------------------------------------------------------------------------------------------------
// TheFontStock

TheFontStock::TheFontStock(TFont* font) { SetBaseFont(font); }

TheFontStock::~TheFontStock() {
  ReleaseFontHandles();
  if (pInfo_) GetFontsInfoManager()->ReleaseFontsInfo(pInfo_);
  assert(dcRefCount_ == 0 && "a font stock freed while it borrows the screen DC");
}

HDC TheFontStock::GetScreenDC() {
  if (dcRefCount_ == 0) dc_ = GetDC(nullptr);
  ++dcRefCount_;
  return dc_;
}

void TheFontStock::ReleaseScreenDC([[maybe_unused]] HDC dc) {
  if (dcRefCount_ <= 0) return;
  assert(dc == dc_);
  if (--dcRefCount_ == 0) {
    ReleaseDC(nullptr, dc_);
    dc_ = nullptr;
  }
}

HFONT TheFontStock::CreateStyleFont(TFontStyles style) {
  LOGFONTA lf = baseLF_;
  lf.lfWeight = style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = style.Contains(fsItalic) ? 1 : 0;
  lf.lfUnderline = style.Contains(fsUnderline) ? 1 : 0;
  lf.lfStrikeOut = style.Contains(fsStrikeOut) ? 1 : 0;
  return CreateFontIndirectA(&lf);
}

void TheFontStock::CalcFontMetrics(HDC dc, TheFontStyleEntry& entry) {
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  ABC abc;
  const bool measured = GetCharABCWidthsA(dc, 'M', 'M', &abc) != 0;
  if (!measured) {
    abc.abcA = 0;
    abc.abcB = static_cast<UINT>(tm.tmAveCharWidth);
    abc.abcC = 0;
    tm.tmOverhang = 0;
  }
  entry.CharWidth = abc.abcA + static_cast<int>(abc.abcB) + abc.abcC + tm.tmOverhang;
  entry.CharHeight = std::abs(tm.tmHeight);
  if (!pInfo_->IsDBCSFont) return;
  entry.DBCharWidth = INT_MAX;
  ABC first, second;
  if (baseLF_.lfCharSet == SHIFTJIS_CHARSET && measured && GetCharABCWidthsA(dc, 0x8201, 0x8201, &first) &&
      GetCharABCWidthsA(dc, 0x82A0, 0x82A0, &second)) {
    const int a = first.abcA + static_cast<int>(first.abcB) + first.abcC;
    const int b = second.abcA + static_cast<int>(second.abcB) + second.abcC;
    if (a == b && a * 2 > entry.CharWidth * 3) entry.DBCharWidth = a;
  }
}

TheFontStyleEntry* TheFontStock::GetStyleEntry(TFontStyles style) {
  return &pInfo_->FontsData[static_cast<size_t>(StyleIndex(style))];
}

int TheFontStock::GetCharWidth() const { return pCrntFontData_->CharWidth; }
int TheFontStock::GetCharHeight() const { return pCrntFontData_->CharHeight; }
int TheFontStock::GetDBCharWidth() const { return pCrntFontData_->DBCharWidth; }

void TheFontStock::SetBaseFont(TFont* font) {
  if (!font) throw EheFontStockException(kValueMissing);
  TheSharedFontsInfo* info = GetFontsInfoManager()->GetFontsInfo(font);
  if (info == pInfo_) {
    GetFontsInfoManager()->ReleaseFontsInfo(info);
    return;
  }
  ReleaseFontHandles();
  if (pInfo_) GetFontsInfoManager()->ReleaseFontsInfo(pInfo_);
  pInfo_ = info;
  baseLF_ = info->BaseLF;
  pCrntFontData_ = nullptr;
  crntFont_ = nullptr;
  SetStyle(font->Style());
}

void TheFontStock::SetStyle(TFontStyles style) {
  assert(StyleIndex(style) <= MaxFontStyleIndex);
  if (!usingFontHandles_) {
    GetFontsInfoManager()->ActivateFontsInfo(pInfo_);
    usingFontHandles_ = true;
  }
  TheFontStyleEntry* entry = GetStyleEntry(style);
  // An entry whose handle went with ReleaseFontHandles is made again even when it is current.
  if (entry == pCrntFontData_ && entry->Handle) return;
  pCrntFontData_ = entry;
  crntStyle_ = style;
  if (!entry->Handle) {
    entry->Handle.reset(CreateStyleFont(style));
    HDC dc = GetScreenDC();
    HFONT old = SelectObject(dc, entry->Handle.get());
    CalcFontMetrics(dc, *entry);
    SelectObject(dc, old);
    ReleaseScreenDC(dc);
  }
  crntFont_ = entry->Handle.get();
}

void TheFontStock::ReleaseFontHandles() {
  if (!usingFontHandles_) return;
  GetFontsInfoManager()->DeactivateFontsInfo(pInfo_);
  usingFontHandles_ = false;
  crntFont_ = nullptr;
}

// ---------------------------------------------------------------------------------------------------
// TheTextDrawer

TheTextDrawer::TheTextDrawer(TFontStyles baseStyle, TFont* baseFont)
    : fontStock_(std::make_unique<TheFontStock>(baseFont)), baseStyle_(baseStyle) {
  SetBaseFont(baseFont);
}

TheTextDrawer::~TheTextDrawer() = default;

int TheTextDrawer::GetCharWidth() const { return baseCharWidth_ + charExtra_; }
int TheTextDrawer::GetCharHeight() const { return baseCharHeight_; }

void TheTextDrawer::FlushCharWidths() { etoDist_.clear(); }

void TheTextDrawer::ReselectFont() {
  if (dc_) SelectObject(dc_, crntFont_);
}

void TheTextDrawer::ApplyCharExtra() {
  if (dc_) SetTextCharacterExtra(dc_, charExtra_);
}

void TheTextDrawer::SetBaseFont(TFont* font) {
  if (!font) throw EheTextDrawerException(kValueMissing);
  FlushCharWidths();
  fontStock_->SetBaseFont(font);
  fontStock_->SetStyle(baseStyle_);
  baseCharWidth_ = fontStock_->GetCharWidth();
  baseCharHeight_ = fontStock_->GetCharHeight();
  SetStyle(font->Style());
}

void TheTextDrawer::SetBaseStyle(TFontStyles style) {
  if (style == baseStyle_) return;
  baseStyle_ = style;
  FlushCharWidths();
  fontStock_->SetStyle(style);
  baseCharWidth_ = fontStock_->GetCharWidth();
  baseCharHeight_ = fontStock_->GetCharHeight();
}

void TheTextDrawer::SetStyle(TFontStyles style) {
  fontStock_->SetStyle(style);
  crntFont_ = fontStock_->FontHandle();
  if (dc_) ReselectFont();
}

void TheTextDrawer::SetForeColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  if (dc_) SetTextColor(dc_, static_cast<COLORREF>(ColorToRGB(color)));
}

void TheTextDrawer::SetBackColor(TColor color) {
  if (color == bkColor_) return;
  bkColor_ = color;
  if (dc_) SetBkColor(dc_, static_cast<COLORREF>(ColorToRGB(color)));
}

void TheTextDrawer::SetCharExtra(int extra) {
  if (extra == charExtra_) return;
  charExtra_ = extra;
  if (dc_) ApplyCharExtra();
}

void TheTextDrawer::BeginDrawing(HDC dc) {
  if (dc_) {
    assert(dc == dc_ && "a nested BeginDrawing must pass the same DC");
  } else {
    assert(dc && drawingCount_ == 0);
    dc_ = dc;
    saveDC_ = SaveDC(dc);
    if (!crntFont_) SetStyle(fontStock_->Style());  // the handles went with ReleaseTemporaryResources
    SelectObject(dc, crntFont_);
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(color_)));
    SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(bkColor_)));
    ApplyCharExtra();
  }
  ++drawingCount_;
}

void TheTextDrawer::EndDrawing() {
  assert(drawingCount_ > 0 && "EndDrawing without BeginDrawing");
  if (--drawingCount_ > 0) return;
  if (dc_) RestoreDC(dc_, saveDC_);
  dc_ = nullptr;
  saveDC_ = 0;
}

void TheTextDrawer::TextOut(int x, int y, const char* text, int length) { TextOutA(dc_, x, y, text, length); }

void TheTextDrawer::ExtTextOut(int x, int y, UINT options, const TRect& rect, const char* text, int length) {
  if (static_cast<int>(etoDist_.size()) < length)
    etoDist_.resize(static_cast<size_t>((length & ~63) + 64), GetCharWidth());
  ExtTextOutA(dc_, x, y, options, &rect, text, static_cast<UINT>(std::max(length, 0)), etoDist_.data());
}

void TheTextDrawer::ReleaseTemporaryResources() {
  fontStock_->ReleaseFontHandles();
  crntFont_ = nullptr;
}
