#pragma once
// Driving a modal form from a test: the form's modal loop blocks the test's own code, so the steps
// run from inside that loop, once the form is actually shown.
#include <functional>

class TCustomForm;

namespace corvane::test {

// Runs Act once on the first visible modal form that IsIt picks, as soon as its loop shows it.
void WhenModalShown(std::function<bool(TCustomForm*)> IsIt, std::function<void(TCustomForm*)> Act);

}  // namespace corvane::test
