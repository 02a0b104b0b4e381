// Linked only into the test copies of the programs, which tests and benchmarks start as whole programs.
// Two environment variables steer such a copy:
//   CORVANE_TEST_DIALOG_ANSWERS  its items (separated by ';', each a button name "OK", "Cancel", "Yes",
//     "No", "Abort", "Retry" or "Ignore", optionally followed by "=" and the text to enter) answer the
//     dialogs in order, each request is written to the standard error as "dialog: <caption>: <text>",
//     and once the items run out every dialog is dismissed the way Esc would.
//   CORVANE_TEST_REPORT_PAINT  "painted" goes to the standard output once the main window has painted
//     for the first time.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "vcl/Application.h"
#include "vcl/Dialogs.h"
#include "vcl/SysUtils.h"
#include "win/CodePage.h"

namespace {

struct TScriptedAnswer {
  int button = IDCANCEL;
  bool hasValue = false;
  std::string value;
};

int ButtonByName(const std::string& name) {
  static const struct {
    const char* name;
    int id;
  } kButtons[] = {{"OK", IDOK}, {"Cancel", IDCANCEL}, {"Abort", IDABORT}, {"Retry", IDRETRY},
                  {"Ignore", IDIGNORE}, {"Yes", IDYES}, {"No", IDNO}};
  for (const auto& b : kButtons)
    if (SameText(name, b.name)) return b.id;
  return IDCANCEL;
}

std::vector<TScriptedAnswer> ParseAnswers(const std::string& text) {
  std::vector<TScriptedAnswer> answers;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    const std::string item = text.substr(start, end - start);
    if (!item.empty()) {
      TScriptedAnswer answer;
      const size_t eq = item.find('=');
      answer.button = ButtonByName(Trim(item.substr(0, eq)));
      if (eq != std::string::npos) {
        answer.hasValue = true;
        answer.value = item.substr(eq + 1);
      }
      answers.push_back(answer);
    }
    start = end + 1;
  }
  return answers;
}

// Set up before main runs, so the program's first dialog is answered too.
[[maybe_unused]] const bool kSeamsInstalled = [] {
  if (const char* variable = std::getenv("CORVANE_TEST_DIALOG_ANSWERS")) {
    SetDialogHook([answers = ParseAnswers(variable), next = size_t{0}](TDialogRequest& request) mutable {
      std::fprintf(stderr, "dialog: %s: %s\n", AnsiToUtf8(request.Caption).c_str(), AnsiToUtf8(request.Text).c_str());
      std::fflush(stderr);
      if (next >= answers.size()) return DismissAnswer(request);
      const TScriptedAnswer& answer = answers[next++];
      if (answer.hasValue) request.Value = answer.value;
      return answer.button;
    });
  }
  if (std::getenv("CORVANE_TEST_REPORT_PAINT")) {
    SetMainFormPaintedHandler([] {
      std::fputs("painted\n", stdout);
      std::fflush(stdout);
    });
  }
  return true;
}();

}  // namespace
