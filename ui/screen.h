// What the program knows of the screen, and the display-mode switch. Both are services that
// tests replace, so that every screen can be tried at 640 x 480, 800 x 600 or 1024 x 768.
#pragma once

#include <memory>

namespace ui {

struct ScreenMetrics {
    double widthTwips = 9600;
    double heightTwips = 7200;
    double twipsPerPixelX = 15;
    double twipsPerPixelY = 15;
};

// The screen as the program sees it: the largest 4:3 area that fits the desktop's available
// area, at 15 twips per pixel, unless a test set other metrics.
ScreenMetrics screenMetrics();
// Fixes the metrics (tests; also after a display switch). `resetScreenMetrics` goes back to
// measuring the desktop.
void setScreenMetrics(const ScreenMetrics& metrics);
void resetScreenMetrics();

class DisplayMode {
public:
    virtual ~DisplayMode() = default;
    // Switches the display to width x height pixels; false when nothing was switched.
    virtual bool change(int width, int height) = 0;
};

// The display-mode service: the desktop one switches through X RandR where it can (and puts the
// former mode back when the program ends); the default one reports that nothing was switched.
DisplayMode& displayMode();
// An empty replacement puts back the one that never switches.
void setDisplayMode(std::unique_ptr<DisplayMode> replacement);
std::unique_ptr<DisplayMode> makeNoDisplaySwitch();
std::unique_ptr<DisplayMode> makeDesktopDisplayMode();

} // namespace ui
