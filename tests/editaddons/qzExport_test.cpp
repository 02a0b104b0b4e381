#include "editaddons/qzExport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/TestApp.h"
#include "editctl/qzCustomEdit.h"
#include "editaddons/RecordingExport.h"
#include "highlight/qzGeneralSyn.h"
#include "vcl/Clipbrd.h"
#include "vcl/SysUtils.h"

namespace {

using corvane::test::RecordingExport;

class ExportWalk : public testing::Test {
 protected:
  void SetUp() override {
    corvane::test::EnsureApplication();
    highlighter.SetComments({csCStyle});
    edit = std::make_unique<TqzCustomEdit>(nullptr);
    edit->HandleNeeded();
    edit->SetHighLighter(&highlighter);
    edit->SetText("line1\r\nabcdef\r\nmiddle\r\nuvwxyz\r\n");
    exporter.Header = "[";
    exporter.Footer = "]";
  }
  void Select(TPoint begin, TPoint end) {
    edit->SetBlockBegin(begin);
    edit->SetBlockEnd(end);
  }

  TqzGeneralSyn highlighter{nullptr};
  RecordingExport exporter{nullptr};
  std::unique_ptr<TqzCustomEdit> edit;
};

TEST_F(ExportWalk, ExportsFromTheStartColumnUpToTheEndColumn) {
  struct RangeCase {
    TPoint Start;
    TPoint End;
    std::string Expected;
  };
  const std::vector<RangeCase> cases = {
      {{3, 2}, {5, 4}, "[cdef\r\nmiddle\r\nuvwx\r\n]"},
      {{2, 1}, {4, 1}, "[in\r\n]"},  // on one line the end column still counts from the line start
      {{1, 2}, {1, 3}, "[abcdef\r\n\r\n]"},
      {{9, 1}, {99, 2}, "[\r\nabcdef\r\n]"},  // columns past the line end export nothing of it
  };
  for (const RangeCase& c : cases) {
    exporter.ExportRange(c.Start, c.End, &highlighter, edit.get());
    EXPECT_EQ(exporter.Output(), c.Expected) << c.Start.x << "," << c.Start.y;
  }
  exporter.ExportLines(2, 3, &highlighter, edit.get());
  EXPECT_EQ(exporter.Output(), "[abcdef\r\nmiddle\r\n]");
  exporter.ExportLines(3, 2, &highlighter, edit.get());
  EXPECT_EQ(exporter.Output(), "[]");  // an empty line range gives header and footer alone
}

TEST_F(ExportWalk, SelectionLeavesOutItsFinalLineBreak) {
  Select({3, 2}, {5, 4});
  exporter.ExportSelectionToStream(edit.get(), &highlighter);
  EXPECT_EQ(exporter.Output(), "[cdef\r\nmiddle\r\nuvwx]");
  Select({5, 4}, {3, 2});  // the ends in either order
  exporter.ExportSelectionToStream(edit.get(), &highlighter);
  EXPECT_EQ(exporter.Output(), "[cdef\r\nmiddle\r\nuvwx]");
}

TEST_F(ExportWalk, ARangeWithoutExtentAbortsSilentlyAndWritesNothing) {
  exporter.ExportLines(1, 1, &highlighter, edit.get());
  ASSERT_FALSE(exporter.Output().empty());
  EXPECT_THROW(exporter.ExportRange({2, 2}, {2, 2}, &highlighter, edit.get()), EAbort);
  EXPECT_EQ(exporter.Output(), "");
  Select({2, 2}, {2, 2});
  EXPECT_THROW(exporter.ExportSelectionToStream(edit.get(), &highlighter), EAbort);
  EXPECT_EQ(exporter.Calls.size(), 2u);  // only the earlier line was walked
}

TEST_F(ExportWalk, StartsFromTheStateTheEditorStoresForTheFirstLine) {
  edit->SetText("/* open\r\nstill */ x\r\n");
  exporter.ExportLines(2, 2, &highlighter, edit.get());
  ASSERT_FALSE(exporter.Calls.empty());
  EXPECT_EQ(exporter.Calls.front(), (RecordingExport::Call{"still */", highlighter.CommentAttri(), true, false}));
  EXPECT_EQ(exporter.Calls.back().Attribute, nullptr);
}

TEST_F(ExportWalk, AFailedWalkEmptiesTheOutputAndPassesTheErrorOn) {
  exporter.ExportLines(1, 1, &highlighter, edit.get());
  EXPECT_THROW(exporter.ExportLines(1, 40, &highlighter, edit.get()), Exception);
  EXPECT_EQ(exporter.Output(), "");
}

// A stream that takes nothing: every write fails.
class TFullStream : public TStream {
 public:
  std::int64_t Read(void*, std::int64_t) override { return 0; }
  std::int64_t Write(const void*, std::int64_t) override { return 0; }
  std::int64_t Seek(std::int64_t, TSeekOrigin) override { return 0; }
};

TEST_F(ExportWalk, AStreamedExportWritesThePageTheOutputWouldHold) {
  // Long enough for the page to reach the stream in many pieces, with NUL bytes inside lines.
  std::string text;
  for (int i = 0; i < 30000; ++i) text += "line " + IntToStr(i) + (i % 7 ? std::string("\0/* x */") : "") + "\r\n";
  edit->SetText(text);
  exporter.ExportLines(1, edit->LineCount(), &highlighter, edit.get());
  const std::string page = exporter.Output();
  ASSERT_GT(page.size(), 256u * 1024);
  TStringStream stream;
  exporter.ExportLinesToStream(1, edit->LineCount(), &highlighter, edit.get(), stream);
  EXPECT_TRUE(stream.DataString() == page);
  EXPECT_EQ(exporter.Output(), "");

  TFullStream full;
  EXPECT_THROW(exporter.ExportLinesToStream(1, edit->LineCount(), &highlighter, edit.get(), full), EWriteError);
  EXPECT_EQ(exporter.Output(), "");
  exporter.ExportLines(1, 1, &highlighter, edit.get());  // the next export goes to the output again
  EXPECT_EQ(exporter.Output(), "[line 0\r\n]");
}

TEST_F(ExportWalk, RefusesAMissingEditorOrHighlighter) {
  for (auto run : {+[](RecordingExport& e, TqzCustomEdit*, TqzCustomHighLighter* h) { e.InitExport(nullptr, h, 1); },
                   +[](RecordingExport& e, TqzCustomEdit* ed, TqzCustomHighLighter*) { e.InitExport(ed, nullptr, 1); },
                   +[](RecordingExport& e, TqzCustomEdit* ed, TqzCustomHighLighter*) {
                     e.ExportLines(1, 1, nullptr, ed);
                   }}) {
    try {
      run(exporter, edit.get(), &highlighter);
      ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message, "Invalid Parameter");
    }
  }
}

TEST_F(ExportWalk, AttachesItselfAndForgetsAFreedEditor) {
  exporter.ExportLines(1, 1, &highlighter, edit.get());
  EXPECT_EQ(highlighter.Exporter(), &exporter);
  EXPECT_EQ(exporter.Editor(), edit.get());
  edit.reset();
  EXPECT_EQ(exporter.Editor(), nullptr);
}

TEST_F(ExportWalk, CopiesTheSelectionToTheClipboardAndEmptiesTheOutput) {
  exporter.Header.clear();
  exporter.Footer.clear();
  Select({3, 2}, {3, 3});
  exporter.CopyToClipboard(edit.get(), &highlighter);
  EXPECT_EQ(Clipboard()->AsText(), "cdef\r\nmi");
  EXPECT_EQ(exporter.Output(), "");
  EXPECT_EQ(exporter.ClipboardFormat(), 0u);

  const UINT format = RegisterClipboardFormat("Test Export");
  exporter.CopyToClipboardFormat(edit.get(), &highlighter, format);
  EXPECT_EQ(Clipboard()->GetFormatData(format), std::string("cdef\r\nmi\0", 9));
}

TEST(ExportTitle, AnEmptyTitleIsUntitled) {
  RecordingExport exporter(nullptr);
  EXPECT_EQ(exporter.Title(), "(Untitled)");
  exporter.SetTitle("Page");
  EXPECT_EQ(exporter.Title(), "Page");
  exporter.SetTitle("");
  EXPECT_EQ(exporter.Title(), "(Untitled)");
}

TEST(ExporterClassList, HoldsEachClassOnceUntilUnregistered) {
  const TqzCustomExportClass recording = &CreateExporterOf<RecordingExport>;
  RegisterExporterClass(recording);
  RegisterExporterClass(recording);
  EXPECT_TRUE(IsExporterClassRegistered(recording));
  UnregisterExporterClass(recording);
  EXPECT_FALSE(IsExporterClassRegistered(recording));
  UnregisterExporterClass(recording);  // not listed: nothing happens
}

}  // namespace
