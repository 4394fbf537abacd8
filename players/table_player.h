// The table player: a two-way table of two or three answer columns and rows, each titled by a
// word, a phrase or a drawing (possibly crossed out for its negation). The pupil puts each element
// of the tray into the cell whose column and row both describe it. Numbers are played with number
// cards, and so is a table of solids whose lesson holds a star: its cells then expect numbers.
// A lesson has two items.
#pragma once

#include "players/element_dragging.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace players {

class Feuille6 : public players::DraggingPlayer {
public:
    Feuille6();

    // The background of the answer cells, the tray, the table's bars (Shape5(r) across for the
    // rows, Shape5(4 + c) down for the columns), the titles (0 to 2 the columns, 3 to 5 the rows)
    // as drawings or texts, and the crossings (Line2(2t) and Line2(2t + 1) over title t).
    ui::Shape Shape1{*this};
    ui::Shape Shape2{*this};
    ui::ControlArray<ui::Shape> Shape5{*this};
    ui::ControlArray<ui::Image> Image3{*this};
    ui::ControlArray<ui::Label> Label3{*this};
    ui::ControlArray<ui::Line> Line2{*this};

    // Answer columns and rows, 2 or 3 each, and their product: the cells and the elements.
    shell::Integer ColonnesTableau = 3;
    shell::Integer RangeesTableau = 3;
    shell::Integer NombreCases = 9;
    // The table's left and top, design pixels.
    shell::Integer GaucheTableau = 256;
    shell::Integer HautTableau = 8;
    // Home slot of each element place, design pixels (the cards' offsets included).
    std::array<shell::Integer, 9> GaucheAccueil{};
    std::array<shell::Integer, 9> HautAccueil{};
    // A table of solids played with number cards.
    bool CartesSolides = false;
    // One character per cell: " " free, else the code of the place of the element put there.
    std::string Plateau = std::string(10, ' ');
    // The cell of the element dealt to each place, -1 none.
    std::array<shell::Integer, 9> CaseAttendue{};
    // The number each cell expects in a table of solids played with cards.
    std::array<std::string, 9> ValeurCase;
    // The element's image stands outside the cells (on at design, off while it stands in a cell).
    std::array<bool, 9> DessinHorsCase{};

    void NouvelItem() override;
    void ChercherCase(float x, float y, shell::Integer& gauche, shell::Integer& haut,
                      shell::Integer& cellule);

    // The elements are number cards: the numbers table, or solids with a star in the lesson.
    bool modeCartes() const { return activiteNombres() || CartesSolides; }
    // Where an element stands in cell (row, column), in pixels.
    QPoint ancreCase(int cellule) const;
    // The length of the horizontal and of the vertical bars, design pixels.
    int longueurBarresH() const { return ColonnesTableau == 3 ? 365 : 273; }
    int longueurBarresV() const { return RangeesTableau == 3 ? 384 : 282; }

protected:
    void chargerJoueur() override;
    void exceptionsEchelle() override;
    int compterNonPlaces() override;
    std::string messageNonPlaces(int nombre) override;
    bool testerItem(int& faux) override;
    bool renvoyerFaux() override;
    bool montrerReponse() override;
    void montrerExercice(bool visible) override;
    bool annoncerReponse() override;

    players::PlaceTrouvee chercherPlace(float x, float y) override;
    bool prendreDessin(int index) override;
    void libererSousPointeur(float x, float y) override;
    bool pointeurSurPlace(const players::PlaceTrouvee& p, bool carte) const override;
    void suivreAvecCarte(const players::PlaceTrouvee& p) override;
    bool placeLibre(int place) const override;
    void occuperPlace(int place) override;
    void renvoyerDessinMaison(int index) override;
    int nombreCartes() const override { return NombreCases; }
    bool carteUtilisee(int i) const override;
    QPoint maisonCarte(int i) const override;
    bool avecCartes() const override { return modeCartes(); }
    std::string texteSurCarte(const std::string& champ) const override;

private:
    void afficherTitre(int titre, const std::string& champ);
    bool faux(int place, int cellule) const;
    QPoint maison(int place) const;
    // The cells found wrong by the last check, in cell order, each with the place of the element
    // that stood there.
    std::vector<std::pair<int, int>> casesFausses_;
};

} // namespace players
