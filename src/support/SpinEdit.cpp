#include "support/SpinEdit.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "vcl/Canvas.h"
#include "vcl/Forms.h"
#include "win/WinUser.h"

namespace {

// The arrows, 6 by 6, "X" black on the face.
constexpr const char* kUpGlyph[] = {"..XX..", ".XXXX.", "XXXXXX", "..XX..", "..XX..", "..XX.."};
constexpr const char* kDownGlyph[] = {"..XX..", "..XX..", "..XX..", "XXXXXX", ".XXXX.", "..XX.."};
constexpr int kGlyphSize = 6;

constexpr unsigned kFirstRepeatMs = 400;
constexpr unsigned kRepeatMs = 100;

void DrawGlyph(TCanvas& canvas, const char* const (&rows)[kGlyphSize], int left, int top) {
  canvas.Pen()->SetColor(clBlack);
  for (int y = 0; y < kGlyphSize; ++y)
    for (int x = 0; x < kGlyphSize; ++x)
      if (rows[y][x] == 'X') {
        canvas.MoveTo(left + x, top + y);
        canvas.LineTo(left + x + 1, top + y);
      }
}

void Line(TCanvas& canvas, TColor color, std::initializer_list<TPoint> points) {
  canvas.Pen()->SetColor(color);
  auto point = points.begin();
  canvas.MoveTo(point->x, point->y);
  for (++point; point != points.end(); ++point) canvas.LineTo(point->x, point->y);
}

bool ConsumedWhole(const std::string& text, const char* end) { return end == text.c_str() + text.size(); }

// A decimal integer of the 32-bit range: optional blanks, sign and digits, nothing after them.
bool ParseInteger(const std::string& text, int base, double& value) {
  if (text.empty() || std::isspace(static_cast<unsigned char>(text.back()))) return false;
  if (base == 16 && (text.find_first_of("+- ") != std::string::npos || text.find("0x") != std::string::npos ||
                     text.find("0X") != std::string::npos))
    return false;
  errno = 0;
  char* end = nullptr;
  const long long parsed = std::strtoll(text.c_str(), &end, base);
  if (errno != 0 || !ConsumedWhole(text, end)) return false;
  if (base == 10 && (parsed < INT32_MIN || parsed > INT32_MAX)) return false;
  if (base == 16 && parsed > UINT32_MAX) return false;
  // Hexadecimal text is read as a 32-bit pattern: "FFFFFFFF" is -1.
  value = base == 16 ? static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(parsed)))
                     : static_cast<double>(parsed);
  return true;
}

bool ParseFloat(const std::string& text, double& value) {
  // Only the number forms a person types: no "inf", "nan" or hexadecimal floats.
  if (text.empty() || text.find_first_not_of("0123456789+-.eE ") != std::string::npos) return false;
  if (std::isspace(static_cast<unsigned char>(text.back()))) return false;
  char* end = nullptr;
  const double parsed = std::strtod(text.c_str(), &end);
  if (!ConsumedWhole(text, end)) return false;
  value = parsed;
  return true;
}

std::string FormatFixed(double value, int decimals) {
  char buffer[512];
  // Beyond 15 significant digits the fixed form would invent digits: such values read as exponents.
  if (std::fabs(value) >= 1e15)
    std::snprintf(buffer, sizeof buffer, "%.14E", value);
  else
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return buffer;
}

std::string FormatRounded(double value, bool hex) {
  // Rounded half to the even neighbour, as the default rounding mode does.
  const long long n = std::llrint(value);
  char buffer[32];
  if (hex)
    std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(static_cast<std::uint32_t>(n)));
  else
    std::snprintf(buffer, sizeof buffer, "%lld", n);
  return buffer;
}

}  // namespace

// ---------------------------------------------------------------------------------------------------
// TOmSpinButton

TOmSpinButton::TOmSpinButton(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 20, 20); }

void TOmSpinButton::SetFocusControl(TWinControl* Value) {
  if (focusControl_) RemoveFreeNotification(focusControl_);
  focusControl_ = Value;
  if (focusControl_) FreeNotification(focusControl_);
}

void TOmSpinButton::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == focusControl_) focusControl_ = nullptr;
}

TSpinButtonState TOmSpinButton::HalfAt(int X, int Y) const {
  const double w = Width() > 0 ? Width() : 1;
  const double h = Height();
  return Y > h - X * h / w ? sbBottomDown : sbTopDown;
}

void TOmSpinButton::SetDown(TSpinButtonState Value) {
  if (down_ == Value) return;
  down_ = Value;
  Invalidate();
}

void TOmSpinButton::ClickHalf(TSpinButtonState Half) {
  Fire(Half == sbTopDown ? OnTopClick : OnBottomClick, this);
  if (!held_) SetDown(sbNotDown);
}

void TOmSpinButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  held_ = true;
  if (focusControl_ && focusControl_->TabStop && focusControl_->CanFocus() && !focusControl_->Focused())
    focusControl_->SetFocus();
  if (down_ == sbNotDown) {
    lastDown_ = sbNotDown;
    const TSpinButtonState half = HalfAt(X, Y);
    down_ = half;
    ClickHalf(half);
    if (down_ != lastDown_) {
      lastDown_ = down_;
      Invalidate();
    }
    if (!repeatTimer_) {
      repeatTimer_ = new TTimer(this);
      repeatTimer_->OnTimer = TNotifyEvent(this, &TOmSpinButton::TimerExpired);
    }
    repeatTimer_->SetInterval(kFirstRepeatMs);
    repeatTimer_->SetEnabled(true);
  }
  dragging_ = true;
}

void TOmSpinButton::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (!dragging_) return;
  if (!Inside(X, Y)) {
    SetDown(sbNotDown);
    return;
  }
  const TSpinButtonState half = HalfAt(X, Y);
  if (half != down_) SetDown(half == lastDown_ ? half : sbNotDown);
}

void TOmSpinButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) held_ = false;
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (!dragging_) return;
  dragging_ = false;
  if (Inside(X, Y)) {
    lastDown_ = sbNotDown;
    SetDown(sbNotDown);
  }
}

void TOmSpinButton::TimerExpired(TObject*) {
  repeatTimer_->SetInterval(kRepeatMs);
  if (down_ == sbNotDown || !held_) return;
  try {
    ClickHalf(down_);
  } catch (...) {
    repeatTimer_->SetEnabled(false);
    throw;
  }
}

void TOmSpinButton::EnabledChanged() {
  TCustomControl::EnabledChanged();
  Invalidate();
}

void TOmSpinButton::Paint() {
  if (!Enabled()) dragging_ = false;
  TCanvas& canvas = *Canvas();
  const int w = Width();
  const int h = Height();
  const bool top = down_ == sbTopDown;
  const bool bottom = down_ == sbBottomDown;
  canvas.Brush()->SetColor(clBtnFace);
  canvas.FillRect(Rect(0, 0, w, h));
  Line(canvas, clWindowFrame, {{0, 0}, {w - 1, 0}, {w - 1, h - 1}, {0, h - 1}, {0, 0}});
  Line(canvas, clWindowFrame, {{-1, h}, {w, -1}});
  Line(canvas, top ? clBtnShadow : clBtnHighlight, {{1, h - 4}, {1, 1}, {w - 3, 1}});
  if (!top) Line(canvas, clBtnShadow, {{1, h - 3}, {w - 2, 0}});
  Line(canvas, bottom ? clBtnHighlight : clBtnShadow, {{2, h - 2}, {w - 2, h - 2}, {w - 2, 1}});
  Line(canvas, bottom ? clBtnShadow : clBtnHighlight, {{2, h - 2}, {w - 1, 1}});
  if (bottom) Line(canvas, clBtnShadow, {{3, h - 2}, {w - 1, 2}});
  const int shift = top ? 1 : 0;
  DrawGlyph(canvas, kUpGlyph, static_cast<int>(std::lround(w / 4.0 - kGlyphSize / 2.0)) + 1 + shift,
            static_cast<int>(std::lround(h / 4.0 - kGlyphSize / 2.0)) + 1 + shift);
  DrawGlyph(canvas, kDownGlyph, static_cast<int>(std::lround(3 * w / 4.0 - kGlyphSize / 2.0)) - 1,
            static_cast<int>(std::lround(3 * h / 4.0 - kGlyphSize / 2.0)) - 1);
}

// ---------------------------------------------------------------------------------------------------
// TOmSpinEdit

TOmSpinEdit::TOmSpinEdit(TComponent* AOwner) : TEdit(AOwner) {
  SetText("0");
  buttonWindow_ = new TWinControl(this);
  buttonWindow_->SetParent(this);
  button_ = new TOmSpinButton(this);
  button_->SetParent(buttonWindow_);
  button_->SetAlign(alClient);
  button_->SetFocusControl(this);
  button_->OnTopClick = TNotifyEvent(this, &TOmSpinEdit::SpinUp);
  button_->OnBottomClick = TNotifyEvent(this, &TOmSpinEdit::SpinDown);
  LayoutButton();
}

double TOmSpinEdit::Value() {
  double value = 0;
  const std::string& text = Text();
  const bool ok = valueType_ == vtFloat ? ParseFloat(text, value) : ParseInteger(text, valueType_ == vtHex ? 16 : 10, value);
  if (ok) return value;
  return valueType_ == vtFloat ? MinValue : std::trunc(MinValue);
}

void TOmSpinEdit::SetValue(double Value) {
  const double clamped = ClampSpinValue(Value);
  SetText(valueType_ == vtFloat ? FormatFixed(clamped, decimal_) : FormatRounded(clamped, valueType_ == vtHex));
}

double TOmSpinEdit::ClampSpinValue(double X) const {
  if (MinValue == MaxValue) return X;
  if (X < MinValue) return MinValue;
  return X > MaxValue ? MaxValue : X;
}

void TOmSpinEdit::SetValueType(TValueType Value) {
  if (valueType_ == Value) return;
  // The text is read under the new type and written back in its form.
  valueType_ = Value;
  SetValue(this->Value());
  if (valueType_ != vtFloat) {
    increment_ = std::nearbyint(increment_);
    if (increment_ == 0) increment_ = 1;
  }
}

void TOmSpinEdit::SetDecimal(unsigned char Value) {
  if (decimal_ == Value) return;
  decimal_ = Value;
  SetValue(this->Value());
}

bool TOmSpinEdit::AcceptsChar(char Key) {
  const auto code = static_cast<unsigned char>(Key);
  if (!EditorEnabled) return code < 32 && code != 8;
  if (code < 32) return true;
  if (Key == '+' || Key == '-' || (Key >= '0' && Key <= '9')) return true;
  const std::string& text = Text();
  if (valueType_ == vtFloat) {
    if (Key == '.' && text.find('.') == std::string::npos) return true;
    if ((Key == 'E' || Key == 'e') && UpperCase(text).find('E') == std::string::npos) return true;
  }
  return valueType_ == vtHex && std::isxdigit(code);
}

void TOmSpinEdit::StepUp() { Step(increment_, OnTopClick); }
void TOmSpinEdit::StepDown() { Step(-increment_, OnBottomClick); }

void TOmSpinEdit::Step(double Delta, const TNotifyEvent& Event) {
  if (ReadOnly()) {
    MessageBeep(0);
    return;
  }
  const std::string before = Text();
  {
    // The edit's own change notifications wait: a step reports at most one change.
    struct Changing {
      bool& flag;
      explicit Changing(bool& f) : flag(f) { flag = true; }
      ~Changing() { flag = false; }
    } changing(changing_);
    SetValue(Value() + Delta);
  }
  if (!SameText(Text(), before)) {
    Modified = true;
    TEdit::Change();
  }
  Fire(Event, this);
}

void TOmSpinEdit::Change() {
  if (!changing_) TEdit::Change();
}

void TOmSpinEdit::KeyDown(WORD& Key, TShiftState Shift) {
  TEdit::KeyDown(Key, Shift);
  if (!ArrowKeys || (Key != VK_UP && Key != VK_DOWN)) return;
  if (Key == VK_UP)
    StepUp();
  else
    StepDown();
  Key = 0;
}

void TOmSpinEdit::KeyPress(char& Key) {
  if (!AcceptsChar(Key)) {
    Key = 0;
    MessageBeep(0);
    return;
  }
  TEdit::KeyPress(Key);
  if (Key != '\r' && Key != '\x1b') return;
  TControl* form = Parent();
  while (form && !dynamic_cast<TCustomForm*>(form)) form = form->Parent();
  if (!form) return;
  form->Perform(CM_DIALOGKEY, static_cast<WPARAM>(Key == '\r' ? VK_RETURN : VK_ESCAPE), 0);
  if (Key == '\r') Key = 0;
}

void TOmSpinEdit::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PASTE:
    case WM_CUT:
      if (!EditorEnabled || ReadOnly()) return;
      break;
    case WM_GETDLGCODE:
      // Made multi-line, the edit keeps Enter and Esc; KeyPress hands them to the form itself.
      Message.Result = DLGC_WANTALLKEYS;
      return;
    default:
      break;
  }
  TEdit::WndProc(Message);
}

void TOmSpinEdit::DoEnter() {
  TEdit::DoEnter();
  if (AutoSelect && !(GetKeyState(VK_LBUTTON) & 0x8000)) SelectAll();
}

void TOmSpinEdit::DoExit() {
  TEdit::DoExit();
  const double value = Value();
  if (ClampSpinValue(value) != value) SetValue(value);
}

int TOmSpinEdit::MinHeight() const {
  TCanvas canvas;
  canvas.Font()->Assign(Font());
  return canvas.TextHeight("0") + 4 * GetSystemMetrics(SM_CYBORDER) + 1;
}

void TOmSpinEdit::BoundsChanged() {
  TEdit::BoundsChanged();
  if (!buttonWindow_) return;
  if (Height() < MinHeight()) {
    SetHeight(MinHeight());
    return;
  }
  LayoutButton();
}

void TOmSpinEdit::FontChanged() {
  TEdit::FontChanged();
  if (buttonWindow_) LayoutButton();
}

void TOmSpinEdit::LayoutButton() {
  // Square at the right edge; the text keeps clear of it.
  const int side = Height();
  buttonWindow_->SetBounds(Width() - side, 0, side, side);
  SetTextMargins(0, side + 2);
}

void TOmSpinEdit::EnabledChanged() {
  TEdit::EnabledChanged();
  if (!buttonWindow_) return;
  buttonWindow_->SetEnabled(Enabled());
  button_->SetEnabled(Enabled());
}
