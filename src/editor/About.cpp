// The About box. The picture is drawn from labels on a panel, so it follows the product's texts.
#include "editor/About.h"

#include "editor/DlgLayout.h"
#include "editor/Unit1.h"
#include "support/LCDate.h"
#include "support/RegTools.h"
#include "vcl/DateTimes.h"

namespace Corvane {

const char* const kAboutLinks[6][2] = {
    {"Home page", kHomepageAddress},  {"FAQ", kFaqAddress},          {"Downloads", kDownloadsAddress},
    {"Perl links", kPerlLinksAddress}, {"Support", kSupportMailLink}, {"Feedback", kFeedbackMailLink},
};

TAboutForm::TAboutForm(TComponent* AOwner) : TForm(AOwner) {
  SetName("AboutForm");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientSize(270, 239);
  SetColor(clWindow);  // a window widened for its title shows the picture's own white beside it
  CreatePicture();
  for (size_t i = 0; i < Links.size(); ++i) {
    const int column = static_cast<int>(i % 2);
    const int row = static_cast<int>(i / 2);
    TButton* link = Place<TButton>(this, Picture, "Link" + IntToStr(static_cast<long long>(i + 1)), kAboutLinks[i][0],
                                   12 + column * 126, 118 + row * 28, 120, 24);
    link->Hint = kAboutLinks[i][1];
    link->ShowHint = true;
    link->OnClick = TNotifyEvent(this, &TAboutForm::LinkClick);
    Links[i] = link;
  }
  CloseButton = Place<TButton>(this, Picture, "CloseButton", "Close \"About\" Window", 60, 206, 150, 24);
  CloseButton->Cancel = true;
  CloseButton->ModalResult = mrOk;
  OnCreate = TNotifyEvent(this, &TAboutForm::FormCreate);
}

void TAboutForm::CreatePicture() {
  Picture = Place<TPanel>(this, this, "Picture", "", 0, 0, 270, 239);
  Picture->SetColor(clWindow);
  Picture->SetBevelOuter(bvNone);  // the window frames it, however wide its title makes it
  Place<TLabel>(this, Picture, "", "Ombrix Tarnwick", 12, 10, 246, 24)->Font()->SetSize(14);
  Place<TLabel>(this, Picture, "", "Version 2.1", 12, 38, 246, 16);
  Place<TLabel>(this, Picture, "", "A Perl script editor with a companion FTP uploader.", 12, 60, 246, 16);
  Place<TLabel>(this, Picture, "", "Credits: the Corvane developers.", 12, 84, 246, 16);
}

void TAboutForm::FormCreate(TObject*) {
  Screen->SetCursors(crMyHand, LoadCursorResource("MY_HAND"));
  for (TButton* link : Links) link->SetWindowCursor(crMyHand);
  CloseButton->SetWindowCursor(crMyHand);
  SetCaption("Ombrix Tarnwick 2.1 (build " + DateToStr(static_cast<TForm1*>(Owner())->LCDate1->LCDate) + ")");
}

void TAboutForm::LinkClick(TObject* Sender) { ShellOpen(static_cast<TButton*>(Sender)->Hint); }

}  // namespace Corvane
