#include "ui/screen.h"

#include "ui/runtime.h"
#include "ui/system_scale.h"

#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <algorithm>
#include <charconv>
#include <string>

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
        const PixelSize wanted{width, height};
        const auto before = parseRandrQuery(run({QStringLiteral("-q")}));
        if (!before) return false;
        if (before->current == wanted) return true;
        if (!before->offers(wanted)) return false;
        if (original_.isEmpty()) {
            original_ = modeName(before->current);
            addEndHook([this] {
                if (!original_.isEmpty()) run({QStringLiteral("-s"), original_});
            });
        }
        run({QStringLiteral("-s"), modeName(wanted)});
        const auto after = parseRandrQuery(run({QStringLiteral("-q")}));
        return after && after->current == wanted;
    }

private:
    static QString modeName(PixelSize size) {
        return QStringLiteral("%1x%2").arg(size.width).arg(size.height);
    }
    static std::string run(const QStringList& args) {
        QProcess p;
        p.start(QStringLiteral("xrandr"), args);
        if (!p.waitForFinished(5000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            return {};
        return p.readAllStandardOutput().toStdString();
    }
    QString original_;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The words of a line of xrandr's text, one after the other; an empty one at the end.
class Words {
public:
    explicit Words(std::string_view text) : rest_(text) {}
    std::string_view next() {
        while (!rest_.empty() && isBlank(rest_.front())) rest_.remove_prefix(1);
        std::size_t length = 0;
        while (length < rest_.size() && !isBlank(rest_[length])) ++length;
        const std::string_view word = rest_.substr(0, length);
        rest_.remove_prefix(length);
        return word;
    }

private:
    std::string_view rest_;
};

// Digits only, and a number an int holds.
std::optional<int> number(std::string_view digits) {
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), isDigit)) return std::nullopt;
    int value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (result.ec != std::errc{}) return std::nullopt; // beyond an int
    return value;
}

// "1024x768" and nothing more: a mode named otherwise ("1920x1080i", "800x600_60.00") is not
// one that `xrandr -s` takes by its size.
std::optional<PixelSize> modeSize(std::string_view word) {
    const auto x = word.find('x');
    if (x == std::string_view::npos) return std::nullopt;
    const auto width = number(word.substr(0, x));
    const auto height = number(word.substr(x + 1));
    if (!width || !height) return std::nullopt;
    return PixelSize{*width, *height};
}

// "1024 x 768" at the start of the text, as the screen's line writes sizes.
std::optional<PixelSize> spacedSize(std::string_view text) {
    Words words(text);
    const auto width = number(words.next());
    const bool by = words.next() == "x";
    std::string_view last = words.next();
    if (!last.empty() && last.back() == ',') last.remove_suffix(1);
    const auto height = number(last);
    if (!width || !by || !height) return std::nullopt;
    return PixelSize{*width, *height};
}

std::unique_ptr<DisplayMode>& mode() {
    static std::unique_ptr<DisplayMode> m = std::make_unique<RandrSwitch>();
    return m;
}

} // namespace

bool RandrQuery::offers(PixelSize size) const {
    return std::find(modes.begin(), modes.end(), size) != modes.end();
}

std::optional<RandrQuery> parseRandrQuery(std::string_view text) {
    std::optional<RandrQuery> query;
    bool outputInUse = false;
    while (!text.empty()) {
        const std::string_view line = text.substr(0, text.find('\n'));
        text.remove_prefix(std::min(line.size() + 1, text.size()));
        Words words(line);
        const std::string_view first = words.next();
        if (first.empty()) continue;
        if (first == "Screen") {
            // "Screen 0: minimum 8 x 8, current 1024 x 768, maximum 32767 x 32767". Only the
            // first screen is the program's; the outputs of any other are out of its reach.
            if (query) break;
            constexpr std::string_view kCurrent = ", current ";
            const auto at = line.find(kCurrent);
            if (at == std::string_view::npos) continue;
            if (const auto size = spacedSize(line.substr(at + kCurrent.size())))
                query = RandrQuery{*size, {}};
        } else if (!isBlank(line.front())) {
            // "VGA-1 connected primary 1024x768+0+0 (normal left ...) 340mm x 260mm", or
            // "HDMI-1 disconnected (normal left ...)".
            const std::string_view state = words.next();
            std::string_view placed = words.next();
            if (placed == "primary") placed = words.next();
            outputInUse = state != "disconnected" || (!placed.empty() && isDigit(placed.front()));
        } else if (query && outputInUse) {
            // "   1024x768      60.00*+  75.03" (the current mode marked "*", the preferred "+").
            if (const auto mode = modeSize(first)) query->modes.push_back(*mode);
        }
    }
    return query;
}

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
