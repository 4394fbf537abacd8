// Pieces of the runtime that its own files share.
#pragma once

namespace ui {

class Timer;
class Form;

void registerManualTimer(Timer* t);
void unregisterManualTimer(Timer* t);
// Starts the timers of a form that were enabled at design, once it has loaded.
void startFormTimers(Form* form);
// Stops every timer of a form being unloaded.
void stopFormTimers(Form* form);
// Called when the last form is unloaded while the program runs: it ends.
void noFormsLeft();

} // namespace ui
