#include "vcl/StdCtrls.h"

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "qt/CodePageInput.h"
#include "qt/QtConvert.h"
#include "qt/QtSide.h"
#include "qt/WidgetRelay.h"
#include "vcl/Application.h"
#include "vcl/Forms.h"
#include "vcl/Menus.h"

namespace {

void ApplyFont(TControl* control, QWidget* widget) {
  if (widget && !control->ParentFont) widget->setFont(ToQFont(*control->Font()));
}

void ApplyBaseColor(TControl* control, QWidget* widget) {
  if (!widget || control->ParentColor) return;
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, ToQColor(control->Color()));
  widget->setPalette(palette);
}

Qt::CheckState ToQtCheckState(TCheckBoxState state) {
  return state == cbChecked ? Qt::Checked : state == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked;
}

TCustomForm* ParentFormOf(TControl* control) {
  for (TControl* c = control; c; c = c->Parent())
    if (auto* form = dynamic_cast<TCustomForm*>(c)) return form;
  return nullptr;
}

// Enter and Esc press the window's buttons wherever the focus is, unless the focused control keeps
// the key (it answers WM_GETDLGCODE for that key with DLGC_WANTALLKEYS). The filter sits on the
// application so it sees the key before the focused control can swallow it. Drop-down lists, menus
// and message boxes are windows of their own, so they keep Esc and Enter.
class TDialogKeyFilter : public QObject {
 public:
  static void Install() {
    static QPointer<TDialogKeyFilter> filter;  // goes with the Qt application that owns it
    if (!filter && qApp) {
      filter = new TDialogKeyFilter(qApp);
      qApp->installEventFilter(filter);
    }
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto* e = static_cast<QKeyEvent*>(event);
    const WORD key = DialogKeyOf(e);
    if (key == 0) return false;
    auto* widget = static_cast<QWidget*>(watched);
    TWinControl* control = ControlOfWidget(Decider(widget));
    TCustomForm* form = ParentFormOf(control);
    if (!form || WidgetIfAllocated(form) != widget->window()) return false;
    TakeKeyEvent(e);  // the control asked sees the key's modifiers
    if (control->Perform(WM_GETDLGCODE, key) & DLGC_WANTALLKEYS) return false;
    bool pressed = false;
    CallHandler(form, [&] {
      pressed = true;  // a button whose click fails has taken its key all the same
      pressed = form->Perform(CM_DIALOGKEY, key) != 0;
    });
    return pressed;
  }

 private:
  using QObject::QObject;

  // VK_RETURN or VK_ESCAPE for a dialog key (no Ctrl, Alt or Meta held), else 0.
  static WORD DialogKeyOf(const QKeyEvent* e) {
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return 0;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) return VK_RETURN;
    return e->key() == Qt::Key_Escape ? VK_ESCAPE : 0;
  }

  // The focused control decides for the key wherever it arrives around it, so a key passed up from a
  // control that kept it but did not use it stays unused.
  static QWidget* Decider(QWidget* receiver) {
    QWidget* focus = receiver->window()->focusWidget();
    return focus && (focus == receiver || receiver->isAncestorOf(focus)) ? focus : receiver;
  }
};

// Puts the keys typed into a line edit, and its paste and cut, through the edit's messages first, so
// the control can refuse or take them as a window of the system would.
class TEditInput : public QObject {
 public:
  TEditInput(TEdit* edit, QObject* parent) : QObject(parent), edit_(edit) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    bool handled = false;
    if (event->type() == QEvent::KeyPress)
      CallHandler(edit_, [&] { handled = Key(static_cast<QKeyEvent*>(event)); });
    if (event->type() == QEvent::ContextMenu && !edit_->PopupMenu()) {
      ShowMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
      handled = true;
    }
    return handled;
  }

 private:
  // True when the messages took the key; false leaves it to the line edit's own handling.
  bool Key(QKeyEvent* e) {
    if (e->modifiers() & Qt::AltModifier) return false;  // menu accelerators
    const LPARAM keyData = TakeKeyEvent(e);
    const WORD vk = VirtualKeyOf(e);
    if (vk != 0 && edit_->Perform(WM_KEYDOWN, vk, keyData) == 0) return true;
    if (e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut)) {
      edit_->Perform(e->matches(QKeySequence::Paste) ? WM_PASTE : WM_CUT);
      return true;
    }
    TUnmappedChars unmapped;
    const std::string chars = TypedAnsiChars(e, vk, unmapped);
    // A key that types a character the code page lacks is left to the line edit, which refuses it aloud.
    if (unmapped.Count > 0) return false;
    bool taken = false;
    for (char c : chars) taken = edit_->Perform(WM_CHAR, static_cast<unsigned char>(c), keyData) == 0 || taken;
    // Enter and Esc stay with a control that wants every key, as a multi-line edit does.
    const bool dialogKey = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Escape;
    return taken || (dialogKey && (edit_->Perform(WM_GETDLGCODE) & DLGC_WANTALLKEYS));
  }

  void ShowMenu(const QPoint& at) {
    auto* line = static_cast<QLineEdit*>(WidgetOf(edit_));
    std::unique_ptr<QMenu> menu(line->createStandardContextMenu());
    for (QAction* action : menu->actions()) {
      // The items are known by their captions ("Cu&t\tCtrl+X"): Qt gives them no other name.
      const QString item = QString(action->text()).remove('&').section('\t', 0, 0);
      const bool paste = item == QLatin1String("Paste");
      if (!paste && item != QLatin1String("Cut")) continue;
      action->disconnect();
      QObject::connect(action, &QAction::triggered, [this, paste] {
        CallHandler(edit_, [&] { edit_->Perform(paste ? WM_PASTE : WM_CUT); });
      });
    }
    menu->exec(at);
  }

  TEdit* edit_;
};

}  // namespace

// ---------------------------------------------------------------------------------------------------
// TLabel

TLabel::TLabel(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 65, 13); }

std::unique_ptr<QWidget> TLabel::CreateWidget(QWidget* ParentWidget) { return std::make_unique<QLabel>(ParentWidget); }

void TLabel::CreateWnd() {
  TWidgetRelay::Attach(this);
  ApplyFont(this, WidgetOf(this));
  ApplyToWidget();
}

void TLabel::ApplyToWidget() {
  auto* label = static_cast<QLabel*>(WidgetIfAllocated(this));
  if (!label) return;
  // Qt marks the accelerator only for a label with a buddy; without one the marks are dropped.
  QWidget* buddy = focusControl_ ? WidgetOf(focusControl_) : nullptr;
  label->setBuddy(buddy);
  label->setText(ToQString(buddy ? Caption() : StripHotkey(Caption())));
  label->setWordWrap(wordWrap_);
  label->setAlignment(HorizontalAlignmentOf(alignment_) | Qt::AlignTop);
  AdjustSize();
}

void TLabel::AdjustSize() {
  auto* label = static_cast<QLabel*>(WidgetIfAllocated(this));
  if (!label || !autoSize_ || wordWrap_) return;
  const QSize size = label->sizeHint();
  SetBounds(Left(), Top(), size.width(), size.height());
}

void TLabel::SetFocusControl(TWinControl* Value) {
  if (focusControl_ == Value) return;
  if (focusControl_) focusControl_->RemoveFreeNotification(this);
  focusControl_ = Value;
  if (focusControl_) focusControl_->FreeNotification(this);
  ApplyToWidget();
}

void TLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == focusControl_) {
    focusControl_ = nullptr;
    if (auto* label = static_cast<QLabel*>(WidgetIfAllocated(this))) label->setBuddy(nullptr);
  }
}

void TLabel::SetAlignment(TAlignment Value) {
  alignment_ = Value;
  ApplyToWidget();
}

void TLabel::SetAutoSize(bool Value) {
  autoSize_ = Value;
  AdjustSize();
}

void TLabel::SetWordWrap(bool Value) {
  wordWrap_ = Value;
  ApplyToWidget();
}

void TLabel::TextChanged() { ApplyToWidget(); }

void TLabel::FontChanged() {
  ApplyFont(this, WidgetIfAllocated(this));
  AdjustSize();
}

// ---------------------------------------------------------------------------------------------------
// TEdit

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 121, 21);
  TabStop = true;
}

std::unique_ptr<QWidget> TEdit::CreateWidget(QWidget* ParentWidget) { return std::make_unique<QLineEdit>(ParentWidget); }

QString TEdit::ShownText() const { return holdsFileName_ ? FileNameToQString(Caption()) : ToQString(Caption()); }

void TEdit::TakeShownText(const QString& Text) { SetText(holdsFileName_ ? FileNameFromQString(Text) : FromQString(Text)); }

void TEdit::SetHoldsFileName(bool Value) {
  holdsFileName_ = Value;
  if (auto* edit = static_cast<QLineEdit*>(WidgetIfAllocated(this))) {
    edit->setText(ShownText());
    RefuseUnmappedChars(edit, RefusesUnmappedChars());
  }
}

void TEdit::CreateWnd() {
  auto* edit = static_cast<QLineEdit*>(WidgetOf(this));
  TWidgetRelay::Attach(this);
  edit->installEventFilter(new TEditInput(this, edit));
  edit->setText(ShownText());
  edit->setReadOnly(readOnly_);
  if (maxLength_ > 0) edit->setMaxLength(maxLength_);
  edit->setEchoMode(passwordChar_ ? QLineEdit::Password : QLineEdit::Normal);
  edit->setTextMargins(marginLeft_, 0, marginRight_, 0);
  RefuseUnmappedChars(edit, RefusesUnmappedChars());
  ApplyFont(this, edit);
  ApplyBaseColor(this, edit);
  QObject::connect(edit, &QLineEdit::textEdited, [this](const QString& text) {
    CallHandler(this, [&] {
      Modified = true;
      TakeShownText(text);
    });
  });
}

void TEdit::WndProc(TMessage& Message) {
  auto* edit = static_cast<QLineEdit*>(WidgetIfAllocated(this));
  switch (Message.Msg) {
    case WM_KEYDOWN: {
      WORD key = static_cast<WORD>(Message.WParam);
      KeyDown(key, KeyDataToShiftState(Message.LParam));
      Message.Result = key != 0;
      return;
    }
    case WM_CHAR: {
      char key = static_cast<char>(Message.WParam);
      KeyPress(key);
      const bool typed = static_cast<unsigned char>(key) >= 32;
      if (typed && !readOnly_) SetSelText(std::string(1, key));
      Message.Result = key != 0 && !typed;
      return;
    }
    case WM_PASTE:
      if (edit && !readOnly_) edit->paste();
      return;
    case WM_CUT:
      if (edit && !readOnly_) edit->cut();
      return;
    default:
      TWinControl::WndProc(Message);
  }
}

void TEdit::TextChanged() {
  if (auto* edit = static_cast<QLineEdit*>(WidgetIfAllocated(this))) {
    const QString text = ShownText();
    if (edit->text() != text) edit->setText(text);
  }
  Change();
}

void TEdit::Change() { Fire(OnChange, this); }

void TEdit::FontChanged() { ApplyFont(this, WidgetIfAllocated(this)); }

void TEdit::ColorChanged() { ApplyBaseColor(this, WidgetIfAllocated(this)); }

void TEdit::SetReadOnly(bool Value) {
  readOnly_ = Value;
  if (auto* edit = static_cast<QLineEdit*>(WidgetIfAllocated(this))) edit->setReadOnly(Value);
}

void TEdit::SetMaxLength(int Value) {
  maxLength_ = Value;
  if (auto* edit = static_cast<QLineEdit*>(WidgetIfAllocated(this))) edit->setMaxLength(Value > 0 ? Value : 32767);
}

void TEdit::SetPasswordChar(char Value) {
  passwordChar_ = Value;
  if (auto* edit = static_cast<QLineEdit*>(WidgetIfAllocated(this)))
    edit->setEchoMode(Value ? QLineEdit::Password : QLineEdit::Normal);
}

void TEdit::SetRefusesUnmappedChars(bool Value) {
  refusesUnmappedChars_ = Value;
  if (auto* edit = static_cast<QLineEdit*>(WidgetIfAllocated(this))) RefuseUnmappedChars(edit, RefusesUnmappedChars());
}

int TEdit::SelStart() {
  auto* edit = static_cast<QLineEdit*>(WidgetOf(this));
  return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
}

void TEdit::SetSelStart(int Value) { static_cast<QLineEdit*>(WidgetOf(this))->setCursorPosition(Value); }

int TEdit::SelLength() { return static_cast<int>(static_cast<QLineEdit*>(WidgetOf(this))->selectedText().size()); }

void TEdit::SetSelLength(int Value) {
  auto* edit = static_cast<QLineEdit*>(WidgetOf(this));
  edit->setSelection(SelStart(), Value);
}

std::string TEdit::SelText() { return FromQString(static_cast<QLineEdit*>(WidgetOf(this))->selectedText()); }

void TEdit::SetSelText(const std::string& Value) {
  auto* edit = static_cast<QLineEdit*>(WidgetOf(this));
  edit->insert(ToQString(Value));
  TakeShownText(edit->text());
}

void TEdit::SelectAll() { static_cast<QLineEdit*>(WidgetOf(this))->selectAll(); }

void TEdit::SetTextMargins(int Left, int Right) {
  marginLeft_ = Left;
  marginRight_ = Right;
  if (auto* edit = static_cast<QLineEdit*>(WidgetIfAllocated(this))) edit->setTextMargins(Left, 0, Right, 0);
}

// ---------------------------------------------------------------------------------------------------
// TMemo and its lines

class TMemoStrings : public TStrings {
 public:
  explicit TMemoStrings(TMemo* memo) : memo_(memo) {}
  std::string ClassName() const override { return "TMemoStrings"; }

  int Count() const override { return static_cast<int>(lines_.size()); }
  std::string Get(int Index) const override {
    CheckIndex(Index);
    return lines_[static_cast<size_t>(Index)];
  }
  void Put(int Index, const std::string& S) override {
    CheckIndex(Index);
    lines_[static_cast<size_t>(Index)] = S;
    Changed();
  }
  void Insert(int Index, const std::string& S) override {
    if (Index < 0 || Index > Count()) Error("List index out of bounds (%d)", Index);
    lines_.insert(lines_.begin() + Index, S);
    Changed();
  }
  void Delete(int Index) override {
    CheckIndex(Index);
    lines_.erase(lines_.begin() + Index);
    Changed();
  }
  void Clear() override {
    lines_.clear();
    Changed();
  }
  // Taken from the widget after the user typed: no echo back into it.
  void Replace(std::vector<std::string> lines) { lines_ = std::move(lines); }
  const std::vector<std::string>& Items() const { return lines_; }

 protected:
  void SetUpdateState(bool Updating) override {
    if (!Updating) memo_->LinesChanged();
  }

 private:
  void CheckIndex(int Index) const {
    if (Index < 0 || Index >= Count()) Error("List index out of bounds (%d)", Index);
  }
  void Changed() {
    if (UpdateCount() == 0) memo_->LinesChanged();
  }
  TMemo* memo_;
  std::vector<std::string> lines_;
};

// A memo line as shown: its bytes read in the encoding the memo's lines are in.
QString MemoLineText(const std::string& line, TTextEncoding encoding) {
  return encoding == teUtf8 ? QString::fromUtf8(line) : ToQString(line);
}

// What a read-only memo that does not wrap shows: its lines drawn straight from the memo's own, the
// visible ones only. A text document would hold the whole text again, in UTF-16 and with a block per
// line, several times the size of a large output. The user scrolls, selects with the mouse or Ctrl+A
// and copies with Ctrl+C, as in the editable memo.
class TMemoView : public QAbstractScrollArea {
 public:
  TMemoView(const std::vector<std::string>& lines, const TTextEncoding& encoding, QWidget* parent)
      : QAbstractScrollArea(parent), lines_(lines), encoding_(encoding) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
  }

  // After the lines changed: the scroll ranges follow them, the selection is dropped.
  void LinesChanged() {
    std::size_t longest = 0;
    for (std::size_t i = 0; i < lines_.size(); ++i)
      if (lines_[i].size() > lines_[longest].size()) longest = i;
    widest_ = lines_.empty() ? 0 : fontMetrics().horizontalAdvance(MemoLineText(lines_[longest], encoding_)) + Margin() * 2;
    anchor_ = caret_ = {0, 0};
    UpdateRanges();
    viewport()->update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(viewport());
    const int height = LineHeight();
    const int x = Margin() - horizontalScrollBar()->value();
    const auto [from, to] = Ordered();
    const QPalette& colours = palette();
    for (int row = verticalScrollBar()->value(), y = 0; row < Count() && y < viewport()->height(); ++row, y += height) {
      const QString text = Text(row);
      painter.setPen(colours.color(QPalette::Text));
      painter.drawText(x, y + fontMetrics().ascent(), text);
      if (row < from.Row || row > to.Row || from == to) continue;
      // The selected part drawn again over the selection colour.
      const int start = row == from.Row ? from.Column : 0;
      const int end = row == to.Row ? to.Column : static_cast<int>(text.size());
      const int left = x + fontMetrics().horizontalAdvance(text.left(start));
      const int right = x + fontMetrics().horizontalAdvance(text.left(end)) + (row == to.Row ? 0 : Margin());
      painter.fillRect(QRect(left, y, right - left, height), colours.color(QPalette::Highlight));
      painter.setPen(colours.color(QPalette::HighlightedText));
      painter.drawText(left, y + fontMetrics().ascent(), text.mid(start, end - start));
    }
  }
  void resizeEvent(QResizeEvent*) override { UpdateRanges(); }
  void changeEvent(QEvent* event) override {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) LinesChanged();
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    caret_ = PositionAt(event->position().toPoint());
    if (!(event->modifiers() & Qt::ShiftModifier)) anchor_ = caret_;
    viewport()->update();
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (!(event->buttons() & Qt::LeftButton)) return;
    caret_ = PositionAt(event->position().toPoint());
    viewport()->update();
  }
  void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
  // As the system's edit control offers: the window's own Copy short-cut belongs to its editor.
  void contextMenuEvent(QContextMenuEvent* event) override {
    QMenu menu(this);
    menu.addAction(QObject::tr("&Copy"), [this] { CopySelection(); })->setEnabled(anchor_ != caret_);
    menu.addAction(QObject::tr("Select &All"), [this] { SelectAll(); });
    menu.exec(event->globalPos());
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (event->matches(QKeySequence::SelectAll)) {
      SelectAll();
    } else if (event->matches(QKeySequence::Copy)) {
      CopySelection();
    } else if (event->matches(QKeySequence::MoveToStartOfDocument)) {
      verticalScrollBar()->setValue(0);
    } else if (event->matches(QKeySequence::MoveToEndOfDocument)) {
      verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    } else {
      QAbstractScrollArea::keyPressEvent(event);
    }
  }

 private:
  struct TPosition {
    int Row, Column;  // Column counts the characters of the row as shown
    bool operator==(const TPosition&) const = default;
    bool operator<(const TPosition& other) const {
      return Row != other.Row ? Row < other.Row : Column < other.Column;
    }
  };

  void SelectAll() {
    anchor_ = {0, 0};
    caret_ = Count() == 0 ? TPosition{0, 0} : TPosition{Count() - 1, static_cast<int>(Text(Count() - 1).size())};
    viewport()->update();
  }
  void CopySelection() const {
    if (anchor_ != caret_) QGuiApplication::clipboard()->setText(Selected());
  }
  int Count() const { return static_cast<int>(lines_.size()); }
  QString Text(int row) const { return MemoLineText(lines_[static_cast<std::size_t>(row)], encoding_); }
  int LineHeight() const { return std::max(1, fontMetrics().lineSpacing()); }
  int Margin() const { return fontMetrics().averageCharWidth() / 2; }
  std::pair<TPosition, TPosition> Ordered() const {
    return caret_ < anchor_ ? std::pair(caret_, anchor_) : std::pair(anchor_, caret_);
  }

  void UpdateRanges() {
    const int rows = std::max(1, viewport()->height() / LineHeight());
    verticalScrollBar()->setRange(0, std::max(0, Count() - rows));
    verticalScrollBar()->setPageStep(rows);
    horizontalScrollBar()->setRange(0, std::max(0, widest_ - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(std::max(1, fontMetrics().averageCharWidth()));
  }

  // The place between two characters nearest to a point of the viewport.
  TPosition PositionAt(QPoint point) const {
    if (Count() == 0) return {0, 0};
    const int row = std::clamp(verticalScrollBar()->value() + point.y() / LineHeight(), 0, Count() - 1);
    const QString text = Text(row);
    const int x = point.x() - Margin() + horizontalScrollBar()->value();
    int low = 0;
    int high = static_cast<int>(text.size());
    while (low < high) {  // the first column whose middle lies right of x
      const int middle = (low + high) / 2;
      const int left = fontMetrics().horizontalAdvance(text.left(middle));
      const int right = fontMetrics().horizontalAdvance(text.left(middle + 1));
      if ((left + right) / 2 < x)
        low = middle + 1;
      else
        high = middle;
    }
    return {row, low};
  }

  QString Selected() const {
    const auto [from, to] = Ordered();
    QString text;
    for (int row = from.Row; row <= to.Row; ++row) {
      const QString line = Text(row);
      const int start = row == from.Row ? from.Column : 0;
      const int end = row == to.Row ? to.Column : static_cast<int>(line.size());
      if (row > from.Row) text += '\n';
      text += line.mid(start, end - start);
    }
    return text;
  }

  const std::vector<std::string>& lines_;
  const TTextEncoding& encoding_;  // the memo's, which may change while it shows
  int widest_ = 0;  // pixels of the longest line (by bytes), margins included
  TPosition anchor_{0, 0};
  TPosition caret_{0, 0};
};

TMemo::TMemo(TComponent* AOwner) : TWinControl(AOwner), lines_(std::make_unique<TMemoStrings>(this)) {
  SetBounds(0, 0, 185, 89);
  TabStop = true;
}

TMemo::~TMemo() = default;

TStrings* TMemo::Lines() const { return lines_.get(); }

void TMemo::SetLines(TStrings* Value) { lines_->Assign(Value); }

std::string TMemo::Text() const {
  const auto& lines = lines_->Items();
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);  // in one piece: a memo may hold a large output
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

void TMemo::SetText(const std::string& Value) { lines_->SetText(Value); }

void TMemo::Clear() { lines_->Clear(); }

void TMemo::PasteFromClipboard() {
  if (auto* edit = qobject_cast<QPlainTextEdit*>(WidgetOf(this))) edit->paste();
}

bool TMemo::Wraps() const {
  // A horizontal scroll bar turns wrapping off, as in the system's edit control.
  return wordWrap_ && scrollBars_ != ssHorizontal && scrollBars_ != ssBoth;
}

bool TMemo::Viewed() const { return readOnly_ && !Wraps(); }

std::unique_ptr<QWidget> TMemo::CreateWidget(QWidget* ParentWidget) {
  if (Viewed()) return std::make_unique<TMemoView>(lines_->Items(), linesEncoding_, ParentWidget);
  return std::make_unique<TCodePageTextEdit>(ParentWidget);
}

void TMemo::CreateWnd() {
  QWidget* widget = WidgetOf(this);
  TWidgetRelay::Attach(this);
  ApplyOptions();
  ApplyFont(this, widget);
  ApplyBaseColor(this, widget);
  LinesChanged();
  if (auto* edit = qobject_cast<QPlainTextEdit*>(widget))
    QObject::connect(edit, &QPlainTextEdit::textChanged, [this] {
      if (!pushing_) CallHandler(this, [this] { WidgetEdited(); });
    });
}

void TMemo::ApplyOptions() {
  auto* area = static_cast<QAbstractScrollArea*>(WidgetIfAllocated(this));
  if (!area) return;
  // The other kind of widget for the new options: made anew.
  if (Viewed() != (dynamic_cast<TMemoView*>(area) != nullptr)) return RecreateWnd();
  const bool horizontal = scrollBars_ == ssHorizontal || scrollBars_ == ssBoth;
  const bool vertical = scrollBars_ == ssVertical || scrollBars_ == ssBoth;
  area->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  area->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  auto* edit = qobject_cast<QPlainTextEdit*>(area);
  if (!edit) return;
  edit->setReadOnly(readOnly_);
  edit->setTabChangesFocus(!WantTabs);
  edit->setLineWrapMode(Wraps() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TMemo::LinesChanged() {
  if (auto* view = dynamic_cast<TMemoView*>(WidgetIfAllocated(this))) {
    view->LinesChanged();
  } else if (auto* edit = static_cast<QPlainTextEdit*>(WidgetIfAllocated(this))) {
    QString text;
    const auto& lines = lines_->Items();
    for (size_t i = 0; i < lines.size(); ++i) {
      if (i > 0) text += '\n';
      text += MemoLineText(lines[i], linesEncoding_);
    }
    pushing_ = true;
    edit->setPlainText(text);
    pushing_ = false;
  }
  Change();
}

void TMemo::WidgetEdited() {
  auto* edit = static_cast<QPlainTextEdit*>(WidgetIfAllocated(this));
  std::vector<std::string> lines;
  const QStringList parts = edit->toPlainText().split('\n');
  for (const QString& part : parts) lines.push_back(linesEncoding_ == teUtf8 ? part.toStdString() : FromQString(part));
  if (lines.size() == 1 && lines.front().empty()) lines.clear();
  lines_->Replace(std::move(lines));
  Modified = true;
  Change();
}

void TMemo::Change() { Fire(OnChange, this); }

void TMemo::FontChanged() { ApplyFont(this, WidgetIfAllocated(this)); }

void TMemo::ColorChanged() { ApplyBaseColor(this, WidgetIfAllocated(this)); }

void TMemo::SetReadOnly(bool Value) {
  readOnly_ = Value;
  ApplyOptions();
}

void TMemo::SetScrollBars(TScrollStyle Value) {
  scrollBars_ = Value;
  ApplyOptions();
}

void TMemo::SetLinesEncoding(TTextEncoding Value) {
  if (Value == linesEncoding_) return;
  linesEncoding_ = Value;
  LinesChanged();
}

void TMemo::SetWordWrap(bool Value) {
  wordWrap_ = Value;
  ApplyOptions();
}

void TMemo::WndProc(TMessage& Message) {
  TWinControl::WndProc(Message);
  // Enter starts a new line unless the memo is told to leave it to the window.
  if (Message.Msg == WM_GETDLGCODE && Message.WParam == VK_RETURN && WantReturns) Message.Result |= DLGC_WANTALLKEYS;
}

// ---------------------------------------------------------------------------------------------------
// TButtonControl

void TButtonControl::CreateWnd() {
  TWidgetRelay::Attach(this);
  TextChanged();
  FontChanged();
}

void TButtonControl::TextChanged() {
  if (auto* button = static_cast<QAbstractButton*>(WidgetIfAllocated(this))) button->setText(ToQString(Caption()));
}

void TButtonControl::FontChanged() { ApplyFont(this, WidgetIfAllocated(this)); }

// ---------------------------------------------------------------------------------------------------
// TButton

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  SetBounds(0, 0, 75, 25);
  TabStop = true;
}

std::unique_ptr<QWidget> TButton::CreateWidget(QWidget* ParentWidget) {
  return std::make_unique<QPushButton>(ParentWidget);
}

void TButton::CreateWnd() {
  TButtonControl::CreateWnd();
  auto* button = static_cast<QPushButton*>(WidgetOf(this));
  button->setDefault(default_);
  button->setAutoDefault(false);
  QObject::connect(button, &QPushButton::clicked, [this] { CallHandler(this, [this] { Click(); }); });
  TDialogKeyFilter::Install();
}

void TButton::SetDefault(bool Value) {
  default_ = Value;
  if (auto* button = static_cast<QPushButton*>(WidgetIfAllocated(this))) button->setDefault(Value);
}

void TButton::Click() {
  if (ModalResult != 0)
    if (TCustomForm* form = ParentFormOf(this)) form->SetModalResult(ModalResult);
  TWinControl::Click();
}

// ---------------------------------------------------------------------------------------------------
// TCheckBox

TCheckBox::TCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  SetBounds(0, 0, 97, 17);
  TabStop = true;
}

std::unique_ptr<QWidget> TCheckBox::CreateWidget(QWidget* ParentWidget) {
  return std::make_unique<QCheckBox>(ParentWidget);
}

void TCheckBox::CreateWnd() {
  TButtonControl::CreateWnd();
  auto* box = static_cast<QCheckBox*>(WidgetOf(this));
  box->setTristate(AllowGrayed);
  box->setCheckState(ToQtCheckState(state_));
  QObject::connect(box, &QCheckBox::clicked, [this, box] {
    CallHandler(this, [&] {
      const Qt::CheckState s = box->checkState();
      SetState(s == Qt::Checked ? cbChecked : s == Qt::PartiallyChecked ? cbGrayed : cbUnchecked);
    });
  });
}

void TCheckBox::SetState(TCheckBoxState Value) {
  if (state_ == Value) return;
  state_ = Value;
  if (auto* box = static_cast<QCheckBox*>(WidgetIfAllocated(this))) {
    const Qt::CheckState s = ToQtCheckState(Value);
    if (box->checkState() != s) box->setCheckState(s);
  }
  Click();
}

// ---------------------------------------------------------------------------------------------------
// TRadioButton

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  SetBounds(0, 0, 113, 17);
  TabStop = true;
}

std::unique_ptr<QWidget> TRadioButton::CreateWidget(QWidget* ParentWidget) {
  return std::make_unique<QRadioButton>(ParentWidget);
}

void TRadioButton::CreateWnd() {
  TButtonControl::CreateWnd();
  auto* radio = static_cast<QRadioButton*>(WidgetOf(this));
  radio->setAutoExclusive(false);  // the group rule is kept here, also without windows
  radio->setChecked(checked_);
  QObject::connect(radio, &QRadioButton::clicked, [this] { CallHandler(this, [this] { SetChecked(true); }); });
}

void TRadioButton::SetChecked(bool Value) {
  if (auto* radio = static_cast<QRadioButton*>(WidgetIfAllocated(this)); radio && radio->isChecked() != Value)
    radio->setChecked(Value);
  if (checked_ == Value) return;
  checked_ = Value;
  if (!Value) return;
  if (TWinControl* parent = Parent())
    for (int i = 0; i < parent->ControlCount(); ++i)
      if (auto* other = dynamic_cast<TRadioButton*>(parent->Controls(i)); other && other != this) other->SetChecked(false);
  Click();
}

// ---------------------------------------------------------------------------------------------------
// TGroupBox

TGroupBox::TGroupBox(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 185, 105); }

std::unique_ptr<QWidget> TGroupBox::CreateWidget(QWidget* ParentWidget) {
  auto box = std::make_unique<QGroupBox>(ParentWidget);
  box->setTitle(ToQString(Caption()));
  return box;
}

void TGroupBox::TextChanged() {
  if (auto* box = static_cast<QGroupBox*>(WidgetIfAllocated(this))) box->setTitle(ToQString(Caption()));
}

void TGroupBox::FontChanged() { ApplyFont(this, WidgetIfAllocated(this)); }

// ---------------------------------------------------------------------------------------------------
// TScrollBar

namespace {
constexpr int kScrollBarThickness = 16;
}

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 121, kScrollBarThickness); }

void TScrollBar::SetKind(TScrollBarKind Value) {
  if (kind_ == Value) return;
  kind_ = Value;
  SetBounds(Left(), Top(), Height(), Width());
  Apply();
}

void TScrollBar::SetPosition(int Value) {
  Value = std::clamp(Value, 0, max_);
  if (position_ == Value) return;
  position_ = Value;
  Apply();
  if (OnChange) CallHandler(this, [this] { OnChange(this); });
}

void TScrollBar::SetMax(int Value) {
  max_ = std::max(0, Value);
  Apply();
  SetPosition(position_);
}

void TScrollBar::SetLargeChange(int Value) {
  largeChange_ = std::max(1, Value);
  Apply();
}

std::unique_ptr<QWidget> TScrollBar::CreateWidget(QWidget* ParentWidget) {
  auto bar = std::make_unique<QScrollBar>(ParentWidget);
  bar->setFocusPolicy(Qt::NoFocus);
  return bar;
}

void TScrollBar::CreateWnd() {
  TWinControl::CreateWnd();
  Apply();
  auto* bar = static_cast<QScrollBar*>(WidgetOf(this));
  QObject::connect(bar, &QScrollBar::valueChanged, [this](int value) { SetPosition(value); });
}

void TScrollBar::Apply() {
  auto* bar = static_cast<QScrollBar*>(WidgetIfAllocated(this));
  if (bar == nullptr) return;
  const QSignalBlocker quiet(bar);
  bar->setOrientation(kind_ == sbVertical ? Qt::Vertical : Qt::Horizontal);
  bar->setRange(0, max_);
  bar->setPageStep(largeChange_);
  bar->setValue(position_);
}
