#include "players/player_frame.h"

#include "assets/pictures.h"
#include "platform/clock.h"
#include "platform/cp1252.h"
#include "platform/numbers.h"
#include "players/reward_screen.h"
#include "shell/main_window.h"
#include "shell/routines.h"
#include "shell/screen_openers.h"
#include "ui/msgbox.h"
#include "ui/runtime.h"
#include "ui/scaling.h"

#include <algorithm>

using shell::fenetrePrincipale;
using shell::MDI1;
using shell::shared;

namespace players {

// Marks a check (or the faces that follow it) as running for as long as it lives.
class Verification {
public:
    explicit Verification(PlayerFrame& f) : f_(f) { ++f_.verificationEnCours_; }
    ~Verification() { --f_.verificationEnCours_; }
    Verification(const Verification&) = delete;

private:
    PlayerFrame& f_;
};

namespace {

constexpr int kSecondesEntreVerifications = 2;
using namespace ui::palette;

struct Place {
    double x, y;
};

// What sets the four kinds of player apart in the frame; their behaviour is in the hooks.
struct ParGenre {
    shell::Ecran ecranCourant;
    int itemsParLecon;
    // The number cards are drawn on the visible screen during the load; the grid shows itself
    // once its load is done.
    bool visibleDesLeChargement;
    // The check button in design pixels, the exit door and "Continuer la leçon" in design twips.
    Place bouton, porte, continuer;
    // The picture buttons on the sets' teal, else on the screen's colour.
    bool boutonsSurCouleurFond;
    // The return slides of the sets come all at the end of the test, and the events queued
    // meanwhile pass before the points are counted.
    bool laisserPasserApresRetours;
    // Points the third failed check of an item costs.
    int perteTroisiemeEchec;
    double pauseAvantReponse;
    // How the learning report lying over the player is closed (the grid closes it only on a
    // click); whether a click clears the drawing surface before the cards are redrawn.
    bool activationFermeBilan;
    bool clicEffaceSurface;
    // A repaint in the numbers activity takes the report away (sets, tree); a repaint of a picture
    // button closes it (table).
    bool peintureNombresFermeBilan;
    bool peintureBoutonsFermeBilan;
    PlayerFrame::AspectCartes cartes;
};

const ParGenre& parGenre(formats::Kind g) {
    // In the order of the kinds: sets, tree, table, grid.
    static constexpr ParGenre kGenres[] = {
        {.ecranCourant = shell::Ecran::Ensembles,
         .itemsParLecon = 3,
         .visibleDesLeChargement = true,
         .bouton = {556, 212},
         .porte = {240, 5520},
         .continuer = {8040, 3480},
         .boutonsSurCouleurFond = true,
         .laisserPasserApresRetours = true,
         .perteTroisiemeEchec = 1,
         .pauseAvantReponse = 1.5,
         .activationFermeBilan = true,
         .clicEffaceSurface = true,
         .peintureNombresFermeBilan = true,
         .peintureBoutonsFermeBilan = false,
         .cartes = {.couleur = kBleu,
                    .hautTexte = 8,
                    .taillePlancher = 9,
                    .plancherAEchelle = false,
                    .hautMinimum = 20}},
        {.ecranCourant = shell::Ecran::Arbre,
         .itemsParLecon = 2,
         .visibleDesLeChargement = true,
         .bouton = {572, 344},
         .porte = {120, 5160},
         .continuer = {8040, 3840},
         .boutonsSurCouleurFond = false,
         .laisserPasserApresRetours = false,
         .perteTroisiemeEchec = 2,
         .pauseAvantReponse = 1.5,
         .activationFermeBilan = true,
         .clicEffaceSurface = false,
         .peintureNombresFermeBilan = true,
         .peintureBoutonsFermeBilan = false,
         .cartes = {.couleur = kRouge,
                    .hautTexte = 6,
                    .taillePlancher = 1,
                    .plancherAEchelle = false,
                    .hautMinimum = 0}},
        {.ecranCourant = shell::Ecran::Tableau,
         .itemsParLecon = 2,
         .visibleDesLeChargement = true,
         .bouton = {176, 368},
         .porte = {240, 5520},
         .continuer = {2400, 5520},
         .boutonsSurCouleurFond = false,
         .laisserPasserApresRetours = false,
         .perteTroisiemeEchec = 2,
         .pauseAvantReponse = 1.5,
         .activationFermeBilan = true,
         .clicEffaceSurface = false,
         .peintureNombresFermeBilan = false,
         .peintureBoutonsFermeBilan = true,
         .cartes = {.couleur = kBleu,
                    .hautTexte = 6,
                    .taillePlancher = 8,
                    .plancherAEchelle = true,
                    .hautMinimum = 20}},
        {.ecranCourant = shell::Ecran::Amis,
         .itemsParLecon = 2,
         .visibleDesLeChargement = false,
         .bouton = {144, 344},
         .porte = {240, 5520},
         .continuer = {2040, 5160},
         .boutonsSurCouleurFond = false,
         .laisserPasserApresRetours = false,
         .perteTroisiemeEchec = 2,
         .pauseAvantReponse = 1.0,
         .activationFermeBilan = false,
         .clicEffaceSurface = false,
         .peintureNombresFermeBilan = false,
         .peintureBoutonsFermeBilan = false,
         .cartes = {.couleur = kBleu,
                    .hautTexte = 6,
                    .taillePlancher = 1,
                    .plancherAEchelle = false,
                    .hautMinimum = 20}},
    };
    return kGenres[int(g)];
}

std::int64_t maintenantMs() {
    return platform::clock().monotonicMs();
}

} // namespace

ui::Picture imageContinue() {
    return ui::Picture::fromData(tavrel_assets::screenPicture(tavrel_assets::pic::kContinueButton),
                                 "continue.svg");
}

double PlayerFrame::ep() {
    return shared.EchellePixel;
}

double PlayerFrame::px(double pixelsConception) {
    return double(shell::aEchellePixel(pixelsConception));
}

int PlayerFrame::arrondi(double v) {
    return platform::toInteger(v);
}

void PlayerFrame::epaisseurAEchelle(ui::Line& trait) {
    trait.setBorderWidth(std::max(1, arrondi(trait.borderWidth() * shared.Echelle)));
}

PlayerFrame::PlayerFrame(formats::Kind genre) : genre_(genre) {
    const ParGenre& k = parGenre(genre);
    setMdiChild(true);
    setBorderStyle(ui::vbFixedSingle);
    setControlBox(false);
    setMinButton(false);
    setMaxButton(false);

    ui::PictureBox& porte = Image5.add(0);
    porte.setBorderStyle(0);
    porte.setScaleMode(ui::vbPixels);
    porte.setFont(ui::arial(7.5, false));
    porte.setDrawMode(ui::vbInvert);
    porte.MouseDown = [this](int i, int, int, float, float) { Image5_MouseDown(i); };
    porte.MouseUp = [this](int i, int, int, float, float) { Image5_MouseUp(i); };
    porte.Paint = [this](int i) { Image5_Paint(i); };
    porte.move(k.porte.x, k.porte.y, 855, 975);

    Command1.move(k.continuer.x, k.continuer.y, 1335, 855);
    Command1.setFont(ui::arial(12));
    Command1.setCaption(cp("Continuer la leçon"));
    Command1.setDefault(true);
    Command1.setVisible(false);
    Command1.Click = [this](int) { Command1_Click(); };

    ui::Image& visage = Image2.add(0);
    visage.move(0, 0, 480, 480);
    visage.setStretch(true);
    visage.setVisible(false);
}

bool PlayerFrame::planVerrouille() const {
    return shared.Verrou != 0 || verificationEnCours_ > 0;
}

int PlayerFrame::itemsParLecon() const {
    return parGenre(genre_).itemsParLecon;
}

const PlayerFrame::AspectCartes& PlayerFrame::aspectCartes() const {
    return parGenre(genre_).cartes;
}

int PlayerFrame::activiteJouee() const {
    const int a = shared.Activite;
    if (a >= 0 && a < formats::kActivityCount && formats::kindOf(a) == genre_) return a;
    return formats::activityIndex(formats::Material::Drawings, genre_);
}

int PlayerFrame::commencerItem() {
    shared.Verrou = shell::kFaux;
    shared.BoutonEnfonce = shell::kFaux;
    if (shared.NumeroItem < 0 || shared.NumeroItem >= itemsParLecon()) shared.NumeroItem = 0;
    return shared.NumeroItem;
}

void PlayerFrame::preparerPorte() {
    ui::PictureBox& porte = Image5[0];
    porte.setBackColor(couleurBoutons());
    porte.setPicture(fenetrePrincipale().Image5.picture());
}

ui::Colour PlayerFrame::couleurBoutons() const {
    return parGenre(genre_).boutonsSurCouleurFond ? ui::Colour(shared.CouleurFond) : backColor();
}

bool PlayerFrame::autreItem() const {
    return shared.ItemsTermines < itemsParLecon();
}

bool PlayerFrame::laisserPasser() {
    ui::yield();
    return ui::isLoaded(this);
}

bool PlayerFrame::attendre(double secondes) {
    ui::pause(secondes);
    return ui::isLoaded(this);
}

void PlayerFrame::activerMenuBilanSelonEtat() {
    fenetrePrincipale().actualiserMenus(shell::MomentMenus::BilanSuivi);
}

void PlayerFrame::terminerLecon() {
    shell::chargerEcran(shell::Ecran::Felicitations);
    shell::fermerEcran(parGenre(genre_).ecranCourant);
}

// --- load ---

void PlayerFrame::Form_Load() {
    const ParGenre& k = parGenre(genre_);
    if (k.visibleDesLeChargement) show();
    shared.DelaiVerification = ui::timeOfDay();
    delaiVerificationMs_ = maintenantMs();
    shared.PointeurSurCase = 0;
    shared.CompteurTops = 0;
    shared.NombreChoisis = 0;
    shared.ActiviteEditee = 0;
    moveForm(0, 0);
    shared.EcranCourant = k.ecranCourant;
    MDI1& principale = fenetrePrincipale();
    principale.actualiserMenus(shell::MomentMenus::LeconOuverte);
    setScaleMode(ui::vbPixels);
    shell::ActiverMenuBilan();

    ui::scaleForm(*this, shared.Echelle);
    const double cote = double(platform::toInteger(32 * shared.Echelle));
    Image2[0].move(Image2[0].left(), Image2[0].top(), cote, cote);
    exceptionsEchelle();

    Image5[0].setPicture(principale.Image5.picture());
    ui::PictureBox& bouton = Image5.load(1);
    bouton.setBackColor(couleurBoutons());
    bouton.setPicture(imageContinue());
    bouton.move(px(k.bouton.x), px(k.bouton.y));
    ecrireContinue();
    // The player takes the place of the lesson choice.
    shell::fermerEcran(shell::Ecran::ChoixLecons);
    if (!ui::isLoaded(this)) return;
    bouton.setVisible(true);

    chargerJoueur();
    if (!ui::isLoaded(this)) return;
    if (!k.visibleDesLeChargement) show();
}

void PlayerFrame::ecrireContinue() {
    ui::PictureBox& bouton = Image5[1];
    const int taille = std::max<int>(8, platform::toInteger(7 * shared.Echelle));
    bouton.setFontSize(taille);
    const std::string mot = "Continue";
    const long long ecart = platform::roundHalfEven(bouton.width() - bouton.textWidth(mot));
    bouton.setCurrentX(double(platform::idiv(ecart, 2) + 2));
    bouton.setCurrentY(px(46));
    bouton.print(mot, false);
}

// --- picture buttons and the check ---

void PlayerFrame::dessinerEnfonce(int index) {
    ui::PictureBox& b = Image5[index];
    b.line(0, 0, b.scaleWidth(), b.scaleHeight(), -1, ui::Container::Box::Filled);
}

void PlayerFrame::Image5_MouseDown(int index) {
    if (index == 1 && (maintenantMs() < delaiVerificationMs_ || verificationEnCours_ > 0)) return;
    shared.BoutonEnfonce = shell::kVrai;
    dessinerEnfonce(index);
}

void PlayerFrame::Image5_MouseUp(int index) {
    if (index == 1 && !shared.BoutonEnfonce) return;
    shared.DelaiVerification = ui::timeOfDay() + kSecondesEntreVerifications;
    delaiVerificationMs_ = maintenantMs() + 1000 * kSecondesEntreVerifications;
    shared.BoutonEnfonce = shell::kFaux;
    dessinerEnfonce(index);
    if (index == 0) {
        shell::QuitterLogiciel();
        return;
    }
    if (verificationEnCours_ > 0) return;
    if (ObjetTenu >= 0) return;

    Verification enCours(*this);
    const int restants = compterNonPlaces();
    if (restants > 0) {
        ui::msgBox(messageNonPlaces(restants), ui::vbOKOnly);
        if (!ui::isLoaded(this)) return;
        apresMessageNonPlaces();
        return;
    }

    int faux = 0;
    if (!testerItem(faux)) return;
    if (faux > 0) {
        if (!renvoyerFaux()) return;
        const ParGenre& k = parGenre(genre_);
        if (k.laisserPasserApresRetours && !laisserPasser()) return;
        const int perte = Essais == 2 ? k.perteTroisiemeEchec : 1;
        shared.Points = shell::Integer(std::max(0, shared.Points - perte));
        ++Essais;
        if (Essais < 3) return;
        troisiemeEchec();
        return;
    }

    if (Essais == 0) {
        // Right at the first check: the lesson ends at once.
        terminerLecon();
        return;
    }
    if (!AfficherPlanche(0, 0)) return;
    shared.ItemsTermines = shell::Integer(shared.ItemsTermines + 1);
    if (autreItem()) {
        shared.NumeroItem = shell::Integer(shared.NumeroItem + 1);
        NouvelItem();
    } else {
        terminerLecon();
    }
}

std::string PlayerFrame::messageNonPlaces(int nombre) {
    std::string texte = "Il reste " + std::to_string(nombre) + " dessin";
    if (nombre > 1) texte += "s";
    return texte + cp(" à placer.");
}

void PlayerFrame::afficherEntete(ui::Label& ligne, double taille, ui::Colour couleur) {
    ligne.setCaption(cp("VOICI LA RÉPONSE."));
    ligne.setFontSize(taille * shared.Echelle);
    ligne.setForeColor(couleur);
    ligne.refresh();
}

bool PlayerFrame::annoncerReponse() {
    Image5[1].setVisible(false);
    afficherEntete(Label2, 16, kRouge);
    shared.Verrou = shell::kVrai;
    fenetrePrincipale().actualiserMenus(shell::MomentMenus::JoueurOccupe);
    return laisserPasser();
}

bool PlayerFrame::troisiemeEchec() {
    renvoyerObjetTenu();
    shared.ItemsTermines = shell::Integer(shared.ItemsTermines + 1);
    shared.NumeroItem = shell::Integer(shared.NumeroItem + 1);
    if (!annoncerReponse()) return false;
    if (!attendre(parGenre(genre_).pauseAvantReponse)) return false;
    if (!laisserPasser()) return false;
    if (!montrerReponse()) return false;
    if (!laisserPasser()) return false;
    activerMenuBilanSelonEtat();
    Command1.setVisible(true);
    Command1.setFocus();
    return true;
}

// --- continue after a shown answer ---

void PlayerFrame::remettreLigne(ui::Label& ligne) {
    ligne.setCaption("");
    ligne.setFontSize(12 * shared.Echelle);
    ligne.setForeColor(kNoir);
}

void PlayerFrame::effacerEntete() {
    remettreLigne(Label2);
}

void PlayerFrame::Command1_Click() {
    if (!Command1.visible()) return;
    effacerEntete();
    Command1.setVisible(false);
    Image5[1].setVisible(true);
    shared.Verrou = shell::kFaux;
    if (autreItem()) {
        Verification faces(*this);
        if (!AfficherPlanche(0, 1)) return;
        NouvelItem();
    } else {
        terminerLecon();
    }
}

// --- faces ---

void PlayerFrame::montrerLignes(bool visible) {
    Label1.setVisible(visible);
    Label2.setVisible(visible);
}

bool PlayerFrame::AfficherPlanche(int visible, int face) {
    if (visible != 0) {
        montrerExercice(true);
        Image5[0].setVisible(true);
        Image5[1].setVisible(true);
        montrerLignes(true);
        for (int i = 0; i <= 5; ++i)
            if (Image2.exists(i)) Image2[i].setVisible(false);
        return true;
    }
    montrerExercice(false);
    Image5[0].setVisible(false);
    Image5[1].setVisible(false);
    montrerLignes(false);
    avantVisages();
    // The happy faces make a smile, the sad ones a frown.
    static constexpr int kCourbe[6] = {0, 20, 32, 32, 20, 0};
    const int face_index = face == 0 ? 0 : 1;
    const ui::Picture image = fenetrePrincipale().image2[face_index].picture();
    for (int i = 0; i <= 5; ++i) {
        ui::Image& v = Image2[i];
        const double haut = face_index == 0 ? 195 + kCourbe[i] : 220 - kCourbe[i];
        v.move(px(210 + 40 * i), px(haut));
        v.setPicture(image);
        v.setVisible(true);
    }
    if (!laisserPasser()) return false;
    if (!attendre(3)) return false;
    for (int i = 0; i <= 5; ++i) Image2[i].setVisible(false);
    return true;
}

// --- the learning report lying over the player ---

void PlayerFrame::fermerBilanSurJoueur(bool effacer) {
    shell::fermerEcran(shell::Ecran::Bilan);
    if (!ui::isLoaded(this)) return;
    // While a check shows its faces, the cards stay away until the next item.
    if (activiteNombres() && verificationEnCours_ == 0) redessinerCartes(effacer);
    shared.ResultatAffiche = 0;
}

void PlayerFrame::Form_Activate() {
    if (shared.ResultatAffiche == 0 || !parGenre(genre_).activationFermeBilan) return;
    fermerBilanSurJoueur(true);
}

void PlayerFrame::Form_Click() {
    if (shared.ResultatAffiche == 0) return;
    fermerBilanSurJoueur(parGenre(genre_).clicEffaceSurface);
}

void PlayerFrame::Form_DblClick() {
    Form_Click();
}

// A screen is repainted whenever the active window changes, the report's own opening included:
// a repaint acts only once the report has closed itself, never while it lies over the player.
static bool bilanFermeDeLuiMeme() {
    return shared.ResultatAffiche == 99;
}

void PlayerFrame::Form_Paint() {
    if (!bilanFermeDeLuiMeme()) return;
    if (!parGenre(genre_).peintureNombresFermeBilan) return;
    if (!activiteNombres()) return;
    // The mark stays for the handler that follows (activation or click), which redraws.
    shell::fermerEcran(shell::Ecran::Bilan);
    if (!ui::isLoaded(this)) return;
    cls();
}

void PlayerFrame::Image5_Paint(int) {
    if (!parGenre(genre_).peintureBoutonsFermeBilan || !bilanFermeDeLuiMeme()) return;
    fermerBilanSurJoueur(false);
}

} // namespace players
