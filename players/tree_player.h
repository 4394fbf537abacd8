// The tree player: a classification tree drawn upside down, the root at the bottom and the leaves
// (yellow points) at the top, with two or three levels. Each node splits the elements by one
// characteristic, written on one branch and crossed out on the other. The pupil puts each element
// of the tray on the leaf whose path describes it; one or two elements stand on their leaves from
// the start as examples. A lesson has two items.
#pragma once

#include "players/element_dragging.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace players {

class Feuille5 : public players::DraggingPlayer {
public:
    Feuille5();

    // The tree's lines, the leaf points, the tray, and the branch boxes with their crossings
    // (Line2(2i) and Line2(2i + 1) inside box i).
    ui::ControlArray<ui::Line> Line1{*this};
    ui::ControlArray<ui::Shape> Shape3{*this};
    ui::Shape Shape2{*this};
    ui::ControlArray<ui::PictureBox> Picture1{*this};
    ui::ControlArray<ui::Line> Line2{*this};

    // 1 for a tree of two levels (4 leaves), 0 for three levels (8 leaves).
    shell::Integer DeuxNiveaux = 0;
    // The last leaf and the last element place: 3 or 7.
    shell::Integer DerniereFeuille = 7;
    // The last place shown in the tray; the places after it hold the examples.
    shell::Integer DernierePlaceBac = 5;
    // Where an element stands on a leaf, design pixels.
    shell::Integer HautFeuilles = 8;
    std::array<shell::Integer, 8> GaucheFeuilles{};
    // One character per leaf: " " free, "2" an example, else the code of the place of the
    // element the pupil put there.
    std::string Plateau = std::string(10, ' ');
    // The leaf of the element dealt to each place, -1 none.
    std::array<shell::Integer, 8> FeuilleAttendue{};
    // For an example place, the left of its leaf (design pixels); -1 otherwise.
    std::array<shell::Integer, 8> GaucheExemple{};
    // Where each branch box was placed by the load, in pixels.
    std::array<shell::Integer, 14> GaucheBranches{};
    std::array<shell::Integer, 14> HautBranches{};
    std::array<shell::Integer, 14> LargeurBranches{};
    std::array<shell::Integer, 14> HauteurBranches{};
    // The text written in each branch box (empty when it shows a drawing or nothing).
    std::array<std::string, 14> TexteBranche;

    void NouvelItem() override;
    void ChercherFeuille(float x, float y, shell::Integer& gauche, shell::Integer& haut,
                         shell::Integer& feuille);

    // Where the element of a tray place stands in the tray, in pixels.
    QPoint placeBac(int place) const;

protected:
    void chargerJoueur() override;
    void exceptionsEchelle() override;
    int compterNonPlaces() override;
    bool testerItem(int& faux) override;
    bool renvoyerFaux() override;
    bool montrerReponse() override;
    void montrerExercice(bool visible) override;
    void avantVisages() override;
    bool annoncerReponse() override;
    void effacerEntete() override;

    players::PlaceTrouvee chercherPlace(float x, float y) override;
    bool prendreDessin(int index) override;
    bool carteRefusee(int carte) const override;
    void libererSousPointeur(float x, float y) override;
    bool pointeurSurPlace(const players::PlaceTrouvee& p, bool carte) const override;
    bool placeLibre(int place) const override;
    void occuperPlace(int place) override;
    void renvoyerDessinMaison(int index) override;
    int nombreCartes() const override { return DerniereFeuille + 1; }
    bool carteUtilisee(int i) const override;
    QPoint maisonCarte(int i) const override;

private:
    bool surRangeeFeuilles(double haut) const;
    void ecrireBranche(int boite, const std::string& texte);
    void croiserBranche(int boite, bool dessin);
    // The steps of a new item.
    void viderArbre(bool nombres);
    void ecrireEtiquettes(int activite, int item, bool nombres);
    void distribuerElements(int activite, int item, bool nombres);
    void poserExemples(bool nombres);
    // The leaves found wrong by the last check, in leaf order, each with the place of the
    // element that stood there.
    std::vector<std::pair<int, int>> feuillesFausses_;
};

} // namespace players
