#include "players/grid_player.h"

#include "assets/pictures.h"
#include "formats/lesson_record.h"
#include "platform/cp1252.h"
#include "platform/numbers.h"
#include "platform/strings.h"
#include "players/drawing_library.h"
#include "players/lesson_texts.h"
#include "shell/main_window.h"
#include "shell/shades.h"
#include "shell/shared_state.h"

#include <QByteArray>
#include <QList>
#include <algorithm>

using shell::fenetrePrincipale;
using shell::Integer;
using shell::shared;

namespace players {

namespace {

constexpr int kCellules = 16;
using namespace ui::palette;
using namespace shell::shades;
constexpr ui::Colour kAnthracite = 0x404040;
// Every title cell is 90 design pixels wide for its text.
constexpr double kLargeurTexte = 90;

// The number written by the leading digits of a text, held below any drawing number's range
// overflow.
long nombreEnTete(const std::string& t) {
    long n = 0;
    for (char c : t) {
        if (!players::chiffre(c)) break;
        n = std::min(n * 10 + (c - '0'), 1000000L);
    }
    return n;
}

ui::Picture imageEcran(const char* nom) {
    return ui::Picture::fromData(tavrel_assets::screenPicture(nom), "image.svg");
}

// The token stands in the middle of a wide margin: the sample fits the gap that the instruction
// leaves between its two sentences, and on a cell it looks like a counter put on a square. The
// margin widens the picture's view box around its centre; a picture without one stays as it is.
ui::Picture imageJeton() {
    QByteArray svg = tavrel_assets::screenPicture(tavrel_assets::pic::kGridToken);
    const QByteArray cle = "viewBox=\"";
    const qsizetype debut = svg.indexOf(cle);
    const qsizetype fin = debut < 0 ? -1 : svg.indexOf('"', debut + cle.size());
    if (fin > debut) {
        const QList<QByteArray> valeurs =
            svg.mid(debut + cle.size(), fin - debut - cle.size()).simplified().split(' ');
        bool lu = valeurs.size() == 4;
        double v[4] = {};
        for (int i = 0; lu && i < 4; ++i) v[i] = valeurs[i].toDouble(&lu);
        if (lu && v[2] > 0 && v[3] > 0) {
            constexpr double kAgrandi = 1.9;
            const double w = v[2] * kAgrandi, h = v[3] * kAgrandi;
            const double x = v[0] + (v[2] - w) / 2, y = v[1] + (v[3] - h) / 2;
            const QByteArray boite = QByteArray::number(x) + ' ' + QByteArray::number(y) + ' ' +
                                     QByteArray::number(w) + ' ' + QByteArray::number(h);
            svg.replace(debut + cle.size(), fin - debut - cle.size(), boite);
        }
    }
    return ui::Picture::fromData(svg, "jeton.svg");
}

std::string consigne() {
    return cp("Place un jeton dans les cases où la relation est vraie.") + shared.FinLigne +
           shared.FinLigne + shared.FinLigne +
           cp("Pour déposer ou enlever un jeton, clique sur la case avec la souris.");
}

// The lines of a title too wide for its cell: each line ends at the last blank that still fits,
// and the last line keeps what the cell can hold.
template <class Largeur>
std::vector<std::string> couperTitre(const std::string& titre, Largeur largeur, double limite) {
    std::vector<std::string> lignes;
    std::string reste = platform::trimmed(titre);
    while (!reste.empty()) {
        std::size_t derniereQuiTient = std::string::npos;
        std::size_t coupe = std::string::npos;
        for (std::size_t i = reste.find(' '); i != std::string::npos; i = reste.find(' ', i + 1)) {
            if (largeur(reste.substr(0, i + 1)) < limite) {
                derniereQuiTient = i;
                continue;
            }
            coupe = derniereQuiTient != std::string::npos ? derniereQuiTient : i;
            break;
        }
        if (coupe != std::string::npos) {
            lignes.push_back(reste.substr(0, coupe));
            reste = platform::trimmed(reste.substr(coupe, 40));
            continue;
        }
        if (largeur(reste) < limite) {
            lignes.push_back(reste);
        } else if (derniereQuiTient != std::string::npos) {
            lignes.push_back(reste.substr(0, derniereQuiTient));
            lignes.push_back(platform::trimmed(reste.substr(derniereQuiTient, 20)));
        } else {
            lignes.push_back(reste.substr(0, 20));
        }
        break;
    }
    return lignes;
}

} // namespace

Feuille7::Feuille7() : PlayerFrame(formats::Kind::Grid) {
    setBackColor(kTurquoise);
    setFont(ui::arial(13.5));
    moveForm(0, 0, 9585, 6840);

    ui::PictureBox& modele = Picture1.add(0);
    modele.setFont(ui::arial(12));
    modele.setForeColor(kNoir);
    modele.setScaleMode(ui::vbPixels);
    modele.move(0, 0, 1380, 1530);
    modele.setVisible(false);
    modele.Click = [this](int k) { Picture1_Click(k); };

    Shape1.setShape(ui::vbShapeRectangle);
    Shape1.setBackStyle(ui::vbOpaque);
    Shape1.setBackColor(kGrisFonce);
    Shape4.setShape(ui::vbShapeRectangle);
    Shape4.setBackStyle(ui::vbOpaque);
    Shape4.setBackColor(kTurquoise);
    Shape4.setBorderStyle(0);

    Image1.setStretch(true);
    Image1.move(0, 0, 735, 855);
    Image1.setPicture(imageEcran(tavrel_assets::pic::kGridCorner));

    Label3.setFont(ui::arial(12));
    Label3.setForeColor(kNoir);
    Label3.setAlignment(ui::vbCenter);
    Label3.setBackStyle(ui::vbTransparent);
    Label3.setWordWrap(true);
    Label3.setAutoSize(true);

    Image3.setStretch(true);
    Image3.move(840, 2460, 1350, 1575);
    Image3.setPicture(imageJeton());

    Label1.setFont(ui::arial(12));
    Label1.setBackStyle(ui::vbTransparent);

    Shape2.setShape(ui::vbShapeRoundedRectangle);
    Shape2.setBackStyle(ui::vbOpaque);
    Shape2.setBorderColor(kAnthracite);
    Shape2.setBorderWidth(3);
    Shape2.setVisible(false);

    Label2.setFont(ui::arial(15.75));
    Label2.setForeColor(kRouge);
    Label2.setBackStyle(ui::vbTransparent);
    Label2.move(240, 3000, 3135, 495);
    Label2.setCaption(cp("VOICI LA RÉPONSE."));
    Label2.setVisible(false);
}

bool Feuille7::celluleAffichee(int k) const {
    if (k <= 0 || k >= kCellules) return false;
    return k / 4 <= LignesReponse && k % 4 <= ColonnesReponse;
}

// --- load ---

void Feuille7::chargerJoueur() {
    placerGrille();
    preparerPorte();
    for (int i = 1; i <= 5; ++i) Image2.load(i);
    NouvelItem();
}

void Feuille7::placerGrille() {
    const std::string& fiche = shared.Enregistrement;
    ColonnesReponse = formats::optionOn(fiche, formats::kOptionTwoColumns) ? 2 : 3;
    LignesReponse = formats::optionOn(fiche, formats::kOptionTwoRows) ? 2 : 3;
    GaucheGrille = ColonnesReponse == 3 ? 240 : 300;
    HautGrille = LignesReponse == 3 ? 8 : 48;
    const int largeur = ColonnesReponse == 3 ? 386 : 292;
    const int hauteur = LignesReponse == 3 ? 426 : 320;

    Shape1.move(px(GaucheGrille), px(HautGrille), px(largeur), px(hauteur));
    Shape4.move(px(GaucheGrille), px(HautGrille), px(96), px(106));
    Image1.move(px(GaucheGrille + 47), px(HautGrille + 49));
    Image1.zOrder(0);

    for (int k = 1; k < kCellules; ++k) Picture1.load(k);
    for (int k = 1; k < kCellules; ++k) {
        if (!celluleAffichee(k)) continue;
        const int rangee = k / 4;
        const int colonne = k % 4;
        ui::PictureBox& cellule = Picture1[k];
        cellule.move(px(GaucheGrille + 4 + colonne * 95), px(HautGrille + 3 + rangee * 105));
        cellule.setVisible(true);
    }
}

// --- one item ---

void Feuille7::NouvelItem() {
    const int item = commencerItem();
    Label2.setVisible(false);
    Essais = 0;
    Plateau.assign(20, ' ');
    Solution.assign(20, ' ');
    Shape2.setVisible(false);

    const double e = shared.Echelle;
    TailleTitres = Integer(platform::toInteger((activiteNombres() ? 24 : 12) * e));

    Label1.move(px(8), px(144), px(217), px(161));
    Label1.setFontSize(12 * e);
    Label1.setForeColor(kNoir);
    Label1.setCaption(consigne());

    const int activite = activiteJouee();
    for (int k = 0; k < kCellules; ++k) {
        ui::PictureBox& cellule = Picture1[k];
        TextesTitres[std::size_t(k)].clear();
        LignesTitres[std::size_t(k)].clear();
        cellule.setPicture({});
        const std::string champ =
            formats::field(shared.Enregistrement, activite, item, formats::gridCell(k));
        if (k == 0) {
            afficherRelation(champ);
        } else if (celluleReponse(k)) {
            // A mark in a cell the grid does not show could never be answered.
            if (formats::isMark(champ) && celluleAffichee(k)) Solution[std::size_t(k)] = 'X';
        } else {
            preparerTitre(k, champ);
        }
    }
    for (int k = 1; k <= 13; ++k)
        if (!TextesTitres[std::size_t(k)].empty()) dessinerTitre(k);

    AfficherPlanche(-1, 1);
}

void Feuille7::afficherRelation(const std::string& relation) {
    const double e = shared.Echelle;
    ui::PictureBox& mesure = Picture1[0];
    mesure.setFontSize(12 * e);
    const double largeur = mesure.textWidth(relation);
    double taille = 12;
    if (largeur < 90 * ep())
        taille = 18;
    else if (largeur < 120 * ep())
        taille = 14;
    Label3.setFontSize(taille * e);
    Label3.setWidth(px(132));
    Label3.setCaption(relation);
    // A relation of several lines reads better from the left; it stays so for the lesson.
    if (Label3.height() > 35 * ep()) Label3.setAlignment(ui::vbLeftJustify);
    Label3.move(px(GaucheGrille - 38), px(HautGrille + 48) - Label3.height());
    Label3.setVisible(true);
}

std::string Feuille7::titreEnMots(const std::string& titre) {
    return players::deuxPointsInsecables(players::symboleEnMots(
        titre, static_cast<unsigned char>(titre[0]), players::kPerpendiculairesCoupe));
}

void Feuille7::preparerTitre(int k, const std::string& champ) {
    ui::PictureBox& cellule = Picture1[k];
    cellule.cls();
    if (champ.empty() || !celluleAffichee(k)) return;
    const std::string titre = titreEnMots(champ);
    if (!activiteNombres() && players::chiffre(titre[0])) {
        const long numero = nombreEnTete(titre);
        if (numero <= shared.NumeroDessinMax)
            cellule.setPicture(players::dessinBibliotheque(numero));
        return;
    }
    // One size for every word title of the item: it only goes down.
    const double e = shared.Echelle;
    cellule.setFontSize(TailleTitres);
    while (cellule.textWidth(titre) > kLargeurTexte * e && TailleTitres > 10 * e) {
        TailleTitres = Integer(TailleTitres - 1);
        cellule.setFontSize(TailleTitres);
    }
    TextesTitres[std::size_t(k)] = titre;
}

void Feuille7::dessinerTitre(int k) {
    ui::PictureBox& cellule = Picture1[k];
    const std::string& titre = TextesTitres[std::size_t(k)];
    auto& lignes = LignesTitres[std::size_t(k)];
    const double e = shared.Echelle;
    cellule.setFontSize(TailleTitres);
    const double largeur = cellule.textWidth(titre);
    if (largeur < 91 * ep()) {
        const long long gauche = std::max<long long>(
            0, platform::idiv(platform::roundHalfEven(kLargeurTexte * ep() - largeur), 2));
        double haut = 40;
        if (TailleTitres > 12 * e)
            haut = double(platform::toInteger(40 - (TailleTitres - 12 * e) * 0.75));
        cellule.setCurrentX(double(gauche));
        cellule.setCurrentY(px(haut));
        cellule.print(titre);
        lignes = {titre};
        return;
    }
    lignes = couperTitre(
        titre, [&cellule](const std::string& s) { return cellule.textWidth(s); },
        kLargeurTexte * ep());
    cellule.setCurrentY(px(30));
    for (const std::string& ligne : lignes) {
        cellule.setCurrentX(px(2));
        cellule.print(ligne);
    }
}

// --- tokens ---

void Feuille7::Picture1_Click(int k) {
    // While a check runs the grid is its own: a click queued meanwhile changes nothing.
    if (verificationEnCours()) return;
    if (!celluleReponse(k)) return;
    ui::PictureBox& cellule = Picture1[k];
    if (Plateau[std::size_t(k)] == '1') {
        Plateau[std::size_t(k)] = ' ';
        cellule.setPicture({});
    } else {
        Plateau[std::size_t(k)] = '1';
        cellule.setPicture(Image3.picture());
    }
}

// --- the check ---

int Feuille7::compterNonPlaces() {
    return Plateau.find('1') == std::string::npos ? 1 : 0;
}

std::string Feuille7::messageNonPlaces(int) {
    return cp("Aucun jeton n'a été placé dans les cases vides.");
}

bool Feuille7::testerItem(int& faux) {
    faux = 0;
    for (int k = 0; k < kCellules; ++k)
        if ((Plateau[std::size_t(k)] == '1') != (Solution[std::size_t(k)] == 'X')) ++faux;
    if (faux == 0) Shape2.setVisible(false);
    return true;
}

bool Feuille7::renvoyerFaux() {
    // Nothing moves: a message tells the pupil to try again.
    Image3.setVisible(false);
    Label1.setCaption("");
    Label1.setForeColor(kBlanc);
    Label1.setFontSize(14 * shared.Echelle);
    if (Essais == 0) {
        Label1.move(px(16), px(168), px(214), px(36));
        Label1.setCaption("Essaie une autre fois.");
        Shape2.setBackColor(kBleuMoyen);
        Shape2.move(px(8), px(152), px(218), px(58));
    } else {
        const auto n = std::count(Solution.begin(), Solution.end(), 'X');
        std::string texte = "Dernier essai!" + shared.FinLigne + shared.FinLigne +
                            "Il faut placer " + std::to_string(n) + " jeton";
        if (n > 1) texte += "s";
        Label1.move(px(16), px(158), px(214), px(106));
        Label1.setCaption(texte + ".");
        Shape2.setBackColor(kRouge);
        Shape2.move(px(8), px(142), px(218), px(104));
    }
    Shape2.zOrder(1);
    Shape2.setVisible(true);
    return true;
}

bool Feuille7::montrerReponse() {
    // Each cell that is wrong blinks and ends as the answer has it: a missing token shown, a
    // wrong one taken away. What the pupil put stays in Plateau.
    const ui::Picture jeton = Image3.picture();
    for (int k = 0; k < kCellules; ++k) {
        const bool pose = Plateau[std::size_t(k)] == '1';
        const bool attendu = Solution[std::size_t(k)] == 'X';
        if (pose == attendu) continue;
        ui::PictureBox& cellule = Picture1[k];
        const int premiere = attendu ? 1 : 0;
        for (int phase = premiere; phase < premiere + 5; ++phase) {
            const bool montre = phase % 2 == 1;
            cellule.setPicture(montre ? jeton : ui::Picture{});
            cellule.refresh();
            if (!attendre(montre ? 0.6 : 0.4)) return false;
        }
    }
    return true;
}

void Feuille7::montrerExercice(bool visible) {
    Image3.setVisible(visible);
    Shape1.setVisible(visible);
    Image1.setVisible(visible);
    Shape4.setVisible(visible);
    for (int k = 1; k < kCellules; ++k)
        if (celluleAffichee(k)) Picture1[k].setVisible(visible);
}

void Feuille7::montrerLignes(bool visible) {
    Label1.setVisible(visible);
    Label3.setVisible(visible);
}

// The grid's heading is a line of its own, laid out hidden; the message box goes with the
// instruction.
bool Feuille7::annoncerReponse() {
    Image5[1].setVisible(false);
    Label1.setCaption("");
    Shape2.setVisible(false);
    Label2.setVisible(true);
    Label2.refresh();
    shared.Verrou = shell::kVrai;
    fenetrePrincipale().actualiserMenus(shell::MomentMenus::JoueurOccupe);
    return laisserPasser();
}

void Feuille7::effacerEntete() {
    Label2.setVisible(false);
    if (autreItem()) Shape2.setVisible(false);
}

} // namespace players
