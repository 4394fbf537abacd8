#include "players/tree_player.h"

#include "formats/lesson_record.h"
#include "platform/cp1252.h"
#include "platform/numbers.h"
#include "platform/strings.h"
#include "players/drawing_library.h"
#include "players/lesson_texts.h"
#include "shell/main_window.h"
#include "shell/shades.h"
#include "shell/shared_state.h"
#include "ui/text_fit.h"

#include <algorithm>
#include <cmath>

using shell::fenetrePrincipale;
using shell::Integer;
using shell::shared;

namespace players {

namespace {

using namespace ui::palette;
using namespace shell::shades;

constexpr int kBranches = 14;
// The top of the tray's drawings, design pixels: above it an element stands on the tree.
constexpr double kHautBac = 328;

// The tree's lines in design pixels: the root (304, 304), the level-1 nodes (160, 224) and
// (472, 224), the level-2 nodes at 168 (the leaves of a two-level tree), the leaves at 96.
constexpr double kLignes[kBranches][4] = {
    {304, 304, 472, 224}, {160, 224, 304, 304}, {80, 168, 160, 224}, {240, 168, 160, 224},
    {400, 168, 472, 224}, {560, 168, 472, 224}, {40, 96, 80, 168},   {120, 96, 80, 168},
    {200, 96, 240, 168},  {280, 96, 240, 168},  {360, 96, 400, 168}, {440, 96, 400, 168},
    {520, 96, 560, 168},  {600, 96, 560, 168}};

// The branch boxes' places, design pixels: the root's two branches, the level-1 branches, the
// branches that lead to the leaves.
constexpr double kBoites[kBranches][2] = {
    {208, 248}, {360, 248}, {80, 184},  {200, 184}, {392, 184}, {512, 184}, {16, 104},
    {104, 104}, {176, 104}, {264, 104}, {336, 104}, {424, 104}, {496, 104}, {584, 104}};

// The first box of each pair that carries a level's label.
const std::vector<int>& pairesDuNiveau(int niveau) {
    static const std::vector<int> paires[3] = {{0}, {2, 4}, {6, 8, 10, 12}};
    return paires[niveau];
}

} // namespace

Feuille5::Feuille5() : DraggingPlayer(formats::Kind::Tree) {
    setBackColor(kGrisFonce);
    setFont(ui::arial(12));
    moveForm(0, 0, 9585, 6870);

    for (ui::Label* l : {&Label1, &Label2}) {
        l->setFont(ui::arial(12));
        l->setForeColor(kBlanc);
        l->setAlignment(ui::vbCenter);
        l->setBackStyle(ui::vbTransparent);
    }
    Label1.move(120, 4620, 9255, 375);
    Label2.move(600, 6300, 8175, 375);

    for (int i = 0; i < kBranches; ++i) {
        ui::Line& l = Line1.add(i);
        l.setTwipsPoints(kLignes[i][0] * 15, kLignes[i][1] * 15, kLignes[i][2] * 15,
                         kLignes[i][3] * 15);
        l.setBorderWidth(2);
        l.setVisible(i <= 5);
    }

    ui::Shape& point = Shape3.add(0);
    point.setShape(ui::vbShapeCircle);
    point.setBackStyle(ui::vbOpaque);
    point.setBackColor(kJaune);
    point.setBorderColor(kJaune);
    point.move(0, 0, 255, 255);

    Shape2.setShape(ui::vbShapeRoundedRectangle);
    Shape2.setBackStyle(ui::vbOpaque);
    Shape2.setBackColor(kGris);
    Shape2.setBorderColor(kRouge);
    Shape2.setBorderWidth(2);
    Shape2.move(1200, 4920, 7215, 1365);

    for (int b = 0; b < kBranches; ++b) {
        ui::PictureBox& boite = Picture1.add(b);
        boite.setBackColor(kGris);
        boite.setForeColor(kNoir);
        boite.setFont(ui::arial(12));
        boite.setScaleMode(ui::vbPixels);
        boite.move(kBoites[b][0] * 15, kBoites[b][1] * 15, 41 * 15, 49 * 15);
        boite.setVisible(b <= 5);
        for (int k = 0; k < 2; ++k) {
            ui::Line& croix = Line2.add(2 * b + k, boite);
            croix.setBorderColor(kBleuMoyen);
            croix.setBorderWidth(2);
            croix.setVisible(false);
        }
    }

    Image1[0].move(0, 0, 1125, 1335);
}

void Feuille5::exceptionsEchelle() {
    const double e = ep();
    for (int i = 0; i < kBranches; ++i) {
        ui::Line& l = Line1[i];
        epaisseurAEchelle(l);
        l.setPoints(kLignes[i][0] * e, kLignes[i][1] * e, kLignes[i][2] * e, kLignes[i][3] * e);
    }
    for (int k = 0; k < 2 * kBranches; ++k) epaisseurAEchelle(Line2[k]);
}

QPoint Feuille5::placeBac(int place) const {
    return QPoint(arrondi(Shape2.left() + (8 + 78 * place) * ep()), arrondi(kHautBac * ep()));
}

// --- load ---

void Feuille5::chargerJoueur() {
    const bool nombres = !avecDessins();
    preparerElements(nombres);
    for (int b = 0; b < kBranches; ++b) {
        GaucheBranches[b] = Integer(arrondi(Picture1[b].left()));
        HautBranches[b] = Integer(arrondi(Picture1[b].top()));
        LargeurBranches[b] = Integer(arrondi(Picture1[b].width()));
        HauteurBranches[b] = Integer(arrondi(Picture1[b].height()));
    }
    if (nombres) {
        setBackColor(kSarcelle);
        Shape2.move(Shape2.left(), px(340), Shape2.width(), px(73));
        Shape2.setBackColor(kTurquoise);
    }
    Label2.setCaption(ConsigneChoix);
    // The check button took the screen's grey before the numbers activity changed it.
    preparerPorte();

    DeuxNiveaux = formats::optionOn(shared.Enregistrement, formats::kOptionTwoLevels) ? 1 : 0;
    if (!DeuxNiveaux) {
        for (int i = 6; i < kBranches; ++i) {
            Picture1[i].setVisible(true);
            Line1[i].setVisible(true);
        }
        for (int i = 0; i < 8; ++i) GaucheFeuilles[i] = Integer(80 * i);
        HautFeuilles = nombres ? 55 : 8;
        DernierePlaceBac = 5;
        DerniereFeuille = 7;
    } else {
        Shape2.move(px(188), px(nombres ? 340 : 328), px(248), Shape2.height());
        const Integer gauches[4] = {40, 200, 360, 520};
        for (int i = 0; i < 4; ++i) GaucheFeuilles[i] = gauches[i];
        HautFeuilles = nombres ? 127 : 80;
        DernierePlaceBac = 2;
        DerniereFeuille = 3;
    }

    // The yellow point of a leaf lies under the element that stands there.
    const double hautPoint = HautFeuilles + 79 - (nombres ? 48 : 0);
    for (int p = 0; p <= DerniereFeuille; ++p) {
        if (nombres) {
            Image11.load(p);
            Image12.load(p);
            Image13.load(p);
        } else {
            Image1.load(p).setVisible(true);
        }
        Shape3.load(p).move(px(GaucheFeuilles[p] + 32), px(hautPoint));
    }
    for (int i = 1; i <= 5; ++i) Image2.load(i);
    NouvelItem();
}

// --- one item ---

void Feuille5::NouvelItem() {
    const int item = commencerItem();
    const int activite = activiteJouee();
    const bool nombres = activiteNombres();
    Label1.setCaption(std::string("Placer les ") + (nombres ? "nombres" : "objets") +
                      " ci-dessous sur un des points jaunes.");
    Label2.setCaption(ConsigneChoix);
    viderArbre(nombres);
    Essais = 0;
    Plateau.assign(10, ' ');
    feuillesFausses_.clear();
    ecrireEtiquettes(activite, item, nombres);
    distribuerElements(activite, item, nombres);
    poserExemples(nombres);
    if (nombres) montrerCartes(Shape2);
    ObjetTenu = -1;
    shared.PointeurSurCase = 0;
    AfficherPlanche(-1, 1);
}

// Every box starts the item as the load placed it, empty: a drawing or a text of the last item
// must not show under this item's label.
void Feuille5::viderArbre(bool nombres) {
    for (int b = 0; b < kBranches; ++b) {
        ui::PictureBox& boite = Picture1[b];
        boite.move(GaucheBranches[b], HautBranches[b], LargeurBranches[b], HauteurBranches[b]);
        boite.setPicture({});
        boite.cls();
        TexteBranche[b].clear();
    }
    for (int p = 0; p <= DerniereFeuille; ++p) {
        if (!nombres) Image1[p].setPicture({});
        Shape3[p].setVisible(true);
        FeuilleAttendue[p] = -1;
        GaucheExemple[p] = -1;
        TexteCarte[p].clear();
    }
    for (int k = 0; k < 2 * kBranches; ++k) Line2[k].setVisible(false);
    if (!nombres) {
        for (int p = 0; p <= DernierePlaceBac; ++p) {
            const QPoint bac = placeBac(p);
            Image1[p].move(bac.x(), bac.y());
            Image1[p].zOrder(0);
        }
    }
}

// The level labels on the branches, each pair showing one label and its negation.
void Feuille5::ecrireEtiquettes(int activite, int item, bool nombres) {
    const std::string& fiche = shared.Enregistrement;
    const std::string texteItem = formats::itemText(fiche, activite, item);
    const unsigned char premiere = texteItem.empty() ? ' ' : texteItem[0];
    const int niveaux = DeuxNiveaux ? 2 : 3;
    for (int j = 0; j < niveaux; ++j) {
        const std::string brut = formats::rawField(fiche, activite, item, formats::treeLabel(j));
        bool nie = false;
        std::string texte = platform::trimmed(brut);
        if (!nombres && formats::hasNegationMark(brut)) {
            nie = true;
            texte = platform::trimmed(brut.substr(1, 15));
        }
        // Records the editor never writes: the later levels stay empty.
        if (nie && texte.empty()) break;
        const bool dessin = !nombres && !texte.empty() && players::chiffre(texte[0]);
        if (dessin && platform::val(texte) > double(shared.NumeroDessinMax)) break;
        // A comparison written with a symbol is shown in words; the ending follows the item's
        // first character.
        const std::string label =
            materiel() == formats::Material::Solids
                ? players::symboleEnMots(texte, premiere, players::kPerpendiculaires)
                : texte;
        for (int premiereBoite : pairesDuNiveau(j)) {
            for (int k = 0; k < 2; ++k) {
                const int b = premiereBoite + k;
                if (dessin)
                    Picture1[b].setPicture(
                        players::dessinBibliotheque(platform::toLong(platform::val(texte))));
                else
                    ecrireBranche(b, label);
                // The first branch of a pair carries the label as written, the second its
                // negation; a negated label swaps them.
                if ((k == 0) == nie) croiserBranche(b, dessin);
            }
        }
    }
}

// The elements, dealt at random over the leaves' places.
void Feuille5::distribuerElements(int activite, int item, bool nombres) {
    const std::string& fiche = shared.Enregistrement;
    std::array<bool, 8> pris{};
    const auto places = std::span<bool>(pris).first(std::size_t(DerniereFeuille + 1));
    for (int el = 0; el <= DerniereFeuille; ++el) {
        const std::string brut = formats::rawField(fiche, activite, item, formats::treeLeaf(el));
        if (!nombres &&
            !(players::chiffre(brut[0]) && platform::val(brut) <= double(shared.NumeroDessinMax)))
            continue;
        const int p = tirerPlace(places);
        FeuilleAttendue[p] = Integer(el);
        if (nombres)
            TexteCarte[p] = platform::trimmed(brut);
        else
            Image1[p].setPicture(
                players::dessinBibliotheque(platform::toLong(platform::val(brut))));
    }
}

// The places after the tray's hold the examples, already on their leaves.
void Feuille5::poserExemples(bool nombres) {
    for (int p = DernierePlaceBac + 1; p <= DerniereFeuille; ++p) {
        const int f = FeuilleAttendue[p];
        if (f < 0) continue;
        Plateau[f] = '2';
        GaucheExemple[p] = GaucheFeuilles[f];
        Shape3[f].setVisible(false);
        if (!nombres) Image1[p].move(px(GaucheFeuilles[f]), px(HautFeuilles));
    }
}

void Feuille5::ecrireBranche(int b, const std::string& texteLabel) {
    const double e = ep();
    ui::PictureBox& boite = Picture1[b];
    const std::string t = " " + platform::trimmed(texteLabel) + "  ";
    boite.setFontBold(false);
    // The largest size from 10 down to 8 (times the scale) that fits 120 design pixels.
    const bool uneLigne = ui::fitFontToWidth(boite, {t}, 120 * e,
                                             double(platform::roundHalfEven(10 * shared.Echelle)),
                                             8 * shared.Echelle);
    double largeur = boite.textWidth(t);
    double hauteur = 20;
    std::string ecrit = t;
    if (!uneLigne) {
        // Two lines, cut at the first space from the middle that is not the final blanks.
        hauteur = 30;
        const std::size_t n = t.size() - 1; // positions count from 1
        std::size_t debut = std::max<std::size_t>(1, n / 2);
        std::size_t blanc = t.find(' ', debut - 1) + 1;
        while (blanc == n && debut > 1) {
            --debut;
            blanc = t.find(' ', debut - 1) + 1;
        }
        const std::string ligne1 = t.substr(0, blanc) + "  ";
        const std::string ligne2 = t.substr(blanc - 1, 20);
        largeur = std::max(boite.textWidth(ligne1), boite.textWidth(ligne2));
        ecrit = ligne1 + shared.FinLigne + ligne2;
    }

    double haut = HautBranches[b] + 3 * e;
    double gauche = 0;
    if (b % 2 == 1) {
        // The second box of a pair grows to the right of its branch.
        gauche = GaucheBranches[b] - 20 * e;
        if (b > 5) haut += 21 * e;
        if (gauche + largeur > 638 * e) gauche = 639 * e - largeur;
    } else {
        // The first box keeps its right edge beside its branch and grows to the left.
        gauche = GaucheBranches[b] + LargeurBranches[b] + 30 * e - largeur;
        if (gauche < 0) gauche = 0;
        if (b == 0) gauche = std::min(gauche, GaucheBranches[0] + 10 * e);
        if (b > 5) haut += 3 * e;
    }
    boite.move(gauche, haut, largeur, hauteur * e);
    boite.cls();
    boite.setCurrentX(0);
    boite.setCurrentY(2 * e);
    boite.print(ecrit, false);
    TexteBranche[b] = ecrit;
}

void Feuille5::croiserBranche(int b, bool dessin) {
    const double e = ep();
    ui::PictureBox& boite = Picture1[b];
    const double w = boite.width();
    const double h = boite.height();
    // A word's crossing is as thin as the screen's scale allows, so that the word still reads
    // under it; a drawing's is twice as thick and half a pixel more.
    const int epaisseur =
        int(platform::roundHalfEven(dessin ? 2 * shared.Echelle + 0.5 : double(shared.Echelle)));
    ui::Line& l1 = Line2[2 * b];
    ui::Line& l2 = Line2[2 * b + 1];
    l1.setPoints(2 * e, 2 * e, w - 4 * e, h - 4 * e);
    l2.setPoints(w - 4 * e, 2 * e, 2 * e, h - 4 * e);
    for (ui::Line* l : {&l1, &l2}) {
        l->setBorderWidth(std::max(1, epaisseur));
        l->setVisible(true);
    }
}

// --- the board ---

void Feuille5::ChercherFeuille(float x, float y, Integer& gauche, Integer& haut, Integer& feuille) {
    const double e = ep();
    feuille = -1;
    gauche = Integer(arrondi(x - 45 * e));
    haut = Integer(arrondi(y - 36 * e));
    // Above the leaf row every point belongs to the leaf of its column, the outer columns
    // reaching the screen's edges.
    if (y < (HautFeuilles + 100) * e) {
        const int colonne = DeuxNiveaux ? 160 : 80;
        int f = int(platform::idiv(platform::roundHalfEven(x / e), colonne));
        f = std::clamp(f, 0, int(DerniereFeuille));
        feuille = Integer(f);
        gauche = Integer(arrondi(GaucheFeuilles[f] * e));
        haut = Integer(arrondi(HautFeuilles * e));
    }
}

PlaceTrouvee Feuille5::chercherPlace(float x, float y) {
    Integer gauche = 0, haut = 0, feuille = -1;
    ChercherFeuille(x, y, gauche, haut, feuille);
    PlaceTrouvee p;
    p.gauche = gauche;
    p.haut = haut;
    p.place = feuille;
    return p;
}

bool Feuille5::surRangeeFeuilles(double haut) const {
    const double e = ep();
    return (HautFeuilles - 1) * e <= haut && haut <= (HautFeuilles + 1) * e;
}

bool Feuille5::prendreDessin(int index) {
    if (index < 0 || index > DerniereFeuille || FeuilleAttendue[index] < 0) return false;
    ui::Image& dessin = Image1[index];
    if (dessin.top() < kHautBac * ep()) {
        Integer gauche = 0, haut = 0, feuille = -1;
        ChercherFeuille(float(dessin.left()), float(dessin.top()), gauche, haut, feuille);
        if (feuille >= 0) {
            // An example stays on its leaf.
            if (Plateau[feuille] == '2') return false;
            Plateau[feuille] = ' ';
        }
    }
    return true;
}

bool Feuille5::carteRefusee(int carte) const {
    return carte >= 0 && carte <= DerniereFeuille && GaucheExemple[carte] >= 0;
}

void Feuille5::libererSousPointeur(float, float y) {
    if (y >= 340 * ep()) return;
    // The leaf where the taken card stood, whatever edge of the card was clicked.
    for (int f = 0; f <= DerniereFeuille; ++f)
        if (Plateau[f] == char(ObjetTenu)) Plateau[f] = ' ';
}

bool Feuille5::pointeurSurPlace(const PlaceTrouvee& p, bool) const {
    return surRangeeFeuilles(p.haut);
}

bool Feuille5::placeLibre(int place) const {
    return place >= 0 && place <= DerniereFeuille && Plateau[place] == ' ';
}

void Feuille5::occuperPlace(int place) {
    Plateau[place] = char(ObjetTenu);
}

void Feuille5::renvoyerDessinMaison(int index) {
    const QPoint bac = placeBac(index);
    Image1[index].move(bac.x(), bac.y());
}

bool Feuille5::carteUtilisee(int i) const {
    return i >= 0 && i <= DerniereFeuille && FeuilleAttendue[i] >= 0;
}

QPoint Feuille5::maisonCarte(int i) const {
    const double e = ep();
    if (GaucheExemple[i] >= 0)
        return QPoint(arrondi(GaucheExemple[i] * e), arrondi(HautFeuilles * e));
    // Two staggered rows in the tray.
    return QPoint(arrondi(Shape2.left() + (4 + 78 * i) * e), arrondi((i % 2 == 0 ? 346 : 374) * e));
}

// --- the check ---

int Feuille5::compterNonPlaces() {
    int restants = 0;
    for (int p = 0; p <= DerniereFeuille; ++p) {
        // An empty place holds nothing to place.
        if (FeuilleAttendue[p] < 0) continue;
        const double haut = avecDessins() ? Image1[p].top() : double(HautCarte[p]);
        if (!surRangeeFeuilles(haut)) ++restants;
    }
    return restants;
}

bool Feuille5::testerItem(int& faux) {
    retirerFaux(
        Plateau, DerniereFeuille + 1, 7,
        [this](int place, int feuille) { return FeuilleAttendue[place] != feuille; },
        feuillesFausses_);
    faux = int(feuillesFausses_.size());
    return true;
}

bool Feuille5::renvoyerFaux() {
    for (const auto& [feuille, place] : feuillesFausses_) {
        (void)feuille;
        const QPoint maison =
            avecDessins() ? placeBac(place) : QPoint(GaucheDepart[place], HautDepart[place]);
        if (!glisser(place, positionElement(place), maison, 0.05)) return false;
        if (avecDessins()) Image1[place].zOrder(0);
    }
    return true;
}

bool Feuille5::montrerReponse() {
    const double e = ep();
    for (const auto& [feuille, fautif] : feuillesFausses_) {
        (void)fautif;
        int place = -1;
        for (int p = 0; p <= DerniereFeuille && place < 0; ++p)
            if (FeuilleAttendue[p] == feuille) place = p;
        if (place < 0) continue;
        const QPoint maison =
            avecDessins() ? placeBac(place) : QPoint(GaucheDepart[place], HautDepart[place]);
        const QPoint cible(arrondi(GaucheFeuilles[feuille] * e), arrondi(HautFeuilles * e));
        if (!glisser(place, maison, cible, 0.15)) return false;
    }
    return true;
}

void Feuille5::montrerExercice(bool visible) {
    if (avecDessins())
        for (int p = 0; p <= DerniereFeuille; ++p)
            Image1[p].setVisible(visible && FeuilleAttendue[p] >= 0);
    const int derniere = DeuxNiveaux ? 5 : kBranches - 1;
    for (int b = 0; b <= derniere; ++b) {
        Picture1[b].setVisible(visible);
        Line1[b].setVisible(visible);
    }
    Shape2.setVisible(visible);
}

void Feuille5::avantVisages() {
    if (!avecDessins()) {
        effacerCartes();
        refresh();
    }
    for (int p = 0; p <= DerniereFeuille; ++p) Shape3[p].setVisible(false);
}

// The tree heads its answer in the instruction line, in yellow.
bool Feuille5::annoncerReponse() {
    Label2.setCaption("");
    afficherEntete(Label1, 14, kJaune);
    Image5[1].setVisible(false);
    shared.Verrou = shell::kVrai;
    fenetrePrincipale().actualiserMenus(shell::MomentMenus::JoueurOccupe);
    return laisserPasser();
}

void Feuille5::effacerEntete() {
    remettreLigne(Label1);
}

} // namespace players
