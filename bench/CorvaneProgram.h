#pragma once
// The Corvane program of the build a benchmark belongs to (under CORVANE_BINARY_DIR when that is set,
// else beside the bench folder the benchmark runs in): the shipped one in bin/, or its test copy in
// test-bin/, which reports its first paint and answers its dialogs as the environment asks.
#include <QDir>

#include <cstdlib>
#include <string>

inline std::string BuildFolder() {
  const char* binaries = std::getenv("CORVANE_BINARY_DIR");
  return binaries ? binaries : QDir::currentPath().toStdString() + "/..";
}
inline std::string CorvaneProgram() { return BuildFolder() + "/bin/Corvane"; }
inline std::string CorvaneTestCopy() { return BuildFolder() + "/test-bin/Corvane"; }
