#pragma once
// Whether a window takes files dropped on it from the desktop (the drop itself arrives as WM_DROPFILES).
#include "vcl/Types.h"

void DragAcceptFiles(HWND Window, bool Accept);
bool DragAcceptsFiles(HWND Window);
