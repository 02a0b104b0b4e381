// Key strokes become editor commands: key-downs through the binding table (with the memory of a
// first stroke), typed characters as ecChar; every command passes the hook events first.
#include "editctl/qzCustomEdit.h"

namespace {
// Keys outside this range never start a two-stroke binding (Backspace, Tab, Enter, the modifiers, Escape).
constexpr WORD kFirstStrokeMin = 30;
constexpr WORD kFirstStrokeMax = 145;
}  // namespace

void TqzCustomEdit::SetKeystrokes(TqzKeyStrokes* Value) {
  if (Value)
    keystrokes_->Assign(Value);
  else
    keystrokes_->Clear();
}

void TqzCustomEdit::SetDefaultKeystrokes() { keystrokes_->ResetDefaults(); }

TqzEditorCommand TqzCustomEdit::FindKeyCommand(WORD Key, TShiftState Shift) {
  int found = keystrokes_->FindKeycode2(lastKey_, lastShiftState_, Key, Shift);
  if (found < 0) found = keystrokes_->FindKeycode(Key, Shift);
  const TqzEditorCommand command = found >= 0 ? keystrokes_->Items(found)->GetCommand() : ecNone;
  if (command != ecNone || Key < kFirstStrokeMin || Key > kFirstStrokeMax) {
    lastKey_ = 0;
    lastShiftState_ = TShiftState{};
  } else {
    lastKey_ = Key;
    lastShiftState_ = Shift;
  }
  return command;
}

void TqzCustomEdit::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  const TqzEditorCommand command = FindKeyCommand(Key, Shift);
  if (command == ecNone) {
    keyHandled_ = false;
    return;
  }
  Key = 0;
  keyHandled_ = true;
  ExecuteCommand(command, '\0', nullptr);
}

void TqzCustomEdit::KeyPress(char& Key) {
  if (imeSkipCount_ > 0) {
    --imeSkipCount_;
    return;
  }
  if (keyHandled_) {
    keyHandled_ = false;
    return;
  }
  TCustomControl::KeyPress(Key);
  ExecuteCommand(ecChar, Key, nullptr);
}

void TqzCustomEdit::DoOnProcessCommand(TqzEditorCommand& Command, char& AChar, void* Data) {
  if (Command >= ecUserFirst)
    Fire(OnProcessUserCommand, this, Command, AChar, Data);
  else
    Fire(OnProcessCommand, this, Command, AChar, Data);
}
