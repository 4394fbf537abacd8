// The settings screen in its two forms: the first use, which always checks and creates the
// proposed pupils' folder, and the management menu's, which asks before changing the folder.
#include "harness.h"

#include "formats/settings.h"
#include "platform/cp1252.h"
#include "shell/file_routines.h"
#include "shell/main_window.h"
#include "shell/settings_screen.h"
#include "shell/shared_state.h"
#include "signin/home_screen.h"

#include <QApplication>
#include <filesystem>

namespace {

using shell::MDI1;
using shell::parametre;
using shell::shared;
using signin::Feuille1;
namespace fs = std::filesystem;

class SettingsScreen : public harness::ScreenTest {
protected:
    void SetUp() override {
        harness::ScreenTest::SetUp();
        ui::unloadAllForms();
        shell::resetSharedState();
        ui::load<MDI1>();
        fs::create_directories(data("eleves"));
        shared.DossierEleves = data("eleves").string() + "/";
    }
    void TearDown() override {
        harness::ScreenTest::TearDown();
        shell::resetSharedState();
    }

    parametre& open(int code) {
        shared.CodeFonction = static_cast<shell::Integer>(code);
        parametre& p = ui::load<parametre>();
        settle();
        return p;
    }
    void save(parametre& p) {
        click(p.Commande1[0]);
        pump();
    }
    // The settings as the file holds them.
    formats::Settings onDisk(const std::string& name = "defaut") {
        formats::Settings s;
        EXPECT_TRUE(formats::parseSettings(readFile(name), s)) << name;
        return s;
    }
    MDI1& main() { return screen<MDI1>(); }
};

TEST_F(SettingsScreen, FirstUseCreatesTheProposedFolderAndSavesBothFiles) {
    const std::string proposed = data("donnees").string() + "/classe 1/";
    shared.DossierEleves = proposed;
    parametre& p = open(-99);
    EXPECT_EQ(u8(p.Etiquette2.caption()),
              "Les options ci-dessous conviennent à la plupart des utilisateurs du logiciel.");
    EXPECT_EQ(u8(main().caption()), "TAVREL -- Modifier les paramètres");
    EXPECT_TRUE(main().quitte.enabled());
    for (ui::MenuItem* m : {&main().quitter[0], &main().gestionnaire, &main().infor[1],
                            &main().bilan, &main().Lecons, &main().aide})
        EXPECT_FALSE(m->enabled()) << m->caption();
    EXPECT_EQ(text(p.Texte1), u8(proposed));
    EXPECT_TRUE(p.option1[4].value()) << "5/8";
    EXPECT_TRUE(p.option1[4].hasFocus());

    save(p);

    EXPECT_TRUE(boxes.empty()) << "no question on first use";
    EXPECT_TRUE(fs::is_directory(data("donnees/classe 1")));
    const formats::Settings saved = onDisk();
    EXPECT_EQ(saved.dossierEleves, proposed);
    EXPECT_EQ(readFile("defaut1"), readFile("defaut"));
    EXPECT_EQ(shared.CheminParametres, shared.DossierDonnees + "defaut");
    EXPECT_EQ(ui::find<parametre>(), nullptr);
    EXPECT_NE(ui::find<Feuille1>(), nullptr);
    EXPECT_TRUE(main().quitter[0].enabled());
    EXPECT_EQ(shared.CodeFonction, 0);
}

TEST_F(SettingsScreen, FirstUseRefusesAFolderThatIsNotAWholePathOrCannotBeMade) {
    writeFile("fichier", "not a folder");
    const std::string cases[] = {
        "",                                   // emptied box
        "eleves",                             // not from the root
        data("a").string() + "//b",           // two "/" in a row
        data("fichier").string() + "/eleves", // a level that cannot be made
    };
    for (const std::string& typed : cases) {
        SCOPED_TRACE(typed);
        boxes.clear();
        shared.DossierEleves = data("propose").string() + "/";
        parametre& p = open(-99);
        p.Texte1.setText(typed);
        save(p);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "Impossible de créer le dossier indiqué.");
        EXPECT_EQ(boxes[0].style, ui::vbExclamation);
        EXPECT_EQ(ui::find<parametre>(), &p) << "the screen stays";
        EXPECT_TRUE(p.Texte1.hasFocus());
        EXPECT_FALSE(exists("defaut"));
        EXPECT_EQ(shared.DossierEleves, data("propose").string() + "/");
        ui::unload<parametre>();
    }
    EXPECT_FALSE(exists("a/b"));
}

TEST_F(SettingsScreen, EachLevelOfTheFolderIsANameOfOneTo255Bytes) {
    EXPECT_EQ(parametre::dossierVerifie("/" + std::string(255, 'n')),
              "/" + std::string(255, 'n') + "/");
    EXPECT_EQ(parametre::dossierVerifie("/a/" + std::string(256, 'n') + "/b"), "");
    EXPECT_EQ(parametre::dossierVerifie("/a//b/"), "");
    EXPECT_EQ(parametre::dossierVerifie("a/b"), "");
    EXPECT_EQ(parametre::dossierVerifie("/"), "/");
}

TEST_F(SettingsScreen, AFolderTypedWithBlanksOrTheRootIsAccepted) {
    const std::string cases[][2] = {
        {"  " + data("x/y").string() + "  ", data("x/y").string() + "/"},
        {data("z").string() + "/", data("z").string() + "/"},
        {"/", "/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        parametre& p = open(-99);
        p.Texte1.setText(c[0]);
        save(p);
        EXPECT_EQ(shared.DossierEleves, c[1]);
        EXPECT_TRUE(fs::is_directory(c[1]));
        EXPECT_EQ(ui::find<parametre>(), nullptr);
    }
}

TEST_F(SettingsScreen, TheChosenOptionsAreWhatIsSaved) {
    struct Case {
        int criterionOption, keep, registration, retake, menu;
        int criterion;
        bool conserver, sans, reprise, accessible;
    };
    const Case cases[] = {
        {5, 0, 9, 12, 7, 3, true, true, false, false},
        {2, 1, 8, 11, 6, 0, false, false, true, true},
        {3, 0, 8, 12, 6, 1, true, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.criterion);
        parametre& p = open(0);
        for (int o : {c.criterionOption, c.keep, c.registration, c.retake, c.menu})
            click(p.option1[o]);
        save(p);
        EXPECT_TRUE(boxes.empty()) << "an unchanged folder asks nothing";
        EXPECT_EQ(shared.CritereReussite, c.criterion);
        EXPECT_EQ(shared.ConserverChoix != 0, c.conserver);
        EXPECT_EQ(shared.SansInscriptionImmediate != 0, c.sans);
        EXPECT_EQ(shared.RepriseParDefaut != 0, c.reprise);
        EXPECT_EQ(shared.MenuLeconsAccessible != 0, c.accessible);
        const formats::Settings saved = onDisk("defaut1");
        EXPECT_EQ(saved.critereReussite, c.criterion);
        EXPECT_EQ(saved.sansInscriptionImmediate != 0, c.sans);
        EXPECT_EQ(saved.dossierEleves, data("eleves").string() + "/");
        EXPECT_EQ(ui::find<parametre>(), nullptr);
    }
}

TEST_F(SettingsScreen, ChangingTheFolderIsAskedFirst) {
    const std::string old = shared.DossierEleves;
    const std::string asked =
        "Le nom du dossier où les fichiers des élèves\nseront enregistrés a été modifié.\n\n"
        "Toutes les inscriptions faites antérieurement\nne pourront plus être utilisées.\n\n"
        "Voulez-vous toujours modifier le dossier\ndes fichiers des élèves?";

    parametre& p = open(0);
    click(p.option1[5]);
    p.Texte1.setText(data("nouveau").string());
    answer(ui::vbNo);
    save(p);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, asked);
    EXPECT_EQ(boxes[0].style, ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2);
    EXPECT_EQ(shared.DossierEleves, old) << "No keeps the folder";
    EXPECT_EQ(shared.CritereReussite, 3) << "and saves the options";
    EXPECT_FALSE(exists("nouveau"));
    EXPECT_EQ(ui::find<parametre>(), nullptr);

    // The stored folder typed without its final "/" counts as a change.
    parametre& q = open(0);
    q.Texte1.setText(data("eleves").string());
    answer(ui::vbYes);
    save(q);
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(shared.DossierEleves, old);

    parametre& r = open(0);
    r.Texte1.setText(data("nouveau/classe").string());
    answer(ui::vbYes);
    save(r);
    EXPECT_EQ(shared.DossierEleves, data("nouveau/classe").string() + "/");
    EXPECT_TRUE(fs::is_directory(data("nouveau/classe")));
    EXPECT_EQ(onDisk().dossierEleves, shared.DossierEleves);
}

TEST_F(SettingsScreen, AnUnchangedFolderIsNotCheckedAgainEvenWhenItIsGone) {
    shared.DossierEleves = data("parti").string() + "/";
    parametre& p = open(0);
    save(p);
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(exists("parti"));
    EXPECT_EQ(onDisk().dossierEleves, data("parti").string() + "/");
}

TEST_F(SettingsScreen, CancellingTheChangesFillsTheScreenAgainFromTheSettings) {
    shared.ConserverChoix = shell::kVrai;
    shared.CritereReussite = 1;
    parametre& p = open(0);
    EXPECT_TRUE(p.option1[0].value());
    EXPECT_TRUE(p.option1[3].value());
    click(p.option1[1]);
    click(p.option1[5]);
    p.Texte1.setText("/ailleurs");
    click(p.Commande1[1]);
    settle();
    EXPECT_TRUE(p.option1[0].value());
    EXPECT_TRUE(p.option1[3].value());
    EXPECT_EQ(text(p.Texte1), u8(shared.DossierEleves));
    EXPECT_TRUE(p.option1[3].hasFocus());
    EXPECT_EQ(ui::find<parametre>(), &p);
    EXPECT_FALSE(exists("defaut"));
}

TEST_F(SettingsScreen, EnterWalksTheQuestionsThenTheFolderThenTheSaveButton) {
    shared.SansInscriptionImmediate = shell::kVrai;
    parametre& p = open(0);
    ASSERT_TRUE(p.option1[4].hasFocus());
    // Keeping: "Non"; registration: "Non" (refused); retake: "Oui"; lessons menu: "Oui".
    int current = 4;
    for (int next : {1, 9, 11, 6}) {
        pressEnter(p.option1[current]);
        EXPECT_TRUE(p.option1[next].hasFocus()) << next;
        current = next;
    }
    pressEnter(p.option1[current]);
    EXPECT_TRUE(p.Texte1.hasFocus());
    pressEnter(p.Texte1);
    EXPECT_TRUE(p.Commande1[0].hasFocus());
    EXPECT_EQ(ui::find<parametre>(), &p) << "Enter in the folder box saves nothing";
    EXPECT_FALSE(exists("defaut"));
    pressEnter(p.Commande1[0]);
    pump();
    EXPECT_EQ(ui::find<parametre>(), nullptr);
    EXPECT_TRUE(exists("defaut"));
}

TEST_F(SettingsScreen, TheFolderBoxKeepsTheCaseAndRefusesWhatTheFileCannotHold) {
    parametre& p = open(0);
    p.Texte1.setText("");
    type(p.Texte1, QString::fromUtf8("/Élèves,\"b"));
    EXPECT_EQ(text(p.Texte1), "/Élèvesb");
    paste(p.Texte1, QString::fromUtf8("/x,y\t\"z"));
    EXPECT_EQ(text(p.Texte1), "/Élèvesb/xyz");
    key(p.Texte1, Qt::Key_Backspace, QString(QChar(8)));
    EXPECT_EQ(text(p.Texte1), "/Élèvesb/xy");
    p.Texte1.setText(std::string(90, 'a'));
    EXPECT_EQ(p.Texte1.text().size(), 80u);
}

TEST_F(SettingsScreen, AFailedSaveIsReportedAndTheScreenStays) {
    fs::create_directories(data("defaut")); // no file can take its place
    parametre& p = open(0);
    click(p.option1[5]);
    save(p);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Impossible d'enregistrer\n" + u8(shared.DossierDonnees) + "defaut");
    EXPECT_EQ(boxes[0].style, ui::vbExclamation);
    EXPECT_EQ(boxes[0].title, "Message");
    EXPECT_EQ(ui::find<parametre>(), &p);
    EXPECT_EQ(shared.CritereReussite, 2) << "the settings in force are those of the files";
    EXPECT_EQ(ui::find<Feuille1>(), nullptr);
}

TEST_F(SettingsScreen, ACriterionOutOfRangeShowsTheUsualOne) {
    shared.CritereReussite = 7;
    parametre& p = open(0);
    EXPECT_TRUE(p.option1[4].value());
}

} // namespace
