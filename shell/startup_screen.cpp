#include "shell/startup_screen.h"

#include "formats/lesson_catalogue.h"
#include "formats/passwords.h"
#include "formats/sequence_catalogue.h"
#include "formats/settings.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "shell/display_mode.h"
#include "shell/file_routines.h"
#include "shell/main_window.h"
#include "shell/routines.h"
#include "shell/screen_openers.h"
#include "shell/settings_screen.h"
#include "shell/shades.h"
#include "shell/shared_state.h"
#include "ui/msgbox.h"
#include "ui/scaling.h"
#include "ui/screen.h"

namespace shell {

namespace {

using namespace ui::palette;
using namespace shell::shades;
constexpr const char* kImageTitre = "titre.wmf";
// The catalogue check spells the lesson catalogue this way; names match without regard to case.
constexpr const char* kCatalogueLeconsVerifie = "LECONS.tav";

shell::Integer pixelsEcran(double twips, double twipsParPixel) {
    long long t = platform::roundHalfEven(twipsParPixel);
    if (t < 1) t = 15;
    return platform::toInteger(
        static_cast<double>(platform::idiv(platform::roundHalfEven(twips), t)));
}

} // namespace

depart::depart() {
    moveForm(0, 0, 7455, 5550);
    setWindowState(ui::vbMaximized);
    setCaption("TAVREL");
    setBackColor(kJauneClair);
    setFont(ui::arial(7.5));

    Dessin1.move(0, 0, 9750, 7100);
    Dessin1.setStretch(true);

    // The credit lines sit on the dark band at the foot of the title picture.
    const auto ligne = [](ui::Label& l, double top, double height, double size, const char* texte) {
        l.move(480, top, 8790, height);
        l.setBackStyle(ui::vbTransparent);
        l.setForeColor(kBlanc);
        l.setFont(ui::arial(size));
        l.setAlignment(ui::vbCenter);
        l.setCaption(cp(texte));
    };
    ligne(Etiquette2, 6300, 375, 12, "Un logiciel de mathématiques pour les élèves de l'école");
    ligne(Etiquette3, 5190, 495, 18, "TAVREL : classer et mettre en relation");
    ligne(Etiquette4, 5700, 495, 18, "Ensembles, arbres, tableaux et dessins amis");

    Forme1.move(2280, 3000, 5055, 2415);
    Forme1.setShape(ui::vbShapeRoundedRectangle);
    Forme1.setBackStyle(ui::vbOpaque);
    Forme1.setBackColor(kGris);
    Forme1.setVisible(false);

    Etiquette1.move(2400, 3120, 4575, 1455);
    Etiquette1.setBackStyle(ui::vbTransparent);
    Etiquette1.setFont(ui::arial(10.5));
    Etiquette1.setVisible(false);

    Commande1.move(4200, 4800, 1335, 375);
    Commande1.setCaption("&Continuer");
    Commande1.setFont(ui::arial(10.5));
    Commande1.setVisible(false);

    Minuterie1.Tick = [this](int) { Minuterie1_Timer(); };
    Commande1.Click = [this](int) { Commande1_Click(); };
}

void depart::Form_Load() {
    shell::SharedState& s = shared;
    shell::InitialiserGlobales();
    shell::CalculerEchelle();

    const ui::ScreenMetrics ecran = ui::screenMetrics();
    s.LargeurEcranOrigine = pixelsEcran(ecran.widthTwips, ecran.twipsPerPixelX);
    s.HauteurEcranOrigine = pixelsEcran(ecran.heightTwips, ecran.twipsPerPixelY);
    if (s.LargeurEcranOrigine > 640 && s.EchellePolice == 1) {
        shell::ChangerResolution(640, 480);
        if (s.ResolutionChangee) s.Echelle = 1;
    }
    s.EchellePixel = s.Echelle * s.EchellePolice;

    ui::scaleForm(*this, s.Echelle);
    moveForm(0, 0);

    std::string absent;
    const std::string titre = s.DossierDonnees + kImageTitre;
    Dessin1.setPicture(ui::Picture::fromFile(platform::resolvePath(titre)));
    if (Dessin1.picture().isNull()) absent = titre;
    s.CheminMotsDePasse = s.DossierDonnees + formats::kPasswordsName;
    // A catalogue of another size is damaged: its lessons would read blank and pupils be moved
    // past them.
    const std::pair<const char*, std::int64_t> catalogues[] = {
        {kCatalogueLeconsVerifie, formats::kLessonCatalogueSize},
        {formats::kSequenceCatalogueName, formats::kSequenceCatalogueSize}};
    for (const auto& [nom, taille] : catalogues) {
        const std::string chemin = s.DossierDonnees + nom;
        if (absent.empty() &&
            (!platform::fileExists(chemin) || platform::fileLength(chemin) != taille))
            absent = chemin;
    }
    if (!absent.empty()) {
        ui::msgBox(cp("Le fichier «") + absent + cp("» est absent ou défectueux."),
                   ui::vbExclamation, s.TitreMessage);
        shell::QuitterLogiciel();
        return;
    }
    shell::LireMotsDePasse();

    show();
    Minuterie1.setInterval(1);
}

void depart::Minuterie1_Timer() {
    shell::chargerEcran(shell::Ecran::Dessins);
    // The title stays up four seconds once the drawing library is in memory.
    if (Minuterie1.interval() == 1) {
        // The hidden main window is made behind the title: the title needs none of it.
        fenetrePrincipale();
        Minuterie1.setInterval(4000);
        return;
    }

    shell::SharedState& s = shared;
    s.ConserverChoix = shell::kFaux;
    s.CritereReussite = 2;
    s.MenuLeconsAccessible = shell::kVrai;
    s.SansInscriptionImmediate = shell::kFaux;
    s.RepriseParDefaut = shell::kVrai;
    lireParametres();

    if (s.DossierEleves.empty())
        premiereUtilisation();
    else
        passerALaFenetrePrincipale();
}

void depart::lireParametres() {
    shell::SharedState& s = shared;
    s.CheminParametres = s.DossierDonnees + formats::kSettingsName;
    if (shell::LireParametres(s.CheminParametres) == shell::Issue::Fait) return;
    if (shell::LireParametres(s.CheminParametres + formats::kSettingsCopySuffix) ==
        shell::Issue::Fait)
        shell::EcrireParametres(s.CheminParametres);
}

void depart::premiereUtilisation() {
    shell::SharedState& s = shared;
    s.CodeFonction = -99;
    std::string dossier = platform::currentFolder();
    if (dossier.empty() || dossier.back() != '/') dossier += '/';
    s.DossierEleves = dossier;
    Etiquette2.setVisible(false);
    Etiquette3.setVisible(false);
    Etiquette4.setVisible(false);
    Forme1.setVisible(true);
    Etiquette1.setCaption(cp("Comme vous utilisez TAVREL pour la première fois, nous allons vous "
                             "demander de définir certaines options du logiciel.") +
                          s.FinLigne + s.FinLigne +
                          cp("Vous pourrez toujours modifier ces choix."));
    Etiquette1.setVisible(true);
    Commande1.setVisible(true);
    Minuterie1.setEnabled(false);
    Commande1.setFocus();
}

void depart::passerALaFenetrePrincipale() {
    shell::SharedState& s = shared;
    Dessin1.setPicture(ui::Picture());
    if (s.DossierEleves.back() != '/') s.DossierEleves += '/';
    const std::string lecteur = s.DossierEleves.substr(0, 2);
    if (lecteur == "A:" || lecteur == "B:") s.DossierEleves = lecteur + "/";
    fenetrePrincipale();
    shell::revenirAccueil();
    shell::fermerEcran(shell::Ecran::Demarrage);
}

void depart::Commande1_Click() {
    Dessin1.setPicture(ui::Picture());
    fenetrePrincipale();
    shell::chargerEcran(shell::Ecran::Parametres);
    shell::fermerEcran(shell::Ecran::Demarrage);
}

void depart::Form_QueryUnload(int& /*cancel*/, int unloadMode) {
    if (unloadMode == ui::vbFormControlMenu) shell::QuitterLogiciel();
}

} // namespace shell
