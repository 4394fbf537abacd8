#include "players/reward_screen.h"

#include "assets/pictures.h"
#include "formats/lesson_scores.h"
#include "platform/cp1252.h"
#include "shell/file_routines.h"
#include "shell/main_window.h"
#include "shell/routines.h"
#include "shell/screen_openers.h"
#include "shell/shades.h"
#include "shell/shared_state.h"
#include "ui/scaling.h"

using shell::fenetrePrincipale;
using shell::shared;

namespace players {

namespace {

using namespace shell::shades;
constexpr int kSeries = 6;
constexpr double kLargeurImage = 1815;
constexpr double kHautImages = 360;
constexpr double kBasImages = 2650;
constexpr int kToursAvantSuite = 20;

// Left edge and width of the two frames for each score 0..8, in design twips. A frame that must
// not be seen lies beyond the right edge of the screen.
struct Cadres {
    double gaucheGagne, largeurGagne, gauchePerdu, largeurPerdu;
};
constexpr Cadres kCadres[9] = {
    {10000, 1, 1000, 7360}, // 0
    {120, 1840, 2160, 7360}, {720, 1840, 3360, 5560}, {120, 3700, 3960, 5560},
    {720, 3700, 5160, 3700}, {120, 5560, 5760, 3700}, {720, 5560, 6960, 1840},
    {120, 7360, 7560, 1840}, {1000, 7360, 10000, 1}, // 8
};

ui::Picture imageEcran(const QByteArray& svg) {
    return ui::Picture::fromData(svg, "image.svg");
}

} // namespace

felicite::felicite() {
    setMdiChild(true);
    setBorderStyle(ui::vbBSNone);
    setControlBox(false);
    moveForm(0, 0, 9600, 6645);
    setBackColor(kTurquoise);

    const ui::Colour fonds[2] = {kJaunePale, kMoutarde};
    const double gauches[2] = {120, 2160};
    const double largeurs[2] = {1815, 7215};
    for (int j = 0; j < 2; ++j) {
        ui::Shape& cadre = Forme1.add(j);
        cadre.setShape(ui::vbShapeRoundedRectangle);
        cadre.setBackStyle(ui::vbOpaque);
        cadre.setBackColor(fonds[j]);
        cadre.setBorderWidth(2);
        cadre.move(gauches[j], kHautImages, largeurs[j], 4695);
        cadre.setVisible(false);
    }
    for (int s = 0; s < 2 * kSeries; ++s) {
        ui::Image& image = Dessin1.add(s);
        image.move(120, kHautImages, kLargeurImage, 2295);
        image.setStretch(true);
        image.setVisible(false);
        const QByteArray svg =
            s < kSeries ? tavrel_assets::rewardEarned(s) : tavrel_assets::rewardLost(s - kSeries);
        image.setPicture(imageEcran(svg));
    }

    Label1.move(2280, 6360, 5055, 375);
    Label1.setAlignment(ui::vbCenter);
    Label1.setBackStyle(ui::vbTransparent);
    Label1.setCaption("Pour continuer, cliquer sur le bouton.");

    Image5.move(120, 5400, 855, 975);
    Image5.setBorderStyle(0);
    Image5.setScaleMode(ui::vbPixels);
    Image5.setDrawMode(ui::vbInvert);
    Image5.MouseDown = [this](int, int, int, float, float) { Image5_MouseDown(); };
    Image5.DblClick = [this](int) { Image5_DblClick(); };
    Image5.MouseUp = [this](int, int, int, float, float) { Image5_MouseUp(); };

    Commande1.move(3480, 5520, 2535, 795);
    Commande1.setFont(ui::arial(24));
    Commande1.setDefault(true);
    Commande1.setCancel(true);
    Commande1.setVisible(false);
    Commande1.Click = [this](int) { Commande1_Click(); };

    Minuterie1.setInterval(1000);
    Minuterie1.setEnabled(false);
    Minuterie1.Tick = [this](int) { Minuterie1_Timer(); };
}

void felicite::Form_Load() {
    // The score is kept before anything is shown, so that no trouble with the display can lose it.
    enregistrerScore();
    try {
        afficherScore();
    } catch (...) {
        // The screen goes on to its button and its timer whatever happened to the pictures.
    }

    shared.SerieImages = shell::Integer(shared.SerieImages + 1);
    Image5.setBackColor(ui::Colour(shared.CouleurFond));
    Image5.setPicture(fenetrePrincipale().Image5.picture());
    Commande1.setCaption(std::to_string(shared.Points) + "  sur  8");
    shell::remettreLeconAuDebut();
    shell::AfficherTotalLecons();
    // The entry counts as taken only now that its score is recorded.
    if (shared.DeLaReprise)
        shared.PositionReprise = shell::Integer(shared.PositionReprise + 1);
    else
        shared.PositionListe = shell::Integer(shared.PositionListe + 1);
    Commande1.setVisible(true);
    shared.CompteurTops = 0;
    Minuterie1.setEnabled(true);
}

void felicite::enregistrerScore() {
    if (shared.Points < 0) shared.Points = 0;
    if (shared.Points > 8) shared.Points = 8;
    formats::LessonScores::set(shared.EtatLecons, shared.Activite, shared.NumeroLecon,
                               shared.Points);
    shared.LeconsDuJour = shell::Integer(shared.LeconsDuJour + 1);
    shared.PointsDuJour = shell::Integer(shared.PointsDuJour + shared.Points);
    if (shared.SerieImages < 0 || shared.SerieImages >= kSeries) shared.SerieImages = 0;
}

void felicite::afficherScore() {
    const double e = shared.Echelle;
    moveForm(0, 0);
    fenetrePrincipale().actualiserMenus(shell::MomentMenus::Felicitations);
    ui::scaleForm(*this, e);

    const int points = shared.Points;
    const Cadres& c = kCadres[points];
    Forme1[0].move(c.gaucheGagne * e, kHautImages * e, c.largeurGagne * e, Forme1[0].height());
    Forme1[0].setVisible(true);
    Forme1[1].move(c.gauchePerdu * e, kHautImages * e, c.largeurPerdu * e, Forme1[1].height());
    Forme1[1].setVisible(true);

    const int serie = shared.SerieImages;
    Dessin1[11].setPicture(Dessin1[serie + kSeries].picture());
    const auto placer = [&](int indice, double gaucheCadre, int rang) {
        ui::Image& image = Dessin1[indice];
        const double haut = rang % 2 == 0 ? kHautImages : kBasImages;
        image.move((gaucheCadre + (rang / 2) * kLargeurImage) * e, haut * e);
        image.setVisible(true);
    };
    for (int i = 0; i < points; ++i) {
        Dessin1[i].setPicture(Dessin1[serie].picture());
        placer(i, c.gaucheGagne, i);
    }
    for (int j = 0; j <= 7 - points; ++j) {
        Dessin1[points + j].setPicture(Dessin1[11].picture());
        placer(points + j, c.gauchePerdu, j);
    }
}

void felicite::Commande1_Click() {
    ContinuerLecons();
}

void felicite::Minuterie1_Timer() {
    // A quit or a sign-out is saving the pupil's file (its box may be waiting for an answer):
    // the next lesson must not start behind it.
    if (shell::sauvegardeEnCours()) return;
    shared.CompteurTops = shell::Integer(shared.CompteurTops + 1);
    if (shared.CompteurTops > kToursAvantSuite) {
        Minuterie1.setEnabled(false);
        ContinuerLecons();
    }
}

void felicite::ContinuerLecons() {
    // The button and the timer may both ask; only the first one leads on.
    if (!ui::isLoaded(this)) return;
    Minuterie1.setEnabled(false);
    shell::fermerEcran(shell::Ecran::Felicitations);
    shell::LeconSuivante();
}

void felicite::dessinerEnfonce() {
    Image5.line(0, 0, Image5.scaleWidth(), Image5.scaleHeight(), -1, ui::Container::Box::Filled);
}

void felicite::Image5_MouseDown() {
    dessinerEnfonce();
}

void felicite::Image5_DblClick() {
    dessinerEnfonce();
}

void felicite::Image5_MouseUp() {
    dessinerEnfonce();
    // The summary of the quit may stay on the screen longer than the timer's wait, which must
    // not lead on to the next lesson meanwhile.
    Minuterie1.setEnabled(false);
    shell::QuitterLogiciel();
}

} // namespace players
