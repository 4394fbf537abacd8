// The screens above the shell, which the shell and the lower screens open, find and close without
// knowing them: a screen folder includes only the folders below it, and reaches a higher screen
// through this table. The program fills it at start, before the first screen loads (app/).
#pragma once

#include "ui/form.h"

#include <functional>
#include <memory>
#include <typeindex>

namespace shell {

enum class Ecran {
    Accueil,
    ChoixLecons,
    // The four players, in the order of the activities (an activity's player is activity % 4).
    Ensembles,
    Arbre,
    Tableau,
    Amis,
    Felicitations,
    Bilan,
    Inscriptions,
    Sequences,
    EditeurLecons,
    Dessins,
};
constexpr int kNombreEcrans = static_cast<int>(Ecran::Dessins) + 1;

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

// As ui::load, ui::find and ui::unload do for a form type named in the code.
ui::Form& chargerEcran(Ecran ecran);
ui::Form* trouverEcran(Ecran ecran);
void fermerEcran(Ecran ecran);
// Runs the screen's avantGestion when it is loaded.
void preparerGestion(Ecran ecran);

} // namespace shell
