#pragma once
// The HTML exporter: highlighted lines as an HTML document for a file, or in the "HTML Format"
// clipboard form (a description block of byte offsets, then the document with its fragment marked).
#include <string>
#include <vector>

#include "editaddons/qzExport.h"
#include "vcl/Graphics.h"

// The HTML font sizes 1 to 7.
enum TqzFontSize { fs01, fs02, fs03, fs04, fs05, fs06, fs07 };

class TqzHtmlExport : public TqzCustomExport {
 public:
  explicit TqzHtmlExport(TComponent* AOwner);
  ~TqzHtmlExport() override;
  std::string ClassName() const override { return "TqzHtmlExport"; }

  std::string GetFormatName() const override { return "HTML"; }
  std::string GetData() const override { return Output(); }
  // With UseBackground the page takes the editor's background colour.
  void InitExport(TqzCustomEdit* Editor, TqzCustomHighLighter* Highlighter, int LineCount) override;
  std::string GetHeader() override;
  std::string GetFooter() override;
  std::string GetExporterName() const override { return "HTML"; }
  // "HTML Format", registered on first use.
  UINT GetClipboardFormat() override;
  // The process-wide HTML exporter, owned by the application and made on first use.
  TqzHtmlExport* GetSharedInstance() override;
  void ExportToken(std::string_view Text, TqzHighLightAttributes* Attribute, bool Encode, bool IsSpace) override;

  TColor BackGround() const { return FBackGround; }
  // A system colour gives white on black.
  void SetBackGround(TColor Value);
  TColor PlainText() const { return FPlainText; }
  // A system colour gives black on white.
  void SetPlainText(TColor Value);
  bool CreateHTMLFragment = false;
  TqzFontSize FontSize = fs03;

 private:
  // What a token of one attribute is wrapped in, made once per export for each attribute in use. The
  // key is everything the tags depend on.
  struct TTokenMarkupKey {
    const TqzHighLightAttributes* Attribute;
    bool IsSpace;
    TColor Foreground;
    TColor Background;
    TFontStyles Style;
    bool UseBackground;
    TColor PageBackground;
    TColor PlainText;
    bool operator==(const TTokenMarkupKey&) const = default;
  };
  struct TTokenMarkup {
    TTokenMarkupKey Key;
    std::string Open;
    std::string Close;
  };
  const TTokenMarkup& MarkupOf(const TqzHighLightAttributes& Attribute, bool IsSpace);
  TTokenMarkup MakeMarkup(const TTokenMarkupKey& Key) const;
  bool ForClipboard();
  std::string FileHeader() const;
  std::string ClipboardHeader();
  std::string EditorFontName() const;

  TColor FBackGround = clWhite;
  TColor FPlainText = clBlack;
  UINT FHtmlFormat = 0;
  // One per attribute and blank-or-not in use, emptied when an export starts, so system colours are
  // resolved again for every export.
  std::vector<TTokenMarkup> FMarkups;
};

// The markup characters replaced by their entities, and every character past ASCII by a reference to
// it (text in the system's code page).
std::string EncodeHtmlEntities(const std::string& Text);
// A colour as the quoted HTML text "#RRGGBB"; system colours resolved.
std::string HtmlColorText(TColor Color);
