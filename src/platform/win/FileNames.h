#pragma once
// A file name is the file system's bytes from wherever it comes (a dialog, the command line, a drop, the
// recent list) to the file system; it becomes code-page text only to be shown.
#include <string>

// The name as text for captions, menus, messages and printed pages; a character the code page lacks
// shows as '?', while the name itself keeps it.
std::string FileNameToText(const std::string& name);

// A name kept by a build that stored names as code-page text: the name it reads as, when that one is
// on disk and the stored bytes name nothing; otherwise the stored bytes.
std::string StoredFileName(const std::string& stored);
