#include "win/HintWindow.h"

#include <QApplication>
#include <QLabel>

#include "win/CodePage.h"

namespace {
constexpr int kMargin = 2;
}

void THintWindow::TLabelDeleter::operator()(QLabel* label) const {
  // A window cannot outlive the application object; past it the process is ending anyway.
  if (QApplication::instance()) delete label;
}

THintWindow::THintWindow() = default;
THintWindow::~THintWindow() = default;

QLabel* THintWindow::Label() const {
  if (!label_) {
    label_.reset(new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint));
    label_->setMargin(kMargin);
    label_->setWordWrap(true);
    label_->setAttribute(Qt::WA_ShowWithoutActivating);
  }
  return label_.get();
}

TRect THintWindow::CalcHintRect(int MaxWidth, const std::string& Hint) const {
  const QFontMetrics metrics = Label()->fontMetrics();
  const QRect text = metrics.boundingRect(QRect(0, 0, MaxWidth, 0), Qt::TextWordWrap, QString::fromStdString(AnsiToUtf8(Hint)));
  return Rect(0, 0, text.width() + 2 * kMargin + 4, text.height() + 2 * kMargin + 2);
}

void THintWindow::ActivateHint(const TRect& R, const std::string& Hint) {
  QLabel* label = Label();
  caption_ = Hint;
  const std::int32_t rgb = ColorToRGB(Color);
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)));
  const std::int32_t text = ColorToRGB(clInfoText);
  palette.setColor(QPalette::WindowText, QColor(GetRValue(text), GetGValue(text), GetBValue(text)));
  label->setPalette(palette);
  label->setAutoFillBackground(true);
  label->setText(QString::fromStdString(AnsiToUtf8(Hint)));
  label->setGeometry(R.Left, R.Top, R.Width(), R.Height());
  label->show();
}

void THintWindow::ReleaseHandle() {
  if (label_) label_->hide();
}

bool THintWindow::Showing() const { return label_ && label_->isVisible(); }
