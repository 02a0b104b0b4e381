#pragma once
// Writing a whole file so that a failure never leaves it half written: the bytes go to a new file
// beside it, which then takes the old one's place in one step.
#include <string>

// Writes Data as the file's whole content. An existing file keeps its permission bits (a new one
// gets the usual ones) and a link keeps pointing at the file it names. On any failure the old file is
// left as it was and EFCreateError or EWriteError says what went wrong.
void WriteFileReplacing(const std::string& FileName, const std::string& Data);
