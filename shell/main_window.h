// The main window: menus, help, total line and the hidden picture stores.
#pragma once

#include "platform/cp1252.h"
#include "ui/controls.h"
#include "ui/form.h"

class MDI1 : public ui::MdiForm {
public:
    MDI1();

    // Picture stores, never shown: the players' two faces (0 happy, 1 sad) and the exit door
    // that every exit picture copies when its screen loads.
    ui::ControlArray<ui::PictureBox> image2{*this};
    ui::PictureBox Image5{*this};

    // The menu bar, in its order.
    ui::MenuItem quitte{*this, "&Quitter"};
    ui::MenuArray quitter{quitte};
    ui::MenuItem Lecons{*this, cp("&Leçons")};
    ui::MenuArray activite{Lecons};
    ui::MenuItem bilan{*this, "&Bilan"};
    ui::MenuItem gestionnaire{*this, "&Gestionnaire"};
    ui::MenuArray gestion{gestionnaire};
    // Under gestion(6) "Modifier des &leçons": the lesson editor of each activity.
    ui::MenuArray exercice{ajouterMenuGestion()};
    ui::MenuItem info{*this, "&Informations"};
    ui::MenuArray infor{info};
    ui::MenuItem aide{*this, "&Aide"};
    // The number of lessons the pupil has done, far to the right; hidden while there are none.
    ui::MenuItem total{*this, ""};

    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;

    void activite_Click(int index);
    void bilan_Click();
    void quitter_Click(int index);
    void aide_Click();
    void gestion_Click(int index);
    void exercice_Click(int index);
    void infor_Click(int index);

private:
    // The items of the management menu; gives back the one that holds the lesson editors.
    ui::MenuItem& ajouterMenuGestion();
    // Opens the function CodeFonction when the level reached allows it, else asks for a password.
    void ouvrirOuDemander(int element);
};

// The main window, loaded (hidden) when it is not.
MDI1& fenetrePrincipale();
