#pragma once
// Russian text between KOI8-R and Windows-1251 (the editor's own code page). Only the 66 letters of the
// Russian alphabet (with Yo) change; every other byte passes as it is, so the result has the argument's
// length.
#include <string>

namespace Corvane {

std::string KoiToWin(const std::string& Text);
std::string WinToKoi(const std::string& Text);

}  // namespace Corvane
