#include "players/sets_player.h"

#include "formats/lesson_record.h"
#include "platform/cp1252.h"
#include "platform/numbers.h"
#include "platform/strings.h"
#include "players/drawing_library.h"
#include "players/lesson_texts.h"
#include "shell/main_window.h"
#include "shell/shades.h"
#include "shell/shared_state.h"

using shell::Integer;
using shell::shared;

namespace players {

namespace {

constexpr int kPlacesPlateau = 5;
constexpr int kCellules = 21;
using namespace ui::palette;
using namespace shell::shades;

// The region where the element of slot k belongs: the column of the slot tells it.
int regionEmplacement(int k) {
    const int colonne = k % 7;
    if (colonne == 0) return 0;
    if (colonne <= 2) return 1;
    if (colonne <= 4) return 2;
    return 3;
}

// The lines that join each set's title box to its set, from x1, y1 to x2, y2 in design pixels.
struct Trait {
    double x1, y1, x2, y2;
};
constexpr Trait kConnecteurs[2] = {{444, 152, 464, 144}, {160, 344, 180, 352}};

// The answer's cells of each region, in the order they are tried.
const std::vector<int>& cellulesReponse(int region) {
    static const std::vector<int> listes[4] = {
        {1, 8, 21}, {2, 3, 4, 5, 9}, {10, 11, 12}, {13, 17, 18, 19, 20}};
    return listes[region];
}

} // namespace

Feuille4::Feuille4() : DraggingPlayer(formats::Kind::Sets) {
    setBackColor(kTurquoise);
    setFont(ui::arial(12));
    moveForm(0, 0, 9570, 6900);

    Label1.setFont(ui::arial(9.75));
    Label1.setBackStyle(ui::vbTransparent);
    Label1.move(60, 240, 2655, 615);
    Label1.setCaption("Placer chaque dessin sur un des points jaunes.");
    Label2.setFont(ui::arial(12));
    Label2.setAlignment(ui::vbCenter);
    Label2.setBackStyle(ui::vbTransparent);
    Label2.move(1320, 6000, 8175, 375);

    Shape2.setShape(ui::vbShapeRectangle);
    Shape2.setBackStyle(ui::vbOpaque);
    Shape2.setBackColor(kGris);
    Shape2.move(2820, 120, 6615, 1335);
    Shape2.setVisible(false);

    ui::Shape& ensemble = Shape1.add(0);
    ensemble.setShape(ui::vbShapeRoundedRectangle);
    ensemble.setBackStyle(ui::vbOpaque);
    ensemble.setBackColor(kBleuClair);
    ensemble.setBorderColor(kNoir);
    ensemble.setBorderWidth(3);
    ensemble.move(92 * 15, 104 * 15, 352 * 15, 193 * 15);
    ensemble.setVisible(false);

    ui::Shape& point = Shape3.add(0);
    point.setShape(ui::vbShapeCircle);
    point.setBackStyle(ui::vbOpaque);
    point.setBackColor(kJaune);
    point.setBorderColor(kNoir);
    point.move(0, 0, 255, 255);
    point.setVisible(false);

    const double boites[2][2] = {{464, 112}, {104, 312}};
    for (int j = 0; j < 2; ++j) {
        ui::PictureBox& boite = Picture1.add(j);
        boite.setBorderStyle(1);
        boite.setBackColor(kBlanc);
        boite.setForeColor(kNoir);
        boite.setFont(ui::arial(12));
        boite.setScaleMode(ui::vbPixels);
        boite.move(boites[j][0] * 15, boites[j][1] * 15, 57 * 15, 65 * 15);
        boite.setVisible(false);
        for (int k = 0; k < 2; ++k) {
            ui::Line& croix = Line2.add(2 * j + k, boite);
            croix.setBorderColor(kBleuMoyen);
            croix.setBorderWidth(2);
            croix.setVisible(false);
        }
    }

    for (int j = 0; j < 2; ++j) {
        const Trait& c = kConnecteurs[j];
        ui::Line& l = Line1.add(j);
        l.setTwipsPoints(c.x1 * 15, c.y1 * 15, c.x2 * 15, c.y2 * 15);
        l.setBorderWidth(2);
        l.setVisible(false);
    }

    Image1[0].move(2880, 120, 1245, 1335);
}

void Feuille4::exceptionsEchelle() {
    const double e = ep();
    for (int j = 0; j < 2; ++j) {
        const Trait& c = kConnecteurs[j];
        Line1[j].setBorderWidth(int(platform::roundHalfEven(e + 0.5)));
        Line1[j].setPoints(c.x1 * e, c.y1 * e, c.x2 * e, c.y2 * e);
    }
    for (int k = 0; k < 4; ++k) epaisseurAEchelle(Line2[k]);
}

// --- load ---

void Feuille4::chargerJoueur() {
    preparerElements(activiteNombres());
    if (activiteNombres()) {
        Label1.setCaption("Placer chaque nombre sur un des points jaunes.");
        Shape2.move(Shape2.left(), px(16), Shape2.width(), px(73));
        Shape2.setBackColor(kRouge);
    }
    Label2.setForeColor(kNoir);
    Label2.setCaption(ConsigneChoix);
    preparerPorte();

    ZoneCommune = (!shared.Enregistrement.empty() && shared.Enregistrement[0] != ' ') ? 1 : 0;

    // Both sets appear filled, with both outlines over the fills, the second set's on top.
    const double avec[2][4] = {{92, 104, 352, 193}, {180, 200, 352, 193}};
    const double sans[2][4] = {{92, 154, 352, 100}, {180, 293, 352, 100}};
    const auto& g = ZoneCommune ? avec : sans;
    for (int j = 1; j <= 3; ++j) Shape1.load(j);
    for (int j = 0; j <= 3; ++j) {
        const int ensemble = (j == 0 || j == 3) ? 0 : 1;
        ui::Shape& s = Shape1[j];
        s.move(px(g[ensemble][0]), px(g[ensemble][1]), px(g[ensemble][2]), px(g[ensemble][3]));
        s.setBackStyle(j <= 1 ? ui::vbOpaque : ui::vbTransparent);
        s.setVisible(true);
    }
    Shape1[2].zOrder(0);

    for (int c = 1; c < kCellules; ++c) Shape3.load(c);
    for (int i = 1; i <= 5; ++i) Image2.load(i);
    for (int i = 1; i < kPlacesPlateau; ++i) {
        if (activiteNombres()) {
            Image11.load(i);
            Image12.load(i);
            Image13.load(i);
        } else {
            Image1.load(i);
        }
    }
    NouvelItem();
}

// --- one item ---

bool Feuille4::celluleUtilisable(int c) const {
    if (c < 1 || c > kCellules) return false;
    const int rangee = (c - 1) / 7;
    const int colonne = (c - 1) % 7;
    if (rangee == 0) return colonne <= 4;
    if (rangee == 1) return ZoneCommune != 0 && colonne <= 5;
    return colonne >= 2;
}

int Feuille4::regionCase(int c) {
    switch (c) {
    case 1:
    case 8:
    case 21: return 0;
    case 2:
    case 3:
    case 4:
    case 5:
    case 9: return 1;
    case 10:
    case 11:
    case 12: return 2;
    case 13:
    case 17:
    case 18:
    case 19:
    case 20: return 3;
    default: return -1;
    }
}

void Feuille4::placerPointsJaunes() {
    for (int c = 1; c <= kCellules; ++c) {
        ui::Shape& point = Shape3[c - 1];
        if (!celluleUtilisable(c)) {
            point.setVisible(false);
            continue;
        }
        const int rangee = (c - 1) / 7;
        const int colonne = (c - 1) % 7;
        double haut = 143 + 96 * rangee;
        if (!ZoneCommune) haut = rangee == 0 ? 195 : 335;
        point.move(px(43 + 88 * colonne), px(haut));
        point.setVisible(true);
        point.zOrder(0);
    }
}

void Feuille4::NouvelItem() {
    const int item = commencerItem();
    Label2.setCaption(ConsigneChoix);

    Picture1[0].setVisible(false);
    Picture1[1].setVisible(false);
    const double d = ZoneCommune ? 0 : 30;
    Picture1[0].move(px(464), px(112), px(57), px(65));
    Picture1[0].setTop(px(112 + d));
    Picture1[1].move(px(104), px(312), px(57), px(65));
    Line1[0].setY1(px(152 + d));
    Line1[0].setY2(px(144 + d));

    const int activite = activiteJouee();
    const bool nombres = activiteNombres();
    for (int i = 0; i < kPlacesPlateau; ++i) {
        RegionAttendue[i] = -1;
        TexteCarte[i].clear();
        faux_[i] = false;
        if (!nombres) {
            ui::Image& dessin = Image1[i];
            dessin.setPicture({});
            dessin.move(px(190 + 88 * i), px(8));
            dessin.zOrder(0);
        }
    }
    Plateau.assign(kCellules, ' ');

    const std::string& fiche = shared.Enregistrement;
    std::array<bool, kPlacesPlateau> pris{};
    int distribues = 0;
    for (int k = 0; k <= 13; ++k) {
        const std::string brut = formats::rawField(fiche, activite, item, formats::setsSlot(k));
        const std::string texte = platform::trimmed(brut);
        bool element = false;
        if (nombres)
            element = !texte.empty();
        else
            element = !brut.empty() && players::chiffre(brut[0]) &&
                      platform::val(brut) <= double(shared.NumeroDessinMax);
        if (!element) continue;
        // An item holds five elements; any more would only push out those already dealt.
        if (distribues == kPlacesPlateau) break;
        const int p = tirerPlace(pris);
        ++distribues;
        if (nombres)
            TexteCarte[p] = texte;
        else
            Image1[p].setPicture(
                players::dessinBibliotheque(platform::toLong(platform::val(brut))));
        RegionAttendue[p] = Integer(regionEmplacement(k));
    }

    afficherTitre(0);
    afficherTitre(1);
    placerPointsJaunes();

    if (nombres) montrerCartes(Shape2);
    ObjetTenu = -1;
    Essais = 0;
    AfficherPlanche(-1, 1);
}

void Feuille4::afficherTitre(int j) {
    ui::PictureBox& boite = Picture1[j];
    ui::Line& croix1 = Line2[2 * j];
    ui::Line& croix2 = Line2[2 * j + 1];
    const int activite = activiteJouee();
    boite.setPicture({});
    boite.cls();
    TexteTitre[std::size_t(j)].clear();

    std::string t = formats::rawField(shared.Enregistrement, activite, shared.NumeroItem,
                                      formats::setsTitle(j));
    const bool nie = formats::hasNegationMark(t);
    if (nie) t = platform::trimmed(t.substr(1));

    if (!t.empty() && players::chiffre(t[0]) &&
        platform::val(t) <= double(shared.NumeroDessinMax) && !activiteNombres()) {
        boite.setPicture(players::dessinBibliotheque(platform::toLong(platform::val(t))));
    } else {
        t = platform::trimmed(t);
        // A comparison or a relation written with a symbol is shown in words.
        if (materiel() != formats::Material::Drawings)
            t = players::symboleEnMots(t, static_cast<unsigned char>(t[0]),
                                       players::kPerpendiculaires);
        const std::size_t n = t.size();
        const std::string b = n < 3 ? "   " : " ";
        t = b + platform::trimmed(t) + b;

        boite.cls();
        double hautTexte = px(5);
        double w = double(platform::roundHalfEven(boite.textWidth(t)));
        double h = px(36);
        std::string texte = t;
        if (w > 160 * ep()) {
            // Two lines, cut at a blank near the middle.
            std::size_t m = std::max<std::size_t>(1, n / 2);
            std::size_t blanc = t.find(' ', m - 1);
            while (blanc + 1 == t.size() && m > 5) {
                --m;
                blanc = t.find(' ', m - 1);
            }
            if (blanc == std::string::npos) blanc = t.size() - 1;
            const std::string ligne1 = t.substr(0, blanc + 1);
            const std::string ligne2 = " " + t.substr(blanc + 1, 20);
            w = double(std::max(platform::roundHalfEven(boite.textWidth(ligne1)),
                                platform::roundHalfEven(boite.textWidth(ligne2))));
            h = px(44);
            hautTexte = 0;
            texte = ligne1 + shared.FinLigne + ligne2;
        }
        const double gauche = j == 0 ? boite.left() : boite.left() + boite.width() - w;
        boite.move(gauche, boite.top() + px(8), w, h);
        boite.setCurrentX(0);
        boite.setCurrentY(hautTexte);
        boite.print(texte);
        TexteTitre[std::size_t(j)] = texte;
    }

    const double largeur = boite.width();
    const double hauteur = boite.height();
    const double e = ep();
    croix1.setPoints(4 * e, 4 * e, largeur - 8 * e, hauteur - 8 * e);
    croix2.setPoints(largeur - 8 * e, 4 * e, 4 * e, hauteur - 8 * e);
    croix1.setVisible(nie);
    croix2.setVisible(nie);
    boite.setVisible(true);
}

// --- the board ---

void Feuille4::ChercherPoint(float x, float y, Integer& gauche, Integer& haut, Integer& colonne,
                             Integer& rangee) {
    const double e = ep();
    colonne = -1;
    gauche = Integer(arrondi(x - 45 * e));
    haut = Integer(arrondi(y - 36 * e));
    const bool commune = ZoneCommune != 0;
    if ((commune && y >= 108 * e) || (!commune && y >= 158 * e)) {
        int c = int(platform::idiv(platform::roundHalfEven(x / e - 8), 88));
        int r = int(platform::idiv(platform::roundHalfEven(y / e - 108), 96));
        c = std::clamp(c, 0, 6);
        r = std::clamp(r, 0, 2);
        if (!commune && r == 1) r = y > 270 * e ? 2 : 0;
        if (r == 0) c = std::min(c, 4);
        if (r == 1) c = std::min(c, 5);
        if (r == 2) c = std::max(c, 2);
        colonne = Integer(c);
        rangee = Integer(r);
        double hautRangee = 108 + 96 * r;
        if (!commune) hautRangee = r == 0 ? 158 : 300;
        gauche = Integer(arrondi((8 + 88 * c) * e));
        haut = Integer(arrondi(hautRangee * e));
        if (activiteNombres()) haut = Integer(arrondi(haut + 24 * e));
    }
}

PlaceTrouvee Feuille4::chercherPlace(float x, float y) {
    Integer gauche = 0, haut = 0, colonne = -1, rangee = 0;
    ChercherPoint(x, y, gauche, haut, colonne, rangee);
    PlaceTrouvee p;
    p.gauche = gauche;
    p.haut = haut;
    p.place = colonne < 0 ? -1 : rangee * 7 + colonne + 1;
    return p;
}

bool Feuille4::surPlateau(double haut) const {
    return (ZoneCommune != 0 && haut >= 108 * ep()) || haut >= 158 * ep();
}

bool Feuille4::prendreDessin(int index) {
    if (RegionAttendue[std::size_t(index)] < 0) return false;
    ui::Image& dessin = Image1[index];
    if (surPlateau(dessin.top())) {
        const PlaceTrouvee p = chercherPlace(float(dessin.left()), float(dessin.top()));
        if (p.place >= 1) {
            Plateau[std::size_t(p.place - 1)] = ' ';
            Shape3[p.place - 1].setVisible(true);
        }
    }
    return true;
}

void Feuille4::libererSousPointeur(float x, float y) {
    if (!surPlateau(y)) return;
    const PlaceTrouvee p = chercherPlace(x, y);
    if (p.place >= 1) Plateau[std::size_t(p.place - 1)] = ' ';
}

bool Feuille4::pointeurSurPlace(const PlaceTrouvee& p, bool carte) const {
    static const std::vector<double> dessinsAvec{108, 204, 300}, dessinsSans{158, 300};
    static const std::vector<double> cartesAvec{132, 228, 324}, cartesSans{182, 324};
    const bool commune = ZoneCommune != 0;
    const auto& hauts =
        carte ? (commune ? cartesAvec : cartesSans) : (commune ? dessinsAvec : dessinsSans);
    const double haut = p.haut / ep();
    for (double h : hauts)
        if (std::abs(haut - h) <= 1) return true;
    return false;
}

void Feuille4::suivreAvecCarte(const PlaceTrouvee& p) {
    // A card stands 2 design pixels below the row's top.
    DeplacerCarte(float(p.gauche + 40 * ep()), float(p.haut + 18 * ep()));
}

bool Feuille4::placeLibre(int place) const {
    return place >= 1 && place <= kCellules && Plateau[std::size_t(place - 1)] == ' ';
}

void Feuille4::occuperPlace(int place) {
    Plateau[std::size_t(place - 1)] = char(ObjetTenu);
    if (avecDessins()) Shape3[place - 1].setVisible(false);
}

void Feuille4::renvoyerDessinMaison(int index) {
    Image1[index].move(px(190 + 88 * index), px(8));
}

bool Feuille4::carteUtilisee(int i) const {
    return i >= 0 && i < kPlacesPlateau && RegionAttendue[std::size_t(i)] >= 0;
}

QPoint Feuille4::maisonCarte(int i) const {
    return QPoint(arrondi((191 + 88 * i) * ep()), arrondi(36 * ep()));
}

void Feuille4::Form_MouseDown(int button, int shift, float x, float y) {
    if (shared.ResultatAffiche != 0) return;
    DraggingPlayer::Form_MouseDown(button, shift, x, y);
}

void Feuille4::remettreConsigneChoix() {
    DraggingPlayer::remettreConsigneChoix();
    Label2.setForeColor(kNoir);
}

// --- the check ---

int Feuille4::compterNonPlaces() {
    int restants = 0;
    for (int i = 0; i < kPlacesPlateau; ++i) {
        // An empty tray place holds nothing to place.
        if (RegionAttendue[i] < 0) continue;
        const double haut = avecDessins() ? Image1[i].top() : double(HautCarte[i]);
        if (haut < 100 * ep()) ++restants;
    }
    return restants;
}

void Feuille4::apresMessageNonPlaces() {
    if (!avecDessins()) DessinerNombres();
}

bool Feuille4::testerItem(int& faux) {
    faux = 0;
    faux_.fill(false);
    for (int c = 1; c <= kCellules; ++c) {
        const unsigned char code = static_cast<unsigned char>(Plateau[std::size_t(c - 1)]);
        if (code >= kPlacesPlateau) continue;
        const int region = regionCase(c);
        if (region < 0) continue;
        if (RegionAttendue[code] != region) {
            faux_[code] = true;
            ++faux;
            Plateau[std::size_t(c - 1)] = ' ';
            if (avecDessins()) Shape3[c - 1].setVisible(true);
        }
    }
    return true;
}

bool Feuille4::renvoyerFaux() {
    const double e = ep();
    for (int el = 0; el < kPlacesPlateau; ++el) {
        if (!faux_[el]) continue;
        const int cibleGauche = arrondi((190 + 88 * el) * e);
        const int cibleHaut = arrondi(8 * e);
        if (avecDessins()) {
            ui::Image& dessin = Image1[el];
            double x = dessin.left();
            double y = dessin.top();
            const long long dx = platform::idiv(platform::roundHalfEven(cibleGauche - x), 10);
            const long long dy = platform::idiv(platform::roundHalfEven(y - 8 * e), 10);
            for (int pas = 0; pas < 9; ++pas) {
                x += double(dx);
                y -= double(dy);
                dessin.move(x, y);
                if (!attendre(0.05)) return false;
            }
            dessin.move(cibleGauche, cibleHaut);
        } else {
            const int carteGauche = cibleGauche + arrondi(e);
            double x = GaucheCarte[el];
            double y = HautCarte[el];
            const long long dx = platform::idiv(platform::roundHalfEven(carteGauche - x), 10);
            const long long dy = platform::idiv(platform::roundHalfEven(y - 8 * e), 10);
            ObjetTenu = Integer(el);
            for (int pas = 0; pas < 9; ++pas) {
                x += double(dx);
                y -= double(dy);
                DeplacerCarte(float(x + 40 * e), float(y + 18 * e));
                if (!attendre(0.05)) return false;
            }
            DeplacerCarte(float(carteGauche + 40 * e), float(52 * e));
            ObjetTenu = -1;
        }
    }
    return true;
}

bool Feuille4::montrerReponse() {
    const double e = ep();
    const bool cartes = !avecDessins();
    for (int el = 0; el < kPlacesPlateau; ++el) {
        if (!faux_[el] || RegionAttendue[el] < 0) continue;
        int cellule = 0;
        for (int c : cellulesReponse(RegionAttendue[el])) {
            if (Plateau[std::size_t(c - 1)] == ' ' && celluleUtilisable(c)) {
                cellule = c;
                break;
            }
        }
        // No free cell for it: the element stays in the tray.
        if (cellule == 0) continue;
        Plateau[std::size_t(cellule - 1)] = '1';
        if (!cartes) Shape3[cellule - 1].setVisible(false);
        const int rangee = (cellule - 1) / 7;
        const int colonne = (cellule - 1) % 7;
        const int cibleX = 8 + 88 * colonne;
        int cibleY = 108 + 96 * rangee;
        if (rangee == 0 && !ZoneCommune) cibleY += 52;
        if (cartes) cibleY += 24;
        const int departX = 190 + 88 * el;
        const int departY = 8;
        const long long dx = platform::idiv(cibleX - departX, 10);
        const long long dy = platform::idiv(cibleY - departY, 10);
        long long x = departX;
        long long y = departY;
        if (cartes) ObjetTenu = Integer(el);
        for (int pas = 0; pas < 9; ++pas) {
            x += dx;
            y += dy;
            if (cartes)
                DeplacerCarte(float((x + 40) * e), float((y + 18) * e));
            else
                Image1[el].move(px(double(x)), px(double(y)));
            if (!attendre(0.15)) return false;
        }
        if (cartes) {
            DeplacerCarte(float((cibleX + 40) * e), float((cibleY + 18) * e));
            ObjetTenu = -1;
        } else {
            Image1[el].move(px(cibleX), px(cibleY));
        }
    }
    return true;
}

void Feuille4::montrerExercice(bool visible) {
    const bool dessinsVisibles = avecDessins();
    if (dessinsVisibles)
        for (int i = 0; i < kPlacesPlateau; ++i)
            Image1[i].setVisible(visible && RegionAttendue[i] >= 0);
    Picture1[0].setVisible(visible);
    Picture1[1].setVisible(visible);
    Line1[0].setVisible(visible);
    Line1[1].setVisible(visible);
    for (int j = 0; j <= 3; ++j) Shape1[j].setVisible(visible);
    if (!visible)
        Shape2.setVisible(false);
    else if (dessinsVisibles)
        Shape2.setVisible(true);
}

void Feuille4::avantVisages() {
    effacerCartes();
    for (int c = 0; c < kCellules; ++c) Shape3[c].setVisible(false);
}

} // namespace players
