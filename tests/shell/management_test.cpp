// The management menus: rights, the password prompt and the dispatch to the management screens.
#include "shell_fixture.h"

#include "authoring/lesson_editor.h"
#include "authoring/sequence_editor.h"
#include "formats/pupil_file.h"
#include "platform/files.h"
#include "records/learning_report.h"
#include "records/registration_screen.h"
#include "shell/guide_viewer.h"
#include "shell/main_window.h"
#include "shell/password_prompt.h"
#include "shell/passwords_screen.h"
#include "shell/routines.h"
#include "shell/settings_screen.h"
#include "signin/home_screen.h"

#include <QLineEdit>
#include <QMenu>
#include <filesystem>
#include <functional>

namespace {

using authoring::feuille20;
using authoring::sequence;
using records::inscription;
using records::resultat;
using shell::document;
using shell::MDI1;
using shell::motpasrep;
using shell::motpasse;
using shell::parametre;
using shell::shared;
using shelltest::ShellTest;
using signin::Feuille1;

class Management : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        writeShippedFiles();
        writeFile("tavrel.txt", "Guide");
        shared.DroitsMenus = std::string(15, '0');
        shared.DossierEleves = folder();
        m = &ui::load<MDI1>();
        m->show();
        ui::load<Feuille1>();
    }
    // The management screen now loaded, by name; empty when none.
    static std::string screenShown() {
        if (ui::find<inscription>()) return "inscription";
        if (ui::find<parametre>()) return "parametre";
        if (ui::find<sequence>()) return "sequence";
        if (ui::find<motpasse>()) return "motpasse";
        if (ui::find<document>()) return "document";
        if (ui::find<feuille20>()) return "feuille20";
        return "";
    }
    void closeScreens() {
        ui::unload<inscription>();
        ui::unload<parametre>();
        ui::unload<sequence>();
        ui::unload<motpasse>();
        ui::unload<document>();
        ui::unload<feuille20>();
        ui::load<Feuille1>();
        for (ui::MenuItem* item : menus()) item->setEnabled(true);
    }
    std::vector<ui::MenuItem*> menus() {
        return {&m->bilan, &m->Lecons, &m->quitte, &m->gestionnaire, &m->aide, &m->infor[1]};
    }
    void typePassword(const QString& text) {
        motpasrep* prompt = ui::find<motpasrep>();
        ASSERT_NE(prompt, nullptr);
        type(prompt->Texte1, text);
    }
    void answerPrompt(int button) {
        motpasrep* prompt = ui::find<motpasrep>();
        ASSERT_NE(prompt, nullptr);
        click(prompt->Commande1[button]);
    }
    MDI1* m = nullptr;
};

TEST_F(Management, WithoutPasswordsEveryItemOpensItsScreenAtOnce) {
    struct Case {
        std::function<ui::MenuItem&()> item;
        const char* screen;
        int codeAfter;
    };
    const Case cases[] = {
        {[this]() -> ui::MenuItem& { return m->gestion[0]; }, "inscription", 0},
        {[this]() -> ui::MenuItem& { return m->gestion[1]; }, "inscription", 2},
        {[this]() -> ui::MenuItem& { return m->gestion[2]; }, "inscription", 1},
        {[this]() -> ui::MenuItem& { return m->gestion[3]; }, "inscription", 3},
        {[this]() -> ui::MenuItem& { return m->gestion[5]; }, "parametre", 0},
        {[this]() -> ui::MenuItem& { return m->gestion[7]; }, "sequence", 0},
        {[this]() -> ui::MenuItem& { return m->gestion[8]; }, "motpasse", 0},
        {[this]() -> ui::MenuItem& { return m->exercice[9]; }, "feuille20", 0},
        {[this]() -> ui::MenuItem& { return m->infor[1]; }, "document", 99},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screen);
        shared.CodeFonction = -5;
        choose(c.item());
        EXPECT_EQ(screenShown(), c.screen);
        EXPECT_EQ(shared.CodeFonction, c.codeAfter);
        EXPECT_EQ(ui::find<Feuille1>(), nullptr);
        EXPECT_EQ(ui::find<motpasrep>(), nullptr);
        // The screens of this part leave the menus as the dispatch set them; the others may
        // set them again in their own loads.
        if (std::string(c.screen) == "motpasse" || std::string(c.screen) == "document") {
            for (ui::MenuItem* item : menus()) EXPECT_FALSE(item->enabled());
        }
        EXPECT_TRUE(boxes.empty());
        closeScreens();
    }
    choose(m->exercice[11]);
    EXPECT_EQ(shared.ActiviteEditee, 11);
}

TEST_F(Management, TheTeachersPasswordOpensTeacherItemsForTheRestOfTheRun) {
    shared.DroitsMenus = "100000000000000";
    shared.MotDePasseEnseignant = "PROF1";
    choose(m->gestion[0]);
    motpasrep* prompt = ui::find<motpasrep>();
    ASSERT_NE(prompt, nullptr);
    EXPECT_TRUE(prompt->Texte1.hasFocus());
    EXPECT_EQ(screenShown(), "");
    EXPECT_NE(ui::find<Feuille1>(), nullptr);
    typePassword("prof1");
    pressEnter(prompt->Texte1);
    EXPECT_EQ(ui::find<motpasrep>(), nullptr);
    EXPECT_EQ(shared.NiveauAcces, 1);
    EXPECT_EQ(screenShown(), "inscription");
    EXPECT_EQ(shared.CodeFonction, 0);
    closeScreens();
    choose(m->gestion[2]);
    EXPECT_EQ(ui::find<motpasrep>(), nullptr) << "no second prompt";
    EXPECT_EQ(screenShown(), "inscription");
    EXPECT_EQ(shared.CodeFonction, 1);
}

TEST_F(Management, AWrongPasswordIsRefusedAndTheLevelFallsBack) {
    shared.DroitsMenus = "000020000000000";
    shared.MotDePasseEnseignant = "PROF";
    shared.MotDePasseGestionnaire = "CHEF";
    shared.NiveauAcces = 1;
    choose(m->gestion[5]);
    ASSERT_NE(ui::find<motpasrep>(), nullptr);
    typePassword("FAUX");
    answerPrompt(0);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Mot de passe inexact"}));
    EXPECT_EQ(boxes[0].style, ui::vbExclamation);
    EXPECT_EQ(boxes[0].title, "Message");
    EXPECT_EQ(shared.NiveauAcces, 0);
    EXPECT_EQ(screenShown(), "");
    EXPECT_NE(ui::find<Feuille1>(), nullptr) << "the home screen stays";
    EXPECT_TRUE(m->quitte.enabled());
    // The teacher's password is not enough, and giving up is refused the same way.
    for (const int button : {0, 1}) {
        boxes.clear();
        choose(m->gestion[5]);
        typePassword("PROF");
        answerPrompt(button);
        EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Mot de passe inexact"}));
        EXPECT_EQ(screenShown(), "");
    }
    // The manager's password opens it.
    boxes.clear();
    choose(m->gestion[5]);
    typePassword("CHEF");
    answerPrompt(0);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(shared.NiveauAcces, 2);
    EXPECT_EQ(screenShown(), "parametre");
}

TEST_F(Management, TheGuideAndThePasswordsScreenAskForTheHighestPasswordSet) {
    shared.MotDePasseEnseignant = "PROF";
    choose(m->infor[1]);
    ASSERT_NE(ui::find<motpasrep>(), nullptr);
    typePassword("PROF");
    answerPrompt(0);
    EXPECT_EQ(screenShown(), "document");
    EXPECT_EQ(shared.CodeFonction, 0) << "reached through the prompt";
    closeScreens();
    choose(m->infor[1]);
    EXPECT_EQ(screenShown(), "document") << "level 1 opens it at once";
    EXPECT_EQ(shared.CodeFonction, 99);
    closeScreens();

    shared.MotDePasseGestionnaire = "CHEF";
    choose(m->gestion[8]);
    ASSERT_NE(ui::find<motpasrep>(), nullptr) << "level 1 is not enough with both set";
    typePassword("CHEF");
    answerPrompt(0);
    EXPECT_EQ(screenShown(), "motpasse");
}

TEST_F(Management, BothPasswordsEqualGiveTheManagersLevel) {
    shared.DroitsMenus = "200000000000000";
    shared.MotDePasseEnseignant = "MEME";
    shared.MotDePasseGestionnaire = "MEME";
    choose(m->gestion[0]);
    typePassword("MEME");
    answerPrompt(0);
    EXPECT_EQ(shared.NiveauAcces, 2);
    EXPECT_EQ(screenShown(), "inscription");
}

// --- a pupil signed in when an adult opens the management menu --------------------------------

class ManagementOverAPupil : public Management {
protected:
    void SetUp() override {
        Management::SetUp();
        formats::PupilValues v;
        v.prenom = "LUCAS";
        v.nom = "ROY";
        v.numeroSequence = 0;
        v.etatLecons = std::string(1450, '#');
        writeFile(path, formats::formatPupilFile(v));
        // He signs in at the card and sees the icons of the activities.
        Feuille1& f = screen<Feuille1>();
        focus(f.eleve[0]);
        type(f.eleve[0], "1");
        pressEnter(f.eleve[0]);
        type(f.eleve[1], "lucas");
        pressEnter(f.eleve[1]);
        type(f.eleve[2], "roy");
        pressEnter(f.eleve[2]);
        EXPECT_TRUE(shared.EleveActif);
        // He has finished his first lesson today, as the reward screen leaves it.
        shared.EtatLecons[0] = '7';
        shared.LeconsDuJour = 1;
        shared.PointsDuJour = 7;
        ui::unload<Feuille1>();
        ui::load<Feuille1>();
        boxes.clear();
    }
    // He is still signed in with everything he did.
    void expectSignedIn() {
        EXPECT_TRUE(shared.EleveActif);
        EXPECT_EQ(shared.Prenom, "LUCAS");
        EXPECT_EQ(shared.NumeroSequence, 0);
        EXPECT_EQ(shared.CheminFichierEleve, data(path).string());
        EXPECT_EQ(shared.EtatLecons[0], '7');
        EXPECT_EQ(shared.LeconsDuJour, 1);
        EXPECT_EQ(m->caption(), "LUCAS -- TAVREL");
        EXPECT_TRUE(m->bilan.enabled());
        Feuille1* home = ui::find<Feuille1>();
        ASSERT_NE(home, nullptr);
        EXPECT_TRUE(seen(home->Image5[0])) << "his activities";
        EXPECT_FALSE(seen(home->eleve[0])) << "no card";
    }
    // He asks for the registration while his file cannot be written, and gives up at the box:
    // nothing opens and he stays signed in.
    void registrationGivenUpOnAFailingDisk() {
        // A folder stands where his file is, so that writing it fails.
        std::filesystem::remove(data(path));
        std::filesystem::create_directories(data(path) / "x");
        answer(ui::vbCancel);
        choose(m->gestion[0]);
        EXPECT_EQ(boxTexts(), std::vector<std::string>{"Impossible d'écrire sur le disque."});
        EXPECT_EQ(screenShown(), "");
        expectSignedIn();
    }
    static formats::PupilValues onDisk(const std::string& bytes) {
        formats::PupilValues v;
        EXPECT_EQ(formats::parsePupilFile(bytes, false, v), formats::PupilReadStatus::Read);
        return v;
    }
    const std::string path = "TAVR#01/" + formats::nomCourtEleve("LUCAS", "ROY");
};

TEST_F(ManagementOverAPupil, ARefusedAccessLeavesHimSignedInAsHeWas) {
    shared.DroitsMenus = "111111100000000";
    shared.MotDePasseEnseignant = "PROF";
    struct Case {
        const char* name;
        std::function<ui::MenuItem&()> item;
        const char* password;
        int button;
    };
    const Case cases[] = {
        {"register, cancelled", [this]() -> ui::MenuItem& { return m->gestion[0]; }, "", 1},
        {"results, wrong password", [this]() -> ui::MenuItem& { return m->gestion[3]; }, "FAUX", 0},
        {"lesson editor, cancelled", [this]() -> ui::MenuItem& { return m->exercice[2]; }, "", 1},
        {"guide, empty password", [this]() -> ui::MenuItem& { return m->infor[1]; }, "", 0},
    };
    const std::string before = readFile(path);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        // The submenu of the lesson editors opens on the way, as a user's pointer opens it.
        if (std::string(c.name).rfind("lesson", 0) == 0) {
            emit m->gestion[6].submenu()->aboutToShow();
            pump();
        }
        choose(c.item());
        ASSERT_NE(ui::find<motpasrep>(), nullptr);
        expectSignedIn();
        typePassword(c.password);
        answerPrompt(c.button);
        EXPECT_EQ(boxTexts(), std::vector<std::string>{"Mot de passe inexact"});
        EXPECT_EQ(screenShown(), "");
        expectSignedIn();
    }
    EXPECT_EQ(readFile(path), before) << "nothing was written behind a refusal";
    // His quit writes what he did and tells him about it.
    choose(m->quitter[1]);
    EXPECT_EQ(onDisk(readFile(path)).etatLecons[0], '7');
    EXPECT_EQ(lastBox(), "Aujourd'hui, tu as terminé 1 leçon.\n\nTu as obtenu 88 sur 100.");
}

TEST_F(ManagementOverAPupil, AnAccessGrantedSavesHimAndTheHomeScreenComesBackWithItsCard) {
    shared.DroitsMenus = "100000000000000";
    shared.MotDePasseEnseignant = "PROF";
    choose(m->gestion[0]);
    typePassword("PROF");
    answerPrompt(0);
    EXPECT_EQ(screenShown(), "inscription");
    EXPECT_EQ(onDisk(readFile(path)).etatLecons[0], '7');
    EXPECT_FALSE(shared.EleveActif);
    EXPECT_EQ(shared.Prenom, "");
    EXPECT_EQ(shared.CheminFichierEleve, "");
    inscription& r = screen<inscription>();
    settle();
    click(r.Commande2);
    settle();
    Feuille1* home = ui::find<Feuille1>();
    ASSERT_NE(home, nullptr);
    EXPECT_TRUE(seen(home->eleve[0])) << "the card, for the next pupil";
    EXPECT_EQ(m->caption(), "TAVREL");
    EXPECT_FALSE(m->bilan.enabled());
}

TEST_F(ManagementOverAPupil, TheGuideOpenedSignsHimOutToo) {
    choose(m->infor[1]);
    EXPECT_EQ(screenShown(), "document");
    EXPECT_EQ(onDisk(readFile(path)).etatLecons[0], '7');
    EXPECT_FALSE(shared.EleveActif);
    EXPECT_EQ(shared.NumeroSequence, -1);
    EXPECT_EQ(m->caption(), "TAVREL");
}

TEST_F(ManagementOverAPupil, AFileThatCannotBeWrittenKeepsHimSignedInAndOpensNothing) {
    registrationGivenUpOnAFailingDisk();
}

// A lesson of his retake list counts once in his list's place, however many times its save is
// tried: a save given up and tried again must not pass over a lesson he never played.
TEST_F(ManagementOverAPupil, ASaveTriedAgainDuringARetakeMovesHisListOnOnce) {
    shared.ConserverChoix = shell::kVrai;
    shared.ListeLecons = "AeAfAgAh";
    shared.PositionListe = 1;
    // He plays the first lesson of his retake, as the report's retake button started it.
    shared.ListeReprise = "Ce";
    shared.PositionReprise = 0;
    shared.DeLaReprise = shell::kVrai;
    shared.Activite = 2;
    shared.NumeroLecon = 1;
    registrationGivenUpOnAFailingDisk();

    // The disk is back; he goes to the management again.
    std::filesystem::remove_all(data(path));
    choose(m->gestion[0]);
    EXPECT_EQ(screenShown(), "inscription");
    const formats::PupilValues file = onDisk(readFile(path));
    EXPECT_EQ(file.listeLecons, "AeAfAgAh");
    EXPECT_EQ(file.positionListe, 2) << "one step for the one lesson played";
    EXPECT_EQ(file.points, 8);
    EXPECT_EQ(file.numeroItem, 3);
}

TEST_F(Management, OpeningTheLessonEditorsSubmenuLeavesThePupilsWorkAlone) {
    shared.Prenom = "ZOE";
    shared.Nom = "MARTIN";
    shared.NumeroSequence = 0;
    shared.EleveActif = shell::kVrai;
    shared.CheminFichierEleve = folder() + "ZOE.TXT";
    shared.ListeLecons = "Ae";
    shared.ResultatAffiche = 1;
    ui::load<resultat>();
    emit m->gestion[6].submenu()->aboutToShow();
    pump();
    EXPECT_FALSE(exists("ZOE.TXT")) << "nothing is chosen yet";
    EXPECT_TRUE(shared.EleveActif);
    EXPECT_EQ(shared.Prenom, "ZOE");
    EXPECT_EQ(shared.ListeLecons, "Ae");
    EXPECT_EQ(shared.ResultatAffiche, 1);
    EXPECT_NE(ui::find<resultat>(), nullptr);
    EXPECT_EQ(screenShown(), "");
    EXPECT_EQ(ui::find<motpasrep>(), nullptr);
    EXPECT_NE(ui::find<Feuille1>(), nullptr);
    // Choosing an editor, open to all, saves and closes his work.
    choose(m->exercice[0]);
    EXPECT_EQ(screenShown(), "feuille20");
    EXPECT_TRUE(exists("ZOE.TXT"));
    EXPECT_FALSE(shared.EleveActif);
    EXPECT_EQ(shared.Prenom, "") << "the shared state starts afresh";
    EXPECT_EQ(shared.ResultatAffiche, 0);
    EXPECT_EQ(ui::find<resultat>(), nullptr);
}

TEST_F(Management, ThePromptTakesCapitalsDigitsColonAndBackslashOnly) {
    shared.DroitsMenus = "100000000000000";
    shared.MotDePasseEnseignant = "X";
    shared.Echelle = 1.6f;
    choose(m->gestion[0]);
    motpasrep* prompt = ui::find<motpasrep>();
    ASSERT_NE(prompt, nullptr);
    EXPECT_NEAR(prompt->formLeft(), 2265 * 1.6, 1);
    EXPECT_NEAR(prompt->formTop(), 1620 * 1.6, 1);
    EXPECT_NEAR(prompt->formWidth(), 4995 * 1.6, 1);
    EXPECT_NEAR(prompt->Texte1.fontSize(), 12 * 1.6, 0.01);
    typePassword("ab: é\\1-z.");
    EXPECT_EQ(prompt->Texte1.text(), "AB:\\1Z");
    auto* line = qobject_cast<QLineEdit*>(prompt->Texte1.widget());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->displayText(), QString(6, QChar('*')));
    key(prompt->Texte1, Qt::Key_Backspace, QString(QChar(8)));
    EXPECT_EQ(prompt->Texte1.text(), "AB:\\1");
    typePassword("0123456789");
    EXPECT_EQ(prompt->Texte1.text().size(), 12u);
}

} // namespace
