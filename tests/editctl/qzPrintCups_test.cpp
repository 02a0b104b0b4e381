// Printing through the print service (CUPS) to a PDF queue. The scheduler is the test's own: its
// configuration, spool, logs and output live in a temporary folder and it listens on a socket of its
// own, so neither the machine's print service nor the account's files are touched, whether or not the
// machine's scheduler runs.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/CommandOutput.h"
#include "common/MissingTool.h"
#include "common/Picture.h"
#include "common/TestApp.h"
#include "common/TestFiles.h"
#include "editctl/TestEdit.h"
#include "editctl/qzPrint.h"
#include "vcl/Printers.h"

namespace fs = std::filesystem;

namespace {

const char* const kPrinterName = "CorvaneTestPDF";

// A queue whose job leaves the service as the PDF its own PDF filter makes, which lays out the copies.
const char* const kPdfQueueDriver = R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "CORVANE.PPD"
*Manufacturer: "Corvane"
*Product: "(Corvane Test PDF)"
*ModelName: "Corvane Test PDF"
*ShortNickName: "Corvane Test PDF"
*NickName: "Corvane Test PDF"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*cupsManualCopies: True
*cupsFilter2: "application/vnd.cups-pdf application/pdf 0 -"
*OpenUI *PageSize/Page Size: PickOne
*DefaultPageSize: A4
*PageSize A4/A4: ""
*CloseUI: *PageSize
*DefaultPageRegion: A4
*PageRegion A4/A4: ""
*DefaultImageableArea: A4
*ImageableArea A4/A4: "0 0 595 842"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
)PPD";

std::string RunTool(const std::string& command) { return corvane::test::CommandOutput(command + " 2>&1"); }

void WriteText(const fs::path& file, const std::string& text) { std::ofstream(file) << text; }

// The service's programs live in the administrator's folders, which an account's PATH may leave out.
QString FindServiceProgram(const QString& name) {
  const QString found = QStandardPaths::findExecutable(name);
  return found.isEmpty() ? QStandardPaths::findExecutable(name, {"/usr/sbin", "/usr/local/sbin", "/sbin"}) : found;
}

// A scheduler of the test's own with one PDF queue, which writes each job to Output(). Stopped, and its
// folder removed, when the object goes.
class TPrivatePrintService {
 public:
  TPrivatePrintService() : folder_(corvane::test::MakeTempDir("corvane-cups")) {
    // As root the scheduler runs its filters as the service's own account, which must reach the spool.
    fs::permissions(folder_, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    for (const char* sub : {"conf/ppd", "spool/temp", "cache", "state", "log", "out"})
      fs::create_directories(folder_ / sub);
  }
  ~TPrivatePrintService() {
    if (scheduler_.state() != QProcess::NotRunning) {
      scheduler_.terminate();
      scheduler_.waitForFinished(-1);
    }
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  TPrivatePrintService(const TPrivatePrintService&) = delete;
  TPrivatePrintService& operator=(const TPrivatePrintService&) = delete;

  std::string Socket() const { return (folder_ / "cups.sock").string(); }
  fs::path Output() const { return folder_ / "out" / "job.pdf"; }
  // One line per finished job: printer, account, job number, time, "total", pages, ..., the job's title.
  std::string PageLog() const { return corvane::test::ReadFile(folder_ / "log" / "page_log"); }
  // What the scheduler said, for a failure's message.
  std::string Said() const {
    return corvane::test::ReadFile(folder_ / "log" / "scheduler.out") +
           corvane::test::ReadFile(folder_ / "log" / "error_log");
  }

  // Starts the scheduler in the foreground, so that it is this object's child, and waits until the queue
  // is there; false when the scheduler ended instead.
  bool Start(const QString& cupsd) {
    const std::string at = folder_.string();
    WriteText(folder_ / "conf" / "cupsd.conf",
              "Listen " + Socket() +
                  "\nLogLevel info\nBrowsing No\nWebInterface No\nDefaultAuthType None\n"
                  "<Policy default>\n<Limit All>\nOrder Allow,Deny\nAllow all\n</Limit>\n</Policy>\n");
    // The output goes to a file of the temporary folder, which only a file device allows.
    WriteText(folder_ / "conf" / "cups-files.conf",
              "ServerRoot " + at + "/conf\nRequestRoot " + at + "/spool\nTempDir " + at + "/spool/temp\nCacheDir " +
                  at + "/cache\nStateDir " + at + "/state\nPrintcap " + at + "/state/printcap\nAccessLog " + at +
                  "/log/access_log\nErrorLog " + at + "/log/error_log\nPageLog " + at +
                  "/log/page_log\nFileDevice Yes\n");
    WriteText(folder_ / "conf" / "ppd" / (std::string(kPrinterName) + ".ppd"), kPdfQueueDriver);
    WriteText(folder_ / "conf" / "printers.conf", std::string("<Printer ") + kPrinterName + ">\nDeviceURI file://" +
                                                      Output().string() +
                                                      "\nState Idle\nAccepting Yes\n</Printer>\n");
    scheduler_.setProcessChannelMode(QProcess::MergedChannels);
    scheduler_.setStandardOutputFile(QString::fromStdString(at + "/log/scheduler.out"));
    scheduler_.start(cupsd, {"-f", "-c", QString::fromStdString(at + "/conf/cupsd.conf")});
    if (!scheduler_.waitForStarted(-1)) return false;
    // However long a loaded machine takes; the test's own time-out catches a scheduler that hangs.
    const std::string idle = std::string("printer ") + kPrinterName + " is idle";
    corvane::test::PumpUntil(
        [&] {
          return scheduler_.state() == QProcess::NotRunning ||
                 RunTool("lpstat -h '" + Socket() + "' -p " + kPrinterName).find(idle) == 0;
        });
    return scheduler_.state() == QProcess::Running;
  }

 private:
  fs::path folder_;
  QProcess scheduler_;
};

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

TEST(PrintThroughCups, ThePdfQueueOfTheServicePrintsTheTextWithItsCopies) {
  const QString cupsd = FindServiceProgram("cupsd");
  if (cupsd.isEmpty() || FindServiceProgram("lpstat").isEmpty() || !fs::exists("/usr/lib/cups/filter/pdftopdf"))
    SKIP_WITHOUT_TOOL("the print service (cupsd, lpstat and the pdftopdf filter)");
  TPrivatePrintService service;
  // The print system reads its server once, at its first use in the process: this comes before it.
  setenv("CUPS_SERVER", service.Socket().c_str(), 1);
  corvane::test::EnsureApplication();
  ASSERT_TRUE(service.Start(cupsd)) << service.Said();

  const auto printers = Printer()->Printers();
  const auto found = std::find(printers.begin(), printers.end(), kPrinterName);
  ASSERT_NE(found, printers.end());
  EXPECT_EQ(printers.size(), 1u);  // the private service's queue alone, none of the machine's
  Printer()->SetOutputFileName("");
  Printer()->SetPrinterIndex(static_cast<int>(found - printers.begin()));
  TTestEdit edit;
  edit.SetText("corvane through the print service\n");
  TqzPrintOptions options;
  options.Title = "cups.pl";
  options.Copies = 2;  // the service's PDF filter lays out each copy as a page
  edit.PrintText(nullptr, options);

  // The service logs a job's pages and title when the job is done; however long a loaded machine takes.
  std::string log;
  corvane::test::PumpUntil([&] { return (log = service.PageLog()).find(" total ") != std::string::npos; });
  EXPECT_NE(log.find(std::string(kPrinterName) + " "), std::string::npos) << log;
  EXPECT_NE(log.find(" total 2 "), std::string::npos) << log;
  EXPECT_NE(log.find(" cups.pl "), std::string::npos) << log;  // the job's title
  const std::string info = RunTool("pdfinfo '" + service.Output().string() + "'");
  ASSERT_NE(info.find("Pages:"), std::string::npos) << info;
  EXPECT_EQ(std::stoi(info.substr(info.find("Pages:") + 6)), 2) << info;
  const std::string text = RunTool("pdftotext '" + service.Output().string() + "' -");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 2) << text;
  EXPECT_NE(text.find("corvane through the print service"), std::string::npos) << text;
  const TInk ink = InkAroundRow(service.Output(), 0.2);  // the one line, at the top of the page
  EXPECT_GT(ink.Above, 20);
  EXPECT_EQ(ink.Below, 0);
}

}  // namespace
