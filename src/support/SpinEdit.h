#pragma once
// TOmSpinEdit is a one-line edit that holds a number, with a square two-half spin button at its
// right edge that steps the number up and down; typing is limited to characters that can form a
// number of its value type.
#include <string>

#include "vcl/CustomControl.h"
#include "vcl/ExtCtrls.h"
#include "vcl/StdCtrls.h"

enum TValueType { vtInteger, vtFloat, vtHex };
enum TSpinButtonKind { bkStandard, bkDiagonal };
enum TSpinButtonState { sbNotDown, sbTopDown, sbBottomDown };

// Two halves split by the diagonal from the bottom-left to the top-right corner: the upper-left
// one clicks "top", the lower-right one "bottom"; holding a half repeats its click.
class TOmSpinButton : public TCustomControl {
 public:
  explicit TOmSpinButton(TComponent* AOwner);
  std::string ClassName() const override { return "TOmSpinButton"; }

  // Focused on a press when it can take the focus.
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* Value);
  TSpinButtonState Down() const { return down_; }
  // The half a point lies in.
  TSpinButtonState HalfAt(int X, int Y) const;

  TNotifyEvent OnTopClick;
  TNotifyEvent OnBottomClick;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void EnabledChanged() override;

 private:
  void SetDown(TSpinButtonState Value);
  void ClickHalf(TSpinButtonState Half);
  void TimerExpired(TObject* Sender);
  bool Inside(int X, int Y) const { return X >= 0 && X <= Width() && Y >= 0 && Y <= Height(); }

  TWinControl* focusControl_ = nullptr;
  TSpinButtonState down_ = sbNotDown;
  TSpinButtonState lastDown_ = sbNotDown;
  bool dragging_ = false;
  bool held_ = false;  // the left button went down here and is not up yet
  TTimer* repeatTimer_ = nullptr;
};

class TOmSpinEdit : public TEdit {
 public:
  explicit TOmSpinEdit(TComponent* AOwner);
  std::string ClassName() const override { return "TOmSpinEdit"; }

  TAlignment Alignment = taLeftJustify;
  bool ArrowKeys = true;
  // This platform offers no standard up-down control, so every kind shows the diagonal button.
  TSpinButtonKind ButtonKind = bkDiagonal;
  unsigned char Decimal() const { return decimal_; }
  void SetDecimal(unsigned char Value);
  // Typing, paste and cut are allowed.
  bool EditorEnabled = true;
  double Increment() const { return increment_; }
  void SetIncrement(double Value) { increment_ = Value; }
  double MaxValue = 0;
  double MinValue = 0;
  TValueType ValueType() const { return valueType_; }
  void SetValueType(TValueType Value);
  // Read from the text each time; text that does not convert reads as MinValue.
  double Value();
  void SetValue(double Value);
  // The value truncated toward zero.
  int IntValue() { return static_cast<int>(Value()); }
  void SetIntValue(int Value) { SetValue(Value); }
  // All text is selected when the edit is entered.
  bool AutoSelect = true;

  // x itself when MinValue = MaxValue, else x within them.
  double ClampSpinValue(double X) const;
  virtual bool AcceptsChar(char Key);
  virtual void StepUp();
  virtual void StepDown();
  TOmSpinButton* Button() const { return button_; }

  TNotifyEvent OnTopClick;
  TNotifyEvent OnBottomClick;

 protected:
  void WndProc(TMessage& Message) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void DoEnter() override;
  void DoExit() override;
  void Change() override;
  void BoundsChanged() override;
  void EnabledChanged() override;
  void FontChanged() override;

 private:
  void Step(double Delta, const TNotifyEvent& Event);
  void SpinUp(TObject*) { StepUp(); }
  void SpinDown(TObject*) { StepDown(); }
  int MinHeight() const;
  void LayoutButton();

  TWinControl* buttonWindow_ = nullptr;
  TOmSpinButton* button_ = nullptr;
  unsigned char decimal_ = 2;
  double increment_ = 1;
  TValueType valueType_ = vtInteger;
  bool changing_ = false;
};
