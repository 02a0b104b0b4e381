#include "common/ModalForms.h"

#include <QTimer>

#include "vcl/Forms.h"

namespace corvane::test {

namespace {

TCustomForm* ShownModal(const std::string& className) {
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* form = Screen->Forms(i);
    if (form->ClassName() == className && form->Modal() && form->Visible()) return form;
  }
  return nullptr;
}

}  // namespace

void WhenModalShown(const std::string& ClassName, std::function<void(TCustomForm*)> Act) {
  auto* timer = new QTimer();
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, ClassName, Act = std::move(Act)] {
    TCustomForm* form = ShownModal(ClassName);
    if (!form) return;
    timer->stop();
    timer->deleteLater();
    Act(form);
  });
  timer->start();
}

}  // namespace corvane::test
