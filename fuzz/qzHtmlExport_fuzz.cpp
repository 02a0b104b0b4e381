// The HTML exporter over arbitrary lines: with the tags taken out and the references decoded the way a
// browser reads them, the exported part of the page gives back the text's characters in the code page,
// every line ended by CR LF. A byte left unencoded that a browser would read as markup or in a character
// set of its own (any byte past ASCII), a wrong character or a byte dropped breaks that.
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
#include "editaddons/qzHtmlExport.h"
#include "win/CodePage.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "HTML export oracle broken: %s\n", what);
  std::abort();
}

const std::map<std::string, char32_t> kEntities = {{"quot", '"'}, {"amp", '&'}, {"lt", '<'}, {"gt", '>'}};

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The character of a reference "&name;" or "&#digits;" (without "&" and ";"), or 0 for none.
char32_t Referenced(const std::string& name) {
  if (const auto entity = kEntities.find(name); entity != kEntities.end()) return entity->second;
  if (name.size() < 2 || name[0] != '#' || name.size() > 8) return 0;
  char32_t u = 0;
  for (size_t i = 1; i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return 0;
    u = u * 10 + static_cast<char32_t>(name[i] - '0');
  }
  return u;
}

// What a browser shows of a stretch of markup: "<" before a letter, "/", "!" or "?" opens a tag up to
// the next ">"; "&" followed by a known name or a number and ";" is that character; every other byte is
// itself, and none may lie past ASCII.
std::u32string Rendered(const std::string& html) {
  std::u32string text;
  for (size_t i = 0; i < html.size();) {
    const char c = html[i];
    const char next = i + 1 < html.size() ? html[i + 1] : '\0';
    if (static_cast<unsigned char>(c) >= 0x80) Fail("a byte past ASCII is left as it is");
    if (c == '<' && (IsLetter(next) || next == '/' || next == '!' || next == '?')) {
      const size_t close = html.find('>', i);
      if (close == std::string::npos) Fail("a tag is not closed");
      i = close + 1;
      continue;
    }
    if (c == '&') {
      const size_t semicolon = html.find(';', i);
      if (semicolon != std::string::npos) {
        if (const char32_t u = Referenced(html.substr(i + 1, semicolon - i - 1))) {
          text += u;
          i = semicolon + 1;
          continue;
        }
      }
    }
    text += static_cast<char32_t>(c);
    ++i;
  }
  return text;
}

std::string Escaped(const std::u32string& text, size_t from) {
  std::string out;
  for (size_t i = from; i < text.size() && i < from + 24; ++i) {
    const char32_t u = text[i];
    char hex[16];
    std::snprintf(hex, sizeof hex, u < 0x20 || u >= 0x7F ? "\\x{%X}" : "%c", static_cast<unsigned>(u));
    out += hex;
  }
  return out;
}

// Shows where the page stops giving the text back.
void CompareRendered(const std::u32string& rendered, const std::u32string& expected) {
  if (rendered == expected) return;
  size_t at = 0;
  while (at < rendered.size() && at < expected.size() && rendered[at] == expected[at]) ++at;
  const size_t from = at < 8 ? 0 : at - 8;
  std::fprintf(stderr, "at character %zu: text [%s], page shows [%s]\n", at, Escaped(expected, from).c_str(),
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
  CompareRendered(Rendered(page.substr(header.size(), page.size() - header.size() - footer.size())),
                  AnsiToUnicode(expected));
  return 0;
}
