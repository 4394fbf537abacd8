// The rule every screen applies to itself when it loads: its size, its font and every control's
// place, size and font grow with the screen.
#pragma once

namespace ui {

class Form;

// Multiplies the form's width, height and font size, and every control's left, top, width,
// height and font size (controls inside frames and picture boxes included), by `factor`.
// Timers and menus are not scaled; the form's own position is left to the screen.
void scaleForm(Form& form, double factor);

} // namespace ui
