// Every screen opens and closes through this table, the shell's own included: the shell and the
// lower screens reach a higher screen without knowing it (a screen folder includes only the
// folders below it), and all of them open and close a screen the same way. The program fills it
// at start, before the first screen loads (app/). The main window is no screen of the table: it
// holds them all, and fenetrePrincipale() gives it.
#pragma once

#include "shell/screens.h"
#include "ui/form.h"

#include <functional>
#include <memory>
#include <typeindex>

namespace shell {

struct Ouvreur {
    std::type_index type = typeid(void);
    std::function<std::unique_ptr<ui::Form>()> fabriquer;
    // What the loaded screen does when a management function is about to take its place (the home
    // screen hides its card); nothing when empty.
    std::function<void(ui::Form&)> avantGestion;
};

void inscrireEcran(Ecran ecran, Ouvreur ouvreur);
template <class T> void inscrireEcran(Ecran ecran, std::function<void(T&)> avantGestion = {}) {
    Ouvreur o;
    o.type = typeid(T);
    o.fabriquer = [] { return std::make_unique<T>(); };
    if (avantGestion)
        o.avantGestion = [avantGestion](ui::Form& f) { avantGestion(static_cast<T&>(f)); };
    inscrireEcran(ecran, std::move(o));
}
// The form type the table holds for the screen (typeid(void) while it is not filled in).
std::type_index typeEcran(Ecran ecran);
// Stops the program when the table holds another form type for the screen than the code expects.
void verifierType(Ecran ecran, std::type_index attendu);

// As ui::load, ui::find and ui::unload do for a form type named in the code.
ui::Form& chargerEcran(Ecran ecran);
// The same, typed, for code that knows the screen's class.
template <class T> T& chargerEcran(Ecran ecran) {
    ui::Form& f = chargerEcran(ecran);
    verifierType(ecran, typeid(T));
    return static_cast<T&>(f);
}
ui::Form* trouverEcran(Ecran ecran);
void fermerEcran(Ecran ecran);
// Runs the screen's avantGestion when it is loaded.
void preparerGestion(Ecran ecran);

} // namespace shell
