#pragma once
// Files dropped on a window from the desktop. A window that takes them (DragAcceptFiles) receives a
// drop of file URLs, as any file manager sends it, as WM_DROPFILES whose WParam is the drop handle;
// the handle is valid while the message is handled.
#include <memory>
#include <string>
#include <vector>

#include "vcl/Types.h"

void DragAcceptFiles(HWND Window, bool Accept);
bool DragAcceptsFiles(HWND Window);

struct HDROP__ {
  std::vector<std::string> Files;  // local file names, as the file system spells them
  TPoint Point;                    // client point of the drop
  bool Finished = false;
};
using HDROP = HDROP__*;

inline constexpr UINT kDragQueryCount = 0xFFFFFFFF;
// Index kDragQueryCount gives the number of files. Otherwise copies file Index, cut to Size - 1
// bytes and NUL-terminated, into Buffer and returns the bytes copied; without a buffer it returns
// the name's length. 0 for an index out of range.
UINT DragQueryFile(HDROP Drop, UINT Index, char* Buffer, UINT Size);
BOOL DragQueryPoint(HDROP Drop, TPoint* Point);
// The receiver is done with the handle (whoever delivered the drop frees it).
void DragFinish(HDROP Drop);
