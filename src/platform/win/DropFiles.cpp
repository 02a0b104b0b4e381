#include "win/DropFiles.h"

#include <QWidget>

#include <algorithm>
#include <cstring>

void DragAcceptFiles(HWND Window, bool Accept) {
  if (Window) reinterpret_cast<QWidget*>(Window)->setAcceptDrops(Accept);
}

bool DragAcceptsFiles(HWND Window) { return Window && reinterpret_cast<QWidget*>(Window)->acceptDrops(); }

UINT DragQueryFile(HDROP Drop, UINT Index, char* Buffer, UINT Size) {
  if (!Drop) return 0;
  if (Index == kDragQueryCount) return static_cast<UINT>(Drop->Files.size());
  if (Index >= Drop->Files.size()) return 0;
  const std::string& name = Drop->Files[Index];
  if (!Buffer) return static_cast<UINT>(name.size());
  if (Size == 0) return 0;
  const std::size_t count = std::min<std::size_t>(name.size(), Size - 1);
  std::memcpy(Buffer, name.data(), count);
  Buffer[count] = '\0';
  return static_cast<UINT>(count);
}

BOOL DragQueryPoint(HDROP Drop, TPoint* Point) {
  if (!Drop || !Point) return 0;
  *Point = Drop->Point;
  return 1;
}

void DragFinish(HDROP Drop) {
  if (Drop) Drop->Finished = true;
}
