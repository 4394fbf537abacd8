#include "shell/main_window.h"

#include "assets/pictures.h"
#include "shell/file_routines.h"
#include "shell/password_prompt.h"
#include "shell/routines.h"
#include "shell/screen_openers.h"
#include "shell/shades.h"
#include "shell/shared_state.h"
#include "ui/msgbox.h"

namespace shell {

namespace {

using namespace shell::shades;
constexpr double kLargeur = 9600;
constexpr double kHauteur = 7200;

ui::Picture imageEcran(const char* nom) {
    return ui::Picture::fromData(tavrel_assets::screenPicture(nom), std::string(nom) + ".svg");
}

// The help of each working screen; empty for the screens that have none.
std::string texteAide(shell::Ecran ecran) {
    const std::string& fl = shared.FinLigne;
    const std::string fin =
        fl + fl +
        cp("Quand l'exercice est terminé, cliquer sur le bouton CONTINUE avec la souris.");
    switch (ecran) {
    case shell::Ecran::Accueil:
        return cp("Remplir la fiche en indiquant d'abord") + fl +
               cp("numéro d'un groupe entre 0 et 99.") + fl + fl +
               cp("Écrire ensuite ton prénom et ton nom.") + fl + fl +
               cp("Après chaque information, appuyer sur") + fl + cp("la touche TAB ou ENTER.") +
               fl;
    case shell::Ecran::Ensembles:
        return cp("Cette activité présente des ensembles vides.") + fl +
               cp("Une étiquette indique la caractérisque des éléments que chacun peut "
                  "contenir.") +
               fl + fl +
               cp("L'élève doit cliquer sur chaque dessin et le placer à l'endroit qui convient.") +
               fin;
    case shell::Ecran::Arbre:
        return cp("Cette activité présente un arbre dont la caractéristique de chaque branche est "
                  "illustrée ou écrite.") +
               fl + fl +
               cp("L'élève doit cliquer sur chaque dessin placé au bas de l'écran et le placer à "
                  "l'endroit qui convient.") +
               fin;
    case shell::Ecran::Tableau:
        return cp("Cette activité présente un tableau.  La caractéristique de chaque colonne et "
                  "rangée est illustrée ou écrite.") +
               fl + fl +
               cp("L'élève doit cliquer sur chaque dessin présenté à gauche et le placer dans la "
                  "case qui convient.") +
               fin;
    case shell::Ecran::Amis:
        return cp("Cette activité présente un graphique.  La relation entre les informations de "
                  "colonne de gauche et de la rangée du haut est décrite dans le coin gauche "
                  "supérieur.") +
               fl + fl +
               cp("L'élève doit placer un jeton sur toutes les cases où la relation décrite est "
                  "vraie.  ") +
               fin;
    default: return "";
    }
}

// What a moment does to one menu.
enum class Etat : unsigned char {
    Garde,
    Oui,
    Non,
    // Open when the pupil may choose an activity himself.
    Activites,
    // Open as MenuBilanActif says.
    SelonBilan,
};

struct EtatsMenus {
    Etat quitter, redemarrer, lecons, bilan, gestionnaire, guide, aide;
};

EtatsMenus etatsDuMoment(shell::MomentMenus moment) {
    using M = shell::MomentMenus;
    constexpr Etat g = Etat::Garde, oui = Etat::Oui, non = Etat::Non;
    constexpr Etat choix = Etat::Activites, suivi = Etat::SelonBilan;
    // clang-format off
    switch (moment) {
    //                                     Quitter Redém. Leçons Bilan  Gest.  Guide  Aide
    case M::AccueilOuvert:         return {oui,    g,     choix, g,     oui,   oui,   oui};
    case M::CarteEnvoyee:          return {g,      g,     g,     non,   g,     g,     g};
    case M::EleveAuTravail:        return {g,      g,     g,     g,     non,   non,   g};
    case M::ActiviteEngagee:       return {g,      g,     non,   g,     non,   non,   g};
    case M::LeconOuverte:          return {g,      g,     non,   g,     non,   non,   oui};
    case M::JoueurOccupe:          return {g,      g,     g,     non,   g,     g,     g};
    case M::BilanSuivi:            return {g,      g,     g,     suivi, g,     g,     g};
    case M::Felicitations:         return {g,      g,     g,     non,   g,     g,     non};
    case M::Gestion:               return {non,    g,     non,   non,   non,   non,   non};
    case M::Parametres:            return {oui,    g,     g,     g,     g,     g,     g};
    case M::PremiereUtilisation:   return {oui,    non,   non,   non,   non,   non,   non};
    case M::ParametresEnregistres: return {g,      oui,   g,     g,     g,     g,     g};
    }
    // clang-format on
    return {g, g, g, g, g, g, g};
}

void appliquer(ui::MenuItem& menu, Etat etat) {
    const shell::SharedState& s = shared;
    switch (etat) {
    case Etat::Garde: return;
    case Etat::Oui: menu.setEnabled(true); return;
    case Etat::Non: menu.setEnabled(false); return;
    case Etat::Activites: menu.setEnabled(shell::activitesAuChoix()); return;
    case Etat::SelonBilan: menu.setEnabled(s.MenuBilanActif != shell::kFaux); return;
    }
}

} // namespace

MDI1::MDI1() {
    setCaption("TAVREL");
    moveForm(0, 0, kLargeur, kHauteur);
    setWindowState(ui::vbMaximized);
    setIcon(imageEcran(tavrel_assets::pic::kProgramIcon));

    for (int i = 0; i < 2; ++i) {
        ui::PictureBox& visage = image2.add(i);
        visage.move(0, 0, 480, 480);
        visage.setBorderStyle(0);
        visage.setVisible(false);
    }
    image2[0].setPicture(imageEcran(tavrel_assets::pic::kHappyFace));
    image2[1].setPicture(imageEcran(tavrel_assets::pic::kSadFace));
    Image5.move(0, 0, 855, 975);
    Image5.setBorderStyle(0);
    Image5.setBackColor(kTurquoise);
    Image5.setScaleMode(ui::vbPixels);
    Image5.setVisible(false);
    Image5.setPicture(imageEcran(tavrel_assets::pic::kExitDoor));

    quitter.add(0, cp("&Redémarrer le logiciel"));
    quitter.add(1, "&Quitter le logiciel");
    for (int i = 0; i < 12; ++i) activite.add(i, shared.TitresActivites[i]);
    for (int i = 0; i < 12; ++i) exercice.add(i, shared.TitresActivites[i]);
    infor.add(1, "&Guide et annexes");
    total.setVisible(false);

    quitter.setClick([this](int i) { quitter_Click(i); });
    activite.setClick([this](int i) { activite_Click(i); });
    bilan.Click = [this](int) { bilan_Click(); };
    aide.Click = [this](int) { aide_Click(); };
    gestion.setClick([this](int i) { gestion_Click(i); });
    exercice.setClick([this](int i) { exercice_Click(i); });
    infor.setClick([this](int i) { infor_Click(i); });
}

ui::MenuItem& MDI1::ajouterMenuGestion() {
    gestion.add(0, "&Inscrire des utilisateurs");
    gestion.add(1, "&Supprimer des inscriptions");
    gestion.add(2, "&Modifier des inscriptions");
    gestion.add(3, cp("&Afficher les résultats "));
    gestion.add(4, "-");
    gestion.add(5, cp("Modifier les &paramètres"));
    ui::MenuItem& lecons = gestion.add(6, cp("Modifier des &leçons"));
    gestion.add(7, cp("Créer une sé&quence de leçons"));
    gestion.add(8, "Modifier le m&ot de passe");
    return lecons;
}

void MDI1::Form_Load() {
    shell::InitialiserGlobales();
    shell::CalculerEchelle();
    // Maximised: this is only the size the window takes when it is restored.
    moveForm(0, 0, kLargeur * shared.Echelle, kHauteur * shared.Echelle);
    shared.EcranCourant = shell::Ecran::Aucun;
    for (int i = 0; i < 12; ++i) {
        activite[i].setCaption(shared.TitresActivites[i]);
        exercice[i].setCaption(cp("de l'activité «") + shared.TitresActivites[i] + cp("»"));
    }
}

void MDI1::actualiserMenus(shell::MomentMenus moment) {
    const EtatsMenus e = etatsDuMoment(moment);
    appliquer(quitte, e.quitter);
    appliquer(quitter[0], e.redemarrer);
    appliquer(Lecons, e.lecons);
    appliquer(bilan, e.bilan);
    appliquer(gestionnaire, e.gestionnaire);
    appliquer(infor[1], e.guide);
    appliquer(aide, e.aide);
}

void MDI1::activite_Click(int index) {
    shell::FermerEleve();
    shared.Activite = static_cast<shell::Integer>(index);
    actualiserMenus(shell::MomentMenus::ActiviteEngagee);
    shell::chargerEcran(shell::Ecran::ChoixLecons);
    shell::arrangerFenetres();
    shell::fermerEcran(shell::Ecran::Accueil);
}

void MDI1::bilan_Click() {
    shell::fermerEcran(shell::Ecran::Bilan);
    shell::chargerEcran(shell::Ecran::Bilan);
}

void MDI1::quitter_Click(int index) {
    if (shared.EleveActif && !shared.CheminFichierEleve.empty()) {
        shell::EcrireFichierEleve(shared.CheminFichierEleve);
        shared.EleveActif = shell::kFaux;
    }
    shell::AfficherBilanDuJour();
    if (index == 1) {
        shell::QuitterLogiciel();
        return;
    }
    // Restart: the settings, passwords and rights stay; the password level is forgotten.
    shared.NiveauAcces = 0;
    shell::FermerEleve();
    shell::InitialiserGlobales();
    ui::unloadForm(this);
    fenetrePrincipale();
    shell::revenirAccueil();
}

void MDI1::Form_QueryUnload(int& /*cancel*/, int unloadMode) {
    if (shared.EleveActif && !shared.CheminFichierEleve.empty()) {
        shell::EcrireFichierEleve(shared.CheminFichierEleve);
        shared.EleveActif = shell::kFaux;
        shell::AfficherBilanDuJour();
    }
    if (unloadMode == ui::vbFormControlMenu) shell::QuitterLogiciel();
}

void MDI1::aide_Click() {
    if (shared.EcranCourant == shell::Ecran::ChoixLecons) {
        shell::AideChoixLecons();
        return;
    }
    const std::string texte = texteAide(shared.EcranCourant);
    if (!texte.empty()) ui::msgBox(texte, ui::vbExclamation, shared.TitreMessage);
}

void MDI1::gestion_Click(int index) {
    shell::SharedState& s = shared;
    // The separator, and the submenu of the lesson editors whose opening comes here: nothing is
    // chosen yet, so the pupil's work stays as it is.
    if (index == 4 || index == 6) return;
    s.CodeFonction = static_cast<shell::Integer>(index);
    s.NiveauRequis =
        index == 8 ? shell::niveauMotsDePasse() : shell::droitDuMenu(index < 5 ? index + 1 : index);
    ouvrirOuDemander(index);
}

void MDI1::exercice_Click(int index) {
    shell::SharedState& s = shared;
    s.CodeFonction = static_cast<shell::Integer>(index + shell::kFonctionEditeur);
    s.NiveauRequis = shell::droitDuMenu(6);
    ouvrirOuDemander(index);
}

void MDI1::infor_Click(int /*index*/) {
    shell::SharedState& s = shared;
    s.CodeFonction = shell::kFonctionGuide;
    s.NiveauRequis = shell::niveauMotsDePasse();
    ouvrirOuDemander(shell::kFonctionGuide);
}

// The pupil's work is saved and closed by the dispatch only once the access is granted: a
// refusal, at once or after the prompt, leaves him signed in as he was.
void MDI1::ouvrirOuDemander(int element) {
    shell::SharedState& s = shared;
    if (shell::fonctionOuverte(s.CodeFonction, s.NiveauRequis)) {
        shell::Integer item = static_cast<shell::Integer>(element);
        shell::OuvrirFonctionGestion(s.CodeFonction, item);
    } else {
        shell::chargerEcran<motpasrep>(shell::Ecran::DemandeMotDePasse).Texte1.setFocus();
    }
}

MDI1& fenetrePrincipale() {
    return ui::load<MDI1>();
}

} // namespace shell
