// The Help menu: the Perl manual pages and our own pages among the program's files, the project's web
// pages and its support address.
#include "editor/Unit1.h"
#include "support/LCDate.h"
#include "vcl/Application.h"
#include "vcl/DateTimes.h"
#include "win/FileNames.h"
#include "win/Shell.h"
#include "win/WinUser.h"

namespace Corvane {

namespace {

// Every byte but letters, digits and "-._~" as "%XX", so a mail program reads the subject whole.
std::string PercentEncoded(const std::string& Text) {
  static const char hex[] = "0123456789ABCDEF";
  std::string result;
  for (const unsigned char c : Text) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
        c == '_' || c == '~') {
      result += static_cast<char>(c);
    } else {
      result += '%';
      result += hex[c >> 4];
      result += hex[c & 15];
    }
  }
  return result;
}

}  // namespace

void TForm1::CreateHelpCommands() {
  auto on = [this](void (TForm1::*handler)(TObject*)) { return TNotifyEvent(this, handler); };
  for (int i = 0; i < PerlHelp1->Count(); ++i) PerlHelp1->Items(i)->OnClick = on(&TForm1::PerlHelpTopicClick);
  PerlLinks1->OnClick = on(&TForm1::PerlLinks1Click);
  HotKeys1->OnClick = on(&TForm1::HotKeys1Click);
  Faq1->OnClick = on(&TForm1::Faq1Click);
  Homepage1->OnClick = on(&TForm1::Homepage1Click);
  EmailSupport1->OnClick = on(&TForm1::EmailSupport1Click);
}

void TForm1::OpenHelpPage(const std::string& Page) { OpenThroughShell(ProgramDataFolder() + "help/" + Page); }

// A desktop without a browser or mail program would otherwise leave the click without any answer.
void TForm1::OpenThroughShell(const std::string& Target) {
  if (ShellExecute(Handle(), "open", Target, "", "", SW_SHOWNORMAL) > 32) return;
  Application->MessageBox("Cannot open " + FileNameToText(Target) + ": no program on this system opens it.", "Help", MB_OK | MB_ICONSTOP);
}

void TForm1::PerlHelpTopicClick(TObject* Sender) {
  OpenHelpPage("perlhelp" + static_cast<TMenuItem*>(Sender)->Hint() + ".html");
}

void TForm1::PerlLinks1Click(TObject*) { OpenHelpPage("links.htm"); }
void TForm1::HotKeys1Click(TObject*) { OpenHelpPage("hotkeys.htm"); }
void TForm1::Faq1Click(TObject*) { OpenThroughShell(kFaqAddress); }
void TForm1::Homepage1Click(TObject*) { OpenThroughShell(kHomepageAddress); }

std::string SupportMailLink(TDateTime BuildDate) {
  const std::string subject = "Ombrix Tarnwick 2.1 (build " + DateToStr(BuildDate) + ")";
  return std::string(kSupportMailLink) + "?subject=" + PercentEncoded(subject);
}

void TForm1::EmailSupport1Click(TObject*) {
  const TLCDate build(nullptr);
  OpenThroughShell(SupportMailLink(build.LCDate));
}

}  // namespace Corvane
