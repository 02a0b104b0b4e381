#pragma once
// The system caret: one per process, owned by one windowed control at a time, drawn over the control's
// window by inverting a solid rectangle and blinking. A new caret starts hidden; hiding counts, so every
// HideCaret needs its ShowCaret.
#include "vcl/Types.h"

class TWinControl;

bool CreateCaret(TWinControl* Owner, int Width, int Height);
// False when no caret exists.
bool DestroyCaret();
// Both fail when the caret belongs to another control (or none exists).
bool ShowCaret(TWinControl* Owner);
bool HideCaret(TWinControl* Owner);
// Client position of the caret's top-left corner in its owner.
bool SetCaretPos(int X, int Y);

// What the caret looks like now, for tests and diagnostics.
struct TCaretState {
  TWinControl* Owner = nullptr;
  TRect Bounds;          // client rectangle in the owner
  bool Visible = false;  // hide count at zero
};
TCaretState GetCaretState();
