// The Tools and Quick Insert menus and the editor's popup: commands that rewrite the selection (or
// the whole text) as one undo step, the quick inserts, and starting the desktop's editors.
#include <algorithm>
#include <functional>

#include "editctl/qzCustomEdit.h"
#include "editctl/qzKeyCmds.h"
#include "editor/KoiConv.h"
#include "editor/Unit1.h"
#include "support/RegTools.h"
#include "vcl/Clipbrd.h"
#include "win/Shell.h"
#include "win/WinUser.h"

namespace Corvane {

namespace {

constexpr std::string_view kCrLf = "\r\n";

// The selection's lines, split at CR LF; a closing CR LF gives a last empty item.
std::vector<std::string> SplitAtCrLf(const std::string& Text) {
  std::vector<std::string> items;
  std::size_t start = 0;
  for (std::size_t at; (at = Text.find(kCrLf, start)) != std::string::npos; start = at + kCrLf.size())
    items.push_back(Text.substr(start, at - start));
  items.push_back(Text.substr(start));
  return items;
}

std::string EachLine(const std::string& Text, const std::function<std::string(const std::string&)>& Change) {
  std::string result;
  for (const std::string& item : SplitAtCrLf(Text)) {
    result += Change(item);
    result += kCrLf;
  }
  result.resize(result.size() - kCrLf.size());
  return result;
}

std::string Commented(const std::string& Text) {
  return EachLine(Text, [](const std::string& line) { return "# " + line; });
}

std::string Unformatted(const std::string& Text) {
  return EachLine(Text, [](const std::string& line) {
    const auto first =
        std::find_if(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) > ' '; });
    return std::string(first, line.end());
  });
}

// Only the letters A-Z and a-z change: the other bytes of the code page are no letters to this command.
std::string AsciiCase(std::string Text, bool Upper) {
  for (char& c : Text) {
    if (Upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (!Upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return Text;
}

}  // namespace

void TForm1::BindToolCommands() {
  auto on = [this](void (TForm1::*handler)(TObject*)) { return TNotifyEvent(this, handler); };
  Tools1->OnClick = on(&TForm1::Tools1Click);
  for (auto [item, pop, handler] : {std::tuple{Comment1, PopComment1, &TForm1::Comment1Click},
                                    {RemoveFormatting1, PopRemoveFormatting1, &TForm1::RemoveFormatting1Click},
                                    {Uppercase1, PopUppercase1, &TForm1::Uppercase1Click},
                                    {Lowercase1, PopLowercase1, &TForm1::Lowercase1Click},
                                    {UrlEncode1, PopUrlEncode1, &TForm1::UrlEncode1Click},
                                    {UrlDecode1, PopUrlDecode1, &TForm1::UrlDecode1Click}}) {
    item->OnClick = on(handler);
    pop->OnClick = on(handler);
  }
  WinToKoi1->OnClick = on(&TForm1::WinToKoi1Click);
  KoiToWin1->OnClick = on(&TForm1::KoiToWin1Click);
  LaunchNotepad1->OnClick = on(&TForm1::LaunchNotepad1Click);
  LaunchDreamweaver1->OnClick = on(&TForm1::LaunchDreamweaver1Click);
  SetPerlHeader1->OnClick = on(&TForm1::SetPerlHeader1Click);
  for (TMenuItem* item : QuickItems) item->OnClick = on(&TForm1::QuickItemClick);
}

void TForm1::Tools1Click(TObject*) {
  const bool selected = !Editor->SelText().empty();
  for (TMenuItem* item : {Comment1, RemoveFormatting1, Uppercase1, Lowercase1, UrlEncode1, UrlDecode1})
    item->SetEnabled(selected);
}

void TForm1::ReplaceSelection(const std::function<std::string(const std::string&)>& Change) {
  const std::string selected = Editor->SelText();
  if (!selected.empty()) Editor->SetSelText(Change(selected));
}

void TForm1::ConvertSelectionOrText(const std::function<std::string(const std::string&)>& Change) {
  if (!Editor->SelText().empty()) {
    ReplaceSelection(Change);
    return;
  }
  // The whole text changes as one step; the caret stays where it was.
  const TPoint caret = Editor->CaretXY();
  Editor->SelectAll();
  ReplaceSelection(Change);
  Editor->SetCaretXY(caret);
}

void TForm1::Comment1Click(TObject*) { ReplaceSelection(Commented); }
void TForm1::RemoveFormatting1Click(TObject*) { ReplaceSelection(Unformatted); }
void TForm1::Uppercase1Click(TObject*) {
  ReplaceSelection([](const std::string& text) { return AsciiCase(text, true); });
}
void TForm1::Lowercase1Click(TObject*) {
  ReplaceSelection([](const std::string& text) { return AsciiCase(text, false); });
}
void TForm1::UrlEncode1Click(TObject*) { ReplaceSelection(UrlEncodeText); }
void TForm1::UrlDecode1Click(TObject*) { ReplaceSelection(UrlDecodeText); }
void TForm1::WinToKoi1Click(TObject*) { ConvertSelectionOrText(WinToKoi); }
void TForm1::KoiToWin1Click(TObject*) { ConvertSelectionOrText(KoiToWin); }

void TForm1::LaunchNotepad1Click(TObject*) {
  // The desktop's editor gets the script when it has a file; a text never saved has none to give.
  const std::string file = CurrentFileName() == kUntitled ? std::string() : "\"" + CurrentFileName() + "\"";
  ShellExecute(Handle(), "open", DesktopTextEditor(), file, "", SW_SHOWNORMAL);
}

void TForm1::LaunchDreamweaver1Click(TObject*) {
  ShellExecute(Handle(), "open", GetDreamweaverPath(), "", "", SW_SHOWNORMAL);
}

void TForm1::SetPerlHeader1Click(TObject*) {
  const TPoint caret = Editor->CaretXY();
  const int firstLineEnd = Editor->LineCount() == 0 ? 1 : static_cast<int>(Editor->Lines()->Get(0).size()) + 1;
  Editor->SetCaretXY(TPoint{1, 1});
  Editor->SetBlockBegin(TPoint{1, 1});
  Editor->SetBlockEnd(TPoint{firstLineEnd, 1});
  Editor->SetSelText(PerlHeader());
  Editor->SetCaretXY(caret);
}

void TForm1::QuickItemClick(TObject* Sender) { Editor->SetSelText(static_cast<TMenuItem*>(Sender)->Caption()); }

}  // namespace Corvane
