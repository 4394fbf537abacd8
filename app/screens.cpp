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
    shell::inscrireEcran<Feuille1>(Ecran::Accueil, [](Feuille1& f) { f.cacherCarte(); });
    shell::inscrireEcran<Feuille3>(Ecran::ChoixLecons);
    shell::inscrireEcran<Feuille4>(Ecran::Ensembles);
    shell::inscrireEcran<Feuille5>(Ecran::Arbre);
    shell::inscrireEcran<Feuille6>(Ecran::Tableau);
    shell::inscrireEcran<Feuille7>(Ecran::Amis);
    shell::inscrireEcran<felicite>(Ecran::Felicitations);
    shell::inscrireEcran<resultat>(Ecran::Bilan);
    shell::inscrireEcran<inscription>(Ecran::Inscriptions);
    shell::inscrireEcran<sequence>(Ecran::Sequences);
    shell::inscrireEcran<feuille20>(Ecran::EditeurLecons);
    shell::inscrireEcran<dessins>(Ecran::Dessins);
    shell::inscrireEcran<depart>(Ecran::Demarrage);
    shell::inscrireEcran<parametre>(Ecran::Parametres);
    shell::inscrireEcran<motpasse>(Ecran::MotsDePasse);
    shell::inscrireEcran<motpasrep>(Ecran::DemandeMotDePasse);
    shell::inscrireEcran<document>(Ecran::Guide);
}

} // namespace app
