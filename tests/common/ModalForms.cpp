#include "common/ModalForms.h"

#include <QTimer>

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

}  // namespace

void WhenModalShown(std::function<bool(TCustomForm*)> IsIt, std::function<void(TCustomForm*)> Act) {
  auto* timer = new QTimer();
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, IsIt = std::move(IsIt), Act = std::move(Act)] {
    TCustomForm* form = ShownModal(IsIt);
    if (!form) return;
    timer->stop();
    timer->deleteLater();
    Act(form);
  });
  timer->start();
}

}  // namespace corvane::test
