// The learning report: for the signed-in pupil, one activity at a time as a grid of lesson cells
// with the retake of his failed lessons; for the teacher, a table of percentages of each pupil
// chosen on the registration screen, browsed and printed.
#pragma once

#include "shell/shared_state.h"
#include "ui/controls.h"
#include "ui/form.h"

#include <string>

namespace ui {
class Printer;
}

namespace records {

class SurfaceBilan;

class resultat : public ui::Form {
public:
    resultat();

    // Captions and their values: name, lessons succeeded, lessons done, criterion.
    ui::ControlArray<ui::Label> Etiquette1{*this};
    ui::ControlArray<ui::Label> Etiquette2{*this};
    // Lesson cells (pupil mode clones 1 to 119), the colour legend, the printing notice.
    ui::ControlArray<ui::Label> Etiquette4{*this};
    ui::ControlArray<ui::Label> Etiquette5{*this};
    ui::Label Etiquette3{*this};
    ui::ControlArray<ui::CommandButton> Commande1{*this};
    ui::CommandButton Commande2{*this};
    // Draws the report once after load, and again whenever a button enables it.
    ui::Timer Minuterie1{*this};

    shell::Integer ActiviteAffichee = 0;
    shell::Integer NombreReussies = 0;
    shell::Integer NombreTerminees = 0;
    std::string RepriseProposee;
    shell::Integer PositionChoisie = 0;
    shell::Integer SensAvant = 0;
    shell::Integer PrecedentDisponible = 0;

    void Form_Load() override;
    void Form_KeyDown(int& keyCode, int shift) override;
    void Form_KeyPress(int& keyAscii) override;

    void Minuterie1_Timer();
    void Commande1_Click(int index);
    void Commande2_Click();
    void FermerBilan();
    // The summary table of the pupil in the shared state, on the screen or on a printed page;
    // it leaves his counts over every activity in NombreReussies and NombreTerminees.
    void DessinerBilan(records::SurfaceBilan& surface);
    void ImprimerBilan(ui::Printer& imprimante, double y);

private:
    bool modeEleve() const { return modeEleve_; }
    double tw(double twips) const;
    void dessinerActivite();
    void afficherInscription();
    // The summary table on the screen, with the counts and the criterion beside it.
    void montrerBilan();
    void imprimerTout();
    void imprimerCeBilan();
    // Prints through `travail` on one document; a printer that failed is said once.
    template <class F> void imprimer(F travail);
    std::string critere() const;

    bool modeEleve_ = true;
    // The pupil shown in teacher mode was read whole: a damaged one shows empty, and is never
    // printed so, as if he had done nothing.
    bool ficheLue_ = true;
};

} // namespace records
