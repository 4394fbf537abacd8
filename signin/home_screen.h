// The home screen: the identification card where a pupil signs in or registers himself, and the
// activity icons from which he chooses what to work on.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/picture_buttons.h"

#include <string>

namespace signin {

class Feuille1 : public ui::Form {
public:
    Feuille1();

    // The card: its background, captions, fields and buttons.
    ui::Shape Forme1{*this};
    ui::ControlArray<ui::Label> etiquette2{*this};
    ui::ControlArray<ui::TextBox> eleve{*this};
    ui::CommandButton Commande1{*this};
    ui::CommandButton Commande2{*this};
    ui::Label Etiquette4{*this};
    // The twelve activity icons, then the quit icon (12).
    ui::ControlArray<ui::PictureBox> Image5{*this};
    // The question "Nouvelle inscription ?".
    ui::Frame Cadre2{*this};
    ui::ControlArray<ui::Label> Etiquette3{*this};
    ui::ControlArray<ui::CommandButton> Commande5{*this};
    // The choice of the starting sequence.
    ui::Frame Cadre1{*this};
    ui::TextBox Texte1{Cadre1};
    ui::ControlArray<ui::CommandButton> Commande4{*this};
    ui::Timer Minuterie1{*this};

    // The group number as typed, without outer blanks.
    std::string TexteGroupe;

    void Form_Load() override;
    void Form_Click() override;
    void Form_DblClick() override;

    // Shows the icons in place of the card.
    void AfficherActivites();
    // Hides the card and its fields while a management screen takes this screen's place.
    void cacherCarte();
    void ChoisirActivite(int index);

private:
    void eleve_KeyPress(int index, int& keyAscii);
    void eleve_KeyDown(int index, int& keyCode);
    void eleve_GotFocus(int index);
    void Commande1_Click();
    void Commande2_Click();
    void Commande5_GotFocus();
    void Commande5_Click(int index);
    void Commande5_KeyPress(int& keyAscii);
    void Minuterie1_Timer();
    void Texte1_GotFocus();
    void Texte1_KeyPress(int& keyAscii);
    void Commande4_Click(int index);
    void Image5_MouseDown(int index);
    void Image5_MouseUp(int index);

    void AfficherTitreEleve();
    // "&OK" is enabled only where Enter is to sign in, at the surname, and only when the card
    // holds something to sign in with: an empty card never shows it enabled.
    void activerBoutonOK();
    void PreparerMenus();
    void AfficherMessage(const std::string& texte);
    void MessageCorriger();
    void VerifierChampIdentification(int champ);

    void dessinerIcones();
    // "Oui" to the new registration: the starting sequence, unless the group is full.
    void commencerInscription();
    // Hands the signed-in pupil to his next lesson; the home screen comes back when his list is
    // already used up.
    void allerALaLeconSuivante();
    // A sign-in that failed: nobody is signed in and nothing read stays in the shared state.
    void oublierEleve(bool nomsAussi);

    // The steps of a sign-in. The card's fields, the focus left on the first one that is wrong.
    bool ficheValide();
    // The group's folder made or already there; false when the adult gave up.
    bool ouvrirDossierGroupe();
    // The pupil's file read as the card names it; what a failed reading left is forgotten.
    enum class FicheLue { Connue, AutreEleve, Abimee, Absente };
    FicheLue lireFicheEleve();
    // The pupil signed in goes to his activities or his next lesson.
    void accueillirEleve();
    // Other names that give the same file: the card is typed again.
    void refuserAutreEleve();
    void refuserFicheAbimee();
    // Nobody by these names in the group: he may register himself.
    void proposerInscription();

    ui::PictureButtons icones_{Image5};
    // The pupil is at the surname (he typed there or came to it last): Enter there signs in,
    // while in the group and first-name fields it moves on.
    bool auNom_ = false;
};

} // namespace signin
