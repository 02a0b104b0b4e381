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

// Next to the program, else where the build put it (tests run from their own folder).
TBrowserEngine* LoadEngine() {
  const QStringList places{QCoreApplication::applicationDirPath(), QStringLiteral(CORVANE_MODULE_DIR)};
  const TLateStartNotesDropped quiet;
  // The engine shares its GL context with the windows, and looks for this when its module loads.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QString failure;
  for (const QString& place : places) {
    QLibrary module(place + "/lib" + kModuleName);
    using TEntry = TBrowserEngine* (*)();
    if (auto entry = reinterpret_cast<TEntry>(module.resolve("CorvaneBrowserEngine"))) return entry();
    failure = module.errorString();
  }
  throw Exception("Cannot start the browser engine. " + FromQString(failure));
}

}  // namespace

TBrowserEngine& BrowserEngine() {
  static TBrowserEngine* engine = LoadEngine();
  return *engine;
}
