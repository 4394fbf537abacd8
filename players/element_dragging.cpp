#include "players/element_dragging.h"

#include "platform/numbers.h"
#include "platform/random.h"
#include "shell/main_window.h"
#include "shell/shared_state.h"
#include "ui/style.h"

#include <QImage>
#include <QPainter>

using shell::fenetrePrincipale;
using shell::shared;

namespace players {
namespace {

using namespace ui::palette;

// The card's shape, design pixels: a bar 80 wide and 32 high with two half-disc ends, centred
// where the card's text is centred.
constexpr double kLongueurBarre = 80;
constexpr double kHauteurBarre = 32;

// The bar drawn smooth into a card buffer: the same coverage in the tile and in the mask, so
// that where the mask is partly dark the tile holds the card's colour in the same part. The
// buffer is cleared first: a smooth edge drawn over itself would darken at each redraw.
void dessinerBarre(ui::PictureBox& tampon, ui::Colour couleur, double e) {
    tampon.cls();
    QImage& image = tampon.surface();
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        p.setBrush(ui::qcolour(couleur));
        const double h = kHauteurBarre * e;
        p.drawRoundedRect(QRectF(0, 0, kLongueurBarre * e, h), h / 2, h / 2);
    }
    tampon.surfaceChanged();
}

bool estOperateur(unsigned char c) {
    return c == '-' || c == '+' || c == 'x' || c == 0xF7;
}

} // namespace

DraggingPlayer::DraggingPlayer(formats::Kind genre) : PlayerFrame(genre) {
    ui::Image& dessin = Image1.add(0);
    dessin.setStretch(true);
    dessin.setVisible(false);
    dessin.MouseDown = [this](int i, int, int, float, float) { Image1_MouseDown(i); };

    const ui::Font police = ui::arial(12);
    ui::PictureBox& fond = Image11.add(0);
    ui::PictureBox& tuile = Image12.add(0);
    ui::PictureBox& masque = Image13.add(0);
    for (ui::PictureBox* b : {&fond, &tuile, &masque}) {
        b->move(0, 0, 1215, 495);
        b->setBorderStyle(0);
        b->setScaleMode(ui::vbPixels);
        b->setFont(police);
        b->setVisible(false);
    }
    fond.setBackColor(kBlanc);
    tuile.setBackColor(kNoir);
    tuile.setForeColor(kBlanc);
    tuile.setFillStyle(0);
    tuile.setFillColor(kBleu);
    masque.setBackColor(kBlanc);
    masque.setFillStyle(0);
    masque.setFillColor(kNoir);
}

DraggingPlayer::~DraggingPlayer() = default;

void DraggingPlayer::preparerElements(bool cartes) {
    if (!cartes) {
        ConsigneChoix = "Avec la souris, cliquer sur un des dessins.";
        ConsigneDepot = "Placer le dessin choisi au bon endroit.  Puis, cliquer avec la souris.";
        return;
    }
    ConsigneChoix = "Avec la souris, cliquer sur un des nombres.";
    ConsigneDepot = "Placer le nombre choisi au bon endroit.  Puis, cliquer avec la souris.";
    LargeurCarte = shell::Integer(arrondi(Image11[0].width()));
    HauteurCarte = shell::Integer(arrondi(Image11[0].height()));
}

int DraggingPlayer::tirerPlace(std::span<bool> prises) {
    const int n = int(prises.size());
    int p = platform::toInteger(double(platform::rnd()) * n);
    if (p >= n) p = n - 1;
    if (p < 0) p = 0;
    if (prises[p])
        for (int q = 0; q < n; ++q)
            if (!prises[q]) p = q;
    prises[p] = true;
    return p;
}

void DraggingPlayer::retirerFaux(std::string& plateau, int cellules, int dernierElement,
                                 const std::function<bool(int, int)>& estFaux,
                                 std::vector<std::pair<int, int>>& fautes) {
    fautes.clear();
    for (int c = 0; c < cellules; ++c) {
        const unsigned char code = static_cast<unsigned char>(plateau[std::size_t(c)]);
        if (code > dernierElement) continue;
        if (estFaux(code, c)) {
            plateau[std::size_t(c)] = ' ';
            fautes.emplace_back(c, int(code));
        }
    }
}

// --- taking ---

void DraggingPlayer::Image1_MouseDown(int index) {
    if (planVerrouille()) return;
    ui::Image& dessin = Image1[index];
    const float x = float(dessin.left());
    const float y = float(dessin.top());
    if (ObjetTenu < 0) {
        if (!prendreDessin(index)) return;
        ObjetTenu = shell::Integer(index);
        dessin.zOrder(0);
        Label2.setCaption(ConsigneDepot);
    } else {
        // Usually the click falls on the carried drawing itself, whose corner is the snapped
        // place where it stands.
        DeposerObjet(x, y);
    }
}

int DraggingPlayer::carteSous(float x, float y) const {
    for (int i = 0; i < nombreCartes() && i < kCartesMax; ++i) {
        if (!carteUtilisee(i)) continue;
        if (GaucheCarte[i] < x && x < GaucheCarte[i] + LargeurCarte && HautCarte[i] < y &&
            y < HautCarte[i] + HauteurCarte)
            return i;
    }
    return -1;
}

void DraggingPlayer::Form_MouseDown(int, int, float x, float y) {
    if (planVerrouille()) return;
    if (!avecCartes() || ObjetTenu >= 0) {
        DeposerObjet(x, y);
        return;
    }
    const int carte = carteSous(x, y);
    if (carte < 0 || carteRefusee(carte)) return;
    ObjetTenu = shell::Integer(carte);
    libererSousPointeur(x, y);
    fenetrePrincipale().actualiserMenus(shell::MomentMenus::JoueurOccupe);
    Label2.setCaption(ConsigneDepot);
    carteDevant(carte);
    DeplacerCarte(x, y);
    DessinerNombres();
    activerMenuBilanSelonEtat();
}

// --- carrying ---

void DraggingPlayer::suivreAvecCarte(const PlaceTrouvee& p) {
    DeplacerCarte(float(p.gauche + 40 * ep()), float(p.haut + 16 * ep()));
}

void DraggingPlayer::Form_MouseMove(int, int, float x, float y) {
    if (ObjetTenu < 0 || planVerrouille()) return;
    PlaceTrouvee p = chercherPlace(x, y);
    p.pointeurX = x;
    p.pointeurY = y;
    const bool carte = avecCartes();
    shared.PointeurSurCase = pointeurSurPlace(p, carte) ? shell::kVrai : shell::kFaux;
    if (carte)
        suivreAvecCarte(p);
    else
        Image1[ObjetTenu].move(p.gauche, p.haut);
}

// --- putting down ---

void DraggingPlayer::DeposerObjet(float x, float y) {
    if (ObjetTenu < 0) return;
    const PlaceTrouvee p = chercherPlace(x, y);
    remettreConsigneChoix();
    if (p.place >= 0 && placeLibre(p.place) && shared.PointeurSurCase != 0)
        occuperPlace(p.place);
    else
        rentrerObjet();
    ObjetTenu = -1;
    shared.PointeurSurCase = shell::kFaux;
    activerMenuBilanSelonEtat();
}

void DraggingPlayer::remettreConsigneChoix() {
    Label2.setCaption(ConsigneChoix);
}

void DraggingPlayer::rentrerObjet() {
    const int i = ObjetTenu;
    if (avecCartes())
        DeplacerCarte(float(GaucheDepart[i] + 40 * ep()), float(HautDepart[i] + 16 * ep()));
    else
        renvoyerDessinMaison(i);
}

void DraggingPlayer::renvoyerObjetTenu() {
    if (ObjetTenu < 0) return;
    rentrerObjet();
    ObjetTenu = -1;
    shared.PointeurSurCase = shell::kFaux;
}

// --- number cards ---

std::string DraggingPlayer::espacerTexteCarte(const std::string& texte) {
    std::string out;
    const std::size_t n = texte.size();
    for (std::size_t k = 0; k < n; ++k) {
        const unsigned char c = static_cast<unsigned char>(texte[k]);
        const bool premier = k == 0;
        const bool dernier = k + 1 == n;
        const bool apresBlanc = !premier && texte[k - 1] == ' ';
        const bool avantBlanc = !dernier && texte[k + 1] == ' ';
        if (c == 'e') {
            if (!premier && !apresBlanc) out += ' ';
            out += char(c);
        } else if (c == 't') {
            out += char(c);
            if (!dernier && !avantBlanc) out += ' ';
        } else if (estOperateur(c)) {
            if (!premier && !apresBlanc) out += ' ';
            out += char(c);
            if (!dernier && !avantBlanc) out += ' ';
        } else {
            out += char(c);
        }
    }
    return out;
}

double DraggingPlayer::hautTexteCarte(double taille) const {
    const double e = shared.Echelle;
    double v = aspectCartes().hautTexte;
    if (taille > 9 * e) v = 6;
    if (taille > 13 * e) v = 4;
    if (taille > 15 * e) v = 3;
    if (taille > 17 * e) v = 2;
    return v;
}

void DraggingPlayer::montrerCartes(ui::Shape& bac) {
    bac.setVisible(true);
    bac.refresh();
    preparerCartes();
    refresh();
    DessinerNombres();
}

void DraggingPlayer::preparerCartes() {
    const int n = std::min(nombreCartes(), kCartesMax);
    for (int i = 0; i < n; ++i) {
        TexteCarte[i] = texteSurCarte(TexteCarte[i]);
        GaucheCarte[i] = 0;
        HautCarte[i] = 0;
    }
    // One font size for all the cards of the item: the largest that lets every text fit.
    const AspectCartes& aspect = aspectCartes();
    const double plancher = aspect.taillePlancher * (aspect.plancherAEchelle ? shared.Echelle : 1);
    double taille = 18 * shared.Echelle;
    setFontSize(taille);
    const double place = arrondi(LargeurCarte - 10 * ep());
    for (int i = 0; i < n; ++i) {
        if (!carteUtilisee(i)) continue;
        while (textWidth(TexteCarte[i]) > place && taille > plancher && taille > 1) {
            taille -= 1;
            setFontSize(taille);
        }
    }
    taille = double(platform::roundHalfEven(taille));
    setFontSize(taille);
    for (int i = 0; i < n; ++i) {
        if (!Image12.exists(i) || !Image13.exists(i)) continue;
        Image12[i].cls();
        Image13[i].cls();
        Image12[i].setFontSize(taille);
    }
    effacerCartes();
}

void DraggingPlayer::composerCarte(int i) {
    // The card is the tile where the mask is black; the rest of its rectangle shows the board.
    // Along the smooth edge the mask's grey is how much of the pixel the card covers, and the
    // tile, drawn on black, already holds the colour weighted by that cover.
    const QImage& tuile = Image12[i].surface();
    const QImage& masque = Image13[i].surface();
    const int w = std::min({int(LargeurCarte), tuile.width(), masque.width()});
    const int h = std::min({int(HauteurCarte), tuile.height(), masque.height()});
    QImage carte(std::max(w, 1), std::max(h, 1), QImage::Format_ARGB32_Premultiplied);
    carte.fill(Qt::transparent);
    for (int y = 0; y < h; ++y) {
        const auto* t = reinterpret_cast<const QRgb*>(tuile.constScanLine(y));
        const auto* m = reinterpret_cast<const QRgb*>(masque.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(carte.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int couvert = 255 - qGreen(m[x]);
            if (couvert == 0) continue;
            out[x] = qRgba(std::min(qRed(t[x]), couvert), std::min(qGreen(t[x]), couvert),
                           std::min(qBlue(t[x]), couvert), couvert);
        }
    }
    const QPoint position(GaucheCarte[i], HautCarte[i]);
    if (sprites_[i] == 0) {
        sprites_[i] = addSprite(carte, position);
    } else {
        ui::Sprite& s = sprite(sprites_[i]);
        s.image = carte;
        s.position = position;
        s.visible = true;
        updateSprite(sprites_[i]);
    }
}

void DraggingPlayer::carteDevant(int i) {
    // The carried card lies over the others.
    if (sprites_[i] == 0) return;
    const ui::Sprite s = sprite(sprites_[i]);
    removeSprite(sprites_[i]);
    sprites_[i] = addSprite(s.image, s.position, s.visible);
}

const ui::Sprite* DraggingPlayer::spriteCarte(int i) const {
    if (i < 0 || i >= kCartesMax || sprites_[i] == 0) return nullptr;
    auto it = sprites().find(sprites_[i]);
    return it == sprites().end() ? nullptr : &it->second;
}

void DraggingPlayer::effacerCartes() {
    for (int id : sprites_)
        if (id != 0) sprite(id).visible = false;
    cls();
}

void DraggingPlayer::DessinerNombres() {
    const int n = std::min(nombreCartes(), kCartesMax);
    const ui::Colour couleur = aspectCartes().couleur;
    const double e = ep();
    const double taille = fontSize();
    for (int i = 0; i < n; ++i) {
        if (!carteUtilisee(i) || !Image12.exists(i) || !Image13.exists(i)) continue;
        ui::PictureBox& tuile = Image12[i];
        ui::PictureBox& masque = Image13[i];
        tuile.setFillColor(couleur);
        dessinerBarre(masque, kNoir, e);
        dessinerBarre(tuile, couleur, e);
        const long long largeurTexte = platform::roundHalfEven(textWidth(TexteCarte[i]));
        tuile.setCurrentX(
            double(platform::idiv(platform::roundHalfEven(80 * e - largeurTexte), 2)));
        tuile.setCurrentY(double(arrondi(hautTexteCarte(taille) * e)));
        tuile.print(TexteCarte[i], false);
        if (GaucheCarte[i] == 0 && HautCarte[i] == 0) {
            const QPoint maison = maisonCarte(i);
            GaucheCarte[i] = shell::Integer(maison.x());
            HautCarte[i] = shell::Integer(maison.y());
            GaucheDepart[i] = GaucheCarte[i];
            HautDepart[i] = HautCarte[i];
        }
        composerCarte(i);
    }
}

void DraggingPlayer::DeplacerCarte(float x, float y) {
    if (ObjetTenu < 0) return;
    const int i = ObjetTenu;
    const double e = ep();
    int gauche = arrondi(x - 40 * e);
    int haut = arrondi(y - 16 * e);
    const int hautMinimum = arrondi(aspectCartes().hautMinimum * e);
    if (haut < hautMinimum) haut = hautMinimum;
    if (gauche < 0) gauche = 0;
    if (sprites_[i] == 0) {
        composerCarte(i);
    }
    ui::Sprite& s = sprite(sprites_[i]);
    s.position = QPoint(gauche, haut);
    s.visible = true;
    updateSprite(sprites_[i]);
    GaucheCarte[i] = shell::Integer(gauche);
    HautCarte[i] = shell::Integer(haut);
}

// --- slides of the check ---

QPoint DraggingPlayer::positionElement(int place) {
    if (avecCartes()) return QPoint(GaucheCarte[place], HautCarte[place]);
    const ui::Image& dessin = Image1[place];
    return QPoint(arrondi(dessin.left()), arrondi(dessin.top()));
}

bool DraggingPlayer::glisser(int place, QPoint depart, QPoint arrivee, double pas) {
    const long long dx = platform::idiv(arrivee.x() - depart.x(), 10);
    const long long dy = platform::idiv(arrivee.y() - depart.y(), 10);
    const double e = ep();
    const bool cartes = avecCartes();
    long long x = depart.x();
    long long y = depart.y();
    if (cartes) ObjetTenu = shell::Integer(place);
    for (int i = 0; i < 9; ++i) {
        x += dx;
        y += dy;
        if (cartes)
            DeplacerCarte(float(double(x) + 40 * e), float(double(y) + 16 * e));
        else
            Image1[place].move(double(x), double(y));
        if (!attendre(pas)) return false;
    }
    if (cartes) {
        DeplacerCarte(float(arrivee.x() + 40 * e), float(arrivee.y() + 16 * e));
        ObjetTenu = -1;
    } else {
        Image1[place].move(arrivee.x(), arrivee.y());
    }
    return true;
}

void DraggingPlayer::redessinerCartes(bool effacerSurface) {
    if (effacerSurface) cls();
    DessinerNombres();
}

} // namespace players
