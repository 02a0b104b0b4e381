// The Edit menu, the editor's popup and their tool-bar buttons: undo, redo and the clipboard, enabled
// as each menu opens; and files dropped on the editor.
#include <memory>

#include "editctl/qzCustomEdit.h"
#include "editor/Unit1.h"
#include "vcl/Application.h"
#include "vcl/Clipbrd.h"
#include "win/Shell.h"
#include "win/WinUser.h"

namespace Corvane {

void TForm1::CreateEditCommands() {
  auto bind = [](std::initializer_list<TMenuItem*> items, TToolButton* button, const TNotifyEvent& click) {
    for (TMenuItem* item : items) item->OnClick = click;
    if (button) button->OnClick = click;
  };
  bind({Undo1, PopUndo1}, UndoButton, TNotifyEvent(this, &TForm1::Undo1Click));
  bind({Redo1}, RedoButton, TNotifyEvent(this, &TForm1::Redo1Click));
  bind({Cut1, PopCut1}, CutButton, TNotifyEvent(this, &TForm1::Cut1Click));
  bind({Copy1, PopCopy1}, CopyButton, TNotifyEvent(this, &TForm1::Copy1Click));
  bind({Paste1, PopPaste1}, PasteButton, TNotifyEvent(this, &TForm1::Paste1Click));
  bind({SelectAll1, PopSelectAll1}, SelectAllButton, TNotifyEvent(this, &TForm1::SelectAll1Click));
  bind({CopyAll1}, nullptr, TNotifyEvent(this, &TForm1::CopyAll1Click));
  bind({CopyCurrentLine1}, nullptr, TNotifyEvent(this, &TForm1::CopyCurrentLine1Click));
  Edit1->OnClick = TNotifyEvent(this, &TForm1::Edit1Click);
  PopupMenu1->OnPopup = TNotifyEvent(this, &TForm1::PopupMenu1Popup);
  Editor->OnDropFiles = TDropFilesEvent(this, &TForm1::EditorDropFiles);
  clipboardViewer_ = std::make_unique<TClipboardViewer>(TNotifyEvent(this, &TForm1::ClipboardChange));
}

void TForm1::Edit1Click(TObject*) {
  const bool selected = Editor->SelectionAvailable();
  Undo1->SetEnabled(Editor->CanUndo());
  Redo1->SetEnabled(Editor->CanRedo());
  Paste1->SetEnabled(Editor->CanPaste());
  Cut1->SetEnabled(selected);
  Copy1->SetEnabled(selected);
}

void TForm1::PopupMenu1Popup(TObject*) {
  const bool selected = Editor->SelectionAvailable();
  PopUndo1->SetEnabled(Editor->CanUndo());
  PopPaste1->SetEnabled(Editor->CanPaste());
  for (TMenuItem* item : {PopCut1, PopCopy1, PopComment1, PopRemoveFormatting1, PopUppercase1, PopLowercase1,
                          PopUrlEncode1, PopUrlDecode1})
    item->SetEnabled(selected);
}

// Another program may put something to paste there, or take it away. In Run mode the button stays off.
void TForm1::ClipboardChange(TObject*) {
  PasteButton->SetEnabled(PageControl1->ActivePage() == EditSheet && Editor->CanPaste());
}

void TForm1::Undo1Click(TObject*) { Editor->Undo(); }
void TForm1::Redo1Click(TObject*) { Editor->Redo(); }
void TForm1::Cut1Click(TObject*) { Editor->CutToClipboard(); }
void TForm1::Copy1Click(TObject*) { Editor->CopyToClipboard(); }
void TForm1::Paste1Click(TObject*) { Editor->PasteFromClipboard(); }
void TForm1::SelectAll1Click(TObject*) { Editor->SelectAll(); }
void TForm1::CopyAll1Click(TObject*) { Clipboard()->SetAsText(Editor->Text()); }
void TForm1::CopyCurrentLine1Click(TObject*) { Clipboard()->SetAsText(Editor->LineText()); }

// One file opens here; every further one in a window of its own. Those are started first, so that a
// first file that cannot be read loses none of them.
void TForm1::EditorDropFiles(TObject*, int, int, TStrings* Files) {
  if (Files->Count() == 0) return;
  for (int i = 1; i < Files->Count(); ++i)
    ShellExecute(Handle(), "open", Application->ExeName(), Files->Get(i), "", SW_SHOWNORMAL);
  Open(Files->Get(0), false);
}

}  // namespace Corvane
