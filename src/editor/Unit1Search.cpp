// The Search and Bookmarks menus: find and replace through the replace dialog, go to a line number,
// the ten bookmarks with their captions and enabling, and the bookmark pictures of the gutter.
#include <array>
#include <string>
#include <vector>

#include "editctl/qzSupportClasses.h"
#include "editor/Unit1.h"
#include "vcl/Application.h"
#include "vcl/SysUtils.h"

namespace Corvane {

namespace {

// The digits of the bookmark pictures, three by five cells, a cell drawn as two by two pixels.
constexpr std::array<const char*, 10> kDigitCells = {
    "###" "#.#" "#.#" "#.#" "###", "..#" ".##" "..#" "..#" "..#", "###" "..#" "###" "#.." "###",
    "###" "..#" ".##" "..#" "###", "#.#" "#.#" "###" "..#" "..#", "###" "#.." "###" "..#" "###",
    "###" "#.." "###" "#.#" "###", "###" "..#" ".#." ".#." ".#.", "###" "#.#" "###" "#.#" "###",
    "###" "#.#" "###" "..#" "###"};
constexpr int kBookmarkWidth = 11;
constexpr int kBookmarkHeight = 14;

// Bookmark n as XPM rows: a yellow note with a dark border and the digit n on it.
std::vector<std::string> BookmarkPicture(int n) {
  std::vector<std::string> rows = {"11 14 3 1", "  c None", "k c #000000", "y c #FFFF80"};
  for (int y = 0; y < kBookmarkHeight; ++y) {
    std::string row(kBookmarkWidth, ' ');
    for (int x = 1; x < kBookmarkWidth - 1; ++x) {
      const bool border = y == 0 || y == kBookmarkHeight - 1 || x == 1 || x == kBookmarkWidth - 2;
      row[static_cast<std::size_t>(x)] = border ? 'k' : 'y';
      // The digit's cells start at pixel (3, 2).
      const bool inDigit = x >= 3 && x < 9 && y >= 2 && y < 12;
      if (inDigit && kDigitCells[static_cast<std::size_t>(n)][(y - 2) / 2 * 3 + (x - 3) / 2] == '#')
        row[static_cast<std::size_t>(x)] = 'k';
    }
    rows.push_back(row);
  }
  return rows;
}

// The number a bookmark item is for: the digit after "#" in its caption.
int BookmarkNumberOf(TObject* Sender) {
  const std::string caption = static_cast<TMenuItem*>(Sender)->Caption();
  const std::size_t hash = caption.find('#');
  return hash == std::string::npos || hash + 1 >= caption.size() ? -1 : caption[hash + 1] - '0';
}

}  // namespace

void TForm1::CreateSearchCommands() {
  BookmarkImageList = new TImageList(this);
  BookmarkImageList->SetName("BookmarkImageList");
  BookmarkImageList->SetSize(kBookmarkWidth, kBookmarkHeight);
  for (int n = 0; n < 10; ++n) {
    const std::vector<std::string> rows = BookmarkPicture(n);
    std::vector<const char*> xpm;
    for (const std::string& row : rows) xpm.push_back(row.c_str());
    BookmarkImageList->AddXpm(xpm.data());
  }
  Editor->BookMarkOptions()->SetBookmarkImages(BookmarkImageList);

  const auto on = [this](void (TForm1::*handler)(TObject*)) { return TNotifyEvent(this, handler); };
  FindReplace1->OnClick = on(&TForm1::FindReplace1Click);
  FindButton->OnClick = on(&TForm1::FindReplace1Click);
  FindNext1->OnClick = on(&TForm1::FindNext1Click);
  FindNextButton->OnClick = on(&TForm1::FindNext1Click);
  FindPrevious1->OnClick = on(&TForm1::FindPrevious1Click);
  GoToLine1->OnClick = on(&TForm1::GoToLine1Click);
  ReplaceDialog1->OnFind = on(&TForm1::ReplaceDialog1Find);
  ReplaceDialog1->OnReplace = on(&TForm1::ReplaceDialog1Replace);
  Bookmarks1->OnClick = on(&TForm1::Bookmarks1Click);
  for (TMenuItem* item : SetBookmarkItems) item->OnClick = on(&TForm1::SetBookmarkClick);
  for (TMenuItem* item : GotoBookmarkItems) item->OnClick = on(&TForm1::GotoBookmarkClick);
}

// ---- Find and replace

void TForm1::FindReplace1Click(TObject*) { ReplaceDialog1->Execute(); }

void TForm1::ReplaceDialog1Find(TObject*) {
  const std::string& text = ReplaceDialog1->FindText;
  if (text.empty()) {
    Application->MessageBox("Can't search for empty text!", "Find", MB_OK);
    return;
  }
  TqzSearchOptions options;
  if (!ReplaceDialog1->Options.Contains(TFindOption::frDown)) options.Include(qzsoBackwards);
  if (ReplaceDialog1->Options.Contains(TFindOption::frMatchCase)) options.Include(qzsoMatchCase);
  if (ReplaceDialog1->Options.Contains(TFindOption::frWholeWord)) options.Include(qzsoWholeWord);
  if (Editor->SearchReplace(text, "", options) == 0)
    Application->MessageBox("Search text '" + text + "' not found!", "Find", MB_OK);
}

void TForm1::ReplaceDialog1Replace(TObject*) {
  const std::string& text = ReplaceDialog1->FindText;
  if (text.empty()) {
    Application->MessageBox("Can't replace an empty text!", "Replace", MB_OK);
    return;
  }
  TqzSearchOptions options{qzsoReplace};
  if (ReplaceDialog1->Options.Contains(TFindOption::frMatchCase)) options.Include(qzsoMatchCase);
  if (ReplaceDialog1->Options.Contains(TFindOption::frWholeWord)) options.Include(qzsoWholeWord);
  if (ReplaceDialog1->Options.Contains(TFindOption::frReplaceAll)) options.Include(qzsoReplaceAll);
  if (Editor->SearchReplace(text, ReplaceDialog1->ReplaceText, options) == 0)
    Application->MessageBox("Search text '" + text + "' could not be replaced!", "Replace", MB_OK);
}

void TForm1::FindNext1Click(TObject*) {
  ReplaceDialog1->Options.Include(TFindOption::frDown);
  ReplaceDialog1Find(this);
  Editor->SetFocus();
}

void TForm1::FindPrevious1Click(TObject*) {
  ReplaceDialog1->Options.Exclude(TFindOption::frDown);
  ReplaceDialog1Find(this);
  Editor->SetFocus();
}

void TForm1::GoToLine1Click(TObject*) {
  std::string value;
  if (!InputQuery("Go to Line Number...", "Enter the line number here:", value)) return;
  // Not a number: the conversion error reaches the message loop, which shows it.
  Editor->SetCaretXY(TPoint{0, StrToInt(value)});
  Editor->EnsureCaretVisible();
}

// ---- Bookmarks

void TForm1::Bookmarks1Click(TObject*) {
  for (int n = 0; n < 10; ++n) {
    int x = 0;
    int y = 0;
    const bool exists = Editor->GetBookMark(n, x, y);
    SetBookmarkItems[static_cast<std::size_t>(n)]->SetCaption((exists ? "Remove Bookmark #" : "Set Bookmark #") +
                                                              IntToStr(n));
    GotoBookmarkItems[static_cast<std::size_t>(n)]->SetEnabled(exists);
  }
}

void TForm1::SetBookmarkClick(TObject* Sender) {
  const int n = BookmarkNumberOf(Sender);
  int x = 0;
  int y = 0;
  if (Editor->GetBookMark(n, x, y))
    Editor->ClearBookMark(n);
  else
    Editor->SetBookMark(n, Editor->CaretX(), Editor->CaretY());
}

void TForm1::GotoBookmarkClick(TObject* Sender) {
  const int n = BookmarkNumberOf(Sender);
  int x = 0;
  int y = 0;
  if (Editor->GetBookMark(n, x, y)) Editor->GotoBookMark(n);
}

}  // namespace Corvane
