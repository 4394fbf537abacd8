// Moving elements with two clicks, shared by the sets, tree and table players: a click takes an
// element, which then follows the pointer and snaps to the places of the board; a second click
// puts it down on a free place or sends it home. An element is a drawing (an image control) or,
// in the numbers activities, a number card: a rounded bar with its text, drawn from a tile and a
// mask into a layer of its own over the board, so that it moves without damaging what lies
// under it. The three players also share here their prompts, the dealing of the elements to their
// places and the slides of the check.
#pragma once

#include "players/player_frame.h"

#include <QPoint>
#include <array>
#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace players {

// What a board search finds at a point: where the element stands (snapped to the place under
// the point, or following the pointer) and the place, -1 when none.
struct PlaceTrouvee {
    int gauche = 0;
    int haut = 0;
    int place = -1;
    // The pointer the element follows, when it is carried.
    float pointeurX = 0;
    float pointeurY = 0;
};

class DraggingPlayer : public PlayerFrame {
public:
    explicit DraggingPlayer(formats::Kind genre);
    ~DraggingPlayer() override;

    // The drawings, one per element (copies of Image1(0) loaded by the player).
    ui::ControlArray<ui::Image> Image1{*this};
    // Buffers of the number cards: saved background (its size is the cards' size), tile, mask.
    ui::ControlArray<ui::PictureBox> Image11{*this};
    ui::ControlArray<ui::PictureBox> Image12{*this};
    ui::ControlArray<ui::PictureBox> Image13{*this};

    static constexpr int kCartesMax = 10;
    std::array<std::string, kCartesMax> TexteCarte;
    // Where each card stands and where its home is, in pixels; (0, 0): not drawn yet.
    std::array<shell::Integer, kCartesMax> GaucheCarte{};
    std::array<shell::Integer, kCartesMax> HautCarte{};
    std::array<shell::Integer, kCartesMax> GaucheDepart{};
    std::array<shell::Integer, kCartesMax> HautDepart{};
    shell::Integer LargeurCarte = 0;
    shell::Integer HauteurCarte = 0;

    void Image1_MouseDown(int index);
    void Form_MouseDown(int button, int shift, float x, float y) override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void DeposerObjet(float x, float y);
    void DessinerNombres();
    void DeplacerCarte(float x, float y);

    // How a card's text is shown: blanks round the operators and the "et" of a number card.
    static std::string espacerTexteCarte(const std::string& texte);
    // The card whose rectangle strictly holds the point, -1 none.
    int carteSous(float x, float y) const;
    // The card's picture as it lies over the board (tests).
    const ui::Sprite* spriteCarte(int i) const;
    // The elements are drawings, not number cards.
    bool avecDessins() const { return !avecCartes(); }

protected:
    // --- the board of each player ---
    // The board search at a pointer position.
    virtual PlaceTrouvee chercherPlace(float x, float y) = 0;
    // A drawing is taken: frees its place when it stands on the board; false refuses it.
    virtual bool prendreDessin(int index) = 0;
    // A card that cannot be taken where it stands.
    virtual bool carteRefusee(int) const { return false; }
    // A card is taken: frees the place under the pointer when the pointer is on the board.
    virtual void libererSousPointeur(float x, float y) = 0;
    // Whether an element standing as the search found it stands on a usable place.
    virtual bool pointeurSurPlace(const PlaceTrouvee& p, bool carte) const = 0;
    // Draws the carried card where the search put it.
    virtual void suivreAvecCarte(const PlaceTrouvee& p);
    virtual bool placeLibre(int place) const = 0;
    // The carried element is put on the place (ObjetTenu still holds it).
    virtual void occuperPlace(int place) = 0;
    virtual void renvoyerDessinMaison(int index) = 0;
    virtual int nombreCartes() const = 0;
    virtual bool carteUtilisee(int) const { return true; }
    // Home of card i, in pixels.
    virtual QPoint maisonCarte(int i) const = 0;
    // After a put-down the message line asks again to choose an element.
    virtual void remettreConsigneChoix();
    // The elements are number cards in this item.
    virtual bool avecCartes() const { return activiteNombres(); }
    // What a card shows of its element's field.
    virtual std::string texteSurCarte(const std::string& champ) const {
        return espacerTexteCarte(champ);
    }

    // The prompts of the message line for drawings or number cards and, for cards, their size.
    void preparerElements(bool cartes);
    // Dealing an element: a place drawn at random among `prises` (one flag per place), the last
    // free one when the draw falls on a taken place. The place is then taken.
    static int tirerPlace(std::span<bool> prises);
    // The item test of a board kept as one character a cell: each cell holding the code of an
    // element, up to `dernierElement`, that `estFaux(element, cellule)` judges wrong is freed
    // and goes into `fautes` as (cell, element).
    static void retirerFaux(std::string& plateau, int cellules, int dernierElement,
                            const std::function<bool(int element, int cellule)>& estFaux,
                            std::vector<std::pair<int, int>>& fautes);
    // The item's cards at their homes: the tray shown first, then the card texts, the one font
    // size of the item's cards, fresh buffers, the screen repainted and the cards drawn.
    void montrerCartes(ui::Shape& bac);
    void effacerCartes();
    // Where the element of a place stands, in pixels.
    QPoint positionElement(int place);
    // The slide of an element, drawing or card, in 9 steps of `pas` seconds, put exactly at
    // `arrivee` at the end. False when the screen was unloaded meanwhile.
    bool glisser(int place, QPoint depart, QPoint arrivee, double pas);
    void renvoyerObjetTenu() override;
    void redessinerCartes(bool effacerSurface) override;

private:
    void preparerCartes();
    double hautTexteCarte(double taille) const;
    void composerCarte(int i);
    void carteDevant(int i);
    void rentrerObjet();
    std::array<int, kCartesMax> sprites_{};
};

} // namespace players
