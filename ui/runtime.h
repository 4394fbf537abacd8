// Time, waits and the end of the program, on the runtime's clock.
#pragma once

#include "platform/clock.h"

#include <functional>

namespace ui {

// Seconds since midnight, with fractions, single precision as the screens expect.
float timeOfDay();

// Waits `seconds`: repaints what is on the screen first, handles no event meanwhile and sleeps
// on the monotonic clock (a wait across midnight still ends on time). On a manual clock it
// returns at once, the clock having moved forward by the wait.
void pause(double seconds);

// Lets the queued events through (clicks, repaints, deferred deletions), like DoEvents.
void yield();

// Ends the program at once: the end hooks run (display mode restored), then the process exits
// with no further events, even before the event loop has started. Under a test's end handler it
// returns, so every caller returns at once after it.
void end();
void addEndHook(std::function<void()> hook);
// Tests: what end() does instead of exiting the process.
void setEndHandler(std::function<void()> handler);

// When the system asks the program to stop (SIGTERM at shutdown, SIGHUP when the session
// closes, SIGINT), `handler` runs on the event loop, like any other event, instead of the
// process dying where it stands: the program can still save what it holds and put the display
// back. A signal that comes while the handler runs is ignored. An empty handler gives the
// signals back their default action.
void onTerminationSignal(std::function<void()> handler);

// The program ends when its last form is unloaded (set by the program, not by tests).
void setEndWhenNoForms(bool e);

// Tests: runs the program's timers on a manual clock; `advance` moves it forward and fires every
// timer that falls due, in time order, each after the queued events.
platform::ManualClock& useManualClock();
void useSystemClock();
bool manualClockInUse();
void advance(std::int64_t ms);

} // namespace ui
