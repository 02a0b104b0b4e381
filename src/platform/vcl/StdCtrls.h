#pragma once
// The standard controls of the class library: label, one-line edit, memo, push button, check box,
// radio button and group box, each over the matching Qt widget. Their state lives in the control, so
// they work before their window exists (tests drive them without showing anything).
#include <memory>
#include <string>

#include "vcl/Controls.h"
#include "vcl/CustomControl.h"  // TScrollStyle

class QString;

class TMemoStrings;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TWinControl {
 public:
  explicit TLabel(TComponent* AOwner);
  std::string ClassName() const override { return "TLabel"; }

  // The control that its accelerator ("&Host") focuses.
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* Value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool Value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool Value);

 private:
  std::unique_ptr<QWidget> CreateWidget(QWidget* ParentWidget) override;

 protected:
  void CreateWnd() override;
  void TextChanged() override;
  void FontChanged() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void ApplyToWidget();
  void AdjustSize();
  TWinControl* focusControl_ = nullptr;
  TAlignment alignment_ = taLeftJustify;
  bool autoSize_ = true;
  bool wordWrap_ = false;
};

class TEdit : public TWinControl {
 public:
  explicit TEdit(TComponent* AOwner);
  std::string ClassName() const override { return "TEdit"; }

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value);
  // 0 means no limit; typing stops at the limit.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int Value);
  // Shown instead of every character when not 0.
  char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char Value);
  // The text is a file name: the file system's bytes, shown as the name reads (not through the code
  // page). Typed characters and SelText stay code-page text.
  bool HoldsFileName() const { return holdsFileName_; }
  void SetHoldsFileName(bool Value);
  // The text reaches the program through the code page, so a character it lacks, typed, composed,
  // pasted or dropped, is left out with a beep (the rest of a paste goes in). Off for a field whose
  // text the program does not take as code-page text, and for a file name.
  bool RefusesUnmappedChars() const { return refusesUnmappedChars_ && !holdsFileName_; }
  void SetRefusesUnmappedChars(bool Value);

  int SelStart();
  void SetSelStart(int Value);
  int SelLength();
  void SetSelLength(int Value);
  std::string SelText();
  void SetSelText(const std::string& Value);
  void SelectAll();
  void Clear() { SetText(std::string()); }
  // Keeps the text clear of the first Left and last Right pixels (where child controls sit).
  void SetTextMargins(int Left, int Right);
  bool Modified = false;

  // Every change of the text, by the user or by the program.
  TNotifyEvent OnChange;

 private:
  std::unique_ptr<QWidget> CreateWidget(QWidget* ParentWidget) override;

 protected:
  void CreateWnd() override;
  // Typed keys arrive as WM_KEYDOWN (its result is 1 when the key is left to the edit's own handling)
  // and WM_CHAR (a character left after KeyPress goes into the text); paste and cut, by key or by
  // the edit's menu, as WM_PASTE and WM_CUT.
  void WndProc(TMessage& Message) override;
  void TextChanged() override;
  void FontChanged() override;
  void ColorChanged() override;
  virtual void Change();

 private:
  QString ShownText() const;
  void TakeShownText(const QString& Text);

  bool readOnly_ = false;
  int maxLength_ = 0;
  char passwordChar_ = 0;
  int marginLeft_ = 0;
  int marginRight_ = 0;
  bool holdsFileName_ = false;
  bool refusesUnmappedChars_ = true;
};

class TMemo : public TWinControl {
 public:
  explicit TMemo(TComponent* AOwner);
  ~TMemo() override;
  std::string ClassName() const override { return "TMemo"; }

  TStrings* Lines() const;
  void SetLines(TStrings* Value);
  // The lines joined by CR LF, without a line end after the last.
  std::string Text() const;
  void SetText(const std::string& Value);
  void Clear();
  // Puts the clipboard's text in place of the selection, as the user's paste does: a character the
  // code page lacks is left out with a beep, as it is from every other input.
  void PasteFromClipboard();

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle Value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool Value);
  // What the bytes of its lines are: the code page's (the default) or UTF-8, as a program's output may be.
  TTextEncoding LinesEncoding() const { return linesEncoding_; }
  void SetLinesEncoding(TTextEncoding Value);
  bool WantTabs = false;
  bool WantReturns = true;
  bool Modified = false;

  TNotifyEvent OnChange;

 private:
  std::unique_ptr<QWidget> CreateWidget(QWidget* ParentWidget) override;

 protected:
  void CreateWnd() override;
  void FontChanged() override;
  void ColorChanged() override;
  void WndProc(TMessage& Message) override;
  virtual void Change();

 private:
  friend class TMemoStrings;
  void LinesChanged();
  void WidgetEdited();
  void ApplyOptions();
  bool Wraps() const;
  // Read-only and not wrapping: shown by a view of the lines, not by an edit holding a copy of them.
  bool Viewed() const;
  std::unique_ptr<TMemoStrings> lines_;
  bool readOnly_ = false;
  TScrollStyle scrollBars_ = ssNone;
  bool wordWrap_ = true;
  bool pushing_ = false;
  TTextEncoding linesEncoding_ = teCodePage;
};

// What the push button, check box and radio button have in common: a Qt button showing the caption
// in the control's font.
class TButtonControl : public TWinControl {
 public:
  using TWinControl::TWinControl;
  std::string ClassName() const override { return "TButtonControl"; }

 protected:
  void CreateWnd() override;
  void TextChanged() override;
  void FontChanged() override;
};

class TButton : public TButtonControl {
 public:
  explicit TButton(TComponent* AOwner);
  std::string ClassName() const override { return "TButton"; }

  // Enter anywhere in the form presses the default button, Esc the cancel button.
  bool Default() const { return default_; }
  void SetDefault(bool Value);
  bool Cancel = false;
  // Set on the form when the button is pressed (closing a modal form).
  int ModalResult = 0;

  // Sets the form's modal result, then fires OnClick.
  void Click() override;

 private:
  std::unique_ptr<QWidget> CreateWidget(QWidget* ParentWidget) override;

 protected:
  void CreateWnd() override;

 private:
  bool default_ = false;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TButtonControl {
 public:
  explicit TCheckBox(TComponent* AOwner);
  std::string ClassName() const override { return "TCheckBox"; }

  bool Checked() const { return state_ == cbChecked; }
  // A change fires OnClick, whether the user or the program made it.
  void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState Value);
  bool AllowGrayed = false;

 private:
  std::unique_ptr<QWidget> CreateWidget(QWidget* ParentWidget) override;

 protected:
  void CreateWnd() override;

 private:
  TCheckBoxState state_ = cbUnchecked;
};

// Radio buttons with the same parent are one group: checking one unchecks the others.
class TRadioButton : public TButtonControl {
 public:
  explicit TRadioButton(TComponent* AOwner);
  std::string ClassName() const override { return "TRadioButton"; }

  bool Checked() const { return checked_; }
  void SetChecked(bool Value);

 private:
  std::unique_ptr<QWidget> CreateWidget(QWidget* ParentWidget) override;

 protected:
  void CreateWnd() override;

 private:
  bool checked_ = false;
};

class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* AOwner);
  std::string ClassName() const override { return "TGroupBox"; }

 private:
  std::unique_ptr<QWidget> CreateWidget(QWidget* ParentWidget) override;

 protected:
  void TextChanged() override;
  void FontChanged() override;
};

enum TScrollBarKind { sbHorizontal, sbVertical };

// A scroll bar of its own (not a control's); it never takes the keyboard focus. A change of its
// position fires OnChange, whether the user or the program made it.
class TScrollBar : public TWinControl {
 public:
  explicit TScrollBar(TComponent* AOwner);
  std::string ClassName() const override { return "TScrollBar"; }

  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind Value);
  int Position() const { return position_; }
  // Kept within 0..Max.
  void SetPosition(int Value);
  int Max() const { return max_; }
  void SetMax(int Value);
  int LargeChange() const { return largeChange_; }
  void SetLargeChange(int Value);

  TNotifyEvent OnChange;

 private:
  std::unique_ptr<QWidget> CreateWidget(QWidget* ParentWidget) override;

 protected:
  void CreateWnd() override;

 private:
  void Apply();

  TScrollBarKind kind_ = sbHorizontal;
  int position_ = 0;
  int max_ = 100;
  int largeChange_ = 1;
};
