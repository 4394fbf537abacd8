#include "app/screens.h"

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

namespace app {

void inscrireEcrans() {
    using shell::Ecran;
    shell::inscrireEcran<signin::Feuille1>(Ecran::Accueil,
                                           [](signin::Feuille1& f) { f.cacherCarte(); });
    shell::inscrireEcran<signin::Feuille3>(Ecran::ChoixLecons);
    shell::inscrireEcran<players::Feuille4>(Ecran::Ensembles);
    shell::inscrireEcran<players::Feuille5>(Ecran::Arbre);
    shell::inscrireEcran<players::Feuille6>(Ecran::Tableau);
    shell::inscrireEcran<players::Feuille7>(Ecran::Amis);
    shell::inscrireEcran<players::felicite>(Ecran::Felicitations);
    shell::inscrireEcran<records::resultat>(Ecran::Bilan);
    shell::inscrireEcran<records::inscription>(Ecran::Inscriptions);
    shell::inscrireEcran<authoring::sequence>(Ecran::Sequences);
    shell::inscrireEcran<authoring::feuille20>(Ecran::EditeurLecons);
    shell::inscrireEcran<players::dessins>(Ecran::Dessins);
    shell::inscrireEcran<shell::depart>(Ecran::Demarrage);
    shell::inscrireEcran<shell::parametre>(Ecran::Parametres);
    shell::inscrireEcran<shell::motpasse>(Ecran::MotsDePasse);
    shell::inscrireEcran<shell::motpasrep>(Ecran::DemandeMotDePasse);
    shell::inscrireEcran<shell::document>(Ecran::Guide);
}

} // namespace app
