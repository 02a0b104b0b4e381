#pragma once
// The programs of the build a test belongs to: the shipped ones in bin/, and their test copies in
// test-bin/, which answer their dialogs and report their first paint as the environment asks (see
// ProgramSeams.cpp). A test of what the shipped program does starts the shipped one.
#include <QString>

#include <cstdlib>

namespace corvane::test {

// The build folder: the test main sets CORVANE_BINARY_DIR.
inline QString BuildFolder() { return QString::fromLocal8Bit(std::getenv("CORVANE_BINARY_DIR")); }
inline QString ShippedProgram(const QString& name) { return BuildFolder() + "/bin/" + name; }
inline QString TestCopyOfProgram(const QString& name) { return BuildFolder() + "/test-bin/" + name; }

}  // namespace corvane::test
