// The lesson editor's fields, kind by kind: built at load from their hidden templates, laid out
// by the lesson's options, decoded from the record, filtered key by key and previewed with the
// drawings of the library.
#include "assets/pictures.h"
#include "authoring/lesson_editor.h"
#include "authoring/lesson_fields.h"
#include "formats/lesson_record.h"
#include "platform/cp1252.h"
#include "players/drawing_library.h"
#include "shell/shared_state.h"
#include "ui/msgbox.h"
#include "ui/text_fit.h"

#include <array>

using formats::Kind;
using formats::Material;
using shell::shared;

namespace authoring {

namespace {

using namespace ui::palette;

// A design position or size in twips, as the screen is scaled.
double s(double twips) {
    return shell::aEchelle(twips);
}

void placer(ui::Control& c, double left, double top, double width, double height) {
    c.move(s(left), s(top), s(width), s(height));
}
void placer(ui::Control& c, double left, double top) {
    c.move(s(left), s(top), c.width(), c.height());
}
void tracer(ui::Line& l, double x1, double y1, double x2, double y2) {
    l.setTwipsPoints(s(x1), s(y1), s(x2), s(y2));
}

bool commenceParUnChiffre(const std::string& t) {
    return !t.empty() && t[0] >= '0' && t[0] <= '9';
}

// The drawing a text names, when it begins with a digit: its number if the library holds it.
enum class Dessin { Aucun, Trop, Numero };
Dessin dessinNomme(const std::string& t, long& numero) {
    if (!commenceParUnChiffre(t)) return Dessin::Aucun;
    const auto v = authoring::numberValue32(t);
    if (!v || *v > authoring::kDrawingNumberMax) return Dessin::Trop;
    numero = *v;
    return Dessin::Numero;
}

// A number beyond the library: the user is told, and the preview refused, unless the field is
// filled silently (a lesson opening), where its preview just stays empty.
bool refuserTropGrand(bool silencieux) {
    if (!silencieux)
        ui::msgBox(authoring::drawingTooHighMessage(), ui::vbExclamation, shared.TitreMessage);
    return silencieux;
}

// The preview boxes of tree nodes and table titles, design twips; their font, design points.
constexpr double kLargeurNoeud = 395;
constexpr double kLargeurApercu = 495;
constexpr double kPoliceApercu = 7.5;

// The hidden template of the preview boxes: grey, borderless, in the preview font.
void modeleBoite(ui::PictureBox& boite, double largeur, double hauteur) {
    boite.move(0, 0, largeur, hauteur);
    boite.setBackColor(kGris);
    boite.setBorderStyle(0);
    boite.setDrawWidth(2);
    boite.setFont(ui::arial(kPoliceApercu));
    boite.setVisible(false);
}

// The top of each item of a table or grid, design twips.
constexpr double kHautItemTableau[2] = {250, 3050};

// The top left corner of cell k of a table's or grid's item, design twips.
struct Coin {
    double x, y;
};
Coin coinCase(int item, int k) {
    return {1800.0 + 1920 * (k % 4), kHautItemTableau[item] + 600 * (k / 4)};
}

// An empty preview, at the width and font size a written text may have changed.
void viderBoite(ui::PictureBox& boite, double largeur) {
    boite.setPicture(ui::Picture());
    boite.cls();
    boite.move(boite.left(), boite.top(), s(largeur), boite.height());
    boite.setFontSize(kPoliceApercu * shared.Echelle);
}

// Two black lines crossing a box: the branch or title that does not hold.
void barrer(ui::PictureBox& boite, double x1, double y1, double x2, double y2) {
    boite.line(s(x1), s(y1), s(x2), s(y2), kNoir);
    boite.line(s(x2), s(y1), s(x1), s(y2), kNoir);
}

// A label written whole in its preview box: its font made smaller until it fits the box. A tree
// node's box in the open stops at six points and then grows to the right over its branch; a box
// that a field covers, or a table title's box against its cell's frame, lets its font alone give
// way.
enum class Debord { Elargir, Reduire };
void ecrire(ui::PictureBox& boite, const std::string& texte, double haut, Debord debord) {
    const double e = shared.Echelle;
    const double marge = s(30);
    const double plancher = debord == Debord::Elargir ? 6 * e : 1;
    if (!ui::fitFontToWidth(boite, {texte}, boite.width() - marge, kPoliceApercu * e, plancher))
        boite.move(boite.left(), boite.top(), boite.textWidth(texte) + marge, boite.height());
    boite.setCurrentX(0);
    boite.setCurrentY(s(haut));
    boite.print(texte);
}

// A node box that one of its item's three label fields lies over: the field hides it, and a
// wider box would show beside the field.
bool sousUnChamp(const ui::Control& boite, ui::ControlArray<ui::TextBox>& champs, int premier) {
    const QRectF zone(boite.left(), boite.top(), boite.width(), boite.height());
    for (int k = premier; k < premier + 3; ++k) {
        const ui::TextBox& champ = champs[k];
        if (champ.visible() &&
            zone.intersects(QRectF(champ.left(), champ.top(), champ.width(), champ.height())))
            return true;
    }
    return false;
}

ui::Picture flecheRouge() {
    return ui::Picture::fromData(tavrel_assets::screenPicture(tavrel_assets::pic::kRedArrow),
                                 "fleche.svg");
}

std::string nomItem(int i) {
    return "Item " + std::to_string(i + 1);
}

} // namespace

// --- design of the templates

void feuille20::designSetsTemplates() {
    modeleChamp(Texte2.add(0));

    ui::Image& apercu = Image1.add(0);
    apercu.move(0, 0, 510, 585);
    apercu.setStretch(true);
    apercu.setVisible(false);

    ui::Shape& ensemble = Shape1.add(0);
    ensemble.setShape(ui::vbShapeRoundedRectangle);
    ensemble.setBorderWidth(2);
    ensemble.setVisible(false);

    ui::Line& trait = Line1.add(0);
    trait.setBorderWidth(2);
    trait.setVisible(false);
    ui::Line& croix = Line2.add(0);
    croix.setBorderWidth(2);
    croix.setVisible(false);

    Check1.setFont(ui::arial(10.5));
    Check1.setCaption(cp("Les deux ensembles auront une aire commune."));
    Check1.move(4400, 120, 5100, 375);
    Check1.setVisible(false);
    Check1.Click = [this](int) { Check1_Click(); };
}

void feuille20::designTreeTemplates() {
    ui::Line& branche = Line3.add(0);
    branche.setBorderWidth(1);
    branche.setVisible(false);

    modeleBoite(Picture1.add(0), kLargeurNoeud, 495);

    modeleChamp(Text1.add(0));

    Label2.setFont(ui::arial(9.75));
    Label2.setBackStyle(ui::vbTransparent);
    Label2.setWordWrap(true);
    Label2.move(120, 120, 2500, 495);
    Label2.setCaption(cp("Chaque item classera les objets à partir de ..."));
    Label2.setVisible(false);

    const char* niveaux[] = {"2 de leurs éléments", "3 de leurs éléments"};
    for (int i = 0; i < 2; ++i) {
        ui::OptionButton& o = Option1.add(i);
        o.setFont(ui::arial(9.75));
        o.setCaption(cp(niveaux[i]));
        o.move(120, 650 + 240 * i, 2500, 255);
        o.setVisible(false);
        o.Click = [this](int index) { Option1_Click(index); };
    }
}

void feuille20::designTableTemplates() {
    ui::Shape& cadre = Shape2.add(0);
    cadre.setShape(ui::vbShapeRectangle);
    cadre.setBorderColor(kNoir);
    cadre.setBorderWidth(2);
    cadre.setVisible(false);

    ui::PictureBox& apercu = Picture2.add(0);
    modeleBoite(apercu, kLargeurApercu, 570);
    apercu.setPicture(flecheRouge());

    // A cell's text wraps over several lines within its box, which never scrolls.
    ui::TextBox& champ = Text2.add(0, *this, true);
    champ.setScrollBars(0);
    modeleChamp(champ);

    ui::Label& relation = Label3.add(0);
    relation.setFont(ui::arial(10.5, false));
    relation.setBackStyle(ui::vbTransparent);
    relation.move(1800, 70, 1700, 255);
    // Its words must show whole, whatever the font gives them.
    relation.setAutoSize(true);
    relation.setCaption(cp("Décrire la relation."));
    relation.setVisible(false);

    const char* choix[] = {"2 colonnes", "3 colonnes", "2 rangées", "3 rangées"};
    for (int f = 0; f < 2; ++f) {
        ui::PictureBox& cadreOptions = Picture3.add(f);
        cadreOptions.move(120, 840 + 720 * f, 1455, 615);
        cadreOptions.setBackColor(kGris);
        cadreOptions.setVisible(false);
    }
    for (int i = 0; i < 4; ++i) {
        ui::OptionButton& o = Option2.add(i, Picture3[i / 2]);
        o.setFont(ui::arial(7.5));
        o.setForeColor(kBleu);
        o.setBackColor(kGris);
        o.setCaption(cp(choix[i]));
        o.move(90, 45 + 255 * (i % 2), 1245, 240);
        o.Click = [this](int index) { Option2_Click(index); };
    }
}

// --- building at load

void feuille20::construireEnsembles() {
    const Material matiere = formats::materialOf(activite_);
    const bool nombres = matiere == Material::Numbers;
    Etiquette2.setCaption(cp("Compléter les informations ci-dessous."));
    placer(Etiquette2, 120, 180, 4215, 255);
    placer(Check1, 4400, 120);
    placer(Etiquette3, 120, 5640, 9375, 495);
    const int largeurTitre[3] = {1500, 2400, 2200};
    for (int f = 0; f < 48; ++f) {
        const int slot = f % 16, item = f / 16;
        double x, y, largeur;
        if (slot <= 13) {
            const int c = slot % 7, r = slot / 7;
            x = 1500 + 1100 * c + 80 * ((c + 1) / 2);
            largeur = 475;
            if (nombres) {
                x -= 100;
                largeur = 1000;
            }
            y = (r == 0 ? 720 : 1320) + 1710 * item;
        } else {
            x = slot == 14 ? 2200 : 6700;
            y = 1800 + 1710 * item;
            largeur = largeurTitre[static_cast<int>(matiere)];
            const int t = slot - 14;
            const double x0 = x + largeur + 50, y0 = y - 150;
            ui::Line& a = Line2.load(4 * item + 2 * t);
            ui::Line& b = Line2.load(4 * item + 2 * t + 1);
            tracer(a, x0, y0 + 100, x0 + 410, y0 + 485);
            tracer(b, x0 + 410, y0 + 100, x0, y0 + 485);
        }
        ui::TextBox& champ = Texte2.load(f);
        placer(champ, x, y, largeur, 285);
        champ.setMaxLength(authoring::fieldWidth(activite_, slot));
        ui::Image& apercu = Image1.load(f);
        placer(apercu, x + largeur, y - 150 - (slot >= 7 && slot <= 13 ? 50 : 0), 510, 585);
    }
    for (int j = 0; j < 6; ++j) {
        const int item = j / 2;
        const double t = 720 + 1710 * item;
        ui::Shape& ensemble = Shape1.load(j);
        ui::Line& trait = Line1.load(j);
        if (j % 2 == 0) {
            ensemble.setBorderColor(kBleu);
            placer(ensemble, 2520, t - 150, 4575, 1155);
            const double bas = t - 150 + 1155;
            tracer(trait, 2980, bas, 2580, bas + 120);
        } else {
            ensemble.setBorderColor(kRouge);
            placer(ensemble, 4800, t - 120, 4575, 1095);
            const double bas = t - 120 + 1095;
            tracer(trait, 7600, bas, 7200, bas + 120);
            ui::Label& etiquette = Label1.load(item);
            etiquette.setCaption(nomItem(item));
            placer(etiquette, 240, t + 240, 975, 375);
        }
    }
}

void feuille20::construireArbre() {
    const bool nombres = formats::materialOf(activite_) == Material::Numbers;
    placer(Etiquette2, 120, 1500, 2500, 3500);
    Etiquette2.setCaption("");
    placer(Etiquette3, 120, 5500, 2500, 1000);
    placer(Label2, 120, 120);
    placer(Option1[0], 120, 650);
    placer(Option1[1], 120, 890);
    struct Branche {
        double x1, y1, x2, y2, bx, by;
    };
    std::array<Branche, 14> branches{{{2800, 1480, 4740, 760, 4210, 700},
                                      {2800, 1480, 4740, 2200, 4210, 1840},
                                      {4740, 760, 6540, 400, 5650, 270},
                                      {4740, 760, 6540, 1060, 5650, 750},
                                      {4740, 2200, 6540, 1720, 5650, 1600},
                                      {4740, 2200, 6540, 2380, 5650, 2080}}};
    for (int j = 6; j < 14; ++j) {
        const int p = (j - 6) / 2;
        branches[j] = {6540,
                       400.0 + 660 * p,
                       8340,
                       250.0 + 330 * (j - 6),
                       j % 2 == 0 ? 7500.0 : 7860.0,
                       660.0 * p + (j % 2 == 0 ? 0 : 360)};
    }
    // The boxes first, so that the fields stay above them where they meet.
    for (int i = 0; i < 2; ++i) {
        const double d = 3100 * i;
        ui::Label& etiquette = Label1.load(i);
        etiquette.setCaption(nomItem(i));
        placer(etiquette, 2800, 240 + d, 975, 375);
        for (int j = 0; j < 14; ++j) {
            const Branche& b = branches[j];
            tracer(Line3.load(14 * i + j), b.x1, b.y1 + d, b.x2, b.y2 + d);
            placer(Picture1.load(22 * i + j), b.bx, b.by + d);
        }
        for (int l = 0; l < 8; ++l) Picture1.load(22 * i + 14 + l);
    }
    const double xLabel[3] = {2820, 4260, 6100};
    const double yLabel[3] = {860, 420, 90};
    for (int i = 0; i < 2; ++i) {
        for (int k = 0; k < 11; ++k) {
            ui::TextBox& champ = Text1.load(11 * i + k);
            champ.setMaxLength(authoring::fieldWidth(activite_, k));
            if (k < 3)
                placer(champ, xLabel[k], yLabel[k] + 3100 * i, nombres ? 2000 : 1400, 285);
            else
                placer(champ, 8340, 0, nombres ? 1000 : 475, 285);
        }
    }
}

void feuille20::construireTableau() {
    const bool grille = formats::kindOf(activite_) == Kind::Grid;
    const Material matiere = formats::materialOf(activite_);
    placer(Etiquette2, 120, 360, 1455, 495);
    Etiquette2.setCaption(grille ? "La grille contiendra ..." : "Le tableau contiendra ...");
    placer(Etiquette3, 120, 5500, 9375, 600);
    for (int i = 0; i < 2; ++i) {
        const double haut = kHautItemTableau[i];
        ui::Label& etiquette = Label1.load(i);
        etiquette.setCaption(nomItem(i));
        if (grille) {
            placer(etiquette, 4200, haut - 280, 975, 375);
            placer(Label3.load(i), 1800, haut - 180);
        } else {
            placer(etiquette, 2000, haut + 100, 975, 375);
        }
        for (int k = 0; k < 16; ++k) {
            const int index = 16 * i + k;
            const auto [x, y] = coinCase(i, k);
            const bool reponse = authoring::isAnswerCell(k);
            ui::Shape& cadre = Shape2.load(index);
            placer(cadre, x, y, 1935, 615);
            if (reponse) {
                cadre.setBorderColor(kGrisFonce);
                cadre.zOrder(1);
            }
            ui::PictureBox& apercu = Picture2.load(index);
            placer(apercu, x + (reponse ? 1000 : 1410), y + 15);
            // Only the relation's box keeps the arrow of the template.
            if (!(grille && k == 0)) apercu.setPicture(ui::Picture());
        }
    }
    for (int index = 0; index < 32; ++index) {
        const int k = index % 16;
        const auto [x, y] = coinCase(index / 16, k);
        ui::TextBox& champ = Text2.load(index);
        const authoring::FieldRole role = authoring::fieldRole(activite_, k);
        champ.setMaxLength(authoring::fieldWidth(activite_, k));
        switch (role) {
        case authoring::FieldRole::GridRelation: placer(champ, x - 20, y + 50, 1440, 500); break;
        case authoring::FieldRole::GridTitle: placer(champ, x + 30, y + 150, 1390, 300); break;
        case authoring::FieldRole::GridAnswer: placer(champ, x + 820, y + 150, 300, 300); break;
        case authoring::FieldRole::TableTitle:
            if (matiere == Material::Drawings)
                placer(champ, x + 30, y + 150, 1390, 300);
            else
                placer(champ, x + 20, y + 150, 1860, 300);
            if (matiere != Material::Drawings) champ.setFontBold(false);
            break;
        case authoring::FieldRole::TableAnswer:
            if (matiere == Material::Numbers) {
                placer(champ, x + 500, y + 150, 900, 300);
                champ.setFontBold(false);
            } else {
                placer(champ, x + 420, y + 150, 570, 300);
            }
            break;
        default: break;
        }
    }
}

void feuille20::cacherChamps() {
    const Kind genre = formats::kindOf(activite_);
    const bool nombres = formats::materialOf(activite_) == Material::Numbers;
    Label1.forEach([](ui::Label& l) { l.setVisible(false); });
    Label2.setVisible(false);
    switch (genre) {
    case Kind::Sets:
        Check1.setVisible(false);
        Texte2.forEach([](ui::TextBox& t) { t.setVisible(false); });
        Image1.forEach([nombres](ui::Image& im) {
            im.setVisible(false);
            if (!nombres) im.setPicture(ui::Picture());
        });
        Shape1.forEach([](ui::Shape& sh) { sh.setVisible(false); });
        Line1.forEach([](ui::Line& l) { l.setVisible(false); });
        Line2.forEach([](ui::Line& l) { l.setVisible(false); });
        break;
    case Kind::Tree:
        Option1.forEach([](ui::OptionButton& o) { o.setVisible(false); });
        Text1.forEach([](ui::TextBox& t) { t.setVisible(false); });
        Picture1.forEach([](ui::PictureBox& p) {
            p.setVisible(false);
            viderBoite(p, kLargeurNoeud);
        });
        Line3.forEach([](ui::Line& l) { l.setVisible(false); });
        break;
    case Kind::Table:
    case Kind::Grid:
        Picture3.forEach([](ui::PictureBox& p) { p.setVisible(false); });
        Label3.forEach([](ui::Label& l) { l.setVisible(false); });
        Text2.forEach([](ui::TextBox& t) { t.setVisible(false); });
        Shape2.forEach([](ui::Shape& sh) { sh.setVisible(false); });
        Picture2.forEach([](ui::PictureBox& p) { p.setVisible(false); });
        break;
    }
}

// --- layouts by the options

void feuille20::DisposerEnsembles() {
    const bool nombres = formats::materialOf(activite_) == Material::Numbers;
    const bool commune = Check1.value() == 1;
    for (int f = 0; f < 48; ++f) {
        const bool montre = authoring::fieldShown(activite_, {commune, false}, f % 16);
        Texte2[f].setVisible(montre);
        Image1[f].setVisible(montre && !nombres);
    }
    const double largeur = commune ? 4575 : 2300;
    for (int j = 0; j < 6; ++j) {
        ui::Shape& ensemble = Shape1[j];
        const double gauche = j % 2 == 0 ? 2520 : (commune ? 4800 : 7050);
        ensemble.move(s(gauche), ensemble.top(), s(largeur), ensemble.height());
        ensemble.setVisible(true);
        Line1[j].setVisible(true);
    }
    for (int i = 0; i < 3; ++i) Label1[i].setVisible(true);
    Line2.forEach([](ui::Line& l) { l.zOrder(0); });
}

void feuille20::DisposerArbre() {
    const bool deuxNiveaux = Option1[0].value();
    const bool dessins = formats::materialOf(activite_) != Material::Numbers;
    const double finNiveau2[4] = {400, 1060, 1720, 2380};
    for (int i = 0; i < 2; ++i) {
        const double d = 3100 * i;
        Label1[i].setVisible(true);
        for (int k = 0; k < 3; ++k)
            Text1[11 * i + k].setVisible(authoring::fieldShown(activite_, {deuxNiveaux, false}, k));
        for (int j = 0; j < 14; ++j) {
            const bool montre = j < 6 || !deuxNiveaux;
            Line3[14 * i + j].setVisible(montre);
            Picture1[22 * i + j].setVisible(montre);
        }
        for (int l = 0; l < 8; ++l) {
            ui::TextBox& feuille = Text1[11 * i + 3 + l];
            ui::PictureBox& apercu = Picture1[22 * i + 14 + l];
            const bool montre = authoring::fieldShown(activite_, {deuxNiveaux, false}, 3 + l);
            if (!deuxNiveaux) {
                placer(feuille, 8340, 100 + 330 * l - (l % 2 == 1 ? 30 : 0) + d);
                placer(apercu, l % 2 == 0 ? 8820 : 9180, 330 * l + d);
            } else if (montre) {
                placer(feuille, 6530, finNiveau2[l] - 140 + d);
                placer(apercu, 7000, finNiveau2[l] - 250 + d);
            }
            feuille.setVisible(montre);
            apercu.setVisible(montre && dessins);
        }
    }
}

void feuille20::DisposerTableau() {
    const std::array<bool, 2> options{Option2[0].value(), Option2[2].value()};
    const bool grille = formats::kindOf(activite_) == Kind::Grid;
    const Material matiere = formats::materialOf(activite_);
    for (int index = 0; index < 32; ++index) {
        const int k = index % 16;
        const bool montre = authoring::fieldShown(activite_, options, k);
        const bool reponse = authoring::isAnswerCell(k);
        bool apercu;
        if (grille)
            apercu = matiere != Material::Numbers || k == 0;
        else if (matiere == Material::Drawings)
            apercu = true;
        else
            apercu = matiere == Material::Solids && reponse;
        Text2[index].setVisible(montre);
        Shape2[index].setVisible(montre && k != 0);
        Picture2[index].setVisible(montre && apercu);
    }
}

// --- opening a lesson

void feuille20::ouvrirEnsembles(const authoring::LessonFields& lecon) {
    Check1.setVisible(true);
    Check1.setValue(lecon.options[0] ? 1 : 0);
    remplirChamps(lecon);
    DisposerEnsembles();
    donnerFocus(Texte2[1]);
}

void feuille20::ouvrirArbre(const authoring::LessonFields& lecon) {
    Label2.setVisible(true);
    Option1[0].setVisible(true);
    Option1[1].setVisible(true);
    Option1[lecon.options[0] ? 0 : 1].setValue(true);
    remplirChamps(lecon);
    DisposerArbre();
    donnerFocus(Text1[0]);
}

void feuille20::ouvrirTableau(const authoring::LessonFields& lecon) {
    const bool grille = formats::kindOf(activite_) == Kind::Grid;
    Option2[lecon.options[0] ? 0 : 1].setValue(true);
    Option2[lecon.options[1] ? 2 : 3].setValue(true);
    remplirChamps(lecon);
    Picture3[0].setVisible(true);
    Picture3[1].setVisible(true);
    for (int i = 0; i < 2; ++i) {
        Label1[i].setVisible(true);
        if (grille) Label3[i].setVisible(true);
    }
    DisposerTableau();
    donnerFocus(Text2[grille ? 0 : 1]);
}

void feuille20::remplirChamps(const authoring::LessonFields& lecon) {
    ui::ControlArray<ui::TextBox>& liste = champsDuGenre();
    for (int item = 0; item < authoring::itemCount(activite_); ++item)
        for (int k = 0; k < authoring::fieldsPerItem(activite_); ++k) {
            if (authoring::fieldRole(activite_, k) == authoring::FieldRole::Unused) continue;
            const int index = indexChamp(item, k);
            liste[index].setText(lecon.texts[item][k]);
            apercuChamp(index, true);
        }
}

// --- previews

void feuille20::montrerCroix(int index, bool montrer) {
    const int item = index / 16, t = index % 16 - 14;
    Line2[4 * item + 2 * t].setVisible(montrer);
    Line2[4 * item + 2 * t + 1].setVisible(montrer);
}

// The sets' preview of one field; false when the user is told that the number is too high.
bool feuille20::apercuEnsemble(int index, bool silencieux) {
    const bool titre = index % 16 >= 14;
    std::string texte = trimmed(Texte2[index].text());
    Image1[index].setPicture(ui::Picture());
    if (titre) montrerCroix(index, false);
    if (texte.empty()) return true;
    if (titre && formats::hasNegationMark(texte)) {
        montrerCroix(index, true);
        texte = authoring::withoutNegationMark(texte);
    }
    long numero = 0;
    switch (dessinNomme(texte, numero)) {
    case Dessin::Trop: return refuserTropGrand(silencieux);
    case Dessin::Numero:
        if (formats::materialOf(activite_) != Material::Numbers)
            Image1[index].setPicture(players::dessinBibliotheque(numero));
        return true;
    case Dessin::Aucun: return true;
    }
    return true;
}

bool feuille20::AfficherNoeudArbre(int index, const std::string& texte, bool silencieux) {
    const int item = index / 11, k = index % 11;
    const bool nombres = formats::materialOf(activite_) == Material::Numbers;
    if (k >= 3) {
        if (nombres) return true;
        ui::PictureBox& apercu = Picture1[22 * item + 14 + (k - 3)];
        viderBoite(apercu, kLargeurNoeud);
        long numero = 0;
        switch (dessinNomme(texte, numero)) {
        case Dessin::Trop: return refuserTropGrand(silencieux);
        case Dessin::Numero: apercu.setPicture(players::dessinBibliotheque(numero)); return true;
        case Dessin::Aucun: return true;
        }
        return true;
    }
    // A label is drawn in every node box of its level: 2, 4 or 8 boxes.
    const int premiere = k == 0 ? 0 : k == 1 ? 2 : 6;
    const int nombre = 2 << k;
    auto boite = [&](int b) -> ui::PictureBox& { return Picture1[22 * item + premiere + b]; };
    for (int b = 0; b < nombre; ++b) viderBoite(boite(b), kLargeurNoeud);
    std::string t = texte;
    bool nie = false;
    if (!nombres && formats::hasNegationMark(t)) {
        nie = true;
        t = authoring::withoutNegationMark(t);
    }
    if (t.empty()) return true;
    long numero = 0;
    const Dessin dessin = nombres ? Dessin::Aucun : dessinNomme(t, numero);
    if (dessin == Dessin::Trop) return refuserTropGrand(silencieux);
    for (int b = 0; b < nombre; ++b) {
        ui::PictureBox& p = boite(b);
        if (dessin == Dessin::Numero)
            p.setPicture(players::dessinBibliotheque(numero));
        else
            ecrire(p, t, 140, sousUnChamp(p, Text1, 11 * item) ? Debord::Reduire : Debord::Elargir);
        // The upper box of a pair holds the label as written, the lower one its negation.
        const bool basse = b % 2 == 1;
        // The crossing spans the box, which a long word may have widened.
        if (basse != nie)
            barrer(p, 50, 80, p.width() / shared.Echelle - (kLargeurNoeud - 350), 450);
    }
    return true;
}

bool feuille20::AfficherCaseTableau(int index, const std::string& texte, bool silencieux) {
    const int k = index % 16;
    if (k == 0) return true;
    std::string t = texte;
    bool nie = false;
    const bool tableau = formats::kindOf(activite_) == Kind::Table;
    if (tableau && formats::materialOf(activite_) != Material::Numbers &&
        formats::hasNegationMark(t)) {
        nie = true;
        t = authoring::withoutNegationMark(t);
    }
    ui::PictureBox& apercu = Picture2[index];
    viderBoite(apercu, kLargeurApercu);
    if (t.empty()) return true;
    long numero = 0;
    switch (dessinNomme(t, numero)) {
    case Dessin::Trop: return refuserTropGrand(silencieux);
    case Dessin::Numero: apercu.setPicture(players::dessinBibliotheque(numero)); break;
    case Dessin::Aucun: ecrire(apercu, t, 210, Debord::Reduire); break;
    }
    if (nie && !authoring::isAnswerCell(k)) barrer(apercu, 100, 130, 400, 500);
    return true;
}

// --- focus, keys and options

ui::ControlArray<ui::TextBox>& feuille20::champsDuGenre() {
    switch (formats::kindOf(activite_)) {
    case Kind::Sets: return Texte2;
    case Kind::Tree: return Text1;
    case Kind::Table:
    case Kind::Grid: break;
    }
    return Text2;
}

void feuille20::modeleChamp(ui::TextBox& modele) {
    modele.setFont(ui::arial(7.5));
    modele.setVisible(false);
    modele.GotFocus = [this](int i) { Champ_GotFocus(i); };
    modele.LostFocus = [this](int i) { Champ_LostFocus(i); };
    modele.KeyPress = [this](int i, int& k) { Champ_KeyPress(i, k); };
    modele.KeyDown = [this](int i, int& k, int) { Champ_KeyDown(i, k); };
}

int feuille20::indexChamp(int item, int field) const {
    return authoring::fieldsPerItem(activite_) * item + field;
}

int feuille20::champDansItem(int index) const {
    return index % authoring::fieldsPerItem(activite_);
}

void feuille20::memoriserTexte(ui::TextBox& champ) {
    texteAuFocus_ = trimmed(champ.text());
}

bool feuille20::texteChange(ui::TextBox& champ) const {
    return trimmed(champ.text()) != texteAuFocus_;
}

void feuille20::donnerFocus(ui::TextBox& champ) {
    champ.setFocus();
    memoriserTexte(champ);
}

bool feuille20::apercuChamp(int index, bool silencieux) {
    switch (formats::kindOf(activite_)) {
    case Kind::Sets: return apercuEnsemble(index, silencieux);
    case Kind::Tree: return AfficherNoeudArbre(index, trimmed(Text1[index].text()), silencieux);
    case Kind::Table:
    case Kind::Grid: break;
    }
    // The table and the grid of numbers have no previews; the other grids only for their titles.
    if (formats::materialOf(activite_) == Material::Numbers) return true;
    if (formats::kindOf(activite_) == Kind::Grid &&
        authoring::fieldRole(activite_, champDansItem(index)) != authoring::FieldRole::GridTitle)
        return true;
    return AfficherCaseTableau(index, trimmed(Text2[index].text()), silencieux);
}

void feuille20::champSuivant(int index) {
    ui::ControlArray<ui::TextBox>& liste = champsDuGenre();
    // Tables and grids wrap to cell 1: Enter never brings the focus back to a grid's relation.
    const int premier = &liste == &Text2 ? 1 : 0;
    const int dernier = liste.ubound();
    int n = index;
    for (int essais = 0; essais <= dernier + 1; ++essais) {
        n = n >= dernier ? premier : n + 1;
        if (liste[n].visible()) {
            liste[n].setFocus();
            return;
        }
    }
}

void feuille20::Champ_GotFocus(int index) {
    memoriserTexte(champsDuGenre()[index]);
    // The tree's help stands in its instruction line.
    ui::Label& ligne = formats::kindOf(activite_) == Kind::Tree ? Etiquette2 : Etiquette3;
    ligne.setCaption(authoring::helpText(activite_, champDansItem(index)));
}

void feuille20::Champ_LostFocus(int index) {
    // Outside the sets, a field takes the line under the form with it: a check's result, or the
    // help of a table's or grid's field.
    if (formats::kindOf(activite_) != Kind::Sets) Etiquette3.setCaption("");
    ui::TextBox& champ = champsDuGenre()[index];
    if (!texteChange(champ) || apercuChamp(index, false)) return;
    if (ui::isLoaded(this)) donnerFocus(champ);
}

void feuille20::Champ_KeyPress(int index, int& keyAscii) {
    keyAscii = authoring::filterKey(activite_, champDansItem(index), keyAscii);
}

void feuille20::Champ_KeyDown(int index, int& keyCode) {
    if (keyCode == 13) champSuivant(index);
}

void feuille20::Check1_Click() {
    DisposerEnsembles();
    Texte2[1].setFocus();
}

void feuille20::Option1_Click(int) {
    DisposerArbre();
    Text1[0].setFocus();
}

void feuille20::Option2_Click(int) {
    DisposerTableau();
    const bool relation = formats::kindOf(activite_) == Kind::Grid &&
                          formats::materialOf(activite_) != Material::Numbers;
    Text2[relation ? 0 : 1].setFocus();
}

} // namespace authoring
