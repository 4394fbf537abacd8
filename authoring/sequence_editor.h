// The sequence editor: the 50 lesson sequences of the sequence catalogue, each a title and a
// list of lessons typed as activity letters followed by lesson numbers ("A10 B20 C18 D50").
#pragma once

#include "shell/shared_state.h"
#include "ui/controls.h"
#include "ui/form.h"

#include <string>

namespace authoring {

// A sequence's stored lesson codes as the lesson box shows them: each entry's letter, its lesson
// number and one blank ("A10 B20 "). Zero bytes of a list never written count as blanks.
std::string lessonText(const std::string& storedList);
// The lesson codes of a typed text: an entry is a letter "A" to "L", then its digits (blanks
// between them are passed over); entries whose number is not 1 to 120 are dropped. Not cut to
// the 400 entries a list holds.
std::string lessonCodes(const std::string& text);
// The entries the lesson box counts: a character from "A" on followed by a digit.
int countedEntries(const std::string& text);

class sequence : public ui::Form {
public:
    sequence();

    ui::Timer Minuterie1{*this};
    ui::Shape Forme2{*this};
    ui::ControlArray<ui::Shape> Forme1{*this};
    ui::Label Etiquette6{*this};
    ui::ComboBox Liste1{*this, ui::vbComboSimple};
    ui::CommandButton Commande1{*this};
    ui::ControlArray<ui::Label> Etiquette2{*this};
    ui::ControlArray<ui::TextBox> Texte1{*this};
    ui::Label Etiquette1{*this};
    ui::PictureBox Image1{*this};
    ui::ControlArray<ui::CommandButton> Commande3{*this};

    // The sequence whose title is shown or which is being edited; 1 to 50 when valid.
    shell::Integer NumeroSequenceEditee = 0;
    // The screen's copy of the catalogue's table of titles.
    std::string TitresSequences;
    // The entries counted in the lesson box.
    shell::Integer NombreLecons = 0;

    void Form_Load() override;

    void Minuterie1_Timer();
    void Liste1_Click();
    void Liste1_Change();
    void Liste1_DblClick();
    void Liste1_KeyDown(int& keyCode);
    void Liste1_GotFocus();
    void Commande1_Click();
    void Texte1_Click(int index);
    void Texte1_GotFocus(int index);
    void Texte1_KeyDown(int index, int& keyCode);
    void Texte1_KeyPress(int index, int& keyAscii);
    void Texte1_Change(int index);
    void Commande3_Click(int index);

    void AfficherTitreSequence();
    void OuvrirSequence();
    // False when the catalogue did not take the sequence: the user has been told, and the screen
    // keeps what was typed.
    bool EnregistrerSequence();

private:
    void dessinerLegende();
    void montrerEdition();
    void fermer();
    std::string cheminCatalogue() const;

    // A sequence is open from its opening until the chooser shows again; the editing keys and
    // the save act only then.
    bool sequenceOuverte_ = false;
};

} // namespace authoring
