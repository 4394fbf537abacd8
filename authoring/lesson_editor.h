// The lesson editor of one activity: a chooser of the lesson number over the list of the lessons
// that exist, then the lesson's fields laid out like the exercise the pupil will see, checked by
// the lesson rules before they are saved into the lesson catalogue.
#pragma once

#include "authoring/lesson_validation.h"
#include "ui/controls.h"
#include "ui/form.h"

#include <string>

namespace authoring {

class feuille20 : public ui::Form {
public:
    feuille20();

    // --- the frame and the chooser
    ui::Timer Minuterie1{*this};
    ui::Shape Forme5{*this};
    ui::Label Etiquette5{*this};
    ui::Label Etiquette4{*this};
    ui::TextBox texte1{*this};
    ui::CommandButton commande3{*this};
    ui::CommandButton Commande2{*this};
    ui::ControlArray<ui::CommandButton> Commande1{*this};
    ui::Label Etiquette2{*this};
    ui::Label Etiquette3{*this};

    // --- sets (activities 0, 4, 8)
    ui::ControlArray<ui::Shape> Shape1{*this};
    ui::ControlArray<ui::Image> Image1{*this};
    ui::ControlArray<ui::Line> Line1{*this};
    ui::ControlArray<ui::Line> Line2{*this};
    ui::ControlArray<ui::TextBox> Texte2{*this};
    ui::CheckBox Check1{*this};

    // --- tree (activities 1, 5, 9)
    ui::ControlArray<ui::Line> Line3{*this};
    ui::ControlArray<ui::PictureBox> Picture1{*this};
    ui::ControlArray<ui::TextBox> Text1{*this};
    ui::Label Label2{*this};
    ui::ControlArray<ui::OptionButton> Option1{*this};

    // --- table and grid (activities 2, 6, 10 and 3, 7, 11)
    ui::ControlArray<ui::Shape> Shape2{*this};
    ui::ControlArray<ui::PictureBox> Picture2{*this};
    ui::ControlArray<ui::TextBox> Text2{*this};
    ui::ControlArray<ui::Label> Label3{*this};
    ui::ControlArray<ui::PictureBox> Picture3{*this};
    ui::ControlArray<ui::OptionButton> Option2{*this};

    // The item labels of every kind.
    ui::ControlArray<ui::Label> Label1{*this};

    void Form_Load() override;

    void Minuterie1_Timer();
    void texte1_KeyPress(int& keyAscii);
    void commande3_Click();
    void Commande1_Click(int index);
    void Commande2_Click();

    // Checks the lesson the fields show and rebuilds Enregistrement from them; LeconInvalide
    // tells the result.
    void VerifierLecon();

    // Layouts by the options.
    void DisposerEnsembles();
    void DisposerArbre();
    void DisposerTableau();
    // Previews; with `silencieux` a drawing number beyond the library draws nothing and says
    // nothing. They return false when they refused the number with a message.
    bool AfficherNoeudArbre(int index, const std::string& texte, bool silencieux);
    bool AfficherCaseTableau(int index, const std::string& texte, bool silencieux);

    // The field handlers of every kind, by the index of the field in its kind's array.
    void Champ_GotFocus(int index);
    void Champ_LostFocus(int index);
    void Champ_KeyPress(int index, int& keyAscii);
    void Champ_KeyDown(int index, int& keyCode);
    void Check1_Click();
    void Option1_Click(int index);
    void Option2_Click(int index);

private:
    void designChooser();
    void designSetsTemplates();
    void designTreeTemplates();
    void designTableTemplates();
    // Builds the fields of the activity's kind, all hidden.
    void construireEnsembles();
    void construireArbre();
    void construireTableau();
    void cacherChamps();
    // Shows the lesson read from its record as the check reads it.
    void ouvrirEnsembles(const authoring::LessonFields& lecon);
    void ouvrirArbre(const authoring::LessonFields& lecon);
    void ouvrirTableau(const authoring::LessonFields& lecon);
    // Every field's text, with its preview drawn silently: a stored lesson may name a drawing
    // beyond the library, which the check refuses later.
    void remplirChamps(const authoring::LessonFields& lecon);
    void FermerEditeur();
    // Saves the record the check built; false, after telling the user, when it did not land.
    bool enregistrerLecon();
    // Lets the focus events a focus move queued run now; false when the screen went meanwhile.
    bool laisserPasserFocus();
    // The fields of the activity's kind (Texte2, Text1 or Text2), all served by the same handlers.
    ui::ControlArray<ui::TextBox>& champsDuGenre();
    // Gives a field template its look and the handlers that every field cloned from it shares.
    void modeleChamp(ui::TextBox& modele);
    int indexChamp(int item, int field) const;
    int champDansItem(int index) const;
    authoring::LessonFields champs();
    // Gives a field the focus and keeps its text, for when no focus event of its own follows.
    void donnerFocus(ui::TextBox& champ);
    // The preview of a field, by its kind; false when it refused the number with a message.
    bool apercuChamp(int index, bool silencieux);
    bool apercuEnsemble(int index, bool silencieux);
    void montrerCroix(int index, bool montrer);
    // Moves the focus to the next shown field after `index`, wrapping round.
    void champSuivant(int index);
    void memoriserTexte(ui::TextBox& champ);
    bool texteChange(ui::TextBox& champ) const;
    void listerLecons();

    int activite_ = 0;
    std::string texteAuFocus_;
};

} // namespace authoring
