#include "editaddons/qzCompletionProposal.h"

#include <algorithm>
#include <cctype>

#include "editctl/qzCustomEdit.h"
#include "editctl/qzKeyCmds.h"
#include "vcl/Canvas.h"
#include "vcl/Messages.h"

namespace {
constexpr int kFormWidth = 262;
constexpr int kInitialLines = 6;

bool SameAsciiCaseless(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}
}  // namespace

// The popup's drawing area (left of its scroll bar): it holds the focus while the popup is open and hands its input to the form.
class TCompletionList : public TCustomControl {
 public:
  explicit TCompletionList(TCompletionProposalForm* AOwner) : TCustomControl(AOwner), form_(AOwner) {}
  std::string ClassName() const override { return "TCompletionList"; }

 protected:
  void Paint() override { form_->PaintList(Canvas()); }
  void KeyDown(WORD& Key, TShiftState Shift) override { form_->ListKeyDown(Key, Shift); }
  void KeyPress(char& Key) override { form_->ListKeyPress(Key); }
  void MouseDown(TMouseButton, TShiftState, int, int Y) override { form_->ListMouseDown(Y); }

 private:
  TCompletionProposalForm* form_;
};

// ---------------------------------------------------------------------------------------------------
// The popup form

TCompletionProposalForm::TCompletionProposalForm(TComponent* AOwner)
    : TForm(AOwner), itemList_(std::make_unique<TStringList>()),
      list_(new TCompletionList(this)),
      scrollBar_(new TScrollBar(this)) {
  SetBorderStyle(TFormBorderStyle::bsNone);
  SetFormStyle(fsStayOnTop);
  // The one-pixel frame is the form's own colour around the list area.
  SetColor(clBlack);
  list_->ParentColor = false;
  list_->SetColor(clWindow);
  list_->SetParent(this);
  scrollBar_->SetKind(sbVertical);
  scrollBar_->SetParent(this);
  scrollBar_->OnChange = TNotifyEvent(this, &TCompletionProposalForm::ScrollBarChange);
  itemHeight_ = list_->Canvas()->TextHeight("Hg");
  itemList_->OnChange = TNotifyEvent(this, &TCompletionProposalForm::ItemsChanged);
  SetWidth(kFormWidth);
  SetNbLinesInWindow(kInitialLines);
  SetActiveControl(list_);
  // Validation and cancellation give the editor the focus back, which closes the popup.
  OnDeactivate = [this](TObject*) { Hide(); };
}

TCompletionProposalForm::~TCompletionProposalForm() {
  itemList_->OnChange = nullptr;
  scrollBar_->OnChange = nullptr;
}

bool TCompletionProposalForm::Matches(const std::string& Item) const {
  if (Item.size() < currentString_.size()) return false;
  const std::string head = Item.substr(0, currentString_.size());
  return AnsiStrings ? SameAsciiCaseless(head, currentString_) : head == currentString_;
}

void TCompletionProposalForm::SetCurrentString(const std::string& Value) {
  currentString_ = Value;
  for (int i = 0; i < itemList_->Count(); ++i) {
    if (Matches(itemList_->Strings(i))) {
      SetPosition(i);
      return;
    }
  }
}

void TCompletionProposalForm::SetPosition(int Value) {
  // An empty list has no item to select; elsewhere the index stays within the list.
  if (Value < 0 || Value >= itemList_->Count() || Value == position_) return;
  position_ = Value;
  if (position_ < ScrollPosition())
    scrollBar_->SetPosition(position_);
  else if (position_ > ScrollPosition() + nbLinesInWindow_ - 1)
    scrollBar_->SetPosition(position_ - nbLinesInWindow_ + 1);
  list_->Invalidate();
}

void TCompletionProposalForm::SetNbLinesInWindow(int Value) {
  nbLinesInWindow_ = Value;
  SetHeight(nbLinesInWindow_ * itemHeight_ + 2);
  const int barLeft = ClientWidth() - scrollBar_->Width() - 2;
  scrollBar_->SetBounds(barLeft, 2, scrollBar_->Width(), Height() - 4);
  list_->SetBounds(1, 1, barLeft - 2, Height() - 2);
  ItemsChanged(nullptr);
}

void TCompletionProposalForm::SetClSelect(TColor Value) {
  clSelect_ = Value;
  list_->Invalidate();
}

void TCompletionProposalForm::ItemsChanged(TObject*) {
  scrollBar_->SetMax(std::max(0, itemList_->Count() - nbLinesInWindow_));
  scrollBar_->SetLargeChange(nbLinesInWindow_);
  if (position_ >= itemList_->Count()) position_ = std::max(0, itemList_->Count() - 1);
  list_->Invalidate();
}

void TCompletionProposalForm::ScrollBarChange(TObject*) {
  // The selection stays on a visible row.
  const int first = ScrollPosition();
  position_ = std::clamp(position_, first, first + nbLinesInWindow_ - 1);
  list_->Invalidate();
}

void TCompletionProposalForm::Step(int Delta) {
  const int last = itemList_->Count() - 1;
  SetPosition(std::clamp(position_ + Delta, 0, std::max(0, last)));
}

void TCompletionProposalForm::ListKeyDown(WORD& Key, TShiftState Shift) {
  const bool ctrl = Shift.Contains(ssCtrl);
  const int last = itemList_->Count() - 1;
  switch (Key) {
    case VK_UP:
      ctrl ? SetPosition(0) : Step(-1);
      break;
    case VK_DOWN:
      ctrl ? SetPosition(last) : Step(1);
      break;
    case VK_PRIOR:
      Step(-nbLinesInWindow_);
      break;
    case VK_NEXT:
      Step(nbLinesInWindow_);
      break;
    case VK_HOME:
      if (ctrl) SetPosition(0);
      break;
    case VK_END:
      if (ctrl) SetPosition(last);
      break;
    case VK_BACK:
      if (Shift.Empty() && !currentString_.empty()) {
        SetCurrentString(currentString_.substr(0, currentString_.size() - 1));
        if (OnKeyDelete) OnKeyDelete(this);
      }
      break;
    case VK_RETURN:
      if (OnValidate) OnValidate(this, Shift);
      break;
    case VK_ESCAPE:
    case VK_SPACE:
      if (OnCancel) OnCancel(this, Shift);
      break;
    default:
      break;
  }
  list_->Invalidate();
}

void TCompletionProposalForm::ListKeyPress(char& Key) {
  const auto code = static_cast<unsigned char>(Key);
  if (code >= 33 && code <= 122) {
    SetCurrentString(currentString_ + Key);
    if (OnKeyPress) OnKeyPress(this, Key);
  } else if (code == 8) {
    if (OnKeyPress) OnKeyPress(this, Key);
  } else if (OnCancel) {
    OnCancel(this, TShiftState{});
  }
  list_->Invalidate();
}

void TCompletionProposalForm::ListMouseDown(int Y) {
  // The list area starts one pixel inside the form, so its Y is already the form's Y - 1.
  if (itemHeight_ > 0) SetPosition(Y / itemHeight_ + ScrollPosition());
}

void TCompletionProposalForm::PaintList(TCanvas* Canvas) {
  Canvas->Brush()->SetColor(clWindow);
  Canvas->FillRect(TRect{0, 0, list_->Width(), list_->Height()});
  const int rows = std::min(nbLinesInWindow_, itemList_->Count() - ScrollPosition());
  for (int i = 0; i < rows; ++i) {
    const int index = ScrollPosition() + i;
    const int y = i * itemHeight_;
    Canvas->Brush()->SetColor(index == position_ ? clSelect_ : clWindow);
    if (index == position_) Canvas->FillRect(TRect{0, y, list_->Width(), y + itemHeight_});
    const std::string text = itemList_->Strings(index);
    if (OnPaintItem && OnPaintItem(text, Canvas, 0, y)) continue;
    Canvas->TextOut(0, y, text);
  }
}

// ---------------------------------------------------------------------------------------------------
// The component

TCompletionProposal::TCompletionProposal(TComponent* AOwner)
    : TComponent(AOwner), form_(CreateForm<TCompletionProposalForm>(this)) {}

TCompletionProposal::~TCompletionProposal() { delete form_; }

void TCompletionProposal::Execute(const std::string& S, int X, int Y) {
  form_->SetTop(Y);
  form_->SetLeft(X);
  form_->SetCurrentString(S);
  if (OnExecute) OnExecute(this);
  form_->Show();
}

// ---------------------------------------------------------------------------------------------------
// Binding to editors

TQzCompletionProposal::TQzCompletionProposal(TComponent* AOwner) : TCompletionProposal(AOwner) {
  TCompletionProposalForm* form = Form();
  form->OnKeyPress = TKeyPressEvent(this, &TQzCompletionProposal::FormKeyPress);
  form->OnKeyDelete = TNotifyEvent(this, &TQzCompletionProposal::FormKeyDelete);
  form->OnValidate = TCompletionValidateEvent(this, &TQzCompletionProposal::FormValidate);
  form->OnCancel = TCompletionValidateEvent(this, &TQzCompletionProposal::FormCancel);
}

TQzCompletionProposal::~TQzCompletionProposal() {
  // The editors may outlive us: they get their own handlers back so none calls into a freed component.
  while (!bindings_.empty()) {
    TBinding& last = *bindings_.back();
    last.Editor->OnKeyDown = last.PreviousKeyDown;
    last.Editor->OnKeyPress = last.PreviousKeyPress;
    last.Editor->RemoveFreeNotification(this);
    bindings_.pop_back();
  }
}

TqzCustomEdit* TQzCompletionProposal::Editor() const {
  return bindings_.empty() ? nullptr : bindings_.front()->Editor;
}

void TQzCompletionProposal::SetEditor(TqzCustomEdit* Value) {
  if (Value == nullptr || Find(Value) != nullptr) return;
  bindings_.push_back(std::make_unique<TBinding>(TBinding{Value, Value->OnKeyDown, Value->OnKeyPress}));
  Value->FreeNotification(this);
  if (IsDesigning()) return;
  Value->OnKeyDown = TKeyEvent(this, &TQzCompletionProposal::EditorKeyDown);
  Value->OnKeyPress = TKeyPressEvent(this, &TQzCompletionProposal::EditorKeyPress);
}

TQzCompletionProposal::TBinding* TQzCompletionProposal::Find(TObject* Sender) {
  auto it = std::find_if(bindings_.begin(), bindings_.end(), [Sender](const auto& b) { return b->Editor == Sender; });
  return it == bindings_.end() ? nullptr : it->get();
}

void TQzCompletionProposal::RemoveEditor(TComponent* E) {
  std::erase_if(bindings_, [E](const auto& b) { return b->Editor == E; });
  if (Form()->CurrentEditor == E) Form()->CurrentEditor = nullptr;
}

void TQzCompletionProposal::Notification(TComponent* AComponent, TOperation Operation) {
  TCompletionProposal::Notification(AComponent, Operation);
  if (Operation == opRemove) RemoveEditor(AComponent);
}

std::string TQzCompletionProposal::WordBeforeCaret(TqzCustomEdit* E) const {
  const std::string line = E->LineText();
  const int end = E->CaretX() - 1;
  if (end > static_cast<int>(line.size())) return "";
  int start = end;
  while (start > 0) {
    const char c = line[static_cast<size_t>(start - 1)];
    if (static_cast<unsigned char>(c) <= 32 || EndOfTokenChr.find(c) != std::string::npos) break;
    --start;
  }
  return line.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
}

void TQzCompletionProposal::EditorKeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {
  TBinding* binding = Find(Sender);
  if (binding == nullptr) return;
  TqzCustomEdit* editor = binding->Editor;
  WORD key = 0;
  TShiftState shift;
  ShortCutToKey(ShortCut, key, shift);
  if (!editor->ReadOnly() && Shift == shift && Key == key) {
    const TPoint at = editor->ClientToScreen(TPoint{editor->CaretXPix(), editor->CaretYPix() + editor->LineHeight()});
    Form()->CurrentEditor = editor;
    Execute(WordBeforeCaret(editor), at.x, at.y);
    Key = 0;
    binding->SwallowChar = true;
  }
  if (binding->PreviousKeyDown) binding->PreviousKeyDown(Sender, Key, Shift);
}

void TQzCompletionProposal::EditorKeyPress(TObject* Sender, char& Key) {
  TBinding* binding = Find(Sender);
  if (binding == nullptr) return;
  if (binding->SwallowChar) {
    Key = '\0';
    binding->SwallowChar = false;
  }
  if (binding->PreviousKeyPress) binding->PreviousKeyPress(Sender, Key);
}

void TQzCompletionProposal::FormKeyPress(TObject*, char& Key) {
  if (TqzCustomEdit* editor = Form()->CurrentEditor) editor->ExecuteCommand(ecChar, Key, nullptr);
}

void TQzCompletionProposal::FormKeyDelete(TObject*) {
  if (TqzCustomEdit* editor = Form()->CurrentEditor) editor->ExecuteCommand(ecDeleteLastChar, '\0', nullptr);
}

void TQzCompletionProposal::FormValidate(TObject*, TShiftState) {
  TCompletionProposalForm* form = Form();
  TqzCustomEdit* editor = form->CurrentEditor;
  if (editor == nullptr) return;
  const int length = static_cast<int>(form->CurrentString().size());
  editor->SetBlockBegin(TPoint{editor->CaretX() - length, editor->CaretY()});
  editor->SetBlockEnd(TPoint{editor->CaretX(), editor->CaretY()});
  // An empty list has no item to put in.
  if (form->Position() < form->ItemList()->Count())
    editor->SetSelText(form->ItemList()->Strings(form->Position()));
  editor->SetFocus();
}

void TQzCompletionProposal::FormCancel(TObject*, TShiftState) {
  TqzCustomEdit* editor = Form()->CurrentEditor;
  if (editor == nullptr) return;
  if (auto* owner = dynamic_cast<TWinControl*>(editor->Owner())) owner->SetFocus();
  editor->SetFocus();
}
