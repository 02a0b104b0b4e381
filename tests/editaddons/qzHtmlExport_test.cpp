#include "editaddons/qzHtmlExport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "common/BrowserText.h"
#include "common/TestApp.h"
#include "editctl/qzCustomEdit.h"
#include "highlight/ZuzUderUze.h"
#include "highlight/qzGeneralSyn.h"
#include "vcl/Application.h"
#include "vcl/Clipbrd.h"
#include "win/CodePage.h"

namespace {

// The token markup alone: an exporter that never ran an export.
std::string Markup(TqzHtmlExport& exporter, const std::string& text, TqzHighLightAttributes* attribute, bool encode,
                   bool isSpace) {
  exporter.Clear();
  exporter.ExportToken(text, attribute, encode, isSpace);
  return exporter.Output();
}

TEST(HtmlExportToken, WrapsTheTextInTheTagsItsAttributeNeeds) {
  TqzHtmlExport exporter(nullptr);
  TqzHighLightAttributes plain("Plain");
  plain.SetForeground(clBlack);
  plain.SetBackground(clWhite);
  TqzHighLightAttributes red("Red");
  red.SetForeground(clRed);
  red.SetBackground(clWhite);
  TqzHighLightAttributes styled("Styled");
  styled.SetForeground(clBlack);
  styled.SetStyle({fsStrikeOut, fsBold, fsUnderline, fsItalic});
  TqzHighLightAttributes shaded("Shaded");
  shaded.SetForeground(clBlack);
  shaded.SetBackground(0x102030);
  TqzHighLightAttributes uncoloured("None");  // no colours of its own

  struct TokenCase {
    bool UseBackground;
    std::string Text;
    TqzHighLightAttributes* Attribute;
    bool Encode;
    bool IsSpace;
    std::string Expected;
  };
  const std::vector<TokenCase> cases = {
      {false, "", nullptr, false, false, "\r\n"},
      {true, "", nullptr, true, true, "\r\n"},
      {false, "x", &plain, false, false, "x"},
      {false, "x", &red, false, false, "<font color=\"#FF0000\">x</font>"},
      {false, "  ", &red, false, true, "  "},  // blanks never get a font tag
      {false, "a<b", &plain, true, false, "a&lt;b"},
      {false, "a<b", &plain, false, false, "a&lt;b"},  // encoded even when the highlighter does not ask
      {false, "s", &styled, false, false, "<b><i><u><strike>s</strike></u></i></b>"},
      {false, "x", &shaded, false, false, "x"},  // without UseBackground no span at all
      {true, "x", &shaded, false, false, "<span style=\"background-color: #302010\">x</span>"},
      {true, "x", &plain, false, false, "x"},
      {true, "x", &uncoloured, false, false,
       "<span style=\"background-color: #FFFFFF\"><font color=\"#FFFFFF\">x</font></span>"},
  };
  for (const TokenCase& c : cases) {
    exporter.UseBackground = c.UseBackground;
    EXPECT_EQ(Markup(exporter, c.Text, c.Attribute, c.Encode, c.IsSpace), c.Expected) << c.Text;
  }
}

// The markup characters become entities, and every byte past ASCII the reference to the character it
// is in the code page: the page is ASCII, whatever character set a browser takes it for.
TEST(HtmlExportToken, WritesEveryCharacterAsTheOneItIsInTheCodePage) {
  struct Case {
    TAnsiCodePage codePage;
    std::string text;
    std::string encoded;
  };
  const Case cases[] = {
      {TAnsiCodePage::cp1251, "\"&<>", "&quot;&amp;&lt;&gt;"},
      {TAnsiCodePage::cp1251, "\xC0\xCF\xFF\xA8\xB8", "&#1040;&#1055;&#1103;&#1025;&#1105;"},  // А П я Ё ё
      {TAnsiCodePage::cp1251, "\xA9\x88\xB9", "&#169;&#8364;&#8470;"},                          // © € №
      {TAnsiCodePage::cp1251, "\x98", "&#65533;"},  // the one byte with no character
      {TAnsiCodePage::cp1252, "caf\xE9 \x80", "caf&#233; &#8364;"},
      {TAnsiCodePage::koi8r, "\xE1\xC1", "&#1040;&#1072;"},
      {TAnsiCodePage::cp1251, "'x'\t\x7F\x01", "'x'\t\x7F\x01"},
  };
  const TAnsiCodePage saved = GetACP();
  for (const Case& c : cases) {
    SetACP(c.codePage);
    EXPECT_EQ(EncodeHtmlEntities(c.text), c.encoded) << CodePageName(c.codePage);
  }
  SetACP(saved);
}

TEST(HtmlExportColours, SystemColoursResolveAndResetTheOtherColour) {
  EXPECT_EQ(HtmlColorText(clRed), "\"#FF0000\"");
  EXPECT_EQ(HtmlColorText(0x123456), "\"#563412\"");
  EXPECT_EQ(HtmlColorText(clWindow).size(), 9u);

  TqzHtmlExport exporter(nullptr);
  EXPECT_EQ(exporter.BackGround(), clWhite);
  EXPECT_EQ(exporter.PlainText(), clBlack);
  exporter.SetPlainText(clNavy);
  exporter.SetBackGround(clWindow);
  EXPECT_EQ(exporter.BackGround(), clWhite);
  EXPECT_EQ(exporter.PlainText(), clBlack);
  exporter.SetBackGround(clYellow);
  exporter.SetPlainText(clWindowText);
  EXPECT_EQ(exporter.BackGround(), clWhite);
  EXPECT_EQ(exporter.PlainText(), clBlack);
}

class HtmlExport : public testing::Test {
 protected:
  void SetUp() override {
    corvane::test::EnsureApplication();
    edit = std::make_unique<TqzCustomEdit>(nullptr);
    edit->HandleNeeded();
    edit->SetHighLighter(&highlighter);
    edit->SetText("a<b\r\n");
    // Plain attributes, so the token output is the text alone.
    for (int i = 0; i < highlighter.GetAttributeCount(); ++i) {
      highlighter.GetAttribute(i)->SetForeground(clBlack);
      highlighter.GetAttribute(i)->SetStyle({});
    }
  }
  std::string FontFace() const { return edit->Font()->Name(); }

  TqzGeneralSyn highlighter{nullptr};
  TqzHtmlExport exporter{nullptr};
  std::unique_ptr<TqzCustomEdit> edit;
};

TEST_F(HtmlExport, FileDocumentAndFragment) {
  exporter.SetTitle("T");
  exporter.Generator = "G";
  exporter.SetPlainText(clNavy);
  exporter.SetBackGround(clYellow);
  for (int i = 0; i < highlighter.GetAttributeCount(); ++i) highlighter.GetAttribute(i)->SetForeground(clNavy);
  exporter.ExportLines(1, 1, &highlighter, edit.get());
  const std::string tokens = "a&lt;b\r\n";
  EXPECT_EQ(exporter.GetData(),
            "<html>\r\n<head>\r\n<title>T</title>\r\n<meta name=\"Generator\" content=\"G\">\r\n</head>\r\n\r\n"
            "<body text=\"#000080\" bgcolor=\"#FFFF00\">\r\n<code><pre>\r\n<font size=2 face=\"" +
                FontFace() + "\">" + tokens + "</font>\r\n</pre></code>\r\n</body>\r\n</html>");

  exporter.CreateHTMLFragment = true;
  exporter.FontSize = fs07;
  exporter.ExportLines(2, 1, &highlighter, edit.get());  // no lines: header and footer only
  EXPECT_EQ(exporter.GetData(), "<code><pre>\r\n<font size=6 face=\"" + FontFace() + "\"></font>\r\n</pre></code>\r\n");
}

// The text a browser shows for the token output: tags dropped, the exporter's entities decoded.
std::string ShownText(const std::string& html) {
  const std::pair<const char*, char> entities[] = {{"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&amp;", '&'}};
  std::string shown;
  for (size_t i = 0; i < html.size();) {
    if (html[i] == '<') {
      i = html.find('>', i) + 1;
      continue;
    }
    bool decoded = false;
    for (const auto& [entity, byte] : entities)
      if (html.compare(i, std::strlen(entity), entity) == 0) {
        shown += byte;
        i += std::strlen(entity);
        decoded = true;
        break;
      }
    if (!decoded) shown += html[i++];
  }
  return shown;
}

TEST_F(HtmlExport, EveryTokenAndEveryByteOfAPerlLineComesBack) {
  TZuzUderUze perl(nullptr);
  edit->SetHighLighter(&perl);
  using namespace std::string_literals;
  const std::string lines[] = {
      R"(print $<, $>, $&, $", "<b>";)",  // variables whose names are markup characters
      "my $a = \"x\0<y\"; # z\0\0w"s,  // NUL bytes inside a line
      "\0"s,
  };
  for (const std::string& line : lines) {
    edit->SetText(line);
    exporter.CreateHTMLFragment = true;
    exporter.ExportLines(1, 1, &perl, edit.get());
    const std::string data = exporter.GetData();
    const std::string head = "face=\"" + FontFace() + "\">";
    const size_t begin = data.find(head) + head.size();
    const size_t end = data.rfind("</font>\r\n</pre>");
    ASSERT_NE(end, std::string::npos);
    EXPECT_EQ(ShownText(data.substr(begin, end - begin)), line + "\r\n") << data;
  }
  edit->SetHighLighter(&highlighter);
}

// A page names no character set, so a browser takes it for whatever it assumes; a Russian comment and
// string read back as they are in the editor all the same.
TEST_F(HtmlExport, RussianTextReadsBackWhateverCharacterSetABrowserAssumes) {
  TZuzUderUze perl(nullptr);
  edit->SetHighLighter(&perl);
  edit->SetText("# \xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0!\r\nprint \"\xB8\xE6 \xB9 \x88\";");
  exporter.ExportLines(1, 2, &perl, edit.get());
  for (const auto charset : corvane::test::kAssumedCharsets) {
    const std::string shown = corvane::test::BrowserText(exporter.GetData(), charset);
    EXPECT_NE(shown.find("# Привет, мир!\nprint \"ёж № €\";"), std::string::npos) << shown;
  }
  edit->SetHighLighter(&highlighter);
}

TEST_F(HtmlExport, TitleAndGeneratorCannotBreakTheHead) {
  exporter.SetTitle("a</title>");
  exporter.Generator = "\"x\"";
  exporter.ExportLines(1, 1, &highlighter, edit.get());
  EXPECT_NE(exporter.GetData().find("<title>a&lt;/title&gt;</title>"), std::string::npos);
  EXPECT_NE(exporter.GetData().find("content=\"&quot;x&quot;\""), std::string::npos);
}

TEST_F(HtmlExport, UseBackgroundTakesTheEditorsColour) {
  exporter.UseBackground = true;
  edit->SetColor(clWindow);
  exporter.ExportLines(1, 1, &highlighter, edit.get());
  EXPECT_EQ(exporter.BackGround(), clWindow);  // kept as the system colour
  EXPECT_NE(exporter.GetData().find("bgcolor=" + HtmlColorText(clWindow)), std::string::npos);
}

// The description block's offsets, read back from the clipboard data.
struct ClipboardOffsets {
  size_t StartHtml, EndHtml, StartFragment, EndFragment;
};

ClipboardOffsets ReadOffsets(const std::string& data) {
  const auto number = [&data](const std::string& name) {
    const size_t at = data.find(name + ":");
    return at == std::string::npos ? std::string::npos : std::stoul(data.substr(at + name.size() + 1, 10));
  };
  return {number("StartHTML"), number("EndHTML"), number("StartFragment"), number("EndFragment")};
}

TEST_F(HtmlExport, ClipboardFormOffsetsPointAtItsParts) {
  edit->SetText("x<y\r\nz");
  for (bool fragment : {false, true}) {
    exporter.CreateHTMLFragment = fragment;
    edit->SelectAll();
    exporter.CopyToClipboard(edit.get(), &highlighter);
    const UINT format = RegisterClipboardFormat("HTML Format");
    ASSERT_TRUE(Clipboard()->HasFormat(format));
    const std::string data = Clipboard()->GetFormatData(format);
    ASSERT_FALSE(data.empty());
    ASSERT_EQ(data.back(), '\0');
    const std::string html = data.substr(0, data.size() - 1);
    const ClipboardOffsets at = ReadOffsets(html);
    const std::string tokens = "x&lt;y\r\nz";
    const size_t size = tokens.size();
    EXPECT_EQ(html.substr(0, 13), "Version:0.9\r\n");
    EXPECT_EQ(at.StartHtml, 105u);
    EXPECT_EQ(at.StartFragment, fragment ? 125u : 152u);
    EXPECT_EQ(at.EndFragment, size + (fragment ? 149u : 176u));
    EXPECT_EQ(at.EndHtml, size + (fragment ? 167u : 210u));
    EXPECT_EQ(at.EndHtml, html.size());
    EXPECT_EQ(html.substr(at.StartFragment - 20, 20), "<!--StartFragment-->");
    EXPECT_EQ(html.substr(at.StartFragment, at.EndFragment - at.StartFragment),
              "<code><pre>" + tokens + "</pre></code>");
    EXPECT_EQ(html.substr(at.EndFragment, 18), "<!--EndFragment-->");
    EXPECT_EQ(html.substr(at.StartHtml, fragment ? 6 : 8), fragment ? "<!--St" : "<html>\r\n");
    EXPECT_EQ(exporter.Output(), "");
  }
}

TEST_F(HtmlExport, AFileExportAfterAClipboardCopyGetsTheFileForm) {
  edit->SelectAll();
  exporter.CopyToClipboard(edit.get(), &highlighter);
  exporter.ExportLines(1, 1, &highlighter, edit.get());
  EXPECT_EQ(exporter.GetData().rfind("<html>\r\n<head>\r\n<title>", 0), 0u);
}

TEST_F(HtmlExport, SavesTheDocumentToAFile) {
  const std::string folder = corvane::test::MakeTempDir("corvane-html");
  const std::string file = folder + "/page.htm";
  exporter.ExportLines(1, 1, &highlighter, edit.get());
  exporter.SaveToFile(file);
  EXPECT_EQ(std::filesystem::file_size(file), exporter.GetData().size());
  EXPECT_THROW(exporter.SaveToFile(folder + "/missing/page.htm"), EFCreateError);
  std::filesystem::remove_all(folder);
}

// A Perl sample holding every kind of token, entity bytes, NUL bytes and blank lines, exported in the
// main window's colours and in others, against pages kept beside it: the whole output, byte for byte.
class HtmlExportGolden : public testing::Test {
 protected:
  static std::string DataFile(const std::string& name) {
    return std::string(std::getenv("CORVANE_TEST_DATA")) + "/html-export/" + name;
  }
  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void SetUp() override {
    corvane::test::EnsureApplication();
    edit = std::make_unique<TqzCustomEdit>(nullptr);
    edit->HandleNeeded();
    edit->Font()->SetName("Courier New");
    edit->SetHighLighter(perl.get());
    TStringStream sample(ReadFile(DataFile("sample.pl")));
    edit->Lines()->LoadFromStream(&sample);
    exporter.SetTitle("sample.pl");
    exporter.Generator = "Ombrix Tarnwick";
  }
  // Where the page first differs from the kept one, with what follows there on both sides.
  static void ExpectPage(const std::string& page, const std::string& golden) {
    const std::string expected = ReadFile(DataFile(golden));
    ASSERT_FALSE(expected.empty()) << golden;
    const auto diverge = std::mismatch(page.begin(), page.end(), expected.begin(), expected.end());
    const size_t at = static_cast<size_t>(diverge.first - page.begin());
    EXPECT_EQ(page.size(), expected.size()) << golden;
    EXPECT_EQ(page.substr(at, 80), expected.substr(at, 80)) << golden << " differs at byte " << at;
  }

  std::unique_ptr<TZuzUderUze> perl{CreatePerlColorScheme(nullptr, TPerlColorScheme::StandardSyntax)};
  std::unique_ptr<TqzCustomEdit> edit;
  TqzHtmlExport exporter{nullptr};
};

TEST_F(HtmlExportGolden, MainWindowColoursGiveTheKeptDocument) {
  exporter.ExportLines(1, edit->LineCount(), perl.get(), edit.get());
  ExpectPage(exporter.GetData(), "standard.htm");
}

TEST_F(HtmlExportGolden, AStreamedExportWritesTheKeptDocument) {
  TStringStream stream;
  exporter.ExportLinesToStream(1, edit->LineCount(), perl.get(), edit.get(), stream);
  ExpectPage(stream.DataString(), "standard.htm");
}

TEST_F(HtmlExportGolden, ANewColourSchemeShowsInTheNextExport) {
  exporter.ExportLines(1, edit->LineCount(), perl.get(), edit.get());
  const std::string purple = "<font color=" + HtmlColorText(clPurple) + ">";
  EXPECT_EQ(exporter.GetData().find(purple), std::string::npos);
  ApplyPerlColorScheme(perl.get(), TPerlColorScheme::VizuviZozaze);
  exporter.ExportLines(1, edit->LineCount(), perl.get(), edit.get());
  EXPECT_NE(exporter.GetData().find(purple + "&quot;caf&#1081;"), std::string::npos);
}

TEST_F(HtmlExportGolden, BackgroundsAndStylesGiveTheKeptFragment) {
  ApplyPerlColorScheme(perl.get(), TPerlColorScheme::VizuviZozaze);
  perl->StringAttri()->SetBackground(0xE0FFE0);
  perl->SymbolAttri()->SetStyle({fsUnderline, fsStrikeOut});
  perl->NumberAttri()->SetForeground(clNone);
  perl->SpaceAttri()->SetBackground(0x202020);
  edit->SetColor(0xF0F0F0);
  exporter.UseBackground = true;
  exporter.CreateHTMLFragment = true;
  exporter.FontSize = fs05;
  exporter.ExportLines(1, edit->LineCount(), perl.get(), edit.get());
  ExpectPage(exporter.GetData(), "background-fragment.htm");
}

TEST_F(HtmlExportGolden, ASelectionGivesTheKeptClipboardData) {
  edit->SetBlockBegin(TPoint{3, 2});
  edit->SetBlockEnd(TPoint{5, 26});
  exporter.CopyToClipboard(edit.get(), perl.get());
  ExpectPage(Clipboard()->GetFormatData(RegisterClipboardFormat("HTML Format")), "clipboard.txt");
}

TEST(HtmlExportKind, NamesItsFormatAndSharesOneInstance) {
  corvane::test::EnsureApplication();
  TqzHtmlExport exporter(nullptr);
  EXPECT_EQ(exporter.GetFormatName(), "HTML");
  EXPECT_EQ(exporter.GetExporterName(), "HTML");
  EXPECT_EQ(exporter.DefaultFilter(), "HTML Document (*.htm,*.html)|*.htm;*.html");
  EXPECT_EQ(exporter.GetClipboardFormat(), RegisterClipboardFormat("html format"));
  EXPECT_TRUE(IsExporterClassRegistered(&CreateExporterOf<TqzHtmlExport>));

  TqzHtmlExport* shared = exporter.GetSharedInstance();
  ASSERT_NE(shared, nullptr);
  EXPECT_NE(shared, &exporter);
  EXPECT_EQ(shared->GetSharedInstance(), shared);
  delete shared;  // freeing it clears the shared reference, so the next call makes a new one
  TqzHtmlExport* again = exporter.GetSharedInstance();
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->Owner(), Application);
}

}  // namespace
