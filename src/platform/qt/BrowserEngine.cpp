#include "qt/BrowserEngine.h"

#include <QCoreApplication>
#include <QLibrary>

#include "qt/QtConvert.h"
#include "vcl/SysUtils.h"

namespace {

constexpr const char* kModuleName = "corvane_browser";

// The engine's library expects to be linked into the program and set up before the application object;
// loaded later, it sets the GL sharing up all the same but warns that it comes late. Those notes are
// dropped while the module loads; anything else goes on to the handler before.
QtMessageHandler gPreviousHandler = nullptr;

void DropLateStartNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains(QLatin1String("AA_ShareOpenGLContexts"))) return;
  gPreviousHandler(type, context, message);
}

class TLateStartNotesDropped {
 public:
  TLateStartNotesDropped() { gPreviousHandler = qInstallMessageHandler(&DropLateStartNotes); }
  ~TLateStartNotesDropped() { qInstallMessageHandler(gPreviousHandler); }
  TLateStartNotesDropped(const TLateStartNotesDropped&) = delete;
  TLateStartNotesDropped& operator=(const TLateStartNotesDropped&) = delete;
};

// The module lies a fixed way from the program's folder, alike in the build tree (where the tests,
// from a folder beside the programs', find it the same way) and in an installed tree.
TBrowserEngine* LoadEngine() {
  const TLateStartNotesDropped quiet;
  // The engine shares its GL context with the windows, and looks for this when its module loads.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QLibrary module(QCoreApplication::applicationDirPath() + "/" CORVANE_MODULES_FROM_PROGRAM "/lib" + kModuleName);
  using TEntry = TBrowserEngine* (*)();
  if (auto entry = reinterpret_cast<TEntry>(module.resolve("CorvaneBrowserEngine"))) return entry();
  throw Exception("Cannot start the browser engine. " + FromQString(module.errorString()));
}

}  // namespace

TBrowserEngine& BrowserEngine() {
  static TBrowserEngine* engine = LoadEngine();
  return *engine;
}
