// The guide and its annexes, shown in a scrolling text box and printed with their own page
// layout.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

namespace shell {

class document : public ui::Form {
public:
    document();

    ui::TextBox Texte1{*this, true};
    ui::Label Label1{*this};
    ui::ControlArray<ui::OptionButton> Option1{*this};
    ui::ControlArray<ui::CommandButton> Commande1{*this};

    void Form_Load() override;

private:
    void Option1_GotFocus(int index);
    void Commande1_Click(int index);
    void imprimer();
};

} // namespace shell
