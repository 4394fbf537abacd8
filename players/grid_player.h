// The relation-grid player: a relation written as a short text in the corner of a grid whose
// first row and first column hold titles (words or drawings), with 2 or 3 rows and columns of
// answer cells between them. The pupil puts a token, by clicking, on every cell where the
// relation holds between its row's title and its column's title. A lesson has two items.
#pragma once

#include "players/player_frame.h"

#include <array>
#include <string>
#include <vector>

namespace players {

class Feuille7 : public players::PlayerFrame {
public:
    Feuille7();

    // The cells of the 4 x 4 grid, cell k = Picture1(k) (row k \ 4, column k mod 4); Picture1(0)
    // is the template of the others and is never shown.
    ui::ControlArray<ui::PictureBox> Picture1{*this};
    // The grey background seen between the cells, the corner hidden in the screen's colour, the
    // corner picture and the relation written above it.
    ui::Shape Shape1{*this};
    ui::Shape Shape4{*this};
    ui::Image Image1{*this};
    ui::Label Label3{*this};
    // The sample token under the instruction; its picture is the token put on the cells.
    ui::Image Image3{*this};
    // The box behind a try message.
    ui::Shape Shape2{*this};

    // Answer columns and rows, 2 or 3 (also the last grid column and row), fixed for the lesson.
    shell::Integer ColonnesReponse = 3;
    shell::Integer LignesReponse = 3;
    // Top left corner of the grid, design pixels.
    shell::Integer GaucheGrille = 240;
    shell::Integer HautGrille = 8;
    // Position k + 1: "1" when cell k carries a token.
    std::string Plateau = std::string(20, ' ');
    // Position k + 1: "X" when the relation holds at answer cell k.
    std::string Solution = std::string(20, ' ');
    // The text of each title cell shown as words; empty for a drawing or a blank title.
    std::array<std::string, 16> TextesTitres;
    // The lines each word title was drawn as, one line when it fits the cell.
    std::array<std::vector<std::string>, 16> LignesTitres;
    // The one font size of the item's word titles.
    shell::Integer TailleTitres = 12;

    void NouvelItem() override;
    void Picture1_Click(int index);

    // A cell of the grid that is shown for this lesson (cell 0 never is).
    bool celluleAffichee(int k) const;
    static bool celluleReponse(int k) { return k < 16 && formats::isAnswerCell(k); }
    // The symbol of a title in words, then the colon kept with the word before it.
    static std::string titreEnMots(const std::string& titre);

protected:
    void chargerJoueur() override;
    int compterNonPlaces() override;
    std::string messageNonPlaces(int nombre) override;
    bool testerItem(int& faux) override;
    bool renvoyerFaux() override;
    bool montrerReponse() override;
    void montrerExercice(bool visible) override;
    void montrerLignes(bool visible) override;
    bool annoncerReponse() override;
    void effacerEntete() override;

private:
    void placerGrille();
    void afficherRelation(const std::string& relation);
    void preparerTitre(int k, const std::string& champ);
    void dessinerTitre(int k);
};

} // namespace players
