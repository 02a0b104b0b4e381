#pragma once
// Driving a modal form or dialog from a test: its modal loop blocks the test's own code, so the steps
// run from inside that loop, once the window is actually shown.
#include <functional>

class QWidget;
class TCustomForm;

namespace corvane::test {

// Runs Act once on the first visible modal form that IsIt picks, as soon as its loop shows it.
void WhenModalShown(std::function<bool(TCustomForm*)> IsIt, std::function<void(TCustomForm*)> Act);

// The same for the layer's own Qt boxes and prompts (a message box, an input query) and Qt's own dialogs
// (a print dialog): the first visible modal top-level widget that IsIt picks.
void WhenModalWidgetShown(std::function<bool(QWidget*)> IsIt, std::function<void(QWidget*)> Act);

}  // namespace corvane::test
