#include "ui/screen.h"

#include "ui/runtime.h"
#include "ui/system_scale.h"

#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
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

// Switches the X display with the xrandr tool, where there is one and the display offers the
// mode; the mode found at the first switch comes back when the program ends, whatever happens.
class RandrSwitch : public DisplayMode {
public:
    bool change(int width, int height) override {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) return false;
        const QString wanted = QStringLiteral("%1x%2").arg(width).arg(height);
        const QString modes = run({QStringLiteral("-q")});
        if (modes.isEmpty()) return false;
        const auto current =
            QRegularExpression(QStringLiteral("current (\\d+) x (\\d+)")).match(modes);
        if (!current.hasMatch()) return false;
        const QString now = current.captured(1) + QLatin1Char('x') + current.captured(2);
        if (now == wanted) return true;
        if (!modes.contains(QRegularExpression(QStringLiteral("\\b%1\\b").arg(wanted))))
            return false;
        if (original_.isEmpty()) {
            original_ = now;
            addEndHook([this] {
                if (!original_.isEmpty()) run({QStringLiteral("-s"), original_});
            });
        }
        run({QStringLiteral("-s"), wanted});
        return run({QStringLiteral("-q")})
            .contains(QStringLiteral("current %1 x %2").arg(width).arg(height));
    }

private:
    static QString run(const QStringList& args) {
        QProcess p;
        p.start(QStringLiteral("xrandr"), args);
        if (!p.waitForFinished(5000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            return {};
        return QString::fromLocal8Bit(p.readAllStandardOutput());
    }
    QString original_;
};

std::unique_ptr<DisplayMode>& mode() {
    static std::unique_ptr<DisplayMode> m = std::make_unique<RandrSwitch>();
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
    followScreenSize();
}
void resetScreenMetrics() {
    fixed().reset();
    followScreenSize();
}

DisplayMode& displayMode() {
    return *mode();
}
void setDisplayMode(std::unique_ptr<DisplayMode> replacement) {
    mode() = replacement ? std::move(replacement) : std::make_unique<NoSwitch>();
}

std::unique_ptr<DisplayMode> makeNoDisplaySwitch() {
    return std::make_unique<NoSwitch>();
}
std::unique_ptr<DisplayMode> makeDesktopDisplayMode() {
    return std::make_unique<RandrSwitch>();
}

} // namespace ui
