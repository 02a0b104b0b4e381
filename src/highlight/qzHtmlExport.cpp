#include "highlight/qzHtmlExport.h"

#include <array>
#include <string_view>

#include "editctl/qzCustomEdit.h"
#include "vcl/Application.h"
#include "vcl/Clipbrd.h"
#include "vcl/SysUtils.h"

namespace {

constexpr std::string_view CRLF = "\r\n";

// The bytes with an entity, by their Latin-1 meaning.
constexpr std::array<std::string_view, 256> EntityTable = [] {
  std::array<std::string_view, 256> table{};
  table[0x22] = "&quot;";
  table[0x26] = "&amp;";
  table[0x3C] = "&lt;";
  table[0x3E] = "&gt;";
  table[0xA9] = "&copy;";
  table[0xC0] = "&Agrave;";
  table[0xC7] = "&Ccedil;";
  table[0xC8] = "&Egrave;";
  table[0xC9] = "&Eacute;";
  table[0xCA] = "&Ecirc;";
  table[0xCB] = "&Euml;";
  table[0xCE] = "&Icirc;";
  table[0xCF] = "&Iuml;";
  table[0xDB] = "&Ucirc;";
  table[0xDC] = "&Uuml;";
  table[0xE0] = "&agrave;";
  table[0xE7] = "&ccedil;";
  table[0xE8] = "&egrave;";
  table[0xE9] = "&eacute;";
  table[0xEA] = "&ecirc;";
  table[0xEB] = "&euml;";
  table[0xEE] = "&icirc;";
  table[0xEF] = "&iuml;";
  table[0xFB] = "&ucirc;";
  table[0xFC] = "&uuml;";
  return table;
}();

// The same bytes as flags, one byte each: most text has none of them, and this keeps the scan for
// them short.
constexpr std::array<bool, 256> HasEntity = [] {
  std::array<bool, 256> flags{};
  for (size_t i = 0; i < flags.size(); ++i) flags[i] = !EntityTable[i].empty();
  return flags;
}();

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

// Hands Text on in pieces, each either a run of bytes that stay as they are or a replaced byte's entity.
// The system's code pages are single-byte, so no byte belongs to a multibyte sequence.
template <class TPieceSink>
void ForEachEncodedPiece(std::string_view Text, TPieceSink&& Sink) {
  size_t run = 0;
  for (size_t i = 0; i < Text.size(); ++i) {
    if (!HasEntity[static_cast<unsigned char>(Text[i])]) continue;
    if (i > run) Sink(Text.substr(run, i - run));
    Sink(EntityTable[static_cast<unsigned char>(Text[i])]);
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
