// Colours and fonts as the screens give them.
#pragma once

#include "ui/palette.h"

#include <QColor>
#include <QFont>
#include <string>

namespace ui {

inline QColor qcolour(Colour bgr) {
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}
inline Colour colourOf(const QColor& c) {
    return Colour(c.red()) | (Colour(c.green()) << 8) | (Colour(c.blue()) << 16);
}

// System colours that Windows would choose.
constexpr Colour kButtonFace = 0xC0C0C0;
constexpr Colour kWindow = 0xFFFFFF;
constexpr Colour kWindowText = 0x000000;
constexpr Colour kAppWorkspace = 0x808080;

struct Font {
    std::string name = "Arial";
    double size = 8.25; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    bool operator==(const Font&) const = default;
};

// Arial, the screens' font, bold unless told otherwise.
inline Font arial(double size, bool bold = true) {
    Font f;
    f.size = size;
    f.bold = bold;
    return f;
}

// A Qt font of the given points at the runtime's fixed 96 dpi (15 twips per pixel), whatever the
// display says, so that text keeps the size the screens were laid out for.
QFont qfont(const Font& font);
// Whether the system resolves the font name to an installed family (the substitutes count).
bool fontAvailable(const std::string& name);

} // namespace ui
