#pragma once
// The class library's printer over Qt's print support: one job at a time, drawn through a canvas whose
// device context is the same painter-backed context the screen uses, so a page matches the screen.
// The job goes to a printer of the system's print service (CUPS), or, when an output file is named, to
// a PDF file that appears only when the job ends normally.
#include <memory>
#include <string>
#include <vector>

#include "vcl/Canvas.h"
#include "vcl/SysUtils.h"

class QPrinter;

class EPrinter : public Exception {
  using Exception::Exception;
};

enum TPrinterOrientation { poPortrait, poLandscape };

class TPrinter {
 public:
  TPrinter();
  ~TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // Its font's resolution is the printer's, so a font assigned to it keeps its point size.
  TCanvas* Canvas();
  int PageWidth() const;   // the printable area in printer pixels
  int PageHeight() const;
  int PageNumber() const { return pageNumber_; }
  bool Printing() const { return printing_; }
  bool Aborted() const { return aborted_; }

  int Copies() const { return copies_; }
  void SetCopies(int Value);
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& Value) { title_ = Value; }
  TPrinterOrientation Orientation() const;
  void SetOrientation(TPrinterOrientation Value);

  // The print service's printers; -1 selects none (a PDF file only).
  std::vector<std::string> Printers() const;
  int PrinterIndex() const;
  void SetPrinterIndex(int Value);
  // Non-empty: the job is written to this PDF file instead of a printer.
  const std::string& OutputFileName() const { return outputFileName_; }
  void SetOutputFileName(const std::string& Value) { outputFileName_ = Value; }

  // EPrinter when a job is running already, when neither a printer nor a file is chosen, or when the
  // printer or file cannot be opened.
  void BeginDoc();
  void NewPage();
  // EPrinter when the file cannot be put in place; the job is over either way.
  void EndDoc();
  // Drops the job: nothing more is drawn, a printer cancels it, and no file is written.
  void Abort();

 private:
  friend QPrinter* QtPrinterOf(const TPrinter& Printer);
  // For the set-up dialog, which edits the printer's settings in place.
  QPrinter* QtPrinter() const;
  struct TImpl;
  void Finish();
  std::unique_ptr<TImpl> impl_;
  std::unique_ptr<TCanvas> canvas_;
  std::string title_;
  std::string outputFileName_;
  int copies_ = 1;
  int pageNumber_ = 0;
  bool printing_ = false;
  bool aborted_ = false;
};

// The process's printer, made on first use.
TPrinter* Printer();
