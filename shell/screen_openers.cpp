#include "shell/screen_openers.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace shell {
namespace {

std::array<Ouvreur, kNombreEcrans>& table() {
    static std::array<Ouvreur, kNombreEcrans> ouvreurs;
    return ouvreurs;
}

Ouvreur& ouvreur(Ecran ecran) {
    return table()[static_cast<std::size_t>(ecran)];
}

} // namespace

void inscrireEcran(Ecran ecran, Ouvreur o) {
    ouvreur(ecran) = std::move(o);
}

std::type_index typeEcran(Ecran ecran) {
    return ouvreur(ecran).type;
}

void verifierType(Ecran ecran, std::type_index attendu) {
    if (typeEcran(ecran) == attendu) return;
    std::fprintf(stderr, "The screen %d is not the form its caller names.\n",
                 static_cast<int>(ecran));
    std::abort();
}

ui::Form& chargerEcran(Ecran ecran) {
    const Ouvreur& o = ouvreur(ecran);
    if (ui::Form* f = ui::findForm(o.type)) return *f;
    if (!o.fabriquer) {
        // A program that never filled its table cannot go on: every later screen would be missing.
        std::fprintf(stderr, "The screen %d was opened before the program named it.\n",
                     static_cast<int>(ecran));
        std::abort();
    }
    std::unique_ptr<ui::Form> made = o.fabriquer();
    ui::Form& f = *made;
    ui::loadForm(o.type, std::move(made));
    return f;
}

ui::Form* trouverEcran(Ecran ecran) {
    return ui::findForm(ouvreur(ecran).type);
}

void fermerEcran(Ecran ecran) {
    if (ui::Form* f = trouverEcran(ecran)) ui::unloadForm(f);
}

void preparerGestion(Ecran ecran) {
    const Ouvreur& o = ouvreur(ecran);
    if (ui::Form* f = trouverEcran(ecran); f && o.avantGestion) o.avantGestion(*f);
}

} // namespace shell
