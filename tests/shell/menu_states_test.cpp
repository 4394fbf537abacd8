// The main window's menus at each moment a user meets, reached the way a user reaches it: the
// state of every menu the screens turn on and off, and every other item always enabled. The
// moments of a lesson are with the players' tests.
#include "shell_fixture.h"

#include "menu_word.h"

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
#include <span>

namespace {

using shell::depart;
using shell::document;
using shell::MDI1;
using shell::motpasrep;
using shell::parametre;
using shell::shared;
using signin::Feuille1;
using signin::Feuille3;

std::string menus(MDI1& m) {
    return harness::menuWord(m);
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
    static MDI1& main() { return screen<MDI1>(); }

    // The home screen as the start-up brings it.
    Feuille1& home() {
        shell::revenirAccueil();
        Feuille1* f = ui::find<Feuille1>();
        EXPECT_NE(f, nullptr);
        return *f;
    }
    // A pupil of group 3 signs in; `lessons` done shows in his progress.
    void signIn(int sequence, bool lessonsDone, const std::string& list = "") {
        auto v = pupil("ZOE", "MARTIN", sequence);
        if (lessonsDone) v.etatLecons[1] = '6';
        v.listeLecons = list;
        writePupil("03", v);
        home();
        typeCard("3", "Zoe", "Martin");
    }
    // The program started with no settings: the title, its first-use panel, then the settings.
    parametre& firstUseSettings() {
        ui::unloadAllForms();
        shared.DossierEleves.clear();
        ui::load<depart>();
        settle();
        advance(4000);
        click(screen<depart>().Commande1);
        settle();
        parametre* p = ui::find<parametre>();
        EXPECT_NE(p, nullptr) << "the settings of the first use";
        return *p;
    }
    // Each case reached from a fresh start, as the menus then stand.
    struct Case {
        const char* moment;
        std::function<std::string()> reach;
        const char* expected;
    };
    void expectMenus(std::span<const Case> cases) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.moment);
            EXPECT_EQ(c.reach(), c.expected);
            for (ui::MenuItem* item : harness::menusAlwaysEnabled(main()))
                EXPECT_TRUE(item->enabled()) << item->caption();
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
};

TEST_F(MenuStates, EachMomentOfThePupilsWork) {
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
             Feuille1& f = screen<Feuille1>();
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
    expectMenus(cases);
}

TEST_F(MenuStates, EachManagementScreenAndTheSettingsFirstUse) {
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
             click(screen<document>().Commande1[1]);
             return menus(main());
         },
         "QRL-GIA"},
        {"settings at the first use",
         [this] {
             firstUseSettings();
             return menus(main());
         },
         "Q------"},
        {"home screen once the first use is saved",
         [this] {
             parametre& p = firstUseSettings();
             p.Texte1.setText(data("eleves").string());
             click(p.Commande1[0]);
             pump();
             EXPECT_EQ(ui::find<parametre>(), nullptr);
             EXPECT_NE(ui::find<Feuille1>(), nullptr);
             return menus(main());
         },
         "QRL-GIA"},
    };
    expectMenus(cases);
}

} // namespace
