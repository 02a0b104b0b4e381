#pragma once
// Starts ftp_test_server.py (pyftpdlib) on 127.0.0.1 with a temporary home folder, for as long as
// the object lives, and reads back the commands the server received.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvane::test {

class TFtpTestServer {
 public:
  // mode: "normal", "refuse-chmod", "drop-transfer", "silent", "echo-password" and the others the script
  // lists; refuse: the command "quote-password-once" refuses.
  explicit TFtpTestServer(const std::string& mode = "normal", int chmodCode = 502, const std::string& refuse = "CWD") {
    if (!folder_.isValid()) throw std::runtime_error("no temporary folder for the FTP server");
    QDir(folder_.path()).mkpath("home/cgi-bin");
    // The script lies beside this header.
    const QString script = QFileInfo(QString(__FILE__)).absolutePath() + "/ftp_test_server.py";
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setStandardErrorFile(folder_.path() + "/server.log");  // read it when a test needs to know why
    process_.start("/usr/bin/python3",
                   {script, "--home", Home(), "--user", QString::fromStdString(User), "--password",
                    QString::fromStdString(Password), "--port-file", PortFile(), "--log", LogFile(), "--mode",
                    QString::fromStdString(mode), "--chmod-code", QString::number(chmodCode), "--refuse", QString::fromStdString(refuse),
                    "--lifetime", "300"});
    if (!process_.waitForStarted(-1)) throw std::runtime_error("cannot start /usr/bin/python3");
    while (!QFile::exists(PortFile())) {
      // However long a loaded machine takes: the test's own time-out catches a server that hangs.
      QThread::msleep(10);
      QCoreApplication::processEvents();  // lets the process notice a server that died
      if (process_.state() == QProcess::NotRunning)
        throw std::runtime_error("the FTP test server did not start");
    }
    QFile file(PortFile());
    file.open(QIODevice::ReadOnly);
    port_ = file.readAll().trimmed().toInt();
  }

  ~TFtpTestServer() {
    process_.kill();
    process_.waitForFinished(-1);
  }

  TFtpTestServer(const TFtpTestServer&) = delete;
  TFtpTestServer& operator=(const TFtpTestServer&) = delete;

  int Port() const { return port_; }
  QString Home() const { return folder_.path() + "/home"; }
  std::string HomePath() const { return Home().toStdString(); }

  // The command lines received so far, oldest first.
  std::vector<std::string> Commands() const {
    std::vector<std::string> lines;
    QFile file(LogFile());
    if (!file.open(QIODevice::ReadOnly)) return lines;
    for (const QByteArray& line : file.readAll().split('\n'))
      if (!line.isEmpty()) lines.push_back(line.toStdString());
    return lines;
  }

  // The received commands reduced to their verbs ("SITE chmod 755 x" stays whole: it matters).
  std::vector<std::string> Verbs() const {
    std::vector<std::string> verbs;
    for (const std::string& line : Commands()) {
      const bool keep = line.rfind("SITE", 0) == 0;
      verbs.push_back(keep ? line : line.substr(0, line.find(' ')));
    }
    return verbs;
  }

  const std::string User = "tester";
  const std::string Password = "s3cr3t-pw";

 private:
  QString PortFile() const { return folder_.path() + "/port"; }
  QString LogFile() const { return folder_.path() + "/commands.log"; }

  QTemporaryDir folder_;
  QProcess process_;
  int port_ = 0;
};

}  // namespace corvane::test
