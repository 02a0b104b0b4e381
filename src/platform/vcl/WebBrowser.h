#pragma once
// The web-browser control. The browser engine is costly to start, so it is made only when the control
// is first shown or sent to a page other than "about:blank", or when the program asks for it to start
// in the background; until then the control is an empty pane.
#include <functional>
#include <memory>
#include <string>

#include "vcl/Controls.h"

class QObject;
class QWidget;
class TBrowserHost;
class TEngineStarter;

using TDocumentCompleteEvent = TEvent<void(TObject* Sender, const std::string& URL)>;

class TWebBrowser : public TWinControl {
 public:
  explicit TWebBrowser(TComponent* AOwner);
  ~TWebBrowser() override;
  std::string ClassName() const override { return "TWebBrowser"; }

  void Navigate(const std::string& URL);
  // Gives the text the page shows, in UTF-8, once the engine has it; nothing without a page.
  void ReadPageText(std::function<void(const std::string& Utf8Text)> Done);
  // The page asked for last.
  const std::string& LocationURL() const { return location_; }
  // True from a navigation until its page has loaded.
  bool Busy() const { return busy_; }
  bool EngineCreated() const { return page_ != nullptr; }
  // Starts the engine without showing it (its profile, the page view and a render process) once the
  // window holding the control has painted for the first time and keyboard and mouse have rested a
  // moment: neither the window's appearance nor typing waits for it, and the first page shown need
  // not wait for the engine.
  void StartEngineAfterFirstPaint();
  // Writes what the page shows to an image file (PNG by the name's extension); false when there is
  // no page or the file cannot be written.
  bool SaveToImage(const std::string& FileName);

  // After a page has loaded (with its address; Ok false when it failed).
  TEvent<void(TObject* Sender, const std::string& URL, bool Ok)> OnDocumentComplete;

 private:
  std::unique_ptr<QWidget> CreateWidget(QWidget* ParentWidget) override;

 protected:
  void DestroyWnd() override;

 private:
  friend class TBrowserHost;
  friend class TEngineStarter;
  void EnsureEngine();
  void StartEngine();
  void MakePage();
  void Load();
  void LoadFinished(bool ok);
  std::string location_ = "about:blank";
  bool busy_ = false;
  bool starting_ = false;  // the engine's first blank page, loaded to start a render process, is loading
  QObject* page_ = nullptr;  // the engine's page, a child of the control's widget, then of the view
  QWidget* view_ = nullptr;  // the engine's page view, a child of the control's widget
  std::unique_ptr<TEngineStarter> starter_;
};
