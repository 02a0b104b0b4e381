#include "win/Imm.h"

#include <QWidget>

#include <algorithm>
#include <cstring>
#include <map>

namespace {

// One context per window that ever used the input method; a window that went drops its own.
std::map<const QWidget*, HIMC__>& Contexts() {
  static std::map<const QWidget*, HIMC__> contexts;
  return contexts;
}

HIMC__& ContextOf(QWidget* widget) {
  auto& contexts = Contexts();
  if (!contexts.contains(widget))
    QObject::connect(widget, &QObject::destroyed, [widget] { Contexts().erase(widget); });
  return contexts[widget];
}

}  // namespace

HIMC ImmGetContext(HWND Window) {
  if (!Window) return nullptr;
  return &ContextOf(reinterpret_cast<QWidget*>(Window));
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

BOOL ImmSetCompositionFontA(HIMC Context, const LOGFONTA* Font) {
  if (!Context || !Font) return 0;
  Context->CompositionFont = *Font;
  Context->HasCompositionFont = true;
  return 1;
}

BOOL ImmGetCompositionFontA(HIMC Context, LOGFONTA* Font) {
  if (!Context || !Font || !Context->HasCompositionFont) return 0;
  *Font = Context->CompositionFont;
  return 1;
}

void ImmSetResultString(HWND Window, const std::string& Text) {
  if (!Window) return;
  ContextOf(reinterpret_cast<QWidget*>(Window)).ResultString = Text;
}
