#include "ui/text_fit.h"

#include "ui/control.h"

#include <algorithm>

namespace ui {

namespace {

double widest(const Container& c, std::initializer_list<std::string> texts) {
    double w = 0;
    for (const std::string& t : texts) w = std::max(w, c.textWidth(t));
    return w;
}

} // namespace

bool fitFontToWidth(Container& c, std::initializer_list<std::string> texts, double width,
                    double from, double floor) {
    double size = from;
    c.setFontSize(size);
    while (widest(c, texts) > width) {
        // Sizes below one point make no text at all.
        if (size - 1 < floor || size - 1 < 1) return false;
        size -= 1;
        c.setFontSize(size);
    }
    return true;
}

} // namespace ui
