// Passwords and access rights of the management menus: who may use each of the seven menus, and
// the teacher's and the manager's passwords. Changes stay in the controls until they are saved.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

namespace shell {

class motpasse : public ui::Form {
public:
    motpasse();

    ui::Shape Forme1{*this};
    // One grey panel per menu, holding its label and its three choices.
    ui::ControlArray<ui::PictureBox> Image1{*this};
    // 0..6 the menus, 7 and 8 the headings on the band.
    ui::ControlArray<ui::Label> Etiquette1{*this};
    // Row r: 3 r "Tous", 3 r + 1 "Enseignant", 3 r + 2 "Gestionnaire".
    ui::ControlArray<ui::OptionButton> Option1{*this};
    ui::ControlArray<ui::Label> Etiquette3{*this};
    ui::ControlArray<ui::TextBox> Texte1{*this};
    ui::Label Etiquette4{*this};
    ui::ControlArray<ui::CommandButton> Commande1{*this};
    ui::Timer Minuterie1{*this};

    void Form_Load() override;

private:
    void Minuterie1_Timer();
    void Commande1_Click(int index);
    void Option1_GotFocus();
    void Texte1_GotFocus();
    void Option1_KeyDown(int index, int& keyCode);
    void Texte1_KeyDown(int index, int& keyCode);
    void Texte1_KeyPress(int& keyAscii);

    void enregistrer();
    // The selected choice of row r: its position 0..2, or -1 when none is selected.
    int choixDeLaRangee(int r);
    void focusSurLaRangee(int r);
};

} // namespace shell
