// The library of numbered drawings: a hidden screen holding every drawing of the lessons, so that
// showing one copies a picture already in memory.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

namespace players {

class dessins : public ui::Form {
public:
    dessins();

    // Drawing n in Image1(n), n = 0 .. NumeroDessinMax.
    ui::ControlArray<ui::Image> Image1{*this};
};

// The picture of drawing `numero`, loading the library when it is not loaded yet (as referring to
// the screen by name does); an empty picture for a number the library does not hold.
ui::Picture dessinBibliotheque(long numero);

} // namespace players
