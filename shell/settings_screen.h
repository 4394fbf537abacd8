// The settings of the program: success criterion, keeping of a pupil's own choice, immediate
// registration, retake of failed lessons, lessons menu and the pupils' folder. On first use it
// is the first working screen and always checks and creates the proposed folder.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

#include <string>

namespace shell {

class parametre : public ui::Form {
public:
    parametre();

    ui::Label Etiquette2{*this};
    ui::ControlArray<ui::Frame> Cadre{*this};
    ui::ControlArray<ui::Label> Etiquette1{*this};
    ui::ControlArray<ui::OptionButton> option1{*this};
    // The folder box lives in the folder frame, which is therefore made first.
    ui::TextBox Texte1{Cadre.add(5)};
    ui::ControlArray<ui::CommandButton> Commande1{*this};
    ui::Timer Minuterie1{*this};

    void Form_Load() override;

    // The pupils' folder as the check makes it, ending with "/"; empty when the text is refused.
    static std::string dossierVerifie(const std::string& texte);

private:
    void Minuterie1_Timer();
    void Commande1_Click(int index);
    void option1_KeyDown(int index, int& keyCode);
    void Texte1_KeyDown(int& keyCode);
    void Texte1_KeyPress(int& keyAscii);

    void remplir();
    void enregistrer();
    // Creates every level of the folder; false when one cannot be made.
    static bool creerDossier(const std::string& dossier);
    bool premiereUtilisation() const;
};

} // namespace shell
