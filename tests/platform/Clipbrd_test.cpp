#include "vcl/Clipbrd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

#include <string>

#include "common/TestApp.h"
#include "vcl/SysUtils.h"
#include "win/CodePage.h"

namespace {

class ClipboardTest : public testing::Test {
 protected:
  void SetUp() override { corvane::test::EnsureApplication(); }
};

TEST(ClipboardFormats, OneNumberPerNameWhateverItsCase) {
  const UINT first = RegisterClipboardFormat("Test Format One");
  EXPECT_GE(first, 0xC000u);
  EXPECT_EQ(RegisterClipboardFormat("TEST format one"), first);
  EXPECT_NE(RegisterClipboardFormat("Test Format Two"), first);
  EXPECT_EQ(GetClipboardFormatName(first), "Test Format One");
  EXPECT_EQ(RegisterClipboardFormat(""), 0u);
  EXPECT_EQ(GetClipboardFormatName(CF_TEXT), "");
  EXPECT_EQ(GetClipboardFormatName(0xFFFF), "");
}

TEST_F(ClipboardTest, NamedFormatKeepsItsBytesAndTextGoesThroughTheCodePage) {
  const UINT block = RegisterClipboardFormat("Test Block");
  const std::string bytes("\x02sel\xE9\0", 6);
  Clipboard()->SetFormatData(block, bytes);
  EXPECT_TRUE(Clipboard()->HasFormat(block));
  EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
  EXPECT_EQ(Clipboard()->GetFormatData(block), bytes);

  SetACP(TAnsiCodePage::cp1251);
  Clipboard()->SetAsText(std::string("\xC0\xE1 x\0tail", 9));
  EXPECT_FALSE(Clipboard()->HasFormat(block));  // each set outside a bracket replaces the contents
  EXPECT_EQ(Clipboard()->AsText(), "\xC0\xE1 x");
}

TEST_F(ClipboardTest, FormatsSetBetweenOpenAndCloseArriveTogether) {
  const UINT block = RegisterClipboardFormat("Test Block");
  Clipboard()->SetAsText("before");
  Clipboard()->Open();
  Clipboard()->SetAsText("text");
  Clipboard()->Open();  // nested: only the last Close hands over
  Clipboard()->SetFormatData(block, "block");
  Clipboard()->Close();
  EXPECT_EQ(Clipboard()->AsText(), "before");
  Clipboard()->Close();
  EXPECT_EQ(Clipboard()->AsText(), "text");
  EXPECT_EQ(Clipboard()->GetFormatData(block), "block");

  Clipboard()->Clear();
  EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
  EXPECT_FALSE(Clipboard()->HasFormat(block));
}

TEST_F(ClipboardTest, UnknownFormatIsRefusedAndLeavesTheContents) {
  Clipboard()->SetAsText("kept");
  EXPECT_THROW(Clipboard()->SetFormatData(0xBFFF, "x"), EInvalidOperation);
  EXPECT_FALSE(Clipboard()->HasFormat(0xBFFF));
  EXPECT_EQ(Clipboard()->GetFormatData(0xBFFF), "");
  EXPECT_EQ(Clipboard()->AsText(), "kept");
}

// Browsers and office programs paste the HTML part, in Unicode; this system gets its bytes back.
TEST_F(ClipboardTest, HtmlFormatAlsoGoesOutAsHtml) {
  SetACP(TAnsiCodePage::cp1251);
  const std::string html = "<b>\xEA\xEE\xF2</b>";
  const std::string data = "Version:0.9\r\nStartHTML:0000000055\r\nEndHTML:0000000065\r\n" + html + "<!-- tail -->" +
                           std::string("\0", 1);
  const UINT format = RegisterClipboardFormat("HTML Format");
  Clipboard()->SetFormatData(format, data);
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  ASSERT_TRUE(mime->hasHtml());
  EXPECT_EQ(mime->html().toStdString(), "<b>кот</b>");
  EXPECT_EQ(Clipboard()->GetFormatData(format), data);
}

}  // namespace
