// The table through which the shell and the lower screens reach the higher ones, as the program
// fills it.
#include "authoring/lesson_editor.h"
#include "authoring/sequence_editor.h"
#include "players/drawing_library.h"
#include "players/grid_player.h"
#include "players/reward_screen.h"
#include "players/sets_player.h"
#include "players/table_player.h"
#include "players/tree_player.h"
#include "records/learning_report.h"
#include "records/registration_screen.h"
#include "shell/guide_viewer.h"
#include "shell/password_prompt.h"
#include "shell/passwords_screen.h"
#include "shell/screen_openers.h"
#include "shell/settings_screen.h"
#include "shell/startup_screen.h"
#include "signin/home_screen.h"
#include "signin/lesson_choice.h"

#include <gtest/gtest.h>
#include <set>
#include <typeindex>

namespace {

using shell::Ecran;

TEST(ScreenOpeners, EveryScreenOpensItsOwnForm) {
    const struct {
        Ecran ecran;
        std::type_index type;
    } cases[] = {
        {Ecran::Accueil, typeid(signin::Feuille1)},
        {Ecran::ChoixLecons, typeid(signin::Feuille3)},
        {Ecran::Ensembles, typeid(players::Feuille4)},
        {Ecran::Arbre, typeid(players::Feuille5)},
        {Ecran::Tableau, typeid(players::Feuille6)},
        {Ecran::Amis, typeid(players::Feuille7)},
        {Ecran::Felicitations, typeid(players::felicite)},
        {Ecran::Bilan, typeid(records::resultat)},
        {Ecran::Inscriptions, typeid(records::inscription)},
        {Ecran::Sequences, typeid(authoring::sequence)},
        {Ecran::EditeurLecons, typeid(authoring::feuille20)},
        {Ecran::Dessins, typeid(players::dessins)},
        {Ecran::Demarrage, typeid(shell::depart)},
        {Ecran::Parametres, typeid(shell::parametre)},
        {Ecran::MotsDePasse, typeid(shell::motpasse)},
        {Ecran::DemandeMotDePasse, typeid(shell::motpasrep)},
        {Ecran::Guide, typeid(shell::document)},
    };
    std::set<Ecran> covered;
    for (const auto& c : cases) {
        EXPECT_EQ(shell::typeEcran(c.ecran), c.type) << static_cast<int>(c.ecran);
        covered.insert(c.ecran);
    }
    // Every screen but "none".
    EXPECT_EQ(covered.size(), static_cast<std::size_t>(shell::kNombreEcrans - 1));
    EXPECT_EQ(shell::typeEcran(Ecran::Aucun), typeid(void));
}

} // namespace
