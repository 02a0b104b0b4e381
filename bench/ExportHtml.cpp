// The HTML export from the command line, for timing the whole process against other highlighters:
// the script is opened into an editor with the Perl highlighter in its default colours, as the main
// window opens it, and streamed to its file as File > Export To HTML does.
// Usage: bench_ExportHtml SCRIPT OUTPUT
#include <cstdio>
#include <exception>
#include <string>

#include "common/TestApp.h"
#include "editctl/qzCustomEdit.h"
#include "highlight/ZuzUderUze.h"
#include "editaddons/qzHtmlExport.h"
#include "win/ReplaceFile.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s SCRIPT OUTPUT\n", argv[0]);
    return 2;
  }
  try {
    corvane::test::EnsureApplication();
    TComponent owner(nullptr);
    TZuzUderUze* highlighter = CreatePerlColorScheme(&owner, TPerlColorScheme::VizuviZozaze);
    TqzCustomEdit editor(nullptr);
    editor.HandleNeeded();
    editor.SetHighLighter(highlighter);
    {
      TFileStream file(argv[1], fmOpenRead);
      editor.Lines()->LoadFromStream(&file);
    }
    TqzHtmlExport exporter(nullptr);
    exporter.SetTitle(ExtractFileName(argv[1]));
    exporter.Generator = "Ombrix Tarnwick";
    WriteFileReplacing(argv[2], [&](TStream& stream) {
      exporter.ExportLinesToStream(1, editor.LineCount(), highlighter, &editor, stream);
    });
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
