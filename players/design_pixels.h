// The players lay their screens out in the pixels of the 640-pixel-wide design; at run time a
// design pixel is EchellePixel pixels of the screen.
#pragma once

#include "platform/numbers.h"
#include "shell/shared_state.h"
#include "ui/controls.h"

#include <algorithm>

namespace players {

// Screen pixels per design pixel.
inline double ep() {
    return shell::shared.EchellePixel;
}

// A design-pixel position or size on the screen, rounded as a control stores it.
inline double px(double pixelsConception) {
    return double(shell::aEchellePixel(pixelsConception));
}

// The nearest Integer, halves to the even one.
inline int arrondi(double v) {
    return platform::toInteger(v);
}

// A line designed in pixels keeps its width at the screen's scale, and at least one pixel.
inline void epaisseurAEchelle(ui::Line& trait) {
    trait.setBorderWidth(std::max(1, arrondi(trait.borderWidth() * shell::shared.Echelle)));
}

} // namespace players
