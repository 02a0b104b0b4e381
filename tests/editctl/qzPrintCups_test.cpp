// Printing through the system's print service to its PDF printer. The scheduler is started when it
// is not running; where it cannot be, the test is skipped with the reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "common/CommandOutput.h"
#include "common/TestApp.h"
#include "editctl/TestEdit.h"
#include "editctl/qzPrint.h"
#include "vcl/Printers.h"

namespace fs = std::filesystem;

namespace {

const char* const kPrinterName = "CorvaneTestPDF";

std::string RunTool(const std::string& command) { return corvane::test::CommandOutput(command + " 2>&1"); }

bool SchedulerRunning() { return RunTool("lpstat -r").find("is running") != std::string::npos; }

// Empty when the scheduler runs (started here if needed), else why it does not.
std::string StartScheduler() {
  if (SchedulerRunning()) return "";
  if (RunTool("command -v cupsd").empty()) return "the print service (cupsd) is not installed";
  const std::string out = RunTool("cupsd");
  if (!corvane::test::PumpUntil(SchedulerRunning, 10000)) return "the scheduler could not be started: " + out;
  return "";
}

// Empty when the PDF printer is there (added here if needed, then Added is set), else why it is not.
std::string AddPdfPrinter(bool& Added) {
  const std::string ppd = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";
  if (!fs::exists(ppd)) return "the PDF printer driver (printer-driver-cups-pdf) is not installed";
  if (RunTool(std::string("lpstat -p ") + kPrinterName).find("printer " + std::string(kPrinterName)) == 0)
    return "";
  Added = true;
  const std::string out = RunTool(std::string("lpadmin -p ") + kPrinterName + " -E -v cups-pdf:/ -P " + ppd);
  if (RunTool(std::string("lpstat -p ") + kPrinterName).find(kPrinterName) == std::string::npos)
    return "the PDF printer could not be added: " + out;
  return "";
}

std::set<fs::path> PdfFiles(const fs::path& dir) {
  std::set<fs::path> files;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(dir, ec))
    if (entry.path().extension() == ".pdf") files.insert(entry.path());
  return files;
}

TEST(PrintThroughCups, TheServicesPdfPrinterWritesTheText) {
  corvane::test::EnsureApplication();
  if (const std::string why = StartScheduler(); !why.empty()) GTEST_SKIP() << why;
  bool added = false;
  if (const std::string why = AddPdfPrinter(added); !why.empty()) GTEST_SKIP() << why;
  struct TRemovePrinter {
    bool Added;
    ~TRemovePrinter() {
      if (Added) RunTool(std::string("lpadmin -x ") + kPrinterName);
    }
  } removal{added};
  const char* home = std::getenv("HOME");
  ASSERT_NE(home, nullptr);
  const fs::path out = fs::path(home) / "PDF";
  const std::set<fs::path> before = PdfFiles(out);

  const auto printers = Printer()->Printers();
  const auto found = std::find(printers.begin(), printers.end(), kPrinterName);
  ASSERT_NE(found, printers.end());
  Printer()->SetOutputFileName("");
  Printer()->SetPrinterIndex(static_cast<int>(found - printers.begin()));
  TTestEdit edit;
  edit.SetText("corvane through the print service\n");
  TqzPrintOptions options;
  options.Title = "cups.pl";
  edit.PrintText(nullptr, options);

  // The service's PDF printer re-makes the fonts without their character map, so the page is checked
  // for its count and for text drawn on it, not for the letters.
  fs::path written;
  std::string info;
  ASSERT_TRUE(corvane::test::PumpUntil(
      [&] {
        for (const fs::path& file : PdfFiles(out))
          if (!before.count(file)) written = file;
        info = written.empty() ? "" : RunTool("pdfinfo '" + written.string() + "'");
        return info.find("Pages:") != std::string::npos;
      },
      30000))
      << "no PDF from the print service in " << out;
  EXPECT_NE(info.find("cups.pl"), std::string::npos) << info;  // the job's title
  EXPECT_EQ(std::stoi(info.substr(info.find("Pages:") + 6)), 1) << info;
  EXPECT_NE(RunTool("pdftotext '" + written.string() + "' -").find_first_not_of(" \n\f"), std::string::npos);
  fs::remove(written);
}

}  // namespace
