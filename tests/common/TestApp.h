#pragma once
// One Qt application object for a test executable (widgets, palette and fonts need it).
#include <functional>
#include <limits>
#include <string>

namespace corvane::test {

// The bound of a wait for what must come (a window shown, a process started or ended, a server ready):
// as long as the test's own time-out allows, which catches a hang and names the test. Only a check that
// nothing happened gives up sooner, after several seconds.
inline constexpr int kUntilTheTestTimesOut = std::numeric_limits<int>::max();

void EnsureApplication();
// Runs the event loop for the given time, so queued work (synchronised calls, paints) happens.
void PumpEvents(int milliseconds);
// Runs the event loop until done() holds or the time runs out; false on time-out.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = kUntilTheTestTimesOut);
// Runs the event loop until all work posted before the call (posted messages, zero timers, deferred
// deletes of forms) has been handled: what has not happened by then will not come from that work.
void PumpPosted();
// A fresh empty folder under the build's temporary area, removed by the caller when wanted.
std::string MakeTempDir(const std::string& prefix);

}  // namespace corvane::test
