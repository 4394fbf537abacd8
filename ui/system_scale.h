// The system's own parts (menu bar and menus, message boxes and their buttons, check-box and
// option-button indicators, focus frames, scroll bars, window frames) grow with the screen as the
// screens do, and the screens' 4:3 area stands in the middle of a wider window.
#pragma once

#include <QColor>
#include <QRect>
#include <QSize>
#include <functional>

class QWidget;

namespace ui {

// The factor the screens grow by: the screen's width over 640 pixels, between 1 and 3.2.
double screenGrowth();

// Brings the application's font and style to the current screen's size (nothing when they are
// there already). The runtime calls it as windows come up; a display switch is followed.
void followScreenSize();

// The 4:3 area the screens are laid out in, centred inside `outer` (as large as the screen's
// metrics say, never larger than `outer`).
QRect screenArea(QSize outer);

// A top-level window that holds `screen` in its 4:3 area, the rest painted in the screen's own
// background colour (`colour` tells it): a maximised screen on a wide display stands in the
// middle.
QWidget* makeStage(QWidget* screen, std::function<QColor()> colour);

} // namespace ui
