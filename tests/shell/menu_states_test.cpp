// The main window's menus at each moment a user meets, reached the way a user reaches it: the
// state of every menu the screens turn on and off, and every other item always enabled. The
// moments of a lesson are with the players' tests.
#include "shell_fixture.h"

#include "authoring/lesson_editor.h"
#include "authoring/sequence_editor.h"
#include "records/registration_screen.h"
#include "shell/guide_viewer.h"
#include "shell/main_window.h"
#include "shell/password_prompt.h"
#include "shell/passwords_screen.h"
#include "shell/routines.h"
#include "shell/settings_screen.h"
#include "shell/startup_screen.h"
#include "signin/home_screen.h"
#include "signin/lesson_choice.h"

#include <functional>

namespace {

using shell::shared;

// The menus as a word of seven letters, in the menu bar's order: Quitter, its Redémarrer item,
// Leçons, Bilan, Gestionnaire, the guide item of Informations, Aide; "-" for a disabled one.
std::string menus(MDI1& m) {
    const std::pair<ui::MenuItem*, char> items[] = {
        {&m.quitte, 'Q'},       {&m.quitter[0], 'R'}, {&m.Lecons, 'L'}, {&m.bilan, 'B'},
        {&m.gestionnaire, 'G'}, {&m.infor[1], 'I'},   {&m.aide, 'A'},
    };
    std::string word;
    for (const auto& [item, letter] : items) word += item->enabled() ? letter : '-';
    return word;
}

// The items no screen turns off.
std::vector<ui::MenuItem*> alwaysEnabled(MDI1& m) {
    std::vector<ui::MenuItem*> out = {&m.quitter[1], &m.info};
    for (int i = 0; i < 12; ++i) out.push_back(&m.activite[i]);
    for (int i = 0; i < 12; ++i) out.push_back(&m.exercice[i]);
    for (int i = 0; i <= 8; ++i) out.push_back(&m.gestion[i]);
    return out;
}

class MenuStates : public screenstest::PupilScreensTest {
protected:
    void SetUp() override {
        PupilScreensTest::SetUp();
        shared.DroitsMenus = std::string(15, '0');
        writeFile("tavrel.txt", "Guide");
        writeFile("titre.wmf", shelltest::smallMetafile());
        main().show();
    }
    static MDI1& main() { return *ui::find<MDI1>(); }

    // The home screen as the start-up brings it.
    Feuille1& home() {
        shell::RevenirAccueil();
        Feuille1* f = ui::find<Feuille1>();
        EXPECT_NE(f, nullptr);
        return *f;
    }
    void typeCard(const std::string& group, const std::string& prenom, const std::string& nom) {
        Feuille1& f = home();
        focus(f.eleve[0]);
        type(f.eleve[0], QString::fromUtf8(group.c_str()));
        pressEnter(f.eleve[0]);
        type(f.eleve[1], QString::fromUtf8(prenom.c_str()));
        pressEnter(f.eleve[1]);
        type(f.eleve[2], QString::fromUtf8(nom.c_str()));
        pressEnter(f.eleve[2]);
    }
    // A pupil of group 3 signs in; `lessons` done shows in his progress.
    void signIn(int sequence, bool lessonsDone, const std::string& list = "") {
        auto v = pupil("ZOE", "MARTIN", sequence);
        if (lessonsDone) v.etatLecons[1] = '6';
        v.listeLecons = list;
        writePupil("03", v);
        typeCard("3", "Zoe", "Martin");
    }
    void checkOthers() {
        for (ui::MenuItem* item : alwaysEnabled(main()))
            EXPECT_TRUE(item->enabled()) << item->caption();
    }
};

TEST_F(MenuStates, EachMomentOfThePupilsWork) {
    struct Case {
        const char* moment;
        std::function<std::string()> reach;
        const char* expected;
    };
    const Case cases[] = {
        {"home screen, fresh",
         [this] {
             home();
             return menus(main());
         },
         "QRL-GIA"},
        {"home screen, lessons closed to pupils",
         [this] {
             shared.MenuLeconsAccessible = shell::kFaux;
             home();
             return menus(main());
         },
         "QR--GIA"},
        {"pupil of his own lessons signed in, icons shown",
         [this] {
             signIn(0, true);
             return menus(main());
         },
         "QRLB--A"},
        {"the same with lessons closed to pupils: the menu stays as the card left it",
         [this] {
             shared.MenuLeconsAccessible = shell::kFaux;
             signIn(0, false);
             return menus(main());
         },
         "QR----A"},
        {"lesson choice from an icon",
         [this] {
             signIn(0, true);
             Feuille1& f = *ui::find<Feuille1>();
             click(f.Image5[2]);
             EXPECT_NE(ui::find<Feuille3>(), nullptr);
             return menus(main());
         },
         "QR-B--A"},
        {"lesson choice from the Leçons menu",
         [this] {
             home();
             choose(main().activite[3]);
             EXPECT_NE(ui::find<Feuille3>(), nullptr);
             return menus(main());
         },
         "QR----A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.moment);
        EXPECT_EQ(c.reach(), c.expected);
        checkOthers();
        boxes.clear();
        answers.clear();
        ui::unloadAllForms();
        shell::resetSharedState();
        ui::load<MDI1>().show();
        shared.DossierEleves = data("eleves").string() + "/";
        shared.EchellePixel = shared.Echelle * shared.EchellePolice;
        shared.DroitsMenus = std::string(15, '0');
    }
}

TEST_F(MenuStates, EachManagementScreenAndTheSettingsFirstUse) {
    struct Case {
        const char* moment;
        std::function<std::string()> reach;
        const char* expected;
    };
    const auto fromMenu = [this](std::function<ui::MenuItem&()> item) {
        return [this, item] {
            home();
            choose(item());
            settle();
            return menus(main());
        };
    };
    const Case cases[] = {
        {"registration", fromMenu([]() -> ui::MenuItem& { return main().gestion[0]; }), "-R-----"},
        {"results", fromMenu([]() -> ui::MenuItem& { return main().gestion[3]; }), "-R-----"},
        {"settings", fromMenu([]() -> ui::MenuItem& { return main().gestion[5]; }), "QR-----"},
        {"sequence editor", fromMenu([]() -> ui::MenuItem& { return main().gestion[7]; }),
         "-R-----"},
        {"passwords", fromMenu([]() -> ui::MenuItem& { return main().gestion[8]; }), "-R-----"},
        {"lesson editor", fromMenu([]() -> ui::MenuItem& { return main().exercice[2]; }),
         "-R-----"},
        {"guide viewer", fromMenu([]() -> ui::MenuItem& { return main().infor[1]; }), "-R-----"},
        {"password prompt over the home screen",
         [this] {
             shared.DroitsMenus = std::string(15, '1');
             shared.MotDePasseEnseignant = "ABC";
             home();
             choose(main().gestion[0]);
             EXPECT_NE(ui::find<motpasrep>(), nullptr);
             return menus(main());
         },
         "QRL-GIA"},
        {"home screen back from the guide",
         [this] {
             home();
             choose(main().infor[1]);
             settle();
             click(ui::find<document>()->Commande1[1]);
             return menus(main());
         },
         "QRL-GIA"},
        {"settings at the first use",
         [this] {
             ui::unloadAllForms();
             shared.DossierEleves.clear();
             ui::load<depart>();
             settle();
             advance(4000);
             click(ui::find<depart>()->Commande1);
             EXPECT_NE(ui::find<parametre>(), nullptr);
             settle();
             return menus(main());
         },
         "Q------"},
        {"home screen once the first use is saved",
         [this] {
             ui::unloadAllForms();
             shared.DossierEleves.clear();
             ui::load<depart>();
             settle();
             advance(4000);
             click(ui::find<depart>()->Commande1);
             settle();
             parametre& p = *ui::find<parametre>();
             p.Texte1.setText(data("eleves").string());
             click(p.Commande1[0]);
             pump();
             EXPECT_EQ(ui::find<parametre>(), nullptr);
             EXPECT_NE(ui::find<Feuille1>(), nullptr);
             return menus(main());
         },
         "QRL-GIA"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.moment);
        EXPECT_EQ(c.reach(), c.expected);
        checkOthers();
        boxes.clear();
        answers.clear();
        ui::unloadAllForms();
        shell::resetSharedState();
        ui::load<MDI1>().show();
        shared.DossierEleves = data("eleves").string() + "/";
        shared.EchellePixel = shared.Echelle * shared.EchellePolice;
        shared.DroitsMenus = std::string(15, '0');
    }
}

} // namespace
