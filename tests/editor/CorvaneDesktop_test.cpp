// The built Corvane on a real X server (Xvfb, the xcb platform), as the desktop shows it.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "common/MissingTool.h"
#include "common/TestApp.h"
#include "common/TestFiles.h"
#include "common/TestPrograms.h"
#include "common/VirtualDisplay.h"
#include "support/RegTools.h"
#include "win/RegistryStore.h"

namespace {

using corvane::test::TVirtualDisplay;

class CorvaneDesktop : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!corvane::test::VirtualDisplayToolsInstalled()) SKIP_WITHOUT_TOOL("Xvfb and xdotool");
    corvane::test::EnsureApplication();
    folder_ = corvane::test::MakeTempDir("corvane-desktop");
    display_ = std::make_unique<TVirtualDisplay>();
    ASSERT_FALSE(display_->Name().isEmpty()) << "Xvfb did not start";
  }

  void TearDown() override {
    if (corvane_.state() != QProcess::NotRunning) {
      corvane_.terminate();
      corvane_.waitForFinished(-1);
    }
    display_.reset();
    if (!folder_.empty()) std::filesystem::remove_all(folder_);
  }

  std::string Path(const std::string& name) const { return folder_ + "/" + name; }

  // The test copy takes the answers given. Without answers (a null text) the shipped program starts and
  // shows its real dialogs: it is given the test copies' variables too, which it must not heed.
  void Start(const QStringList& arguments, const QString& answers, rlim_t fileSizeLimit = RLIM_INFINITY) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display_->Name());
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(folder_));
    environment.insert("CORVANE_REGISTRY", QString::fromStdString(Path("registry.sqlite3")));
    const bool shipped = answers.isNull();
    environment.insert("CORVANE_TEST_DIALOG_ANSWERS", shipped ? "Cancel" : answers);
    environment.insert("CORVANE_TEST_REPORT_PAINT", "1");
    corvane_.setProcessEnvironment(environment);
    corvane_.setChildProcessModifier([fileSizeLimit] {
      const rlimit limit{fileSizeLimit, RLIM_INFINITY};
      if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(71);
    });
    corvane_.start(shipped ? corvane::test::ShippedProgram("Corvane") : corvane::test::TestCopyOfProgram("Corvane"),
                   arguments);
    ASSERT_TRUE(corvane_.waitForStarted(-1));
  }

  bool FocusWindow() {
    QString windows;
    return Xdo({"search", "--sync", "--onlyvisible", "--pid", QString::number(corvane_.processId())}, &windows) &&
           Xdo({"windowfocus", "--sync", windows.split('\n').first()});
  }

  bool Xdo(const QStringList& arguments, QString* output = nullptr) {
    return corvane::test::XdoTool(display_->Name(), arguments, output);
  }

  // Waits until a window of the program carries the title (the program may show more than one), however
  // long a loaded machine takes; false once the program has ended, with the last title seen and what the
  // program said.
  bool WaitForTitle(const QString& title, QString& seen, QString* found = nullptr) {
    while (corvane_.state() != QProcess::NotRunning) {
      QString windows;
      if (Xdo({"search", "--onlyvisible", "--pid", QString::number(corvane_.processId())}, &windows))
        for (const QString& window : windows.split('\n', Qt::SkipEmptyParts))
          if (Xdo({"getwindowname", window}, &seen) && seen == title) {
            if (found) *found = window;
            return true;
          }
      corvane::test::PumpEvents(100);
    }
    seen += QString(" (the program ended with exit code %1: %2) %3")
                .arg(corvane_.exitCode())
                .arg(QString::fromLocal8Bit(corvane_.readAllStandardError().right(2000)))
                .arg(display_->Report());
    return false;
  }

  std::string folder_;
  std::unique_ptr<TVirtualDisplay> display_;
  QProcess corvane_;
};

// The title bar shows the window's caption and nothing else, also after a second file was opened.
TEST_F(CorvaneDesktop, TheTitleIsTheCaptionExactly) {
  corvane::test::WriteFile(Path("lf.pl"), "print 1;\n");
  corvane::test::WriteFile(Path("Temp.pm"), "1;\n");
  Start({QString::fromStdString(Path("lf.pl"))}, "OK=" + QString::fromStdString(Path("Temp.pm")));
  QString title;
  EXPECT_TRUE(WaitForTitle("lf.pl - Ombrix Tarnwick 2.1", title)) << title.toStdString();
  ASSERT_TRUE(FocusWindow());
  ASSERT_TRUE(Xdo({"key", "ctrl+o"}));  // File, Open...: the dialog is answered with Temp.pm
  EXPECT_TRUE(WaitForTitle("Temp.pm - Ombrix Tarnwick 2.1", title)) << title.toStdString();
}

// Under a file-size limit (ulimit -f) Ctrl+S is refused with the system's reason, and the editor goes on
// with the text still to be saved; the file and its folder are as they were.
TEST_F(CorvaneDesktop, ASaveBeyondTheFileSizeLimitFailsAndTheEditorGoesOn) {
  std::string script;
  while (script.size() < 3000000) script += "print \"a line of a long script\\n\";\n";
  corvane::test::WriteFile(Path("big.pl"), script);
  Start({QString::fromStdString(Path("big.pl"))}, "", 2000000);
  QString title;
  ASSERT_TRUE(WaitForTitle("big.pl - Ombrix Tarnwick 2.1", title)) << title.toStdString();
  ASSERT_TRUE(FocusWindow());
  ASSERT_TRUE(Xdo({"type", "x"}));
  ASSERT_TRUE(Xdo({"key", "ctrl+s"}));
  QString log;
  const bool reported = corvane::test::PumpUntil([&] {
    log += corvane_.readAllStandardError();
    return log.contains("File too large") || corvane_.state() == QProcess::NotRunning;
  });
  EXPECT_TRUE(reported && corvane_.state() == QProcess::Running)
      << "the editor ended with " << corvane_.exitCode() << ": " << log.toStdString();
  EXPECT_TRUE(log.contains(": Cannot write file \"" + QString::fromStdString(Path("big.pl")) + "\". File too large.\n"))
      << log.toStdString();
  EXPECT_EQ(corvane::test::ReadFile(Path("big.pl")), script);
  for (const auto& entry : std::filesystem::directory_iterator(folder_))
    EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
  corvane_.kill();
}

// "-p" proposes the interpreter PATH finds, and Return in the real prompt stores it: no box says it
// must exist, and the program ends.
TEST_F(CorvaneDesktop, ThePerlPathPromptProposesThePerlOfThisSystem) {
  const QString perl = QStandardPaths::findExecutable("perl");
  ASSERT_FALSE(perl.isEmpty());
  Start({"-p"}, QString());
  QString title;
  QString prompt;
  ASSERT_TRUE(WaitForTitle("Edit Perl Path", title, &prompt))
      << "last title: " << title.toStdString() << "; running: " << (corvane_.state() == QProcess::Running)
      << "; said: " << corvane_.readAllStandardError().toStdString();
  ASSERT_TRUE(Xdo({"windowfocus", "--sync", prompt.trimmed()}));
  ASSERT_TRUE(Xdo({"key", "Return"}));
  EXPECT_TRUE(corvane_.waitForFinished(-1)) << "still open; the window now: "
                                            << (WaitForTitle("Error", title), title.toStdString());
  EXPECT_EQ(corvane_.exitCode(), 0);
  RegistryStore::Instance().SetPath(Path("registry.sqlite3"));
  EXPECT_EQ(RegReadStringLM("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Perl.exe", "", "unset"),
            perl.toStdString());
}

// The shipped program answers no dialog by itself and reports no paint, whatever the environment says:
// its File > Open shows the real dialog.
TEST_F(CorvaneDesktop, TheShippedProgramShowsItsRealDialogsWhateverTheEnvironmentSays) {
  corvane::test::WriteFile(Path("a.pl"), "print 1;\n");
  Start({QString::fromStdString(Path("a.pl"))}, QString());
  QString title;
  ASSERT_TRUE(WaitForTitle("a.pl - Ombrix Tarnwick 2.1", title)) << title.toStdString();
  ASSERT_TRUE(FocusWindow());
  ASSERT_TRUE(Xdo({"key", "ctrl+o"}));
  EXPECT_TRUE(WaitForTitle("Open", title)) << title.toStdString();
  corvane_.kill();
  ASSERT_TRUE(corvane_.waitForFinished(-1));
  EXPECT_EQ(corvane_.readAllStandardOutput().toStdString(), "");
  EXPECT_FALSE(corvane_.readAllStandardError().contains("dialog:"));
}

}  // namespace
