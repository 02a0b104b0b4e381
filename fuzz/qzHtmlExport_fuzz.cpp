// The HTML exporter over arbitrary lines: with the tags taken out and the entities decoded the way a
// browser reads them, the exported part of the page gives back the text, every line ended by CR LF.
// A byte left unencoded that a browser would read as markup, or a byte dropped, breaks that.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/TestApp.h"
#include "editctl/qzCustomEdit.h"
#include "highlight/ZuzUderUze.h"
#include "highlight/qzGeneralSyn.h"
#include "highlight/qzHtmlExport.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "HTML export oracle broken: %s\n", what);
  std::abort();
}

// The named character references a page of this exporter can hold, with their Latin-1 bytes.
const std::map<std::string, char>& Entities() {
  static const std::map<std::string, char> entities = [] {
    std::map<std::string, char> names = {{"quot", '"'}, {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"copy", '\xA9'}};
    const std::pair<const char*, unsigned char> letters[] = {{"Agrave", 0xC0}, {"Ccedil", 0xC7}, {"Egrave", 0xC8},
                                                             {"Eacute", 0xC9}, {"Ecirc", 0xCA},  {"Euml", 0xCB},
                                                             {"Icirc", 0xCE},  {"Iuml", 0xCF},   {"Ucirc", 0xDB},
                                                             {"Uuml", 0xDC}};
    for (const auto& [name, byte] : letters) {
      std::string small = name;
      small[0] = static_cast<char>(small[0] - 'A' + 'a');
      names[name] = static_cast<char>(byte);
      names[small] = static_cast<char>(byte + 0x20);
    }
    return names;
  }();
  return entities;
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// What a browser shows of a stretch of markup: "<" before a letter, "/", "!" or "?" opens a tag up to
// the next ">"; "&" followed by a known name and ";" is that character; every other byte is itself.
std::string Rendered(const std::string& html) {
  std::string text;
  for (size_t i = 0; i < html.size();) {
    const char c = html[i];
    const char next = i + 1 < html.size() ? html[i + 1] : '\0';
    if (c == '<' && (IsLetter(next) || next == '/' || next == '!' || next == '?')) {
      const size_t close = html.find('>', i);
      if (close == std::string::npos) Fail("a tag is not closed");
      i = close + 1;
      continue;
    }
    if (c == '&') {
      const size_t semicolon = html.find(';', i);
      if (semicolon != std::string::npos) {
        const auto entity = Entities().find(html.substr(i + 1, semicolon - i - 1));
        if (entity != Entities().end()) {
          text += entity->second;
          i = semicolon + 1;
          continue;
        }
      }
    }
    text += c;
    ++i;
  }
  return text;
}

std::string Escaped(const std::string& text, size_t from) {
  std::string out;
  for (size_t i = from; i < text.size() && i < from + 24; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    char hex[8];
    std::snprintf(hex, sizeof hex, c < 0x20 || c >= 0x7F ? "\\x%02X" : "%c", c);
    out += hex;
  }
  return out;
}

// Shows where the page stops giving the text back.
void CompareRendered(const std::string& rendered, const std::string& expected) {
  if (rendered == expected) return;
  size_t at = 0;
  while (at < rendered.size() && at < expected.size() && rendered[at] == expected[at]) ++at;
  const size_t from = at < 8 ? 0 : at - 8;
  std::fprintf(stderr, "at byte %zu: text [%s], page shows [%s]\n", at, Escaped(expected, from).c_str(),
               Escaped(rendered, from).c_str());
  Fail("the rendered lines differ from the text");
}

// How the tokens look decides which tags stand around them: with the plain look no tag parts a token
// from the next, so an unencoded byte meets the text that follows it.
enum class TLook { Own, Plain, Styled };

struct TAttributeLook {
  TColor Foreground, Background;
  TFontStyles Style;
};

struct TSetup {
  std::unique_ptr<TqzCustomEdit> edit;
  TZuzUderUze perl{nullptr};
  TqzGeneralSyn general{nullptr};
  TqzHtmlExport exporter{nullptr};
  std::vector<TAttributeLook> ownLooks;
  TSetup() {
    corvane::test::EnsureApplication();
    edit = std::make_unique<TqzCustomEdit>(nullptr);
    edit->HandleNeeded();
    for (TqzHighLightAttributes* attribute : Attributes())
      ownLooks.push_back({attribute->Foreground(), attribute->Background(), attribute->Style()});
  }
  std::vector<TqzHighLightAttributes*> Attributes() {
    std::vector<TqzHighLightAttributes*> attributes;
    const TqzCustomHighLighter* highlighters[] = {&perl, &general};
    for (const TqzCustomHighLighter* highlighter : highlighters)
      for (int i = 0; i < highlighter->GetAttributeCount(); ++i) attributes.push_back(highlighter->GetAttribute(i));
    return attributes;
  }
  void SetLook(TLook look) {
    const std::vector<TqzHighLightAttributes*> attributes = Attributes();
    for (size_t i = 0; i < attributes.size(); ++i) {
      const TAttributeLook& own = ownLooks[i];
      attributes[i]->SetForeground(look == TLook::Plain ? exporter.PlainText() : own.Foreground);
      attributes[i]->SetBackground(look == TLook::Plain ? exporter.BackGround() : own.Background);
      attributes[i]->SetStyle(look == TLook::Styled ? TFontStyles{fsBold, fsItalic, fsUnderline, fsStrikeOut}
                              : look == TLook::Plain ? TFontStyles{} : own.Style);
    }
  }
};

}  // namespace

// Input: an options byte (highlighter, fragment or whole page, background, the tokens' look), then the
// text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static TSetup setup;
  TqzCustomHighLighter* highlighter = data[0] & 1 ? static_cast<TqzCustomHighLighter*>(&setup.general)
                                                  : static_cast<TqzCustomHighLighter*>(&setup.perl);
  setup.edit->SetHighLighter(highlighter);
  setup.exporter.CreateHTMLFragment = data[0] & 2;
  setup.exporter.UseBackground = data[0] & 4;
  setup.SetLook(static_cast<TLook>((data[0] >> 3) % 3));
  setup.edit->SetText(std::string(reinterpret_cast<const char*>(data + 1), size - 1));

  TStrings* lines = setup.edit->Lines();
  std::string expected;
  for (int i = 0; i < lines->Count(); ++i) expected += lines->Get(i) + "\r\n";
  setup.exporter.ExportLines(1, lines->Count(), highlighter, setup.edit.get());

  const std::string page = setup.exporter.GetData();
  const std::string header = setup.exporter.GetHeader();
  const std::string footer = setup.exporter.GetFooter();
  if (page.size() < header.size() + footer.size() || page.compare(0, header.size(), header) != 0 ||
      page.compare(page.size() - footer.size(), footer.size(), footer) != 0)
    Fail("the page is not header, lines, footer");
  CompareRendered(Rendered(page.substr(header.size(), page.size() - header.size() - footer.size())), expected);
  return 0;
}
