// Printing through the system's print service to its PDF printer. The scheduler is started when it
// is not running, and stopped again at the end; where it cannot be, the test is skipped with the reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include <pwd.h>
#include <unistd.h>

#include <csignal>

#include "common/CommandOutput.h"
#include "common/Picture.h"
#include "common/TestApp.h"
#include "editctl/TestEdit.h"
#include "editctl/qzPrint.h"
#include "vcl/Printers.h"

namespace fs = std::filesystem;

namespace {

const char* const kPrinterName = "CorvaneTestPDF";

std::string RunTool(const std::string& command) { return corvane::test::CommandOutput(command + " 2>&1"); }

bool SchedulerRunning() { return RunTool("lpstat -r").find("is running") != std::string::npos; }

// A scheduler this test started, stopped again when the test ends; one that ran before is left alone.
struct TStartedScheduler {
  pid_t Pid = 0;
  TStartedScheduler() = default;
  TStartedScheduler(const TStartedScheduler&) = delete;
  TStartedScheduler& operator=(const TStartedScheduler&) = delete;
  ~TStartedScheduler() {
    if (Pid <= 0 || ::kill(Pid, SIGTERM) != 0) return;
    corvane::test::PumpUntil([this] { return ::kill(Pid, 0) != 0; }, 10000);
  }
};

// Empty when the scheduler runs (started here if needed), else why it does not.
std::string StartScheduler(TStartedScheduler& Started) {
  if (SchedulerRunning()) return "";
  if (RunTool("command -v cupsd").empty()) return "the print service (cupsd) is not installed";
  // In the foreground, so the process id is the scheduler's own.
  const fs::path log = fs::temp_directory_path() / ("corvane-cupsd-" + std::to_string(getpid()) + ".log");
  const std::string pid = RunTool("cupsd -f >'" + log.string() + "' 2>&1 & echo $!");
  Started.Pid = static_cast<pid_t>(std::atoi(pid.c_str()));
  const bool running = corvane::test::PumpUntil(SchedulerRunning, 10000);
  const std::string out = RunTool("cat '" + log.string() + "'");
  fs::remove(log);
  return running ? "" : "the scheduler could not be started: " + out;
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

// The dark pixels of a PDF's first page above and below a row given as a share of the height, at 50 dpi.
struct TInk {
  int Above = 0;
  int Below = 0;
};

TInk InkAroundRow(const fs::path& pdf, double fraction) {
  const std::string ppm = corvane::test::CommandOutput("pdftoppm -r 50 -f 1 -l 1 '" + pdf.string() + "' 2>/dev/null");
  const corvane::test::Picture page = corvane::test::ReadPpm(ppm);
  TInk ink;
  const int row = static_cast<int>(page.Height * fraction);
  for (int i = 0; i < page.Width * page.Height; ++i) {
    const unsigned char* p = page.Pixel(i);
    if (p[0] + p[1] + p[2] < 3 * 128) ++(i / page.Width < row ? ink.Above : ink.Below);
  }
  return ink;
}

TEST(PrintThroughCups, TheServicesPdfPrinterWritesTheText) {
  corvane::test::EnsureApplication();
  TStartedScheduler started;
  if (const std::string why = StartScheduler(started); !why.empty()) GTEST_SKIP() << why;
  bool added = false;
  if (const std::string why = AddPdfPrinter(added); !why.empty()) GTEST_SKIP() << why;
  struct TRemovePrinter {
    bool Added;
    ~TRemovePrinter() {
      if (Added) RunTool(std::string("lpadmin -x ") + kPrinterName);
    }
  } removal{added};
  // The PDF printer writes into the home folder of the job's account, whatever HOME says here.
  const passwd* account = getpwuid(geteuid());
  ASSERT_NE(account, nullptr);
  const fs::path out = fs::path(account->pw_dir) / "PDF";
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
  options.Copies = 2;  // the PDF printer writes each copy as a page
  edit.PrintText(nullptr, options);

  // The service's PDF printer re-makes the fonts without their character map, so the page is checked
  // for its count and for ink where the line is printed, not for the letters.
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
  EXPECT_EQ(std::stoi(info.substr(info.find("Pages:") + 6)), 2) << info;
  const TInk ink = InkAroundRow(written, 0.2);  // the one line, at the top of the page
  EXPECT_GT(ink.Above, 20);
  EXPECT_EQ(ink.Below, 0);
  fs::remove(written);
}

}  // namespace
