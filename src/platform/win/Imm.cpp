#include "win/Imm.h"

#include <QWidget>

#include <algorithm>
#include <cstring>
#include <map>

namespace {

// One context per window that ever received input-method text; a window that went drops its own.
std::map<const QWidget*, HIMC__>& Contexts() {
  static std::map<const QWidget*, HIMC__> contexts;
  return contexts;
}

}  // namespace

HIMC ImmGetContext(HWND Window) {
  if (!Window) return nullptr;
  return &Contexts()[reinterpret_cast<const QWidget*>(Window)];
}

BOOL ImmReleaseContext(HWND Window, HIMC Context) { return Window && Context ? 1 : 0; }

LONG ImmGetCompositionString(HIMC Context, DWORD Index, char* Buffer, DWORD Size) {
  if (!Context || Index != GCS_RESULTSTR) return -1;
  const std::string& text = Context->ResultString;
  if (!Buffer || Size == 0) return static_cast<LONG>(text.size());
  const std::size_t count = std::min<std::size_t>(text.size(), Size);
  std::memcpy(Buffer, text.data(), count);
  return static_cast<LONG>(count);
}

void ImmSetResultString(HWND Window, const std::string& Text) {
  auto* widget = reinterpret_cast<QWidget*>(Window);
  if (!widget) return;
  auto& contexts = Contexts();
  if (!contexts.contains(widget))
    QObject::connect(widget, &QObject::destroyed, [widget] { Contexts().erase(widget); });
  contexts[widget].ResultString = Text;
}
