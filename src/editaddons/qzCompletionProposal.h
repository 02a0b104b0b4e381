#pragma once
// A borderless popup list offering texts to insert at an editor's caret, the component that shows it,
// and the binding that opens it from an editor's short-cut and puts the chosen text in place of the
// word before the caret.
#include <memory>
#include <string>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/CustomControl.h"
#include "vcl/Forms.h"
#include "vcl/ShortCuts.h"
#include "vcl/StdCtrls.h"

class TCanvas;
class TqzCustomEdit;
class TCompletionList;

using TCompletionProposalPaintItem = TEvent<bool(const std::string& Key, TCanvas* Canvas, int X, int Y)>;
using TCompletionValidateEvent = TEvent<void(TObject* Sender, TShiftState Shift)>;

class TCompletionProposalForm : public TForm {
 public:
  explicit TCompletionProposalForm(TComponent* AOwner);
  ~TCompletionProposalForm() override;
  std::string ClassName() const override { return "TCompletionProposalForm"; }

  TStringList* ItemList() const { return itemList_.get(); }
  const std::string& CurrentString() const { return currentString_; }
  void SetCurrentString(const std::string& Value);
  int Position() const { return position_; }
  void SetPosition(int Value);
  int NbLinesInWindow() const { return nbLinesInWindow_; }
  void SetNbLinesInWindow(int Value);
  TColor ClSelect() const { return clSelect_; }
  void SetClSelect(TColor Value);
  bool AnsiStrings = false;
  int ItemHeight() const { return itemHeight_; }
  // Index of the first visible row.
  int ScrollPosition() const { return scrollBar_->Position(); }
  TScrollBar* ScrollBar() const { return scrollBar_; }
  TqzCustomEdit* CurrentEditor = nullptr;

  TCompletionProposalPaintItem OnPaintItem;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnKeyDelete;
  TCompletionValidateEvent OnValidate;
  TCompletionValidateEvent OnCancel;

  // The list area's input, handled by the form.
  void ListKeyDown(WORD& Key, TShiftState Shift);
  void ListKeyPress(char& Key);
  void ListMouseDown(int Y);
  void PaintList(TCanvas* Canvas);

 private:
  void Step(int Delta);
  void ItemsChanged(TObject* Sender);
  bool Matches(const std::string& Item) const;
  void ScrollBarChange(TObject* Sender);

  std::unique_ptr<TStringList> itemList_;
  TCompletionList* list_;
  TScrollBar* scrollBar_;
  std::string currentString_;
  int position_ = 0;
  int nbLinesInWindow_ = 0;
  int itemHeight_ = 0;
  TColor clSelect_ = clHighlight;
};

class TCompletionProposal : public TComponent {
 public:
  explicit TCompletionProposal(TComponent* AOwner);
  ~TCompletionProposal() override;
  std::string ClassName() const override { return "TCompletionProposal"; }

  // Shows the popup at the screen point (X, Y) with S as the text typed so far.
  void Execute(const std::string& S, int X, int Y);

  TCompletionProposalForm* Form() const { return form_; }
  TStrings* ItemList() const { return form_->ItemList(); }
  void SetItemList(TStrings* Value) { form_->ItemList()->Assign(Value); }
  int Position() const { return form_->Position(); }
  void SetPosition(int Value) { form_->SetPosition(Value); }
  int NbLinesInWindow() const { return form_->NbLinesInWindow(); }
  void SetNbLinesInWindow(int Value) { form_->SetNbLinesInWindow(Value); }
  TColor ClSelect() const { return form_->ClSelect(); }
  void SetClSelect(TColor Value) { form_->SetClSelect(Value); }
  bool AnsiStrings() const { return form_->AnsiStrings; }
  void SetAnsiStrings(bool Value) { form_->AnsiStrings = Value; }
  const std::string& CurrentString() const { return form_->CurrentString(); }
  void SetCurrentString(const std::string& Value) { form_->SetCurrentString(Value); }
  void SetOnPaintItem(const TCompletionProposalPaintItem& Value) { form_->OnPaintItem = Value; }

  TNotifyEvent OnExecute;

 private:
  TCompletionProposalForm* form_;  // owned through the component tree, freed in the destructor
};

class TQzCompletionProposal : public TCompletionProposal {
 public:
  explicit TQzCompletionProposal(TComponent* AOwner);
  ~TQzCompletionProposal() override;
  std::string ClassName() const override { return "TQzCompletionProposal"; }

  TShortCut ShortCut = 16416;  // Ctrl+Space
  std::string EndOfTokenChr = "()[].";
  // The first bound editor, or nullptr.
  TqzCustomEdit* Editor() const;
  // Binds one more editor; binding one already bound does nothing.
  void SetEditor(TqzCustomEdit* Value);
  // The word before E's caret, as the popup starts with it.
  std::string WordBeforeCaret(TqzCustomEdit* E) const;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  struct TBinding {
    TqzCustomEdit* Editor;
    TKeyEvent PreviousKeyDown;
    TKeyPressEvent PreviousKeyPress;
    bool SwallowChar = false;
  };
  TBinding* Find(TObject* Sender);
  void RemoveEditor(TComponent* E);
  void EditorKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void EditorKeyPress(TObject* Sender, char& Key);
  void FormKeyPress(TObject* Sender, char& Key);
  void FormKeyDelete(TObject* Sender);
  void FormValidate(TObject* Sender, TShiftState Shift);
  void FormCancel(TObject* Sender, TShiftState Shift);

  std::vector<std::unique_ptr<TBinding>> bindings_;
};
