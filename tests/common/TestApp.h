#pragma once
// One Qt application object for a test executable (widgets, palette and fonts need it).
#include <functional>
#include <string>

namespace corvane::test {

void EnsureApplication();
// Runs the event loop for the given time, so queued work (synchronised calls, paints) happens.
void PumpEvents(int milliseconds);
// Runs the event loop until done() holds or the time runs out; false on time-out.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 60000);
// Runs the event loop until all work posted before the call (posted messages, zero timers, deferred
// deletes of forms) has been handled: what has not happened by then will not come from that work.
void PumpPosted();
// A fresh empty folder under the build's temporary area, removed by the caller when wanted.
std::string MakeTempDir(const std::string& prefix);

}  // namespace corvane::test
