// The main window: menus, help, total line and the hidden picture stores.
#pragma once

#include "platform/cp1252.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace shell {

// What the screen shown is doing when it sets the main window's menus. A moment decides only the
// menus it names; the others stay as the screen before left them.
enum class MomentMenus {
    // The home screen loads: everything is open, the activities as the settings and the pupil
    // allow (the report menu follows with ActiverMenuBilan).
    AccueilOuvert,
    // The card is sent: the report is closed until the pupil's file is read.
    CarteEnvoyee,
    // A pupil is at work: management and the guide are closed to him.
    EleveAuTravail,
    // The same, and his lessons are on their way: no other activity may be chosen.
    ActiviteEngagee,
    // The lesson choice or a player loads: as above, with the help open.
    LeconOuverte,
    // A player heads its answer, or a card is being picked up: the report cannot open over it.
    JoueurOccupe,
    // The report menu follows MenuBilanActif.
    BilanSuivi,
    // The reward screen: no report, no help.
    Felicitations,
    // A management function takes the screen, or an editor loads: every menu is closed but the
    // items of Quitter.
    Gestion,
    // The settings screen loads: Quitter is open.
    Parametres,
    // The settings screen loads at the first use: Quitter alone is open, without its restart.
    PremiereUtilisation,
    // The first use's settings are saved: the restart is open again.
    ParametresEnregistres,
};

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

    // The one place where the menus are turned on and off: what the moment decides, from the
    // shared block (settings, pupil, MenuBilanActif).
    void actualiserMenus(MomentMenus moment);

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

} // namespace shell
