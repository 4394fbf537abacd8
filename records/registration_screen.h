// Registrations by group: one screen that registers new pupils, changes a pupil's card, deletes
// registrations and opens the learning report on chosen pupils, as the management menu asks
// (its mode is in CodeFonction).
#pragma once

#include "shell/shared_state.h"
#include "ui/controls.h"
#include "ui/form.h"

#include <string>
#include <vector>

namespace records {

class inscription : public ui::Form {
public:
    inscription();

    // Windowless backgrounds first, so that the labels lie over them: the pupil card (1) and
    // the list column (2).
    ui::ControlArray<ui::Shape> Forme1{*this};

    // The group box, with the grid of existing groups printed on it.
    ui::PictureBox Image2{*this};
    // (0) heading of the group grid, in the group box; (1) heading of the card (register).
    ui::ControlArray<ui::Label> Etiquette1{*this};
    ui::Label Etiquette2{Image2};
    // (0) the group number, in the group box; (1) first name, (2) surname, (3) sequence number.
    ui::ControlArray<ui::TextBox> eleve{*this};
    ui::CommandButton Commande1{Image2};
    ui::CommandButton Commande2{Image2};

    // The lists of the group: names as registered (register), names to choose one (modify),
    // registrations to choose several (delete, results).
    ui::Label Etiquette3{*this};
    ui::ListBox Liste1{*this};
    ui::ListBox Liste2{*this};
    ui::ListBox Liste3{*this};

    // The pupil card's captions, question and retake option.
    ui::ControlArray<ui::Label> info{*this};
    ui::ControlArray<ui::Label> Etiquette5{*this};
    ui::ControlArray<ui::PictureBox> Image4{*this};
    ui::ControlArray<ui::OptionButton> Option1{*this};

    ui::ControlArray<ui::CommandButton> Commande3{*this};
    ui::ControlArray<ui::CommandButton> Commande4{*this};

    // The hint box, and the list of sequence titles shown while the sequence field is in use.
    ui::PictureBox Image3{*this};
    ui::Label Etiquette4{Image3};
    ui::PictureBox Image1{*this};

    // Group choice, then the work on the chosen group: each a one-shot deferred step.
    ui::Timer Minuterie1{*this};
    ui::Timer Minuterie2{*this};

    // Pupils listed for the chosen group (entries of CheminsEleves and Noms).
    shell::Integer NombreEleves = 0;
    // Shift of the group numbers in the grid, by mode.
    shell::Integer DecalageGroupes = 0;
    // Modify: list position of the pupil whose card is open, and his sequence as first shown.
    shell::Integer EleveChoisi = 0;
    std::string SequenceInitiale;
    // The sequence numbers the card accepts, one character per number (code 0 first).
    std::string SequencesProposees;

    void Form_Load() override;
    void Form_Click() override;
    void Form_DblClick() override;

    void Minuterie1_Timer();
    void Minuterie2_Timer();
    void Commande1_Click();
    void Commande2_Click();
    void Commande3_Click(int index);
    void Commande4_Click(int index);
    void RetourPremierChamp();
    void QuitterInscription();
    void VerifierChampInscription(int index);

private:
    void eleve_KeyPress(int index, int& keyAscii);
    void eleve_KeyDown(int index, int& keyCode);
    void eleve_GotFocus(int index);
    void Option1_Click(int index);
    void Option1_KeyPress(int index, int& keyAscii);
    void Liste2_Click();

    int mode() const { return mode_; }
    // Positions of the screen's own coordinate system (9600 x 7050 units over the client area),
    // scaled, in twips.
    double ux(double x) const;
    double uy(double y) const;
    // Twips inside the picture boxes, scaled.
    double tw(double twips) const;
    void dispositionDuMode();
    void dessinerTitresSequences();
    // Prints the existing groups in the group box; gives how many there are.
    int dessinerGroupes();
    void ouvrirBilan();
    // Commande3 in each mode: delete, results, and the card of register and modify.
    void boutonSuppression(int index);
    void boutonResultats(int index);
    void boutonCarte(int index);
    // Checks and saves the card; false when the work stops there (a field is wrong, the save
    // failed, or the group is now full and its choice comes back).
    bool enregistrerCarte();

    // The card's saving, by mode; true when the pupil was saved (or nothing had to be).
    bool inscrireEleve();
    bool modifierEleve();
    void choisirEleve();
    void remplirListe2();
    bool champsCarteVides();

    // Delete and results, the two modes that choose registrations.
    void supprimerChoisies();
    void supprimerGroupe();
    void supprimerTousLesGroupes();
    // Reads the names of the chosen group's pupil files into the table and its list; false when
    // the folder cannot be read.
    bool listerGroupe();
    // The group listed again from its folder after a deletion, the registrations still there
    // among `choisis` chosen again.
    void relisterGroupe(const std::vector<std::string>& choisis);
    // Chosen lines of the registrations list, from 0 to DernierChoisi.
    int nombreChoisis() const;

    int mode_ = 0;
};

} // namespace records
