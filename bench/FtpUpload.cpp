// Uploads a 100 MB file to a local FTP server (pyftpdlib) with the FTP client component and with
// `curl -T`, in the same run, and prints the rates in MB/s. Usage: bench_FtpUpload [megabytes] [rounds]
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/FtpTestServer.h"
#include "common/TestApp.h"
#include "inet/NMFTP.h"

namespace {

using corvane::test::TFtpTestServer;

std::string MakeFile(const std::string& folder, std::size_t megabytes) {
  const std::string path = folder + "/upload.bin";
  std::ofstream out(path, std::ios::binary);
  std::string block(1024 * 1024, '\0');
  unsigned state = 7;
  for (char& c : block) c = static_cast<char>((state = state * 1103515245u + 12345u) >> 16);
  for (std::size_t i = 0; i < megabytes; ++i) out.write(block.data(), static_cast<std::streamsize>(block.size()));
  return path;
}

double Seconds(const QElapsedTimer& clock) { return static_cast<double>(clock.nsecsElapsed()) / 1e9; }

double UploadWithComponent(const TFtpTestServer& server, const std::string& file, bool passive) {
  TNMFTP ftp(nullptr);
  ftp.Host = "127.0.0.1";
  ftp.Port = server.Port();
  ftp.UserID = server.User;
  ftp.Password = server.Password;
  ftp.Passive = passive;
  // Logging in is timed too, as curl's figure includes it.
  QElapsedTimer clock;
  clock.start();
  ftp.Connect();
  ftp.Upload(file, passive ? "passive.bin" : "active.bin");
  return Seconds(clock);
}

double UploadWithCurl(const TFtpTestServer& server, const std::string& file) {
  const QString url = QString("ftp://127.0.0.1:%1/curl.bin").arg(server.Port());
  QProcess curl;
  QElapsedTimer clock;
  clock.start();
  curl.start("curl", {"-s", "-S", "-T", QString::fromStdString(file), "--user",
                      QString::fromStdString(server.User + ":" + server.Password), url});
  if (!curl.waitForFinished(600000) || curl.exitCode() != 0) {
    std::fprintf(stderr, "curl failed: %s\n", curl.readAllStandardError().constData());
    std::exit(1);
  }
  return Seconds(clock);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
  corvane::test::EnsureApplication();
  const std::string folder = corvane::test::MakeTempDir("ftp-bench");
  const std::string file = MakeFile(folder, megabytes);
  TFtpTestServer server;

  std::vector<double> active, passive, curl;
  for (int round = 0; round < rounds; ++round) {
    // Interleaved, so that a busy moment of the machine hits every contender alike.
    active.push_back(UploadWithComponent(server, file, false));
    passive.push_back(UploadWithComponent(server, file, true));
    curl.push_back(UploadWithCurl(server, file));
  }
  const double mb = static_cast<double>(megabytes) * 1024 * 1024 / 1e6;
  const double curlRate = mb / Median(curl);
  std::printf("upload of %zu MiB to pyftpdlib on 127.0.0.1, median of %d rounds\n", megabytes, rounds);
  std::printf("  TNMFTP active   %8.1f MB/s  (%.0f%% of curl)\n", mb / Median(active), 100 * mb / Median(active) / curlRate);
  std::printf("  TNMFTP passive  %8.1f MB/s  (%.0f%% of curl)\n", mb / Median(passive), 100 * mb / Median(passive) / curlRate);
  std::printf("  curl -T         %8.1f MB/s\n", curlRate);
  std::filesystem::remove_all(folder);
  return 0;
}
