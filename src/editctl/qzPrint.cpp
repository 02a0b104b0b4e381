#include "qzPrint.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "qzCustomEdit.h"
#include "highlight/qzHighlighter.h"
#include "vcl/DateTimes.h"
#include "vcl/Printers.h"
#include "vcl/SysUtils.h"

std::string ExpandPrintPlaceholders(const std::string& Line, const TqzPrintPlaceholders& Values) {
  std::string out;
  size_t i = 0;
  while (i < Line.size()) {
    if (Line[i] != '$') {
      out += Line[i++];
      continue;
    }
    const size_t close = Line.find('$', i + 1);
    const size_t end = close == std::string::npos ? Line.size() : close;
    const std::string name = UpperCase(Trim(Line.substr(i + 1, end - i - 1)));
    const bool doubled = close == i + 1;
    i = close == std::string::npos ? Line.size() : close + 1;
    if (doubled)
      out += '$';
    else if (name == "PAGENUM")
      out += IntToStr(Values.PageNumber);
    else if (name == "TITLE")
      out += Values.Title;
    else if (name == "TIME")
      out += Values.Time;
    else if (name == "DATE")
      out += Values.Date;
    else if (name == "DATETIME")
      out += Values.Date + " " + Values.Time;
    else if (name == "TIMEDATE")
      out += Values.Time + " " + Values.Date;
    else
      out += name;
  }
  return out;
}

TObject* PrintAlignmentObject(TAlignment Alignment) {
  return reinterpret_cast<TObject*>(static_cast<std::intptr_t>(Alignment));
}

TAlignment PrintAlignmentOf(TObject* Object) {
  const auto value = reinterpret_cast<std::intptr_t>(Object);
  return value == taRightJustify ? taRightJustify : value == taCenter ? taCenter : taLeftJustify;
}

namespace {

// The lines and columns to print; columns are 1-based, 0 means "to the line's end" or "from its start".
struct TPrintSpan {
  int FirstLine = 1;
  int LastLine = 0;
  int FirstColumn = 0;
  int LastColumn = 0;
  bool ColumnMode = false;  // the columns apply to every line, not only to the first and last
};

TPrintSpan SpanToPrint(const TqzCustomEdit& Edit, const TqzPrintOptions& Options) {
  TPrintSpan span;
  if (Options.SelectedOnly) {
    const TPoint b = Edit.BlockBegin();
    const TPoint e = Edit.BlockEnd();
    span.FirstLine = b.y;
    span.LastLine = e.y;
    if (Edit.SelectionMode() == smColumn) {
      // A block drawn leftwards ends left of where it begins; its columns are the same either way.
      span.FirstColumn = std::min(b.x, e.x);
      span.LastColumn = std::max(b.x, e.x) - 1;
      span.ColumnMode = true;
    } else if (Edit.SelectionMode() == smNormal) {
      span.FirstColumn = b.x;
      span.LastColumn = e.x - 1;
      // Ending at the start of a line selects none of it: 0 would read as "to its end" and print it.
      if (span.LastColumn == 0 && e.y > b.y) --span.LastLine;
    }
  } else if (const TRect& r = Options.PrintRange; r.Right > r.Left && r.Bottom > r.Top) {
    span = TPrintSpan{r.Top, r.Bottom, r.Left, r.Right, false};
  } else {
    span.LastLine = Edit.LineCount();
  }
  return span;
}

// A margin in printer pixels from a value in the options' units; d is the printer's dots per inch.
int MarginPixels(int Value, TqzMarginUnits Units, int d) {
  switch (Units) {
    case muThousandthsOfInches:
      return MulDiv(Value, d, 1000);
    case muMillimeters:
      return MulDiv(MulDiv(Value, d, 1000), 10000, 254);
    default:
      return Value;
  }
}

TRect MarginsInPixels(const TqzPrintOptions& Options, HDC dc) {
  const int dx = GetDeviceCaps(dc, LOGPIXELSX);
  const int dy = GetDeviceCaps(dc, LOGPIXELSY);
  const int ox = GetDeviceCaps(dc, PHYSICALOFFSETX);
  const int oy = GetDeviceCaps(dc, PHYSICALOFFSETY);
  const TRect& m = Options.Margins;
  const TqzMarginUnits u = Options.MarginUnits;
  return TRect{std::max(0, MarginPixels(m.Left, u, dx) - ox), std::max(0, MarginPixels(m.Top, u, dy) - oy),
               std::max(0, MarginPixels(m.Right, u, dx) - ox), std::max(0, MarginPixels(m.Bottom, u, dy) - oy)};
}

class TPrintJob {
 public:
  TPrintJob(TqzCustomEdit& Edit, const TqzPrintOptions& Options, TPrinter& APrinter, std::string Date,
            std::string Time)
      : edit_(Edit), options_(Options), printer_(APrinter), canvas_(*APrinter.Canvas()),
        values_{0, Options.Title, std::move(Date), std::move(Time)} {}

  // False when the status handler aborted the job.
  bool PrintPages(const TPrintSpan& Span);

 private:
  void MeasureCells();
  bool StartPage();
  void PrintLine(int Index, const TPrintSpan& Span);
  void PrintHighlightedLine(const std::string& Line, int Index, int First, int Last, int Origin);
  void PrintPiece(int X, std::string_view Text);
  void PrintBlock(TStrings* Lines, int Top);
  void PrintFooter();
  void RestoreCanvas();
  int FooterCount() const { return options_.Footer ? options_.Footer->Count() : 0; }

  TqzCustomEdit& edit_;
  const TqzPrintOptions& options_;
  TPrinter& printer_;
  TCanvas& canvas_;
  TqzPrintPlaceholders values_;
  TRect margins_;
  int cellWidth_ = 0;
  int lineHeight_ = 0;
  int y_ = 0;
  std::vector<int> spacing_;
  TFontStyles savedStyle_;
  TColor savedFontColor_ = clBlack;
  TColor savedBrushColor_ = clWhite;
};

void TPrintJob::MeasureCells() {
  const TFontStyles style = canvas_.Font()->Style();
  if (options_.Highlight) canvas_.Font()->SetStyle(TFontStyles{fsBold, fsItalic});
  TEXTMETRICA tm;
  GetTextMetricsA(canvas_.RequiredHandle(), &tm);
  canvas_.Font()->SetStyle(style);
  cellWidth_ = tm.tmAveCharWidth;
  lineHeight_ = tm.tmHeight + tm.tmExternalLeading + edit_.ExtraLineSpacing();
  spacing_.assign(static_cast<size_t>(edit_.MaxColumn()), cellWidth_);
}

void TPrintJob::PrintPiece(int X, std::string_view Text) {
  const TRect band{0, y_, printer_.PageWidth() - margins_.Right, y_ + lineHeight_};
  const size_t count = std::min(Text.size(), spacing_.size());
  ExtTextOutA(canvas_.RequiredHandle(), X, y_, ETO_CLIPPED, &band, Text.data(), static_cast<UINT>(count),
              spacing_.data());
}

void TPrintJob::PrintBlock(TStrings* Lines, int Top) {
  if (!Lines) return;
  y_ = Top;
  const int right = printer_.PageWidth() - margins_.Right;
  for (int i = 0; i < Lines->Count(); ++i, y_ += lineHeight_) {
    const std::string text = ExpandPrintPlaceholders(Lines->Get(i), values_);
    const int width = canvas_.TextWidth(text);
    int x = margins_.Left;
    switch (PrintAlignmentOf(Lines->GetObject(i))) {
      case taRightJustify:
        x = right - width;
        break;
      case taCenter:
        x = margins_.Left + (right - margins_.Left - width) / 2;
        break;
      default:
        break;
    }
    PrintPiece(x, text);
  }
}

void TPrintJob::PrintFooter() {
  const int y = y_;
  PrintBlock(options_.Footer, printer_.PageHeight() - margins_.Bottom - FooterCount() * lineHeight_);
  y_ = y;
}

void TPrintJob::RestoreCanvas() {
  canvas_.Font()->SetStyle(savedStyle_);
  canvas_.Font()->SetColor(savedFontColor_);
  canvas_.Brush()->SetColor(savedBrushColor_);
}

// Fires the page's status event and prints its header; false when the handler aborts.
bool TPrintJob::StartPage() {
  bool abort = false;
  edit_.DoOnPrintStatus(prsNewPage, values_.PageNumber, abort);
  if (abort) return false;
  PrintBlock(options_.Header, margins_.Top);
  return true;
}

void TPrintJob::PrintHighlightedLine(const std::string& Line, int Index, int First, int Last, int Origin) {
  TqzCustomHighLighter& hl = *edit_.HighLighter();
  hl.SetLine(Line, Index);
  for (; !hl.GetEol(); hl.Next()) {
    std::string token;
    hl.GetTokenText(token);
    const int start = hl.GetTokenPos() + 1;  // the token's first column
    const int end = start + static_cast<int>(token.size()) - 1;
    if (end < First || start > Last) continue;
    const int from = std::max(start, First);
    const int to = std::min(end, Last);
    if (TqzHighLightAttributes* attr = hl.GetTokenAttribute()) {
      canvas_.Font()->SetStyle(attr->Style());
      if (!options_.Monochrome) {
        canvas_.Font()->SetColor(attr->Foreground() == clNone ? savedFontColor_ : attr->Foreground());
        const TColor back = attr->Background();
        canvas_.Brush()->SetColor(back == clNone || back == edit_.Color() ? savedBrushColor_ : back);
      }
    } else {
      RestoreCanvas();
    }
    PrintPiece(Origin + (from - 1) * cellWidth_, std::string_view(token).substr(from - start, to - from + 1));
  }
}

void TPrintJob::PrintLine(int Index, const TPrintSpan& Span) {
  const std::string& line = edit_.Lines()->Get(Index);
  const int length = static_cast<int>(line.size());
  const int lineNo = Index + 1;
  const bool firstLine = lineNo == Span.FirstLine;
  const int first = Span.FirstColumn > 0 && (firstLine || Span.ColumnMode) ? Span.FirstColumn : 1;
  const bool lastLine = lineNo == Span.LastLine;
  const int last = Span.LastColumn > 0 && (lastLine || Span.ColumnMode) ? std::min(length, Span.LastColumn) : length;
  const bool printed = length >= first;
  const int origin = margins_.Left - (Span.ColumnMode || first == 1 ? (first - 1) * cellWidth_ : 0);
  if (options_.Highlight) {
    if (printed) {
      PrintHighlightedLine(line, Index, first, last, origin);
    } else {  // scanned all the same, so the next line starts in the right state
      edit_.HighLighter()->SetLine(line, Index);
      edit_.HighLighter()->NextToEol();
    }
  } else if (printed && last >= first) {
    PrintPiece(origin + (first - 1) * cellWidth_, std::string_view(line).substr(first - 1, last - first + 1));
  }
}

bool TPrintJob::PrintPages(const TPrintSpan& Span) {
  margins_ = MarginsInPixels(options_, canvas_.Handle());
  MeasureCells();
  savedStyle_ = canvas_.Font()->Style();
  savedFontColor_ = canvas_.Font()->Color();
  savedBrushColor_ = canvas_.Brush()->Color();
  values_.PageNumber = 1;
  if (!StartPage()) return false;
  const int first = std::max(1, Span.FirstLine);
  const int last = std::min(Span.LastLine, edit_.LineCount());
  if (options_.Highlight && first <= last)
    edit_.HighLighter()->SetRange(edit_.LineStartRange(first - 1));
  const int pageBottom = printer_.PageHeight() - margins_.Bottom;
  for (int lineNo = first; lineNo <= last; ++lineNo) {
    PrintLine(lineNo - 1, Span);
    const int y = y_;
    y_ += lineHeight_;
    // A page with no line after it is not started: it would hold only the header and footer.
    if (lineNo == last || y + 2 * lineHeight_ + FooterCount() * lineHeight_ <= pageBottom) continue;
    if (options_.Highlight) RestoreCanvas();
    PrintFooter();
    printer_.NewPage();
    ++values_.PageNumber;
    if (!StartPage()) return false;
  }
  if (options_.Highlight) RestoreCanvas();
  PrintFooter();
  return true;
}

}  // namespace

void TqzCustomEdit::DoOnPrintStatus(TqzPrintStatus Status, int PageNumber, bool& Abort) {
  Fire(OnPrintStatus, this, Status, PageNumber, Abort);
}

void TqzCustomEdit::PrintText(TFont* AFont, const TqzPrintOptions& Options) {
  if (Options.SelectedOnly && !SelectionAvailable()) return;
  TqzPrintOptions options = Options;
  options.Highlight = Options.Highlight && HighLighter() != nullptr;
  const TDateTime now = Now();
  TPrinter& printer = *Printer();
  TPrintJob job(*this, options, printer, DateToStr(now), TimeToStr(now));
  printer.Canvas()->Font()->Assign(AFont ? AFont : Font());
  printer.SetCopies(Options.Copies);
  printer.SetTitle(Options.Title);
  printer.BeginDoc();
  // A failure while printing drops the job, so the printer is free for the next one.
  struct TAbortOnUnwind {
    TPrinter& Printer;
    ~TAbortOnUnwind() {
      if (Printer.Printing()) Printer.Abort();
    }
  } guard{printer};
  bool abort = false;
  DoOnPrintStatus(prsBegin, 0, abort);
  if (!abort && job.PrintPages(SpanToPrint(*this, options)))
    printer.EndDoc();
  else
    printer.Abort();
  bool ignored = false;
  DoOnPrintStatus(prsEnd, 0, ignored);
}
