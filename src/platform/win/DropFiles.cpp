#include "win/DropFiles.h"

#include <QWidget>

void DragAcceptFiles(HWND Window, bool Accept) {
  if (Window) reinterpret_cast<QWidget*>(Window)->setAcceptDrops(Accept);
}

bool DragAcceptsFiles(HWND Window) { return Window && reinterpret_cast<QWidget*>(Window)->acceptDrops(); }
