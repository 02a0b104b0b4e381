// The quick-insert list editor. Short-cuts are stored as text ("Ctrl+0"); an empty text is none.
#include "editor/InsEdit.h"

#include "editor/DlgLayout.h"
#include "editor/Unit1.h"
#include "support/RegTools.h"
#include "vcl/ShortCuts.h"

namespace Corvane {

namespace {

const char* const kDefaultHeader = "#!/usr/bin/perl";

std::string Numbered(const char* prefix, size_t row) { return prefix + IntToStr(static_cast<long long>(row)); }
std::string DefaultHotKey(size_t row) { return Numbered("Ctrl+", row); }

}  // namespace

TInsForm::TInsForm(TComponent* AOwner) : TForm(AOwner) {
  SetName("InsForm");
  SetCaption("Edit \"Quick Insert\" List");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientSize(440, 420);
  Place<TLabel>(this, this, "", "Perl &Header:", 8, 10, 80, 16);
  HeaderEdit = Place<TEdit>(this, this, "HeaderEdit", "", 92, 8, 340, 22);
  Place<TLabel>(this, this, "", "Shortcut Keys", 8, 38, 120, 16);
  Place<TLabel>(this, this, "", "\"Quick Insert\" Strings", 136, 38, 200, 16);
  CreateRows();
  ResetKeysButton = Place<TButton>(this, this, "ResetKeysButton", "<reset to default>", 8, 318, 120, 22);
  ResetKeysButton->OnClick = TNotifyEvent(this, &TInsForm::ResetKeysButtonClick);
  ResetTextsButton = Place<TButton>(this, this, "ResetTextsButton", "<reset to default>", 136, 318, 120, 22);
  ResetTextsButton->OnClick = TNotifyEvent(this, &TInsForm::ResetTextsButtonClick);
  HintPanel = Place<TPanel>(this, this, "HintPanel",
                            "Hint: The list is also accessible by pressing Ctrl+Space in the editor.", 8, 348, 424, 26);
  AddOkCancel(this, 276, 386, OkButton, CancelButton, &closedWithOk_);
  OnCreate = TNotifyEvent(this, &TInsForm::FormCreate);
  OnClose = TCloseEvent(this, &TInsForm::FormClose);
}

void TInsForm::CreateRows() {
  for (size_t row = 0; row < 10; ++row) {
    const int top = 58 + static_cast<int>(row) * 26;
    THotKey* hotKey = Place<THotKey>(this, this, Numbered("HotKey", row), "", 8, top, 120, 22);
    // A short-cut needs Ctrl or Alt: a plain key or Shift with a key is refused, not changed.
    hotKey->InvalidKeys = {THKInvalidKey::hcNone, THKInvalidKey::hcShift};
    hotKey->Modifiers = {};
    HotKeys[row] = hotKey;
    Edits[row] = Place<TEdit>(this, this, Numbered("Edit", row), "", 136, top, 296, 22);
  }
}

void TInsForm::FormCreate(TObject*) {
  closedWithOk_ = false;
  HeaderEdit->SetText(ReadSetting("PerlHeader", kDefaultHeader));
  for (size_t row = 0; row < 10; ++row) {
    Edits[row]->SetText(ReadSetting(Numbered("Quick", row), kDefaultQuickInserts[row]));
    HotKeys[row]->SetHotKey(TextToShortCut(ReadSetting(Numbered("QuickHotkey", row), DefaultHotKey(row))));
  }
}

void TInsForm::ResetKeysButtonClick(TObject*) {
  for (size_t row = 0; row < 10; ++row) HotKeys[row]->SetHotKey(TextToShortCut(DefaultHotKey(row)));
}

void TInsForm::ResetTextsButtonClick(TObject*) {
  HeaderEdit->SetText(kDefaultHeader);
  for (size_t row = 0; row < 10; ++row) Edits[row]->SetText(kDefaultQuickInserts[row]);
}

void TInsForm::FormClose(TObject*, TCloseAction&) {
  if (!closedWithOk_) return;
  RegWriteString(kSettingsKey, "PerlHeader", HeaderEdit->Text());
  for (size_t row = 0; row < 10; ++row) RegWriteString(kSettingsKey, Numbered("Quick", row), Edits[row]->Text());
  for (size_t row = 0; row < 10; ++row)
    RegWriteString(kSettingsKey, Numbered("QuickHotkey", row), ShortCutToText(HotKeys[row]->HotKey()));
}

}  // namespace Corvane
