#include "ui/screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <optional>

namespace ui {
namespace {

std::optional<ScreenMetrics>& fixed() {
    static std::optional<ScreenMetrics> m;
    return m;
}

class NoSwitch : public DisplayMode {
public:
    bool change(int, int) override { return false; }
};

std::unique_ptr<DisplayMode>& mode() {
    static std::unique_ptr<DisplayMode> m = std::make_unique<NoSwitch>();
    return m;
}

} // namespace

ScreenMetrics screenMetrics() {
    if (fixed()) return *fixed();
    ScreenMetrics m;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return m;
    const QRect area = screen->availableGeometry();
    // Today's displays are wide; the screens were laid out for 4:3, so the program takes the
    // largest 4:3 area that fits, and every screen still fits vertically.
    int width = area.width();
    int height = area.height();
    if (width * 3 > height * 4)
        width = height * 4 / 3;
    else
        height = width * 3 / 4;
    m.widthTwips = width * 15.0;
    m.heightTwips = height * 15.0;
    return m;
}

void setScreenMetrics(const ScreenMetrics& metrics) {
    fixed() = metrics;
}
void resetScreenMetrics() {
    fixed().reset();
}

DisplayMode& displayMode() {
    return *mode();
}
void setDisplayMode(std::unique_ptr<DisplayMode> replacement) {
    mode() = replacement ? std::move(replacement) : std::make_unique<NoSwitch>();
}

} // namespace ui
