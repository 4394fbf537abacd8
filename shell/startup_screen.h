// Start-up screen: the title, the catalogue checks and the first use.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

namespace shell {

class depart : public ui::Form {
public:
    depart();

    ui::Image Dessin1{*this};
    ui::Shape Forme1{*this};
    ui::Label Etiquette2{*this};
    ui::Label Etiquette3{*this};
    ui::Label Etiquette4{*this};
    ui::Label Etiquette1{*this};
    ui::CommandButton Commande1{*this};
    ui::Timer Minuterie1{*this};

    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;

private:
    void Minuterie1_Timer();
    void Commande1_Click();
    // Reads "defaut", or else its copy, which then writes "defaut" again.
    void lireParametres();
    void premiereUtilisation();
    void passerALaFenetrePrincipale();
};

} // namespace shell
