#include "signin/lesson_choice.h"

#include "assets/pictures.h"
#include "formats/lesson_record.h"
#include "formats/lesson_scores.h"
#include "platform/cp1252.h"
#include "platform/numbers.h"
#include "players/player_frame.h"
#include "shell/file_routines.h"
#include "shell/main_window.h"
#include "shell/routines.h"
#include "shell/screen_openers.h"
#include "shell/shared_state.h"
#include "signin/home_screen.h"
#include "ui/scaling.h"

using shell::MDI1;

namespace signin {

namespace {

using namespace ui::palette;
constexpr int kCellulesHautes = 60;
constexpr int kLecons = formats::kLessonsPerActivity;
constexpr int kColonnes = 15;
constexpr int kIcones = 20;
constexpr int kBoutonContinue = 0;
constexpr int kBoutonAnnule = 1;
constexpr int kBoutonQuitter = 2;
// While a player, an editor or the registration screen is the working screen (a player being
// set up), this screen only lends a picture.
bool ecranDeTravail(shell::Ecran ecran) {
    using shell::Ecran;
    return ecran != Ecran::Aucun && ecran != Ecran::Accueil && ecran != Ecran::ChoixLecons;
}
constexpr int kBilanFerme = 99;

double aEchellePixel(double pixels) {
    return pixels * shell::shared.EchellePixel;
}

struct Disposition {
    int premiereRangee; // top of the first row
    int pas;            // from one row to the next
    int titre;          // top of the title line
};

Disposition dispositionPour(std::size_t lecons) {
    if (lecons >= 106) return {30, 61, 3};
    if (lecons >= 91) return {42, 63, 8};
    return {55, 71, 15};
}

} // namespace

Feuille3::Feuille3() {
    setMdiChild(true);
    moveForm(0, 0, 9600, 6645);
    setBorderStyle(ui::vbFixedSingle);
    setControlBox(false);
    setBackColor(kGris);
    setFont(ui::arial(7.5));

    Etiquette1.move(120, 120, 9255, 495);
    Etiquette1.setCaption(cp("Choisir une ou plusieurs leçons."));
    Etiquette1.setFont(ui::arial(13.5, false));
    Etiquette1.setForeColor(kNoir);
    Etiquette1.setBackStyle(ui::vbTransparent);

    for (int j = 0; j < kIcones; ++j) {
        ui::Image& d = Dessin1.add(3 * j);
        d.move(0, 0, 384, 384);
        d.setVisible(false);
        d.setStretch(true);
        d.setPicture(ui::Picture::fromData(tavrel_assets::lessonIcon(j), "lecon.svg"));
        d.MouseDown = [this](int index, int, int, float, float) { BasculerLecon(index); };
    }

    ui::Label& haute = Etiquette3.add(0);
    haute.move(120, 600, 495, 825);
    haute.MouseDown = [this](int index, int, int, float, float) { BasculerLecon(index); };
    ui::Label& basse = Etiquette2.add(0);
    basse.move(1080, 1800, 495, 300);
    basse.setForeColor(kJaune);
    basse.MouseDown = [this](int index, int, int, float, float) { Etiquette2_MouseDown(index); };
    for (ui::Label* cellule : {&haute, &basse}) {
        cellule->setVisible(false);
        cellule->setFont(ui::arial(10.5));
        cellule->setBackColor(kSarcelle);
        cellule->setBorderStyle(1);
        cellule->setAlignment(ui::vbCenter);
    }

    ui::Label& reussie = Etiquette4.add(0);
    reussie.move(240, 6120, 3735, 255);
    reussie.setCaption(cp("Numéro : leçon terminée et réussie"));
    reussie.setForeColor(kNoir);
    ui::Label& echouee = Etiquette4.add(1);
    echouee.move(4920, 6120, 4455, 255);
    echouee.setCaption(cp("Numéro : leçon terminée mais pas réussie"));
    echouee.setForeColor(kRouge);
    for (ui::Label* legende : {&reussie, &echouee}) {
        legende->setFont(ui::arial(10.5));
        legende->setBackStyle(ui::vbTransparent);
    }
    echouee.setFontUnderline(true);

    const double tops[] = {1680, 2880, 4080};
    for (int i = 0; i < 3; ++i) {
        ui::PictureBox& b = Image5.add(i);
        b.move(120, tops[i], 855, 975);
        b.setBackColor(kGris);
        b.setFont(ui::arial(7.5));
        b.setForeColor(kNoir);
        b.setScaleMode(ui::vbPixels);
        b.setDrawMode(ui::vbInvert);
        b.setFillStyle(0);
        b.MouseDown = [this](int index, int, int, float, float) { Image5_MouseDown(index); };
        b.DblClick = [this](int index) { Image5_MouseDown(index); };
        b.MouseUp = [this](int index, int, int, float, float) { Image5_MouseUp(index); };
    }
    Image5[kBoutonContinue].setPicture(players::imageContinue());
    Image5[kBoutonAnnule].setPicture(ui::Picture::fromData(
        tavrel_assets::screenPicture(tavrel_assets::pic::kCancelButton), "annule.svg"));

    Minuterie1.setInterval(1);
    Minuterie1.setEnabled(true);
    Minuterie1.Tick = [this](int) { Minuterie1_Timer(); };
}

ui::Label& Feuille3::cellule(int k) {
    return k < kCellulesHautes ? Etiquette3[k] : Etiquette2[k - kCellulesHautes];
}

void Feuille3::Form_Load() {
    shell::SharedState& s = shell::shared;
    if (ecranDeTravail(s.EcranCourant)) return;
    s.CompteurTops = 0;
    s.NombreChoisis = 0;
    s.ActiviteEditee = 0;
    LeconsExistantes.clear();

    moveForm(0, 0);
    s.EcranCourant = shell::Ecran::ChoixLecons;
    setScaleMode(ui::vbPixels);
    ui::scaleForm(*this, s.Echelle);
    // The screen's own font keeps its design size.
    setFont(ui::arial(7.5));

    shell::ActiverMenuBilan();
    if (MDI1* m = ui::find<MDI1>()) m->actualiserMenus(shell::MomentMenus::LeconOuverte);
    CouleurSelection = 0xC000C0;

    shell::remettreLeconAuDebut();
    s.PositionListe = 0;
    s.PositionReprise = 0;
    s.ListeReprise.clear();
    s.DeLaReprise = shell::kFaux;

    const int activite = s.Activite >= 0 && s.Activite <= 11 ? s.Activite : 0;
    if (MDI1* m = ui::find<MDI1>())
        m->setCaption(shell::nomEnTitre(s.Prenom) + " -- " + s.TitresActivites[activite]);

    s.NumeroLecon = 0;
    shell::LireLecon(static_cast<shell::Integer>(activite));
    const std::size_t longueur = s.LongueurEnregistrement > 0 ? s.LongueurEnregistrement : 0;
    for (int lecon = 1; longueur > 0 && lecon <= kLecons; ++lecon) {
        const std::size_t debut = (lecon - 1) * longueur;
        if (debut >= s.Enregistrement.size()) break;
        const std::string fiche = s.Enregistrement.substr(debut, longueur);
        if (!formats::isBlankRecord(fiche)) LeconsExistantes += static_cast<char>(lecon);
    }
    const std::size_t n = LeconsExistantes.size();
    const Disposition disposition = dispositionPour(n);
    Etiquette1.setTop(aEchellePixel(disposition.titre));

    if (MDI1* m = ui::find<MDI1>()) Image5[kBoutonQuitter].setPicture(m->Image5.picture());

    for (int i = 1; i < kCellulesHautes; ++i) {
        Etiquette2.load(i);
        Etiquette3.load(i);
        if (i % 3 == 0) continue;
        ui::Image& d = Dessin1.load(i);
        d.copyFrom(Dessin1[3 * (i / 3)]);
        d.setVisible(false);
    }

    const formats::LessonScores scores(s.EtatLecons);
    const double decalage = static_cast<double>(
        platform::roundHalfEven((Etiquette3[0].width() - Dessin1[0].width()) / 2));
    auto colorer = [&](ui::Label& c, int lecon) {
        const char p = scores.score(static_cast<int>(activite), lecon);
        if (p == formats::kNeverDone) return;
        c.setForeColor(kNoir);
        if (!formats::LessonScores::passes(p, s.CritereReussite)) {
            c.setFontUnderline(true);
            c.setForeColor(kRouge);
        }
    };
    for (int k = 0; k < kCellulesHautes && static_cast<std::size_t>(k) < n; ++k) {
        const int lecon = static_cast<unsigned char>(LeconsExistantes[k]);
        const int x = 76 + (k % kColonnes) * 37;
        const int y = disposition.premiereRangee + (k / kColonnes) * disposition.pas;
        ui::Label& c = Etiquette3[k];
        c.move(aEchellePixel(x), aEchellePixel(y));
        c.setForeColor(kJaune);
        c.setCaption(s.FinLigne + s.FinLigne + std::to_string(lecon));
        ui::Image& d = Dessin1[k];
        d.move(aEchellePixel(x) + decalage, aEchellePixel(y + 3));
        d.setVisible(true);
        d.zOrder(0);
        colorer(c, lecon);
        c.setVisible(true);
    }
    for (int k = kCellulesHautes; k < kLecons && static_cast<std::size_t>(k) < n; ++k) {
        const int lecon = static_cast<unsigned char>(LeconsExistantes[k]);
        const int j = k - kCellulesHautes;
        const int x = 76 + (j % kColonnes) * 37;
        const int y = disposition.premiereRangee + 4 * disposition.pas +
                      (j / kColonnes) * (disposition.pas - 34);
        ui::Label& c = Etiquette2[j];
        c.move(aEchellePixel(x), aEchellePixel(y));
        c.setCaption(std::to_string(lecon));
        colorer(c, lecon);
        c.setVisible(true);
    }
}

void Feuille3::Minuterie1_Timer() {
    const shell::SharedState& s = shell::shared;
    Minuterie1.setEnabled(false);
    // What was written on the buttons does not survive what lay over them: write it again.
    ui::PictureBox& annule = Image5[kBoutonAnnule];
    annule.cls();
    annule.setCurrentX(aEchellePixel(12));
    annule.setCurrentY(aEchellePixel(46));
    annule.print("Annule");

    ui::PictureBox& continuer = Image5[kBoutonContinue];
    continuer.cls();
    const long long taille = platform::roundHalfEven(7 * s.Echelle);
    continuer.setFontSize(static_cast<double>(taille < 8 ? 8 : taille));
    continuer.setCurrentY(aEchellePixel(46));
    const long long reste =
        platform::roundHalfEven(continuer.scaleWidth() - continuer.textWidth("Continue"));
    continuer.setCurrentX(static_cast<double>(platform::idiv(reste, 2) + 2));
    continuer.print("Continue");
}

// --- selection --------------------------------------------------------------------------------

void Feuille3::BasculerLecon(int index) {
    ui::Label& c = Etiquette3[index];
    c.setBackColor(c.backColor() == kSarcelle ? static_cast<ui::Colour>(CouleurSelection)
                                              : kSarcelle);
}

void Feuille3::Etiquette2_MouseDown(int index) {
    ui::Label& c = Etiquette2[index];
    c.setBackColor(c.backColor() == kSarcelle ? static_cast<ui::Colour>(CouleurSelection)
                                              : kSarcelle);
}

// --- the three buttons ------------------------------------------------------------------------

void Feuille3::Image5_MouseDown(int index) {
    boutons_.press(index);
}

void Feuille3::Image5_MouseUp(int index) {
    if (!boutons_.release(index)) return;
    switch (index) {
    case kBoutonContinue: CommencerLecons(); break;
    case kBoutonAnnule: AnnulerChoix(); break;
    case kBoutonQuitter:
        shell::fermerEcran(shell::Ecran::ChoixLecons);
        shell::QuitterLogiciel();
        break;
    default: break;
    }
}

void Feuille3::CommencerLecons() {
    shell::SharedState& s = shell::shared;
    s.ListeLecons.clear();
    s.PositionListe = 0;
    const std::size_t n = LeconsExistantes.size();
    for (std::size_t k = 0; k < n && k < static_cast<std::size_t>(kLecons); ++k) {
        if (cellule(static_cast<int>(k)).backColor() != static_cast<ui::Colour>(CouleurSelection))
            continue;
        s.ListeLecons += static_cast<char>(65 + s.Activite);
        s.ListeLecons += static_cast<char>(100 + static_cast<unsigned char>(LeconsExistantes[k]));
    }
    if (s.ListeLecons.empty()) {
        shell::AideChoixLecons();
        return;
    }
    shell::LeconSuivante();
}

void Feuille3::AnnulerChoix() {
    shell::fermerEcran(shell::Ecran::Accueil);
    shell::revenirAccueil();
    shell::fermerEcran(shell::Ecran::ChoixLecons);
}

// --- the learning report lying over the screen ------------------------------------------------

void Feuille3::fermerBilan() {
    shell::fermerEcran(shell::Ecran::Bilan);
    shell::shared.ResultatAffiche = 0;
    Minuterie1.setEnabled(true);
}

void Feuille3::Form_Click() {
    if (shell::shared.ResultatAffiche != 0) fermerBilan();
}

void Feuille3::Form_DblClick() {
    Form_Click();
}

void Feuille3::Form_MouseMove(int, int, float, float) {
    if (shell::shared.ResultatAffiche == kBilanFerme) fermerBilan();
}

} // namespace signin
