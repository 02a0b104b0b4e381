#include "common/ModalForms.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "vcl/Forms.h"

namespace corvane::test {

namespace {

TCustomForm* ShownModal(const std::function<bool(TCustomForm*)>& isIt) {
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* form = Screen->Forms(i);
    if (form->Modal() && isIt(form) && form->Visible()) return form;
  }
  return nullptr;
}

// Polls from the event loop until Find gives a window, then runs Act on it once.
template <class T>
void WhenFound(std::function<T*()> Find, std::function<void(T*)> Act) {
  auto* timer = new QTimer();
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, Find = std::move(Find), Act = std::move(Act)] {
    T* window = Find();
    if (!window) return;
    timer->stop();
    timer->deleteLater();
    Act(window);
  });
  timer->start();
}

}  // namespace

void WhenModalShown(std::function<bool(TCustomForm*)> IsIt, std::function<void(TCustomForm*)> Act) {
  WhenFound<TCustomForm>([IsIt = std::move(IsIt)] { return ShownModal(IsIt); }, std::move(Act));
}

void WhenQtModalShown(std::function<bool(QWidget*)> IsIt, std::function<void(QWidget*)> Act) {
  WhenFound<QWidget>(
      [IsIt = std::move(IsIt)]() -> QWidget* {
        QWidget* widget = QApplication::activeModalWidget();
        return widget && widget->isVisible() && IsIt(widget) ? widget : nullptr;
      },
      std::move(Act));
}

}  // namespace corvane::test
