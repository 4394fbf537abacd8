// The passwords and rights screen: filling, the checks before saving, the file written, the keys.
#include "shell_fixture.h"

#include "formats/passwords.h"
#include "platform/files.h"
#include "shell/main_window.h"
#include "shell/passwords_screen.h"
#include "signin/home_screen.h"

namespace {

using shell::fenetrePrincipale;
using shell::MDI1;
using shell::motpasse;
using shell::shared;
using shelltest::ShellTest;
using signin::Feuille1;

class PasswordsScreen : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        shared.CheminMotsDePasse = folder() + "motpasse";
        shared.DroitsMenus = "120010200000012";
        shared.MotDePasseEnseignant = "PROF";
        shared.MotDePasseGestionnaire = "CHEF:1";
        ui::load<MDI1>().show();
    }
    motpasse& open() {
        motpasse& p = ui::load<motpasse>();
        settle();
        return p;
    }
    // The rights the screen shows, row by row.
    static std::string shownRights(motpasse& p) {
        std::string out;
        for (int r = 0; r < 7; ++r) {
            char c = '-';
            for (int k = 0; k < 3; ++k)
                if (p.Option1[3 * r + k].value()) c = static_cast<char>('0' + k);
            out += c;
        }
        return out;
    }
    void pick(motpasse& p, int row, int choice) { click(p.Option1[3 * row + choice]); }
    void clear(ui::TextBox& t) { t.setText(""); }
    void save(motpasse& p) { click(p.Commande1[0]); }
};

TEST_F(PasswordsScreen, FilledFromTheSharedValues) {
    motpasse& p = open();
    EXPECT_EQ(shownRights(p), "1200102");
    EXPECT_EQ(p.Texte1[0].text(), "PROF");
    EXPECT_EQ(p.Texte1[1].text(), "CHEF:1");
    EXPECT_TRUE(p.Option1[1].hasFocus()) << "the selected choice of the first row";
    EXPECT_EQ(u8(p.Etiquette4.caption())
                  .find("Indiquer le groupe qui pourra utiliser chaque menu."
                        "\r\n\r\nChoisir «Tous»"),
              0u);
    EXPECT_EQ(u8(fenetrePrincipale().caption()), "TAVREL  -- Modifier le mot de passe");
    EXPECT_EQ(u8(p.Etiquette1[5].caption()), " Modifier ou créer une leçon");
    EXPECT_FALSE(p.Commande1[0].isDefault());
}

TEST_F(PasswordsScreen, SavingWritesTheFileKeepsTheUnusedRightsAndClosesToTheHomeScreen) {
    shared.NiveauAcces = 1;
    motpasse& p = open();
    pick(p, 0, 2);
    pick(p, 6, 0);
    clear(p.Texte1[0]);
    type(p.Texte1[0], "maitre\\2");
    save(p);
    EXPECT_TRUE(boxes.empty());
    const std::string rights = "220010000000012";
    const auto file = platform::readLines(shared.CheminMotsDePasse);
    ASSERT_TRUE(file);
    ASSERT_EQ(file->size(), 3u);
    EXPECT_EQ((*file)[0], rights);
    EXPECT_EQ((*file)[1], *formats::scramblePassword("MAITRE\\2"));
    EXPECT_EQ((*file)[2], *formats::scramblePassword("CHEF:1"));
    EXPECT_EQ(shared.DroitsMenus, rights);
    EXPECT_EQ(shared.MotDePasseEnseignant, "MAITRE\\2");
    EXPECT_EQ(shared.MotDePasseGestionnaire, "CHEF:1");
    EXPECT_EQ(shared.NiveauAcces, 1) << "the level reached stays";
    EXPECT_EQ(ui::find<motpasse>(), nullptr);
    EXPECT_NE(ui::find<Feuille1>(), nullptr);
}

TEST_F(PasswordsScreen, EveryMenuOpenWithoutPasswords) {
    motpasse& p = open();
    for (int r = 0; r < 7; ++r) pick(p, r, 0);
    clear(p.Texte1[0]);
    clear(p.Texte1[1]);
    save(p);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(readFile("motpasse"), "000000000000012\r\n\r\n\r\n");
    EXPECT_EQ(shared.MotDePasseEnseignant, "");
    EXPECT_EQ(shared.MotDePasseGestionnaire, "");
}

TEST_F(PasswordsScreen, ALevelInUseNeedsItsPasswordTeacherFirst) {
    motpasse& p = open();
    clear(p.Texte1[0]); // rows ask for both levels; only the manager box is filled
    save(p);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Comme certains menus sont réservés à l'enseignant, il faut écrire "
                             "un mot de passe pour l'enseignant.");
    EXPECT_EQ(boxes[0].style, ui::vbExclamation);
    EXPECT_TRUE(p.Texte1[0].hasFocus());
    EXPECT_FALSE(exists("motpasse"));
    EXPECT_NE(ui::find<motpasse>(), nullptr);

    boxes.clear();
    type(p.Texte1[0], "PROF");
    clear(p.Texte1[1]);
    save(p);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Comme certains menus sont réservés au gestionnaire, il faut écrire "
                             "un mot de passe pour le gestionnaire.");
    EXPECT_TRUE(p.Texte1[1].hasFocus());
    EXPECT_FALSE(exists("motpasse"));
    EXPECT_EQ(shared.MotDePasseGestionnaire, "CHEF:1");
}

TEST_F(PasswordsScreen, CancelFillsTheControlsAgain) {
    motpasse& p = open();
    pick(p, 3, 2);
    clear(p.Texte1[1]);
    type(p.Texte1[1], "X");
    click(p.Commande1[1]);
    settle();
    EXPECT_EQ(shownRights(p), "1200102");
    EXPECT_EQ(p.Texte1[1].text(), "CHEF:1");
    EXPECT_NE(ui::find<motpasse>(), nullptr);
    EXPECT_FALSE(exists("motpasse"));
}

TEST_F(PasswordsScreen, KeysOfThePasswordBoxes) {
    motpasse& p = open();
    clear(p.Texte1[0]);
    type(p.Texte1[0], "ab c:é\\9-");
    EXPECT_EQ(p.Texte1[0].text(), "ABC:\\9");
    type(p.Texte1[0], "1234567890");
    EXPECT_EQ(p.Texte1[0].text().size(), 12u);
    EXPECT_EQ(u8(p.Etiquette4.caption()).find("\r\n\r\n\r\nÉcrire le mot de passe"), 0u);
}

TEST_F(PasswordsScreen, EnterMovesThroughTheRowsThenTheBoxesThenTheButton) {
    motpasse& p = open();
    pressEnter(p.Option1[1]);
    EXPECT_TRUE(p.Option1[3 + 2].hasFocus()) << "the selected choice of the next row";
    focus(p.Option1[3 * 6 + 2]);
    pressEnter(p.Option1[3 * 6 + 2]);
    EXPECT_TRUE(p.Texte1[0].hasFocus());
    pressEnter(p.Texte1[0]);
    EXPECT_TRUE(p.Texte1[1].hasFocus());
    EXPECT_EQ(p.Texte1[0].text(), "PROF") << "Enter is swallowed";
    pressEnter(p.Texte1[1]);
    EXPECT_TRUE(p.Commande1[0].hasFocus());
    EXPECT_NE(ui::find<motpasse>(), nullptr) << "the button is not pressed";
    pressEnter(p.Commande1[0]);
    EXPECT_EQ(ui::find<motpasse>(), nullptr);
    EXPECT_TRUE(exists("motpasse"));
}

TEST_F(PasswordsScreen, AFailedWriteIsToldAndTheScreenClosesWithNothingChanged) {
    shared.CheminMotsDePasse = folder() + "absent/motpasse";
    motpasse& p = open();
    pick(p, 0, 0);
    save(p);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Impossible d'enregistrer\n" + folder() + "absent/motpasse");
    EXPECT_EQ(shared.DroitsMenus, "120010200000012");
    EXPECT_EQ(ui::find<motpasse>(), nullptr);
    EXPECT_NE(ui::find<Feuille1>(), nullptr);
}

} // namespace
