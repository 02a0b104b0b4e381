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

QWidget* ShownModalWidget(const std::function<bool(QWidget*)>& isIt) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isModal() && w->isVisible() && isIt(w)) return w;
  return nullptr;
}

// Looks every few milliseconds (the modal loop runs the timer) until Find gives a window, then acts once.
template <typename T>
void WhenFound(std::function<T*()> Find, std::function<void(T*)> Act) {
  auto* timer = new QTimer();
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, Find = std::move(Find), Act = std::move(Act)] {
    T* found = Find();
    if (!found) return;
    timer->stop();
    timer->deleteLater();
    Act(found);
  });
  timer->start();
}

}  // namespace

void WhenModalShown(std::function<bool(TCustomForm*)> IsIt, std::function<void(TCustomForm*)> Act) {
  WhenFound<TCustomForm>([IsIt = std::move(IsIt)] { return ShownModal(IsIt); }, std::move(Act));
}

void WhenModalWidgetShown(std::function<bool(QWidget*)> IsIt, std::function<void(QWidget*)> Act) {
  WhenFound<QWidget>([IsIt = std::move(IsIt)] { return ShownModalWidget(IsIt); }, std::move(Act));
}

}  // namespace corvane::test
