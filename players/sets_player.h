// The sets player: two sets, apart or overlapping, each with its title (a word, a drawing or a
// comparison, possibly crossed out), five elements dealt in a tray, and yellow points where an
// element can stand. A lesson has three items.
#pragma once

#include "players/element_dragging.h"

#include <array>
#include <string>

namespace players {

class Feuille4 : public players::DraggingPlayer {
public:
    Feuille4();

    // The tray, the two sets (0 and 3 on the first, 1 and 2 on the second), the yellow points
    // (Shape3(c - 1) for cell c), the title boxes with their crosses, the connectors.
    ui::Shape Shape2{*this};
    ui::ControlArray<ui::Shape> Shape1{*this};
    ui::ControlArray<ui::Shape> Shape3{*this};
    ui::ControlArray<ui::PictureBox> Picture1{*this};
    ui::ControlArray<ui::Line> Line2{*this};
    ui::ControlArray<ui::Line> Line1{*this};

    // 1 when the sets have a common area.
    shell::Integer ZoneCommune = 0;
    // One character per cell 1..21: " " free, the code of the tray place of the element the
    // pupil put there, or "1" where the answer put one.
    std::string Plateau = std::string(21, ' ');
    // Region (0 to 3) where the element of each tray place belongs; -1 for an empty place.
    std::array<shell::Integer, 5> RegionAttendue{-1, -1, -1, -1, -1};

    void NouvelItem() override;
    // While the learning report lies over the sets, a click on the board is ignored.
    void Form_MouseDown(int button, int shift, float x, float y) override;
    void ChercherPoint(float x, float y, shell::Integer& gauche, shell::Integer& haut,
                       shell::Integer& colonne, shell::Integer& rangee);

    // The region of a board cell 1..21, -1 for a cell without one.
    static int regionCase(int cellule);
    // The text written in each title box (empty when the title is a drawing).
    std::array<std::string, 2> TexteTitre;

protected:
    void chargerJoueur() override;
    void exceptionsEchelle() override;
    int compterNonPlaces() override;
    void apresMessageNonPlaces() override;
    bool testerItem(int& faux) override;
    bool renvoyerFaux() override;
    bool montrerReponse() override;
    void montrerExercice(bool visible) override;
    void avantVisages() override;

    players::PlaceTrouvee chercherPlace(float x, float y) override;
    bool prendreDessin(int index) override;
    void libererSousPointeur(float x, float y) override;
    bool pointeurSurPlace(const players::PlaceTrouvee& p, bool carte) const override;
    void suivreAvecCarte(const players::PlaceTrouvee& p) override;
    bool placeLibre(int place) const override;
    void occuperPlace(int place) override;
    void renvoyerDessinMaison(int index) override;
    int nombreCartes() const override { return 5; }
    bool carteUtilisee(int i) const override;
    QPoint maisonCarte(int i) const override;
    // The prompt goes back to black, whatever colour the last message gave it.
    void remettreConsigneChoix() override;

private:
    bool surPlateau(double haut) const;
    bool celluleUtilisable(int cellule) const;
    void placerPointsJaunes();
    void afficherTitre(int j);
    std::array<bool, 5> faux_{};
};

} // namespace players
