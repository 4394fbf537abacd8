#include "players/drawing_library.h"

#include "assets/pictures.h"
#include "shell/screen_openers.h"

namespace players {

namespace {

constexpr int kDessinsParRangee = 25;
constexpr double kPas = 360;

} // namespace

dessins::dessins() {
    setCaption("Form1");
    moveForm(0, 0, 6645, 4140);
    for (int n = 0; n <= tavrel_assets::kLastDrawing; ++n) {
        ui::Image& image = Image1.add(n);
        image.move(kPas * (n % kDessinsParRangee), kPas * (n / kDessinsParRangee), 390, 375);
        image.setStretch(true);
        image.setVisible(false);
        // Each drawing is parsed the first time a screen shows it, and stays parsed: loading
        // the library parses nothing, and a drawing no lesson shows costs no memory.
        image.setPicture(ui::Picture::fromSvgOnFirstUse(tavrel_assets::drawingSvg(n)));
    }
}

ui::Picture dessinBibliotheque(long numero) {
    if (numero < 0 || numero > tavrel_assets::kLastDrawing) return {};
    dessins& bibliotheque = shell::chargerEcran<dessins>(shell::Ecran::Dessins);
    if (!bibliotheque.Image1.exists(int(numero))) return {};
    return bibliotheque.Image1[int(numero)].picture();
}

} // namespace players
