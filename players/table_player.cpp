#include "players/table_player.h"

#include "formats/lesson_record.h"
#include "platform/cp1252.h"
#include "platform/numbers.h"
#include "platform/strings.h"
#include "players/drawing_library.h"
#include "players/lesson_texts.h"
#include "shell/main_window.h"
#include "shell/shades.h"
#include "shell/shared_state.h"

#include <algorithm>
#include <cmath>

using shell::fenetrePrincipale;
using shell::Integer;
using shell::shared;

namespace players {

namespace {

using namespace ui::palette;
using namespace shell::shades;

constexpr int kTitres = 6;
constexpr int kCroix = 12;

// A title's symbol in words, and its " :" kept on the line of the word before it.
std::string developperTitre(const std::string& titre) {
    const std::string t = platform::trimmed(titre);
    return players::deuxPointsInsecables(players::symboleEnMots(t, static_cast<unsigned char>(t[0]),
                                                                players::kPerpendiculairesCoupe));
}

} // namespace

Feuille6::Feuille6() : DraggingPlayer(formats::Kind::Table) {
    setBackColor(kTurquoise);
    setFont(ui::arial(12));
    moveForm(0, 0, 9585, 6900);

    Label1.setFont(ui::arial(12));
    Label1.setForeColor(kNoir);
    Label1.setBackStyle(ui::vbTransparent);
    Label1.move(120, 240, 3495, 615);
    Label1.setCaption("Placer tous les dessins ci-dessous dans le tableau.");
    Label2.setFont(ui::arial(12));
    Label2.setForeColor(kRouge);
    Label2.setAlignment(ui::vbCenter);
    Label2.setBackStyle(ui::vbTransparent);
    Label2.move(3720, 5880, 5655, 615);

    Shape1.setShape(ui::vbShapeRectangle);
    Shape1.setBackStyle(ui::vbOpaque);
    Shape1.setBackColor(kGris);
    Shape1.move(5280, 1200, 3615, 4455);
    Shape1.setVisible(false);

    Shape2.setShape(ui::vbShapeRectangle);
    Shape2.setBackStyle(ui::vbOpaque);
    Shape2.setBackColor(kGris);
    Shape2.setBorderColor(kRouge);
    Shape2.setBorderWidth(2);
    Shape2.move(120, 1080, 3615, 4365);
    Shape2.setVisible(false);

    ui::Shape& barre = Shape5.add(0);
    barre.setShape(ui::vbShapeRectangle);
    barre.setBackStyle(ui::vbOpaque);
    barre.setBackColor(kJaunePale);
    barre.setBorderColor(kNoir);
    barre.move(0, 0, 5415, 90);
    barre.setVisible(false);

    ui::Image& dessinTitre = Image3.add(0);
    dessinTitre.setStretch(true);
    dessinTitre.move(0, 0, 975, 1095);
    dessinTitre.setVisible(false);
    dessinTitre.setEnabled(false);

    ui::Label& texteTitre = Label3.add(0);
    texteTitre.setFont(ui::arial(12));
    texteTitre.setAlignment(ui::vbCenter);
    texteTitre.setBackStyle(ui::vbTransparent);
    texteTitre.setWordWrap(true);
    texteTitre.setAutoSize(true);
    texteTitre.move(3840, 3000, 1380, 300);

    ui::Line& croix = Line2.add(0);
    croix.setBorderColor(kBleuMoyen);
    croix.setBorderWidth(2);
    croix.setVisible(false);

    Image1[0].move(4560, -240, 1215, 1455);
    DessinHorsCase.fill(true);
}

void Feuille6::exceptionsEchelle() {
    epaisseurAEchelle(Line2[0]);
}

QPoint Feuille6::ancreCase(int cellule) const {
    const int rangee = cellule / ColonnesTableau;
    const int colonne = cellule % ColonnesTableau;
    return QPoint(arrondi((GaucheTableau + 97 + 92 * colonne) * ep()),
                  arrondi((HautTableau + 77 + 102 * rangee) * ep()));
}

// --- load ---

void Feuille6::chargerJoueur() {
    const std::string& fiche = shared.Enregistrement;
    CartesSolides = materiel() == formats::Material::Solids && fiche.find('*') != std::string::npos;
    const bool cartes = modeCartes();
    preparerElements(cartes);
    if (cartes) Label1.setCaption("Placer chaque nombre ci-dessous dans le tableau.");
    // The table writes the prompt for putting a drawing down on two lines.
    if (!cartes)
        ConsigneDepot = "Placer le dessin choisi au bon endroit." + shared.FinLigne +
                        "Puis, cliquer avec la souris.";
    Label2.setCaption(ConsigneChoix);
    preparerPorte();

    for (int i = 1; i <= 5; ++i) Image2.load(i);
    for (int i = 1; i <= 7; ++i) Shape5.load(i);
    for (int i = 0; i < kCroix; ++i) Line2.load(i).zOrder(0);
    for (int i = 1; i < kTitres; ++i) {
        Image3.load(i);
        Label3.load(i);
    }

    ColonnesTableau = formats::optionOn(fiche, formats::kOptionTwoColumns) ? 2 : 3;
    RangeesTableau = formats::optionOn(fiche, formats::kOptionTwoRows) ? 2 : 3;
    GaucheTableau = ColonnesTableau == 3 ? 256 : 300;
    HautTableau = RangeesTableau == 3 ? 8 : 78;
    const int gt = GaucheTableau;
    const int ht = HautTableau;

    for (int r = 0; r <= RangeesTableau; ++r) {
        Shape5[r].move(px(gt), px(ht + 72 + 102 * r), px(longueurBarresH()), px(6));
        if (r < RangeesTableau) {
            ui::Image& image = Image3[3 + r];
            image.move(px(gt + 12), px(ht + 90 + 102 * r));
            image.setEnabled(true);
            ui::Label& titre = Label3[3 + r];
            titre.move(px(gt), px(ht + 107 + 102 * r), px(90), titre.height());
        }
    }
    for (int c = 0; c <= ColonnesTableau; ++c) {
        Shape5[4 + c].move(px(gt + 88 + 92 * c), px(ht), px(6), px(longueurBarresV()));
        if (c < ColonnesTableau) {
            ui::Image& image = Image3[c];
            image.setEnabled(true);
            image.move(px(gt + 103 + 92 * c), px(ht - 5));
            ui::Label& titre = Label3[c];
            titre.move(px(gt + 94 + 92 * c), px(ht + 13), px(90), titre.height());
        }
    }

    NombreCases = Integer(ColonnesTableau * RangeesTableau);
    for (int p = 0; p < NombreCases; ++p) {
        int gauche = 0, haut = 0, decalage = 0;
        if (NombreCases == 9) {
            gauche = 8 + 80 * (p % 3);
            haut = 72 + 96 * (p / 3);
            decalage = 15 + (p % 3 == 1 ? 35 : 0);
        } else {
            gauche = 48 + 80 * (p % 2);
            haut = (NombreCases == 6 ? 72 : 112) + 96 * (p / 2);
            decalage = 10 + (p % 2 == 1 ? 44 : 0);
        }
        GaucheAccueil[p] = Integer(gauche);
        // The cards lie in staggered rows.
        HautAccueil[p] = Integer(haut + (cartes ? decalage : 0));
    }
    if (NombreCases == 9)
        Shape2.move(px(7), px(71), px(244), px(292));
    else if (NombreCases == 6)
        Shape2.move(px(47), px(71), px(164), px(292));
    else
        Shape2.move(px(47), px(111), px(164), px(196));

    for (int p = 1; p < NombreCases; ++p) {
        if (cartes) {
            Image11.load(p);
            Image12.load(p);
            Image13.load(p);
        } else {
            Image1.load(p);
        }
    }

    NouvelItem();
    if (!ui::isLoaded(this)) return;
    Shape1.move(px(gt + 92), px(ht + 76), px(longueurBarresH() - 88), px(longueurBarresV() - 76));
    Shape1.zOrder(1);
}

// --- one item ---

void Feuille6::NouvelItem() {
    const int item = commencerItem();
    const int activite = activiteJouee();
    const bool cartes = modeCartes();
    Label2.setCaption(ConsigneChoix);
    for (int i = 0; i < kCroix; ++i) Line2[i].setVisible(false);

    for (int p = 0; p < NombreCases; ++p) {
        CaseAttendue[p] = -1;
        TexteCarte[p].clear();
        DessinHorsCase[p] = true;
        if (!cartes) {
            ui::Image& dessin = Image1[p];
            dessin.setPicture({});
            const QPoint m = maison(p);
            dessin.move(m.x(), m.y());
            dessin.zOrder(0);
        }
    }
    Essais = 0;
    Plateau.assign(10, ' ');
    casesFausses_.clear();

    const std::string& fiche = shared.Enregistrement;
    std::array<bool, 9> pris{};
    int titre = 0;
    int cellule = 0;
    for (int k = 1; k <= 15; ++k) {
        const std::string champ = formats::field(fiche, activite, item, formats::tableCell(k));
        if (!formats::isAnswerCell(k)) {
            afficherTitre(titre++, champ);
            continue;
        }
        if (champ.empty()) continue;
        // Records the editor never writes: more answers than cells.
        if (cellule >= NombreCases) break;
        const int p = tirerPlace(std::span<bool>(pris).first(std::size_t(NombreCases)));
        CaseAttendue[p] = Integer(cellule);
        if (cartes) {
            TexteCarte[p] = champ;
            // A star gives the number the cell expects; a cell of an item without stars
            // expects the number written on its own card.
            if (CartesSolides) ValeurCase[cellule] = champ[0] == '*' ? champ.substr(1, 3) : champ;
        } else {
            const double numero = platform::val(champ);
            if (numero <= double(shared.NumeroDessinMax))
                Image1[p].setPicture(players::dessinBibliotheque(platform::toLong(numero)));
        }
        ++cellule;
    }

    ObjetTenu = -1;
    shared.PointeurSurCase = 0;
    AfficherPlanche(-1, 1);
    // A text title's cross lies behind its transparent text in red; a drawing's over it in blue.
    for (int t = 0; t < kTitres; ++t) {
        const bool texte = !Label3[t].caption().empty();
        for (int k = 0; k < 2; ++k) {
            ui::Line& l = Line2[2 * t + k];
            l.zOrder(texte ? 1 : 0);
            l.setBorderColor(texte ? kRouge : kBleuMoyen);
        }
    }
    if (cartes) montrerCartes(Shape2);
    ObjetTenu = -1;
    Essais = 0;
    AfficherPlanche(-1, 1);
}

void Feuille6::afficherTitre(int t, const std::string& champ) {
    const double e = ep();
    const formats::Material matiere = materiel();
    ui::Image& image = Image3[t];
    ui::Label& label = Label3[t];
    label.setCaption("");
    // Unused columns and rows keep their titles away.
    if (!image.enabled()) return;
    image.setPicture({});
    image.setVisible(false);
    label.setVisible(false);
    if (champ.empty()) return;

    std::string titre = champ;
    bool nie = false;
    if (matiere != formats::Material::Numbers && !CartesSolides &&
        formats::hasNegationMark(titre)) {
        nie = true;
        titre = platform::trimmed(titre.substr(1, 15));
    }
    if (titre.empty()) return;

    if (matiere != formats::Material::Numbers && players::chiffre(titre[0])) {
        const double numero = platform::val(titre);
        if (numero > double(shared.NumeroDessinMax)) return;
        image.setPicture(players::dessinBibliotheque(platform::toLong(numero)));
        image.setVisible(true);
    } else {
        if (matiere != formats::Material::Drawings) {
            label.setFontSize(10 * shared.Echelle);
            titre = developperTitre(titre);
        }
        // The wrapped text fits the width; its middle lies level with the title's drawing.
        label.setAutoSize(false);
        label.setWordWrap(false);
        label.move(label.left(), label.top(), px(86), px(70));
        label.setCaption(titre);
        label.setWordWrap(true);
        label.setAutoSize(true);
        const long long demi = platform::idiv(platform::roundHalfEven(label.height()), 2);
        label.setTop(image.top() + 36 * e - double(demi));
        label.setVisible(true);
    }
    if (matiere != formats::Material::Numbers) {
        const double g = image.left();
        const double h = image.top();
        Line2[2 * t].setPoints(g + 4 * e, h + 8 * e, g + 60 * e, h + 64 * e);
        Line2[2 * t + 1].setPoints(g + 60 * e, h + 8 * e, g + 4 * e, h + 64 * e);
        Line2[2 * t].setVisible(nie);
        Line2[2 * t + 1].setVisible(nie);
    }
}

std::string Feuille6::texteSurCarte(const std::string& champ) const {
    if (!CartesSolides) return espacerTexteCarte(champ);
    if (!champ.empty() && champ[0] == '*') return champ.substr(1, 3);
    return champ;
}

// --- the board ---

void Feuille6::ChercherCase(float x, float y, Integer& gauche, Integer& haut, Integer& cellule) {
    const double e = ep();
    gauche = Integer(arrondi(x - 45 * e));
    haut = Integer(arrondi(y - 36 * e));
    cellule = -1;
    const double x0 = GaucheTableau + 88;
    const double x1 = x0 + 8 + 92 * ColonnesTableau;
    const double y0 = HautTableau + 72;
    const double y1 = y0 + 102 * RangeesTableau;
    if (!(x0 * e < x && x < x1 * e && y0 * e < y && y < y1 * e)) return;
    const long long colonne = std::min<long long>(
        platform::idiv(platform::roundHalfEven(x / e - x0), 92), ColonnesTableau - 1);
    const long long rangee = std::min<long long>(
        platform::idiv(platform::roundHalfEven(y / e - y0), 102), RangeesTableau - 1);
    cellule = Integer(rangee * ColonnesTableau + colonne);
    const QPoint a = ancreCase(cellule);
    gauche = Integer(a.x());
    haut = Integer(a.y());
}

PlaceTrouvee Feuille6::chercherPlace(float x, float y) {
    Integer gauche = 0, haut = 0, cellule = -1;
    ChercherCase(x, y, gauche, haut, cellule);
    PlaceTrouvee p;
    p.gauche = gauche;
    p.haut = haut;
    p.place = cellule;
    return p;
}

bool Feuille6::prendreDessin(int index) {
    if (index < 0 || index >= NombreCases || CaseAttendue[index] < 0) return false;
    ui::Image& dessin = Image1[index];
    Integer gauche = 0, haut = 0, cellule = -1;
    ChercherCase(float(dessin.left()), float(dessin.top()), gauche, haut, cellule);
    if (cellule >= 0) {
        Plateau[cellule] = ' ';
        DessinHorsCase[index] = true;
    }
    return true;
}

void Feuille6::libererSousPointeur(float, float) {
    // The cell where the taken card stood, whatever part of the card was clicked.
    for (int c = 0; c < NombreCases; ++c)
        if (Plateau[c] == char(ObjetTenu)) Plateau[c] = ' ';
}

bool Feuille6::pointeurSurPlace(const PlaceTrouvee& p, bool) const {
    return p.place >= 0;
}

void Feuille6::suivreAvecCarte(const PlaceTrouvee& p) {
    const double e = ep();
    const int i = ObjetTenu;
    // The card stays put while the pointer keeps near its grip point.
    const double gx = GaucheCarte[i] + 40 * e;
    const double gy = HautCarte[i] + 16 * e;
    if (std::abs(p.pointeurX - gx) <= 20 * e && std::abs(p.pointeurY - gy) <= 12 * e) return;
    const double haut = p.haut + (p.place >= 0 ? 33 * e : 0);
    DeplacerCarte(float(p.gauche + 40 * e), float(haut + 16 * e));
}

bool Feuille6::placeLibre(int place) const {
    return place >= 0 && place < NombreCases && Plateau[place] == ' ';
}

void Feuille6::occuperPlace(int place) {
    Plateau[place] = char(ObjetTenu);
    if (!modeCartes()) DessinHorsCase[ObjetTenu] = false;
}

QPoint Feuille6::maison(int place) const {
    return QPoint(arrondi(GaucheAccueil[place] * ep()), arrondi(HautAccueil[place] * ep()));
}

void Feuille6::renvoyerDessinMaison(int index) {
    const QPoint m = maison(index);
    Image1[index].move(m.x(), m.y());
}

bool Feuille6::carteUtilisee(int i) const {
    return i >= 0 && i < NombreCases && CaseAttendue[i] >= 0;
}

QPoint Feuille6::maisonCarte(int i) const {
    return maison(i);
}

// --- the check ---

int Feuille6::compterNonPlaces() {
    const double e = ep();
    int restants = 0;
    for (int p = 0; p < NombreCases; ++p) {
        if (CaseAttendue[p] < 0) continue;
        if (modeCartes() ? GaucheCarte[p] < GaucheTableau * e
                         : Image1[p].left() < (GaucheTableau + 80) * e)
            ++restants;
    }
    return restants;
}

std::string Feuille6::messageNonPlaces(int nombre) {
    std::string texte =
        "Il reste " + std::to_string(nombre) + (modeCartes() ? " nombre" : " dessin");
    if (nombre > 1) texte += "s";
    return texte + cp(" à placer.");
}

bool Feuille6::faux(int place, int cellule) const {
    // Cards of solids are judged by their numbers, so that equal numbers may change places.
    if (CartesSolides)
        return platform::toInteger(platform::val(TexteCarte[place])) !=
               platform::toInteger(platform::val(ValeurCase[cellule]));
    return CaseAttendue[place] != cellule;
}

bool Feuille6::testerItem(int& nombreFaux) {
    retirerFaux(
        Plateau, NombreCases, 8, [this](int place, int cellule) { return faux(place, cellule); },
        casesFausses_);
    nombreFaux = int(casesFausses_.size());
    return true;
}

bool Feuille6::renvoyerFaux() {
    for (const auto& [cellule, place] : casesFausses_) {
        (void)cellule;
        if (!glisser(place, positionElement(place), maison(place), 0.05)) return false;
        if (!modeCartes()) {
            Image1[place].zOrder(0);
            DessinHorsCase[place] = true;
        }
    }
    return true;
}

bool Feuille6::montrerReponse() {
    const bool cartes = modeCartes();
    // Every element standing in a cell keeps it; in a table of solids played with cards, the
    // card of a later cell must not be taken for an earlier cell of the same number.
    std::array<bool, 9> utilisee{};
    for (int c = 0; c < NombreCases; ++c) {
        const unsigned char code = static_cast<unsigned char>(Plateau[c]);
        if (code <= 8) utilisee[code] = true;
    }
    for (int c = 0; c < NombreCases; ++c) {
        if (static_cast<unsigned char>(Plateau[c]) <= 8) continue;
        int place = -1;
        for (int p = 0; p < NombreCases && place < 0; ++p) {
            if (utilisee[p] || CaseAttendue[p] < 0) continue;
            const bool convient = CartesSolides ? !faux(p, c) : CaseAttendue[p] == c;
            if (convient) place = p;
        }
        if (place < 0) continue;
        utilisee[place] = true;
        QPoint cible = ancreCase(c);
        if (cartes)
            cible.setY(arrondi((HautTableau + 77 + 102 * (c / ColonnesTableau) + 33) * ep()));
        if (!glisser(place, maison(place), cible, 0.15)) return false;
    }
    return true;
}

void Feuille6::montrerExercice(bool visible) {
    if (!visible) {
        for (int t = 0; t < kTitres; ++t) {
            if (!Image3[t].enabled()) continue;
            Image3[t].setVisible(false);
            Label3[t].setVisible(false);
        }
        for (int i = 0; i < kCroix; ++i) Line2[i].setVisible(false);
    }
    for (int r = 0; r <= RangeesTableau; ++r) Shape5[r].setVisible(visible);
    for (int c = 0; c <= ColonnesTableau; ++c) Shape5[4 + c].setVisible(visible);
    if (!modeCartes())
        for (int p = 0; p < NombreCases; ++p) Image1[p].setVisible(visible && CaseAttendue[p] >= 0);
    Shape1.setVisible(visible);
    Shape2.setVisible(visible);
}

// The table lets the screen repaint without its check button before the heading comes.
bool Feuille6::annoncerReponse() {
    Image5[1].setVisible(false);
    fenetrePrincipale().actualiserMenus(shell::MomentMenus::JoueurOccupe);
    if (!laisserPasser()) return false;
    afficherEntete(Label2, 16, kRouge);
    shared.Verrou = shell::kVrai;
    return true;
}

} // namespace players
