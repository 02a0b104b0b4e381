#pragma once
// Text fields whose text reaches the program through the code page. A character the code page lacks,
// typed, composed, pasted or dropped, is left out with a beep, and the rest of a paste goes in, so no
// character turns into "?" unseen.
#include <QPlainTextEdit>

class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;
class QMimeData;

// The line edit refuses them (Refuse false: it takes every character again).
void RefuseUnmappedChars(QLineEdit* Edit, bool Refuse = true);

// A plain-text edit that refuses them.
class TCodePageTextEdit : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;
  void insertFromMimeData(const QMimeData* source) override;
};
