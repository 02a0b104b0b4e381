#include "qt/CodePageInput.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QValidator>

#include "qt/QtConvert.h"
#include "win/WinUser.h"

namespace {

void BeepFor(const TUnmappedChars& Refused) {
  if (Refused.Count > 0) MessageBeep(0);
}

// The text as the field takes it; false when it had nothing to refuse.
bool Refuse(const QString& text, QString& kept) {
  TUnmappedChars refused;
  kept = CodePageCharsOf(text, refused);
  BeepFor(refused);
  return refused.Count > 0;
}

// A line edit runs every change through its validator: typing, composing, pasting, dropping and the
// middle button's paste alike.
class TCodePageValidator : public QValidator {
 public:
  using QValidator::QValidator;

  State validate(QString& input, int& pos) const override {
    TUnmappedChars refused;
    const QString before = CodePageCharsOf(input.left(pos), refused);
    input = before + CodePageCharsOf(input.mid(pos), refused);
    pos = static_cast<int>(before.size());
    BeepFor(refused);
    return Acceptable;
  }
};

}  // namespace

void RefuseUnmappedChars(QLineEdit* Edit, bool Refuse) {
  const auto* current = dynamic_cast<const TCodePageValidator*>(Edit->validator());
  if (Refuse == (current != nullptr)) return;
  delete current;
  Edit->setValidator(Refuse ? new TCodePageValidator(Edit) : nullptr);
}

void TCodePageTextEdit::keyPressEvent(QKeyEvent* e) {
  QString kept;
  // Keys with Ctrl or Alt are commands, not typing.
  if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier) || !Refuse(e->text(), kept))
    return QPlainTextEdit::keyPressEvent(e);
  if (kept.isEmpty()) return e->accept();
  QKeyEvent typed(e->type(), e->key(), e->modifiers(), e->nativeScanCode(), e->nativeVirtualKey(),
                  e->nativeModifiers(), kept, e->isAutoRepeat(), e->count());
  QPlainTextEdit::keyPressEvent(&typed);
}

void TCodePageTextEdit::inputMethodEvent(QInputMethodEvent* e) {
  QString kept;
  if (!Refuse(e->commitString(), kept)) return QPlainTextEdit::inputMethodEvent(e);
  QInputMethodEvent composed(e->preeditString(), e->attributes());
  composed.setCommitString(kept, e->replacementStart(), e->replacementLength());
  QPlainTextEdit::inputMethodEvent(&composed);
}

// Paste, drop and the middle button's paste.
void TCodePageTextEdit::insertFromMimeData(const QMimeData* source) {
  QString kept;
  if (!source->hasText() || !Refuse(source->text(), kept)) return QPlainTextEdit::insertFromMimeData(source);
  QMimeData text;
  text.setText(kept);
  QPlainTextEdit::insertFromMimeData(&text);
}
