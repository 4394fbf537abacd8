#include "ui/style.h"

#include "ui/text.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <cmath>

namespace ui {

QFont qfont(const Font& font) {
    QFont f(qs(font.name));
    // 96 dpi: one point is 4/3 pixel. Pixel sizes are whole numbers in Qt; rounding the scaled
    // size keeps text within the boxes the screens computed.
    const double pixels = font.size * 96.0 / 72.0;
    f.setPixelSize(std::max(1, int(std::lround(pixels))));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikethrough);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

bool fontAvailable(const std::string& name) {
    if (name.empty()) return false;
    QFont f(qs(name));
    f.setStyleStrategy(QFont::NoFontMerging);
    const QString resolved = QFontInfo(f).family();
    if (resolved.compare(qs(name), Qt::CaseInsensitive) == 0) return true;
    // fontconfig substitutes metric-compatible families for the Windows names.
    static const char* const kSubstitutes[][2] = {{"Arial", "Liberation Sans"},
                                                  {"Times New Roman", "Liberation Serif"},
                                                  {"Courier New", "Liberation Mono"}};
    for (const auto& pair : kSubstitutes) {
        if (qs(name).compare(QLatin1String(pair[0]), Qt::CaseInsensitive) == 0)
            return resolved.startsWith(QLatin1String(pair[1]), Qt::CaseInsensitive);
    }
    return QFontDatabase::families().contains(qs(name), Qt::CaseInsensitive);
}

} // namespace ui
