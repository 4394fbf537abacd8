// What the program knows of the screen, and the display-mode switch. Both are services that
// tests replace, so that every screen can be tried at 640 x 480, 800 x 600 or 1024 x 768.
#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

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

// A size in pixels, as xrandr writes a mode ("1024x768").
struct PixelSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// What `xrandr -q` says of the display: the screen's current size, and the modes listed under
// its outputs. An output reported disconnected and showing no position drives nothing, so the
// modes it may still list are not offered.
struct RandrQuery {
    PixelSize current;
    std::vector<PixelSize> modes;
    bool offers(PixelSize size) const;
};

// Reads the text of `xrandr -q`; nothing when it tells no current size (an empty or odd text).
std::optional<RandrQuery> parseRandrQuery(std::string_view text);

// The display-mode service: the desktop one switches through X RandR where it can (and puts the
// former mode back when the program ends); the default one reports that nothing was switched.
DisplayMode& displayMode();
// An empty replacement puts back the one that never switches.
void setDisplayMode(std::unique_ptr<DisplayMode> replacement);
std::unique_ptr<DisplayMode> makeNoDisplaySwitch();
std::unique_ptr<DisplayMode> makeDesktopDisplayMode();

} // namespace ui
