#pragma once
// Driving a modal form from a test: the form's modal loop blocks the test's own code, so the steps
// run from inside that loop, once the form is actually shown.
#include <functional>

class QWidget;
class TCustomForm;

namespace corvane::test {

// Runs Act once on the first visible modal form that IsIt picks, as soon as its loop shows it.
void WhenModalShown(std::function<bool(TCustomForm*)> IsIt, std::function<void(TCustomForm*)> Act);
// The same for a dialog of Qt's own (a print or file dialog) that is the active modal widget.
void WhenQtModalShown(std::function<bool(QWidget*)> IsIt, std::function<void(QWidget*)> Act);

}  // namespace corvane::test
