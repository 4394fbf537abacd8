// The password prompt of the management menus: the password typed gives the level reached, then
// the management dispatcher opens the chosen function or refuses it.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

namespace shell {

class motpasrep : public ui::Form {
public:
    motpasrep();

    ui::Label Etiquette2{*this};
    ui::Label Etiquette1{*this};
    ui::TextBox Texte1{*this};
    ui::ControlArray<ui::CommandButton> Commande1{*this};

    void Form_Load() override;

private:
    void Texte1_KeyPress(int& keyAscii);
    void Commande1_Click(int index);
};

} // namespace shell
