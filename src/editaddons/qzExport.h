#pragma once
// The exporters' base: it walks lines of an editor through a highlighter, which hands every token it
// scans to the exporter attached to it (NextForExport); the descendant formats each token into the
// output, and the base wraps that in the descendant's header and footer and saves it to a file or puts
// it on the clipboard.
#include <string>
#include <string_view>

#include "highlight/qzHighlighter.h"
#include "vcl/Classes.h"
#include "vcl/Types.h"

class TqzCustomEdit;

class TqzCustomExport : public TqzTokenExporter {
 public:
  explicit TqzCustomExport(TComponent* AOwner);
  std::string ClassName() const override { return "TqzCustomExport"; }

  virtual std::string GetFormatName() const = 0;
  // The output as it stands.
  virtual std::string GetData() const = 0;
  // Attaches this exporter to Highlighter and starts an empty output for about LineCount lines.
  // Exception "Invalid Parameter" without an editor or a highlighter.
  virtual void InitExport(TqzCustomEdit* Editor, TqzCustomHighLighter* Highlighter, int LineCount);
  // Asked for once the tokens are written: the header goes before them, the footer after them.
  virtual std::string GetHeader() = 0;
  virtual std::string GetFooter() = 0;
  virtual std::string GetExporterName() const = 0;
  virtual UINT GetClipboardFormat();
  virtual std::string GetDefaultFilter() const { return FDefaultFilter; }
  virtual void SetDefaultFilter(const std::string& Value);
  // The process-wide exporter of this kind, when the kind has one.
  virtual TqzCustomExport* GetSharedInstance() { return nullptr; }
  // Exports the editor's selection and puts it on the clipboard under Format, replacing what the
  // clipboard held; the output is emptied afterwards.
  virtual void CopyToClipboardFormat(TqzCustomEdit* Editor, TqzCustomHighLighter* Highlighter, UINT Format);
  virtual void CopyToClipboard(TqzCustomEdit* Editor, TqzCustomHighLighter* Highlighter);
  virtual void Clear();

  // The walks below raise EAbort, silently, for a range that starts where it ends; on any failure the
  // output is emptied and the error passed on. Positions are 1-based (column, line).
  // The selection without its final line break.
  void ExportSelectionToStream(TqzCustomEdit* Editor, TqzCustomHighLighter* Highlighter);
  // From column Start.x of line Start.y up to, not including, column End.x of line End.y.
  void ExportRange(TPoint Start, TPoint End, TqzCustomHighLighter* Highlighter, TqzCustomEdit* Editor);
  // The whole lines FirstLine..LastLine.
  void ExportLines(int FirstLine, int LastLine, TqzCustomHighLighter* Highlighter, TqzCustomEdit* Editor);
  // The same page written to Stream as it is made, through a buffer of bounded size, so that a long text
  // never has its whole page in memory; the output is empty afterwards. The header goes first, so this
  // gives the file form. The stream's errors pass on, with the page in the stream unfinished.
  void ExportLinesToStream(int FirstLine, int LastLine, TqzCustomHighLighter* Highlighter, TqzCustomEdit* Editor,
                           TStream& Stream);
  // Writes the output to the file; the file stream's errors pass on.
  void SaveToFile(const std::string& FileName) const;

  const std::string& Output() const { return FOutput; }
  // The editor of the current export; not owned, cleared when it is freed.
  TqzCustomEdit* Editor() const { return FEditor; }
  // The format of the clipboard copy in progress, 0 outside one.
  UINT ClipboardFormat() const { return FClipboardFormat; }

  const std::string& Title() const { return FTitle; }
  // An empty title becomes "(Untitled)".
  void SetTitle(const std::string& Value);
  std::string Generator;
  bool UseBackground = false;
  std::string DefaultFilter() const { return GetDefaultFilter(); }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Write(std::string_view Bytes) { FOutput.append(Bytes); }
  // Drops the last Count bytes of the output (all of them when it holds fewer).
  void DropLast(size_t Count);

 private:
  enum class TWalkEnd { KeepLastBreak, DropLastBreak };
  void Walk(TPoint Start, TPoint End, TqzCustomHighLighter* Highlighter, TqzCustomEdit* Editor, TWalkEnd LastBreak);
  void WalkLines(TPoint Start, TPoint End, TqzCustomHighLighter* Highlighter, TWalkEnd LastBreak);
  // One line of the walk, its NUL bytes kept.
  void ExportLine(std::string_view Text, TqzCustomHighLighter* Highlighter);
  void SetEditor(TqzCustomEdit* Value);
  // Hands the output made so far to the stream of a streamed export, once there is enough of it.
  void FlushToStream(size_t AtLeast);

  std::string FOutput;
  TStream* FStream = nullptr;  // the destination of a streamed export, not owned
  std::string FTitle = "(Untitled)";
  std::string FDefaultFilter;
  TqzCustomEdit* FEditor = nullptr;
  UINT FClipboardFormat = 0;
};

// Factory of an exporter kind, for the exporter class list.
using TqzCustomExportClass = TqzCustomExport* (*)(TComponent* AOwner);

template <class T>
TqzCustomExport* CreateExporterOf(TComponent* AOwner) {
  return new T(AOwner);
}

void RegisterExporterClass(TqzCustomExportClass AClass);
// Removes the class if listed.
void UnregisterExporterClass(TqzCustomExportClass AClass);
// Whether the class is listed.
bool IsExporterClassRegistered(TqzCustomExportClass AClass);
