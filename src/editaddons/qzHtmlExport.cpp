#include "editaddons/qzHtmlExport.h"

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "editctl/qzCustomEdit.h"
#include "vcl/Application.h"
#include "vcl/Clipbrd.h"
#include "vcl/SysUtils.h"
#include "win/CodePage.h"

namespace {

constexpr std::string_view CRLF = "\r\n";

// What each byte of the text is written as: the markup characters as entities, and every byte past
// ASCII as a reference to the character it is in the code page, so the page is plain ASCII and reads
// the same whatever character set a browser takes it for, in a file and on the clipboard alike.
struct TByteReferences {
  std::array<std::string, 256> Text;
  std::array<bool, 256> Replaced{};  // flags, one byte each: most text has none, and this keeps the scan short
};

TByteReferences MakeReferences(TAnsiCodePage CodePage) {
  TByteReferences references;
  const std::pair<unsigned char, const char*> markup[] = {{'"', "&quot;"}, {'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}};
  for (const auto& [byte, entity] : markup) references.Text[byte] = entity;
  for (unsigned c = 0x80; c < 0x100; ++c)
    references.Text[c] = "&#" + std::to_string(CodePageCharToUnicode(CodePage, static_cast<unsigned char>(c))) + ";";
  for (size_t i = 0; i < references.Text.size(); ++i) references.Replaced[i] = !references.Text[i].empty();
  return references;
}

// The references of the system's code page as it is now.
const TByteReferences& References() {
  static std::map<TAnsiCodePage, TByteReferences> tables;
  const TAnsiCodePage codePage = GetACP();
  auto found = tables.find(codePage);
  if (found == tables.end()) found = tables.emplace(codePage, MakeReferences(codePage)).first;
  return found->second;
}

// Opening and closing tags of the styles, outermost first.
struct TStyleTag {
  TFontStyle Style;
  std::string_view Open;
  std::string_view Close;
};
constexpr std::array<TStyleTag, 4> StyleTags = {{{fsBold, "<b>", "</b>"},
                                                 {fsItalic, "<i>", "</i>"},
                                                 {fsUnderline, "<u>", "</u>"},
                                                 {fsStrikeOut, "<strike>", "</strike>"}}};

constexpr std::string_view StartFragmentMark = "<!--StartFragment-->";
constexpr std::string_view EndFragmentMark = "<!--EndFragment-->";
constexpr std::string_view FragmentEnd = "</pre></code>";

// Hands Text on in pieces, each either a run of bytes that stay as they are or a replaced byte's
// reference. The system's code pages are single-byte, so no byte belongs to a multibyte sequence.
template <class TPieceSink>
void ForEachEncodedPiece(std::string_view Text, TPieceSink&& Sink) {
  const TByteReferences& references = References();
  size_t run = 0;
  for (size_t i = 0; i < Text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(Text[i]);
    if (!references.Replaced[byte]) continue;
    if (i > run) Sink(Text.substr(run, i - run));
    Sink(std::string_view(references.Text[byte]));
    run = i + 1;
  }
  if (run < Text.size()) Sink(Text.substr(run));
}

std::string TenDigits(size_t Value) { return Format("%010zu", Value); }

TqzHtmlExport*& SharedInstance() {
  static TqzHtmlExport* shared = nullptr;
  return shared;
}

struct TExporterRegistration {
  TExporterRegistration() { RegisterExporterClass(&CreateExporterOf<TqzHtmlExport>); }
  ~TExporterRegistration() { UnregisterExporterClass(&CreateExporterOf<TqzHtmlExport>); }
};
const TExporterRegistration Registration;

}  // namespace

std::string EncodeHtmlEntities(const std::string& Text) {
  std::string encoded;
  encoded.reserve(Text.size());
  ForEachEncodedPiece(Text, [&encoded](std::string_view Piece) { encoded.append(Piece); });
  return encoded;
}

std::string HtmlColorText(TColor Color) {
  const std::int32_t rgb = ColorToRGB(Color);
  return Format("\"#%02X%02X%02X\"", GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TqzHtmlExport::TqzHtmlExport(TComponent* AOwner) : TqzCustomExport(AOwner) {
  SetDefaultFilter("HTML Document (*.htm,*.html)|*.htm;*.html");
}

TqzHtmlExport::~TqzHtmlExport() {
  if (SharedInstance() == this) SharedInstance() = nullptr;
}

TqzHtmlExport* TqzHtmlExport::GetSharedInstance() {
  if (!SharedInstance()) SharedInstance() = new TqzHtmlExport(Application);
  return SharedInstance();
}

void TqzHtmlExport::SetBackGround(TColor Value) {
  if (IsSystemColor(Value)) {
    FPlainText = clBlack;
    FBackGround = clWhite;
  } else {
    FBackGround = Value;
  }
}

void TqzHtmlExport::SetPlainText(TColor Value) {
  if (IsSystemColor(Value)) {
    FBackGround = clWhite;
    FPlainText = clBlack;
  } else {
    FPlainText = Value;
  }
}

UINT TqzHtmlExport::GetClipboardFormat() {
  if (FHtmlFormat == 0) FHtmlFormat = RegisterClipboardFormat("HTML Format");
  return FHtmlFormat;
}

void TqzHtmlExport::InitExport(TqzCustomEdit* Editor, TqzCustomHighLighter* Highlighter, int LineCount) {
  TqzCustomExport::InitExport(Editor, Highlighter, LineCount);
  // Not through the setter: a system colour stays one and is resolved when written.
  if (UseBackground) FBackGround = Editor->Color();
  FMarkups.clear();
}

// Every token's text is encoded, whatever the highlighter asks: a variable such as $< or $& left raw
// opens a tag in the page and hides the rest of the line.
void TqzHtmlExport::ExportToken(std::string_view Text, TqzHighLightAttributes* Attribute, bool /*Encode*/,
                                bool IsSpace) {
  if (!Attribute) {
    Write(CRLF);
    return;
  }
  const TTokenMarkup& markup = MarkupOf(*Attribute, IsSpace);
  // Blanks and plain tokens have no tags at all.
  if (!markup.Open.empty()) Write(markup.Open);
  ForEachEncodedPiece(Text, [this](std::string_view Piece) { Write(Piece); });
  if (!markup.Close.empty()) Write(markup.Close);
}

// Tokens of one attribute all get the same tags, so they are made once, not for every token; the key
// holds everything the tags depend on, so a change to an attribute or to the page's colours shows.
const TqzHtmlExport::TTokenMarkup& TqzHtmlExport::MarkupOf(const TqzHighLightAttributes& Attribute, bool IsSpace) {
  const TTokenMarkupKey key{&Attribute, IsSpace, Attribute.Foreground(), Attribute.Background(), Attribute.Style(),
                            UseBackground, FBackGround, FPlainText};
  for (TTokenMarkup& markup : FMarkups) {
    if (markup.Key.Attribute != &Attribute || markup.Key.IsSpace != IsSpace) continue;
    if (!(markup.Key == key)) markup = MakeMarkup(key);
    return markup;
  }
  FMarkups.push_back(MakeMarkup(key));
  return FMarkups.back();
}

TqzHtmlExport::TTokenMarkup TqzHtmlExport::MakeMarkup(const TTokenMarkupKey& Key) const {
  const bool span = Key.UseBackground && Key.Background != Key.PageBackground;
  const bool font = !Key.IsSpace && Key.Foreground != Key.PlainText;
  TTokenMarkup markup{Key, {}, {}};
  if (span) markup.Open += "<span style=\"background-color: " + HtmlColorText(Key.Background).substr(1) + ">";
  if (font) markup.Open += "<font color=" + HtmlColorText(Key.Foreground) + ">";
  for (const TStyleTag& tag : StyleTags)
    if (Key.Style.Contains(tag.Style)) markup.Open += tag.Open;
  for (auto tag = StyleTags.rbegin(); tag != StyleTags.rend(); ++tag)
    if (Key.Style.Contains(tag->Style)) markup.Close += tag->Close;
  if (font) markup.Close += "</font>";
  if (span) markup.Close += "</span>";
  return markup;
}

bool TqzHtmlExport::ForClipboard() { return ClipboardFormat() != 0 && GetClipboardFormat() == ClipboardFormat(); }

std::string TqzHtmlExport::EditorFontName() const { return Editor() ? Editor()->Font()->Name() : std::string(); }

std::string TqzHtmlExport::GetHeader() { return ForClipboard() ? ClipboardHeader() : FileHeader(); }

std::string TqzHtmlExport::GetFooter() {
  if (ForClipboard()) return CreateHTMLFragment ? std::string() : "</body>\r\n</html>";
  std::string footer = "</font>\r\n</pre></code>\r\n";
  if (!CreateHTMLFragment) footer += "</body>\r\n</html>";
  return footer;
}

std::string TqzHtmlExport::FileHeader() const {
  std::string header;
  if (!CreateHTMLFragment) {
    header += "<html>\r\n<head>\r\n<title>" + EncodeHtmlEntities(Title()) + "</title>\r\n";
    header += "<meta name=\"Generator\" content=\"" + EncodeHtmlEntities(Generator) + "\">\r\n</head>\r\n\r\n";
    header += "<body text=" + HtmlColorText(FPlainText) + " bgcolor=" + HtmlColorText(FBackGround) + ">\r\n";
  }
  // The size attribute takes the ordinal, one below the size's name.
  header += "<code><pre>\r\n<font size=" + IntToStr(static_cast<int>(FontSize)) + " face=\"" + EditorFontName() + "\">";
  return header;
}

// The description block gives byte offsets into the whole clipboard data, so the marked fragment's end
// is written first and every part's length is known.
std::string TqzHtmlExport::ClipboardHeader() {
  Write(FragmentEnd);
  Write(EndFragmentMark);
  const std::string documentStart = CreateHTMLFragment ? std::string() : "<html>\r\n<head></head><body>";
  const std::string fragmentStart = documentStart + std::string(StartFragmentMark);
  const std::string afterStart = "<code><pre>";
  const size_t descriptionSize = std::string_view("Version:0.9\r\n").size() +
                                 std::string_view("StartHTML:\r\nEndHTML:\r\nStartFragment:\r\nEndFragment:\r\n").size() +
                                 4 * 10;
  const size_t startFragment = descriptionSize + fragmentStart.size();
  const size_t endFragment = startFragment + afterStart.size() + Output().size() - EndFragmentMark.size();
  const size_t endHtml = startFragment + afterStart.size() + Output().size() + GetFooter().size();
  std::string header = "Version:0.9\r\n";
  header += "StartHTML:" + TenDigits(descriptionSize) + "\r\n";
  header += "EndHTML:" + TenDigits(endHtml) + "\r\n";
  header += "StartFragment:" + TenDigits(startFragment) + "\r\n";
  header += "EndFragment:" + TenDigits(endFragment) + "\r\n";
  return header + fragmentStart + afterStart;
}
