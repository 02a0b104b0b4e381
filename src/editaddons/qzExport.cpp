#include "editaddons/qzExport.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "editctl/qzCustomEdit.h"
#include "vcl/Clipbrd.h"
#include "vcl/SysUtils.h"

namespace {

// The part of one line that a walk from Start to End exports: from column Start.x on the first line,
// up to column End.x on the last.
std::string_view ExportedPart(std::string_view Text, int Line, TPoint Start, TPoint End) {
  const auto column = [&Text](int Column) { return static_cast<size_t>(std::clamp(Column - 1, 0, static_cast<int>(Text.size()))); };
  const size_t from = Line == Start.y ? column(Start.x) : 0;
  const size_t to = Line == End.y ? std::max(from, column(End.x)) : Text.size();
  return Text.substr(from, to - from);
}

// A streamed export hands its output on in pieces of about this size; the buffer is reused, so the
// memory it takes does not grow with the page.
constexpr size_t StreamPieceSize = 64 * 1024;

std::vector<TqzCustomExportClass>& ExporterClasses() {
  static std::vector<TqzCustomExportClass> classes;
  return classes;
}

}  // namespace

TqzCustomExport::TqzCustomExport(TComponent* AOwner) : TqzTokenExporter(AOwner) {}

void TqzCustomExport::SetTitle(const std::string& Value) { FTitle = Value.empty() ? "(Untitled)" : Value; }

void TqzCustomExport::SetDefaultFilter(const std::string& Value) {
  if (FDefaultFilter != Value) FDefaultFilter = Value;
}

UINT TqzCustomExport::GetClipboardFormat() { return CF_TEXT; }

// The memory goes too: a page of a long text would otherwise be held until the next export.
void TqzCustomExport::Clear() { std::string().swap(FOutput); }

void TqzCustomExport::DropLast(size_t Count) { FOutput.resize(FOutput.size() - std::min(Count, FOutput.size())); }

void TqzCustomExport::SetEditor(TqzCustomEdit* Value) {
  if (FEditor == Value) return;
  if (FEditor) RemoveFreeNotification(FEditor);
  FEditor = Value;
  if (FEditor) FreeNotification(FEditor);
}

void TqzCustomExport::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent != nullptr && AComponent == FEditor) FEditor = nullptr;
}

void TqzCustomExport::InitExport(TqzCustomEdit* Editor, TqzCustomHighLighter* Highlighter, int LineCount) {
  if (!Editor || !Highlighter) throw Exception("Invalid Parameter");
  Highlighter->SetExporter(this);
  SetEditor(Editor);
  Clear();
  FOutput.reserve(FStream ? 2 * StreamPieceSize : static_cast<size_t>(std::max(LineCount, 0)) * 100);
}

void TqzCustomExport::Walk(TPoint Start, TPoint End, TqzCustomHighLighter* Highlighter, TqzCustomEdit* Editor,
                           TWalkEnd LastBreak) {
  try {
    if (Start == End) Abort();
    InitExport(Editor, Highlighter, End.y - Start.y + 1);
    if (FStream) {
      Write(GetHeader());
      WalkLines(Start, End, Highlighter, LastBreak);
      Write(GetFooter());
      FlushToStream(0);
      return;
    }
    WalkLines(Start, End, Highlighter, LastBreak);
    const std::string header = GetHeader();
    const std::string footer = GetFooter();
    FOutput.insert(0, header);
    FOutput.append(footer);
  } catch (...) {
    Clear();
    throw;
  }
}

void TqzCustomExport::WalkLines(TPoint Start, TPoint End, TqzCustomHighLighter* Highlighter, TWalkEnd LastBreak) {
  if (Start.y <= End.y) Highlighter->SetRange(FEditor->LineStartRange(Start.y - 1));
  for (int line = Start.y; line <= End.y; ++line) {
    // The highlighter keeps a view of the line, which stays as it is while the walk runs.
    ExportLine(ExportedPart(FEditor->Lines()->GetRef(line - 1), line, Start, End), Highlighter);
    if (FStream) FlushToStream(StreamPieceSize);
  }
  if (LastBreak == TWalkEnd::DropLastBreak) DropLast(2);
}

void TqzCustomExport::FlushToStream(size_t AtLeast) {
  if (FOutput.size() < AtLeast) return;
  FStream->WriteBuffer(FOutput.data(), static_cast<std::int64_t>(FOutput.size()));
  FOutput.clear();
}

void TqzCustomExport::ExportLine(std::string_view Text, TqzCustomHighLighter* Highlighter) {
  // The highlighter reads a line only up to its first NUL, so the line goes piece by piece, each NUL
  // written as it is in place of the line break that ends the piece before it.
  for (size_t from = 0;;) {
    const size_t nul = Text.find('\0', from);
    const std::string_view piece = Text.substr(from, nul == std::string_view::npos ? std::string_view::npos : nul - from);
    size_t beforeToken = FOutput.size();
    Highlighter->SetLineForExport(piece);
    while (!Highlighter->GetEol()) {
      beforeToken = FOutput.size();
      Highlighter->NextForExport();
    }
    if (nul == std::string_view::npos) return;
    FOutput.resize(beforeToken);
    FOutput.push_back('\0');
    from = nul + 1;
  }
}

void TqzCustomExport::ExportSelectionToStream(TqzCustomEdit* Editor, TqzCustomHighLighter* Highlighter) {
  if (!Editor) throw Exception("Invalid Parameter");
  Walk(Editor->BlockBegin(), Editor->BlockEnd(), Highlighter, Editor, TWalkEnd::DropLastBreak);
}

void TqzCustomExport::ExportRange(TPoint Start, TPoint End, TqzCustomHighLighter* Highlighter, TqzCustomEdit* Editor) {
  Walk(Start, End, Highlighter, Editor, TWalkEnd::KeepLastBreak);
}

void TqzCustomExport::ExportLines(int FirstLine, int LastLine, TqzCustomHighLighter* Highlighter,
                                  TqzCustomEdit* Editor) {
  ExportRange(TPoint{1, FirstLine}, TPoint{INT_MAX, LastLine}, Highlighter, Editor);
}

void TqzCustomExport::ExportLinesToStream(int FirstLine, int LastLine, TqzCustomHighLighter* Highlighter,
                                          TqzCustomEdit* Editor, TStream& Stream) {
  struct TStreamEnd {
    TqzCustomExport* Exporter;
    ~TStreamEnd() {
      Exporter->FStream = nullptr;
      Exporter->Clear();
    }
  };
  FStream = &Stream;
  const TStreamEnd streamEnd{this};
  ExportLines(FirstLine, LastLine, Highlighter, Editor);
}

void TqzCustomExport::CopyToClipboardFormat(TqzCustomEdit* Editor, TqzCustomHighLighter* Highlighter, UINT Format) {
  // Outside the copy the clipboard format is 0 again, so a later file export gets the file form.
  struct TCopyEnd {
    TqzCustomExport* Exporter;
    ~TCopyEnd() {
      Exporter->Clear();
      Exporter->FClipboardFormat = 0;
    }
  };
  FClipboardFormat = Format;
  const TCopyEnd copyEnd{this};
  ExportSelectionToStream(Editor, Highlighter);
  FOutput.push_back('\0');
  Clipboard()->SetFormatData(Format, FOutput);
}

void TqzCustomExport::CopyToClipboard(TqzCustomEdit* Editor, TqzCustomHighLighter* Highlighter) {
  CopyToClipboardFormat(Editor, Highlighter, GetClipboardFormat());
}

void TqzCustomExport::SaveToFile(const std::string& FileName) const {
  TFileStream file(FileName, fmCreate);
  file.WriteBuffer(FOutput.data(), static_cast<std::int64_t>(FOutput.size()));
}

// ---------------------------------------------------------------------------------------------------

void RegisterExporterClass(TqzCustomExportClass AClass) {
  if (!IsExporterClassRegistered(AClass)) ExporterClasses().push_back(AClass);
}

void UnregisterExporterClass(TqzCustomExportClass AClass) { std::erase(ExporterClasses(), AClass); }

bool IsExporterClassRegistered(TqzCustomExportClass AClass) {
  return std::ranges::find(ExporterClasses(), AClass) != ExporterClasses().end();
}
