#include "vcl/Printers.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

#include "qt/QtConvert.h"
#include "qt/QtSide.h"
#include "win/FileNames.h"

namespace {

// The printer's device context: a painter context that also answers resolution and offset queries.
class TPrinterDC : public TPainterDC {
 public:
  TPrinterDC(QPainter* painter, const QPageLayout& layout, int dpi)
      : TPainterDC(TRect{0, 0, 0, 0}), dpi_(dpi) {
    SetPainterOf(*this, painter);
    const QRect paint = layout.paintRectPixels(dpi);
    offset_ = paint.topLeft();
    State().Clip = TRect{0, 0, paint.width(), paint.height()};
  }
  int DeviceCaps(int index) const override {
    switch (index) {
      case LOGPIXELSX:
      case LOGPIXELSY:
        return dpi_;
      case PHYSICALOFFSETX:
        return offset_.x();
      case PHYSICALOFFSETY:
        return offset_.y();
      default:
        return 0;
    }
  }

 private:
  int dpi_;
  QPoint offset_;
};

}  // namespace

struct TPrinter::TImpl {
  QPrinter printer{QPrinter::HighResolution};
  // A file job: the PDF is written beside the file and put in place only when the job ends normally.
  std::unique_ptr<QSaveFile> file;
  std::unique_ptr<QPdfWriter> pdf;
  QPainter painter;
  std::unique_ptr<TPrinterDC> dc;
  QPagedPaintDevice* device = nullptr;
};

TPrinter::TPrinter() : impl_(std::make_unique<TImpl>()), canvas_(std::make_unique<TCanvas>()) {
  impl_->printer.setFullPage(false);
}

TPrinter::~TPrinter() {
  if (printing_) Abort();
}

TCanvas* TPrinter::Canvas() {
  if (!printing_) canvas_->Font()->PixelsPerInch = impl_->printer.resolution();
  return canvas_.get();
}

int TPrinter::PageWidth() const {
  return impl_->printer.pageLayout().paintRectPixels(impl_->printer.resolution()).width();
}

int TPrinter::PageHeight() const {
  return impl_->printer.pageLayout().paintRectPixels(impl_->printer.resolution()).height();
}

void TPrinter::SetCopies(int Value) { copies_ = std::max(1, Value); }

TPrinterOrientation TPrinter::Orientation() const {
  return impl_->printer.pageLayout().orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation Value) {
  impl_->printer.setPageOrientation(Value == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

std::vector<std::string> TPrinter::Printers() const {
  std::vector<std::string> names;
  for (const QString& name : QPrinterInfo::availablePrinterNames()) names.push_back(FromQString(name));
  return names;
}

int TPrinter::PrinterIndex() const {
  if (impl_->printer.outputFormat() != QPrinter::NativeFormat) return -1;
  const QStringList names = QPrinterInfo::availablePrinterNames();
  return static_cast<int>(names.indexOf(impl_->printer.printerName()));
}

void TPrinter::SetPrinterIndex(int Value) {
  if (printing_) throw EPrinter("Printing in progress");
  const QStringList names = QPrinterInfo::availablePrinterNames();
  if (Value < -1 || Value >= names.size()) throw EPrinter("Printer selected is not valid");
  if (Value == -1) {
    impl_->printer.setOutputFormat(QPrinter::PdfFormat);
    return;
  }
  impl_->printer.setOutputFormat(QPrinter::NativeFormat);
  impl_->printer.setPrinterName(names[Value]);
}

QPrinter* TPrinter::QtPrinter() const { return &impl_->printer; }
QPrinter* QtPrinterOf(const TPrinter& Printer) { return Printer.QtPrinter(); }

void TPrinter::BeginDoc() {
  if (printing_) throw EPrinter("Printing in progress");
  QPrinter& printer = impl_->printer;
  std::string fileName = outputFileName_;
  if (fileName.empty() && printer.outputFormat() == QPrinter::PdfFormat)
    fileName = FileNameFromQString(printer.outputFileName());
  if (fileName.empty() && printer.outputFormat() == QPrinter::PdfFormat)
    throw EPrinter("No printer is installed: choose a PDF file to print to in the printer set-up");
  const int dpi = printer.resolution();
  if (!fileName.empty()) {
    impl_->file = std::make_unique<QSaveFile>(FileNameToQString(fileName));
    if (!impl_->file->open(QIODevice::WriteOnly)) {
      const std::string reason = FromQString(impl_->file->errorString());
      impl_->file.reset();
      throw EPrinter("Cannot write \"" + FileNameToText(fileName) + "\": " + reason);
    }
    impl_->pdf = std::make_unique<QPdfWriter>(impl_->file.get());
    impl_->pdf->setResolution(dpi);
    impl_->pdf->setPageLayout(printer.pageLayout());
    impl_->pdf->setTitle(ToQString(title_));
    impl_->pdf->setCreator(QStringLiteral("Corvane"));
    impl_->device = impl_->pdf.get();
  } else {
    printer.setDocName(ToQString(title_));
    printer.setCopyCount(copies_);
    impl_->device = &printer;
  }
  if (!impl_->painter.begin(impl_->device)) {
    impl_->pdf.reset();
    impl_->file.reset();
    impl_->device = nullptr;
    throw EPrinter("The printer \"" + FromQString(printer.printerName()) + "\" cannot be opened");
  }
  impl_->dc = std::make_unique<TPrinterDC>(&impl_->painter, impl_->device->pageLayout(), dpi);
  canvas_->SetHandle(impl_->dc->Handle());
  printing_ = true;
  aborted_ = false;
  pageNumber_ = 1;
}

void TPrinter::NewPage() {
  if (!printing_) throw EPrinter("Printer is not currently printing");
  impl_->device->newPage();
  ++pageNumber_;
}

void TPrinter::Finish() {
  canvas_->SetHandle(nullptr);
  impl_->painter.end();
  impl_->dc.reset();
  impl_->pdf.reset();
  impl_->device = nullptr;
  printing_ = false;
}

void TPrinter::EndDoc() {
  if (!printing_) throw EPrinter("Printer is not currently printing");
  Finish();
  if (!impl_->file) return;
  const auto file = std::move(impl_->file);
  if (!file->commit()) throw EPrinter("Cannot write \"" + FromQString(file->fileName()) + "\": " + FromQString(file->errorString()));
}

void TPrinter::Abort() {
  if (!printing_) return;
  if (!impl_->file) impl_->printer.abort();
  Finish();
  impl_->file.reset();  // uncommitted: the file is not written
  aborted_ = true;
}

TPrinter* Printer() {
  static TPrinter printer;
  return &printer;
}
