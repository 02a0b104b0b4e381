#include "editor/HotKeysPage.h"

#include <cctype>
#include <utility>
#include <vector>

#include "editctl/qzKeyCmds.h"
#include "editor/Unit1.h"
#include "editaddons/qzCompletionProposal.h"
#include "vcl/Menus.h"

namespace Corvane {

namespace {

std::string HtmlText(const std::string& Text) {
  std::string result;
  for (const char c : Text) {
    switch (c) {
      case '&': result += "&amp;"; break;
      case '<': result += "&lt;"; break;
      case '>': result += "&gt;"; break;
      case '"': result += "&quot;"; break;
      default: result += c; break;
    }
  }
  return result;
}

std::string Row(const std::string& Keys, const std::string& Command) {
  return "<tr><td>" + HtmlText(Keys) + "</td><td>" + HtmlText(Command) + "</td></tr>\n";
}

std::string Table(const std::string& Rows) {
  return "<table border=\"1\" cellpadding=\"3\">\n<tr><th>Keys</th><th>Command</th></tr>\n" + Rows + "</table>\n";
}

// "File > New Window": the item's captions from the menu bar down, without their "&" marks.
std::string MenuPath(const TMenuItem* Item) {
  std::string path = StripHotkey(Item->Caption());
  for (const TMenuItem* up = Item->Parent(); up && up->Parent(); up = up->Parent())
    path = StripHotkey(up->Caption()) + " > " + path;
  return path;
}

void AddMenuRows(const TMenuItem* Item, std::string& Rows) {
  for (int i = 0; i < Item->Count(); ++i) {
    const TMenuItem* child = Item->Items(i);
    if (child->ShortCut() != 0) Rows += Row(ShortCutToText(child->ShortCut()), MenuPath(child));
    AddMenuRows(child, Rows);
  }
}

// The command's identifier in words: "ecSelWordLeft" reads "Select word left".
std::string CommandWords(TqzEditorCommand Command) {
  const std::string ident = EditorCommandToText(Command);
  if (ident.rfind("ec", 0) != 0) return ident;
  std::vector<std::string> words;
  for (size_t i = 2; i < ident.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(ident[i]);
    const unsigned char before = static_cast<unsigned char>(ident[i - 1]);
    const bool starts = i == 2 || (std::isupper(c) && !std::isupper(before)) || (std::isdigit(c) && !std::isdigit(before));
    if (starts) words.emplace_back();
    words.back() += static_cast<char>(c);
  }
  static const std::pair<const char*, const char*> kPlainWords[] = {
      {"Sel", "select"}, {"BOL", "to line start"}, {"EOL", "to line end"}, {"Char", "character"},
      {"Goto", "go to"}, {"Marker", "bookmark"},   {"Editor", "text"},
      {"Toggle", "switch insert or overwrite"}};
  std::string text;
  for (const std::string& word : words) {
    std::string plain = word;
    for (const auto& [from, to] : kPlainWords)
      if (word == from) plain = to;
    if (!text.empty()) text += ' ';
    for (char& c : plain) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    text += plain;
  }
  if (!text.empty()) text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  return text;
}

std::string KeysText(const TqzKeyStroke* Stroke) {
  std::string keys = ShortCutToText(Stroke->GetShortCut());
  if (Stroke->GetShortCut2() != 0) keys += ", " + ShortCutToText(Stroke->GetShortCut2());
  return keys;
}

std::string EditorRows(TForm1* Form) {
  std::string rows;
  TqzKeyStrokes* keys = Form->Editor->Keystrokes();
  for (int i = 0; i < keys->Count(); ++i) {
    const TqzKeyStroke* stroke = keys->Items(i);
    std::string command = CommandWords(stroke->GetCommand());
    // The menus see a key before the editor does.
    if (stroke->GetShortCut2() == 0)
      if (const TMenuItem* item = Form->MainMenu1->FindItemByShortCut(stroke->GetShortCut()))
        command += " (the menu's " + MenuPath(item) + " comes first)";
    rows += Row(KeysText(stroke), command);
  }
  rows += Row(ShortCutToText(Form->Compl->ShortCut), "Complete the word before the caret from the quick inserts");
  return rows;
}

}  // namespace

std::string HotKeysPageHtml(TForm1* Form) {
  std::string menuRows;
  AddMenuRows(Form->MainMenu1->Items(), menuRows);
  return "<html><head><title>Editor Hot Keys</title></head>\n<body>\n<h1>Editor Hot Keys</h1>\n"
         "<p>A key of a menu item works wherever the keyboard is in the window, and it goes before the "
         "editor's own keys.</p>\n<h2>Menus</h2>\n" +
         Table(menuRows) +
         "<p>The keys of the ten quick inserts are their defaults; Quick Insert &gt; Edit List changes them.</p>\n"
         "<h2>Editor</h2>\n" +
         Table(EditorRows(Form)) + "</body></html>\n";
}

}  // namespace Corvane
