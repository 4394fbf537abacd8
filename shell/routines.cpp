#include "shell/routines.h"

#include "formats/lesson_catalogue.h"
#include "formats/lesson_record.h"
#include "formats/lesson_scores.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/random.h"
#include "shell/display_mode.h"
#include "shell/file_routines.h"
#include "shell/main_window.h"
#include "shell/screen_openers.h"
#include "shell/shared_state.h"
#include "ui/msgbox.h"
#include "ui/runtime.h"

#include <algorithm>

namespace shell {
namespace {

// Entry `position` (from 0) of a lesson list: the activity and the lesson number its two
// characters give; nothing when the list has no whole entry there.
struct Entree {
    Integer activite;
    Integer lecon;
};
bool entreeDe(const std::string& liste, Integer position, Entree& entree) {
    if (position < 0) return false;
    const std::size_t p = static_cast<std::size_t>(position) * 2;
    if (p + 1 >= liste.size()) return false;
    entree.activite = static_cast<Integer>(static_cast<unsigned char>(liste[p]) - 65);
    entree.lecon = static_cast<Integer>(static_cast<unsigned char>(liste[p + 1]) - 100);
    return true;
}

bool codeValide(const Entree& e) {
    return e.activite >= 0 && e.activite < formats::kActivityCount && e.lecon >= 1 &&
           e.lecon <= formats::kLessonsPerActivity;
}

bool enregistrementVide() {
    return formats::isBlankRecord(shared.Enregistrement);
}

void chargerLecteur(Integer activite) {
    switch (formats::kindOf(activite)) {
    case formats::Kind::Sets: chargerEcran(Ecran::Ensembles); break;
    case formats::Kind::Tree: chargerEcran(Ecran::Arbre); break;
    case formats::Kind::Table: chargerEcran(Ecran::Tableau); break;
    case formats::Kind::Grid: chargerEcran(Ecran::Amis); break;
    }
}

// Nobody is signed in any more: nothing of the last pupil stays in the block or on the main
// window for the next person at the computer.
void oublierEleve() {
    SharedState& s = shared;
    s.EleveActif = kFaux;
    s.Nom.clear();
    s.Prenom.clear();
    s.NumeroSequence = -1;
    s.CheminFichierEleve.clear();
    s.EtatLecons = formats::noProgress();
    fenetrePrincipale().setCaption("TAVREL");
    ActiverMenuBilan();
    AfficherTotalLecons();
}

// The lesson just asked for was read whole. A catalogue that is missing, unreadable or cut short
// is not a blank lesson: passing over it would move the pupil past lessons he never saw.
bool leconLue(Issue lecture) {
    const SharedState& s = shared;
    if (lecture != Issue::Fait) return false;
    const auto longueur = platform::fileLength(s.DossierDonnees + formats::kLessonCatalogueName);
    return longueur && *longueur >= static_cast<std::int64_t>(s.PositionEnregistrement) +
                                        s.LongueurEnregistrement - 1;
}

// The lists are used up (`terminees`), or their next lesson cannot be read: the pupil is saved,
// told, and the home screen comes back; the home screen, when it had called, hears of it.
SuiteLecon finDesLecons(Ecran appelant, bool terminees) {
    SharedState& s = shared;
    if (s.EleveActif && !s.CheminFichierEleve.empty()) {
        EcrireFichierEleve(s.CheminFichierEleve);
        if (s.NumeroSequence != 0) oublierEleve();
    }
    if (!terminees)
        ui::msgBox(cp("Le fichier «") + s.DossierDonnees + formats::kLessonCatalogueName +
                       cp("» est absent ou défectueux."),
                   ui::vbExclamation, s.TitreMessage);
    else if (!(appelant == Ecran::Accueil && s.NumeroSequence == 0))
        ui::msgBox(cp("Tu as terminé les leçons choisies."), ui::vbOKOnly, s.TitreMessage);
    revenirAccueil();
    return appelant == Ecran::Accueil ? SuiteLecon::AccueilRevenu : SuiteLecon::Rien;
}

// Before a management screen opens: the pupil's file is written, his work closed and nobody
// stays signed in, so that the home screen shows its card when it comes back. A pupil whose file
// could not be written (the user gave up) stays signed in with his results, and nothing opens.
bool fermerElevePourGestion(bool reinitialiser) {
    SharedState& s = shared;
    if (s.EleveActif && !s.CheminFichierEleve.empty() &&
        EcrireFichierEleve(s.CheminFichierEleve) != Issue::Fait)
        return false;
    if (s.ResultatAffiche) {
        fermerEcran(Ecran::Bilan);
        s.ResultatAffiche = 0;
    }
    FermerEleve();
    if (reinitialiser) InitialiserGlobales();
    oublierEleve();
    return true;
}

} // namespace

int nombreLeconsFaites() {
    return formats::LessonScores(shared.EtatLecons).lessonsDone();
}

std::string texteNombre(long long n) {
    return (n < 0 ? "" : " ") + std::to_string(n);
}

SuiteLecon LeconSuivante() {
    SharedState& s = shared;
    platform::randomize();
    s.CompteurTops = 0;
    s.NombreChoisis = 0;
    s.ActiviteEditee = 0;
    s.DernierChoisi = 0;
    s.ChampValide = 0;
    fermerEcran(Ecran::Accueil);
    FermerActivites();

    const Ecran appelant = s.EcranCourant;
    for (;;) {
        s.DeLaReprise = kFaux;
        Entree e{};
        if (entreeDe(s.ListeReprise, s.PositionReprise, e) && codeValide(e)) {
            s.DeLaReprise = kVrai;
        } else if (!entreeDe(s.ListeLecons, s.PositionListe, e)) {
            break;
        }
        s.Activite = e.activite;
        s.NumeroLecon = e.lecon;

        bool sautee =
            !codeValide(e) || formats::LessonScores(s.EtatLecons).perfect(e.activite, e.lecon);
        if (!sautee) {
            if (!leconLue(LireLecon(s.Activite))) return finDesLecons(appelant, false);
            sautee = enregistrementVide();
        }
        if (sautee) {
            // A lesson passed over must not leave the next one half done.
            remettreLeconAuDebut();
            Integer& position = s.DeLaReprise ? s.PositionReprise : s.PositionListe;
            position = static_cast<Integer>(position + 1);
            continue;
        }
        s.RepriseComptee = kFaux;
        AfficherTitreLecon(s.TitresActivites[static_cast<std::size_t>(s.Activite)]);
        AfficherTotalLecons();
        s.EcranCourant = Ecran::Aucun;
        chargerLecteur(s.Activite);
        arrangerFenetres();
        return SuiteLecon::Rien;
    }

    return finDesLecons(appelant, true);
}

void FermerEleve() {
    SharedState& s = shared;
    s.RepriseAutorisee = s.RepriseParDefaut;
    s.PositionListe = 0;
    s.ListeLecons.clear();
    s.CheminParametres.clear();
    s.Tampon.clear();
    s.TamponSequence.clear();
    remettreLeconAuDebut();
    s.NumeroLecon = 0;
    s.ListeReprise.clear();
    s.PositionReprise = 0;
    s.DeLaReprise = kFaux;
    s.RepriseComptee = kFaux;
    FermerActivites();
    // A pupil who chooses his own lessons stays signed in; anyone else is signed out.
    if (s.NumeroSequence != 0) oublierEleve();
    s.CompteurTops = 0;
    s.NombreChoisis = 0;
    s.ActiviteEditee = 0;
    s.DernierChoisi = 0;
    s.ChampValide = 0;
    s.ModeBilan = 1;
    s.Activite = 0;
}

void FermerActivites() {
    for (Ecran e : {Ecran::Bilan, Ecran::ChoixLecons, Ecran::Ensembles, Ecran::Arbre,
                    Ecran::Tableau, Ecran::Amis, Ecran::Felicitations})
        fermerEcran(e);
}

namespace {
// The quit and the stop by the system differ only in whether somebody may be asked or told.
void quitter(QuestionEcriture question) {
    SharedState& s = shared;
    const SauvegardeEnCours enCours;
    if (s.EleveActif && !s.CheminFichierEleve.empty())
        EcrireFichierEleve(s.CheminFichierEleve, question);
    if (question == AvecQuestion) AfficherBilanDuJour();
    if (s.ResolutionChangee) ChangerResolution(s.LargeurEcranOrigine, s.HauteurEcranOrigine);
    ui::end();
}
} // namespace

void QuitterLogiciel() {
    quitter(AvecQuestion);
}

void arreterLogiciel() {
    quitter(SansQuestion);
}

void AfficherBilanDuJour() {
    SharedState& s = shared;
    if (s.LeconsDuJour == 0) return;
    // It ends a quit or a restart: the pupil's day does not go on behind it.
    const SauvegardeEnCours enCours;
    const long long note =
        platform::idiv(platform::roundHalfEven(s.PointsDuJour * 12.5), s.LeconsDuJour);
    std::string texte = cp("Aujourd'hui, tu as terminé") + texteNombre(s.LeconsDuJour) +
                        cp(" leçon") + (s.LeconsDuJour > 1 ? "s" : "") + "." + s.FinLigne +
                        s.FinLigne + "Tu as obtenu" + texteNombre(note) + " sur 100.";
    const int faites = nombreLeconsFaites();
    if (faites > 1 && faites > s.LeconsDuJour)
        texte += s.FinLigne + s.FinLigne + cp("Depuis le début, tu as fait") + texteNombre(faites) +
                 cp(" leçons différentes.");
    ui::msgBox(texte, ui::vbExclamation, "BILAN");
    s.LeconsDuJour = 0;
    s.PointsDuJour = 0;
}

void AfficherTotalLecons() {
    const int faites = nombreLeconsFaites();
    // A main window made later starts with its total hidden: with nothing to show, there is no
    // reason to make it now (the start-up makes it once its title is up).
    if (faites == 0 && !ui::find<MDI1>()) return;
    MDI1& fenetre = fenetrePrincipale();
    if (faites > 0)
        fenetre.total.setCaption(std::string(75, ' ') + "Total :" + texteNombre(faites) +
                                 cp(" leçon") + (faites > 1 ? "s" : ""));
    fenetre.total.setVisible(faites > 0);
}

std::string nomEnTitre(const std::string& prenom) {
    return prenom.size() > 1 ? prenom : "TAVREL";
}

void AfficherTitreLecon(const std::string& titre) {
    fenetrePrincipale().setCaption(nomEnTitre(shared.Prenom) + " -- " + titre + cp(" -- Leçon") +
                                   texteNombre(shared.NumeroLecon));
}

namespace {
bool progresEnregistre() {
    return shared.EtatLecons != formats::noProgress();
}
} // namespace

void ActiverMenuBilan() {
    SharedState& s = shared;
    s.MenuBilanActif = progresEnregistre() ? kVrai : kFaux;
    fenetrePrincipale().actualiserMenus(MomentMenus::BilanSuivi);
}

bool activitesAuChoix() {
    return shared.MenuLeconsAccessible || shared.NumeroSequence == 0;
}

void suivreValeursEleve(const std::string& prenomAvant) {
    SharedState& s = shared;
    MDI1* fenetre = ui::find<MDI1>();
    if (!fenetre) return;
    AfficherTotalLecons();

    // A screen may hold the menu shut for a while (the reward screen, a check under way, an
    // element carried): it opens it again from MenuBilanActif, so only the flag follows then.
    const bool menuSuitLeProgres = fenetre->bilan.enabled() == (s.MenuBilanActif != kFaux) &&
                                   !trouverEcran(Ecran::Felicitations);
    if (menuSuitLeProgres)
        ActiverMenuBilan();
    else
        s.MenuBilanActif = progresEnregistre() ? kVrai : kFaux;

    // Every caption made for a signed-in pupil starts with his name.
    const std::string avant = nomEnTitre(prenomAvant) + " -- ";
    const std::string& titre = fenetre->caption();
    if (titre.starts_with(avant))
        fenetre->setCaption(nomEnTitre(s.Prenom) + " -- " + titre.substr(avant.size()));
}

void AideChoixLecons() {
    const std::string& fl = shared.FinLigne;
    ui::msgBox(cp("Pour choisir une leçon, il faut pointer avec la souris.") + fl + fl +
                   cp("Pour annuler une leçon déjà choisie, il suffit de la sélectionner une "
                      "seconde fois.") +
                   fl + fl + "On peut effectuer plusieurs choix." + fl + fl +
                   "Pour faire les exercices choisis, cliquer sur le bouton CONTINUE avec la "
                   "souris.",
               ui::vbInformation, shared.TitreMessage);
}

Integer droitDuMenu(int position) {
    const std::string& droits = shared.DroitsMenus;
    if (position < 1 || static_cast<std::size_t>(position) > droits.size()) return 0;
    return platform::toInteger(
        platform::val(droits.substr(static_cast<std::size_t>(position) - 1, 1)));
}

Integer niveauMotsDePasse() {
    if (!shared.MotDePasseGestionnaire.empty()) return 2;
    if (!shared.MotDePasseEnseignant.empty()) return 1;
    return 0;
}

bool fonctionOuverte(Integer code, Integer requis) {
    const Integer niveau = shared.NiveauAcces;
    if (requis == 0 || requis == niveau || niveau == 2) return true;
    return code == kFonctionGuide && niveau > 0;
}

void OuvrirFonctionGestion(Integer& code, Integer& element) {
    SharedState& s = shared;
    if (!fonctionOuverte(code, s.NiveauRequis)) {
        ui::msgBox("Mot de passe inexact", ui::vbExclamation, s.TitreMessage);
        return;
    }
    if (!fermerElevePourGestion(code != kFonctionGuide)) return;
    preparerGestion(Ecran::Accueil);
    s.PositionListe = 0;
    fenetrePrincipale().actualiserMenus(MomentMenus::Gestion);
    s.EleveActif = kFaux;
    s.CheminFichierEleve.clear();

    // The registration screen's modes: 0 register, 1 modify, 2 delete, 3 results.
    constexpr Integer kModeInscription[] = {0, 2, 1, 3};
    if (code >= 0 && code <= 3) {
        code = kModeInscription[code];
        chargerEcran(Ecran::Inscriptions);
    } else if (code == 5) {
        code = 0;
        chargerEcran(Ecran::Parametres);
    } else if (code == 7) {
        code = 0;
        chargerEcran(Ecran::Sequences);
    } else if (code == 8) {
        code = 0;
        chargerEcran(Ecran::MotsDePasse);
    } else if (code == kFonctionGuide) {
        if (element != kFonctionGuide) code = 0;
        chargerEcran(Ecran::Guide);
    } else if (code >= kFonctionEditeur && code < kFonctionEditeur + 12) {
        s.ActiviteEditee = static_cast<Integer>(code - kFonctionEditeur);
        code = 0;
        chargerEcran(Ecran::EditeurLecons);
    }
    arrangerFenetres();
    fermerEcran(Ecran::Accueil);
}

void arrangerFenetres() {
    fenetrePrincipale().arrange(1);
}

void revenirAccueil() {
    chargerEcran(Ecran::Accueil);
    arrangerFenetres();
}

} // namespace shell
