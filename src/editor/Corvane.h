#pragma once
// The program body of the editor: the interpreter-path prompt of "-p", or the main window and its
// message loop.
#include <string>

namespace Corvane {

// The first argument that asks for the interpreter-path prompt instead of a window.
bool IsPerlPathSwitch(const std::string& Argument);
// Shows the prompt for the interpreter's path and stores a path that exists.
void EditPerlPath();
// Runs the program on the application's command line; returns its exit code.
int RunCorvane();

}  // namespace Corvane
