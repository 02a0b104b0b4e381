#pragma once
// The standard output of a shell command (with its errors when asked), for tests that read files back
// through command-line tools such as poppler's pdftotext.
#include <cstdio>
#include <memory>
#include <string>

namespace corvane::test {

inline std::string CommandOutput(const std::string& command) {
  std::string out;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return out;
  char buffer[4096];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe.get())) out.append(buffer, n);
  return out;
}

}  // namespace corvane::test
