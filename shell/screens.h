// The program's screens by name: the table of screen openers holds one form for each, and the
// shared block's current screen names the working screen shown.
#pragma once

namespace shell {

enum class Ecran {
    // No working screen: the main window has just loaded, or the next lesson is being found.
    Aucun,
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
    // The shell's own screens.
    Demarrage,
    Parametres,
    MotsDePasse,
    DemandeMotDePasse,
    Guide,
};
constexpr int kNombreEcrans = static_cast<int>(Ecran::Guide) + 1;

} // namespace shell
