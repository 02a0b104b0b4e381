#pragma once
// The Corvane program of the build a benchmark belongs to: under CORVANE_BINARY_DIR when that is set,
// else beside the bench folder the benchmark runs in.
#include <QDir>

#include <cstdlib>
#include <string>

inline std::string CorvaneProgram() {
  const char* binaries = std::getenv("CORVANE_BINARY_DIR");
  const std::string root = binaries ? binaries : QDir::currentPath().toStdString() + "/..";
  return root + "/bin/Corvane";
}
