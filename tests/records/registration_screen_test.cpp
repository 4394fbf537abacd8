// The registration screen as adults use it: choosing a group, registering pupils, changing a
// pupil's card, deleting registrations and opening the report on chosen pupils.
#include "records_fixture.h"

#include "shell/routines.h"
#include "signin/home_screen.h"

#include <QApplication>
#include <QFontMetrics>
#include <QListWidget>
#include <QPaintEvent>
#include <functional>

namespace {

using records::inscription;
using records::resultat;
using recordstest::RecordsTest;
using shell::MDI1;
using shell::shared;
using signin::Feuille1;

class Registration : public RecordsTest {
protected:
    // Types the card's three fields and clicks one of its buttons.
    void fillCard(inscription& f, const std::string& prenom, const std::string& nom,
                  const std::string& sequence) {
        for (int i = 1; i <= 3; ++i) f.eleve[i].setText("");
        type(f.eleve[1], QString::fromUtf8(prenom.c_str()));
        type(f.eleve[2], QString::fromUtf8(nom.c_str()));
        type(f.eleve[3], QString::fromUtf8(sequence.c_str()));
    }
    void registerPupil(inscription& f, const std::string& prenom, const std::string& nom,
                       const std::string& sequence) {
        fillCard(f, prenom, nom, sequence);
        click(f.Commande3[0]);
        settle();
    }
    // Pupils whose first names differ in their first three letters, hence in their files.
    void writeGroup(const std::string& group, int pupils) {
        for (int i = 0; i < pupils; ++i) {
            const std::string prenom = {'E', char('A' + i / 26), char('A' + i % 26)};
            writePupil(group, pupil(prenom, "NUMERO"));
        }
    }
    std::string caption() { return u8(screen<MDI1>().caption()); }
};

TEST_F(Registration, EachModeShowsItsTitleFieldCaptionAndButtons) {
    struct Case {
        int mode;
        const char* title;
        const char* field;
        bool card;
        const char* first;
        const char* second;
    };
    const Case cases[] = {
        {0, "TAVREL   Inscrire des utilisateurs", "Numéro du groupe (0 à 99)  : ", true,
         "Inscription &suivante", "&Corriger"},
        {1, "TAVREL   Modifier des inscriptions", "Numéro du groupe désiré : ", true,
         "Choisir un autre &nom", "&Corriger"},
        {2, "TAVREL   Supprimer des inscriptions", "Numéro du groupe : ", false,
         "&Supprimer les inscriptions choisies", "Supprimer &tout ce groupe"},
        {3, "TAVREL   Afficher les résultats", "Numéro du groupe : ", false,
         "Visualiser les inscriptions &choisies", "Visualiser &tout le groupe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        inscription& f = open(c.mode);
        EXPECT_EQ(caption(), c.title);
        EXPECT_EQ(shared.EcranCourant, shell::Ecran::Inscriptions);
        EXPECT_EQ(u8(f.Etiquette2.caption()), c.field);
        EXPECT_EQ(seen(f.eleve[1]), c.card);
        EXPECT_EQ(seen(f.Option1[0]), c.card);
        EXPECT_EQ(seen(f.Liste1), c.mode == 0);
        EXPECT_EQ(seen(f.Liste2), c.mode == 1);
        EXPECT_EQ(seen(f.Liste3), c.mode >= 2);
        EXPECT_EQ(u8(f.Commande3[0].caption()), c.first);
        EXPECT_EQ(u8(f.Commande3[1].caption()), c.second);
        EXPECT_EQ(seen(f.Commande3[4]), c.card);
        EXPECT_EQ(seen(f.Commande4[0]), c.mode == 1 || c.mode == 2);
        if (c.mode == 2) {
            EXPECT_EQ(u8(f.Commande4[0].caption()), "Supprimer tous les groupes");
        }
        // The group field stands right after its caption.
        EXPECT_NEAR(f.eleve[0].left(), f.Etiquette2.left() + f.Etiquette2.width(), 1);
        EXPECT_TRUE(f.eleve[0].hasFocus());
        for (int i = 0; i <= 4; ++i) EXPECT_FALSE(f.Commande3[i].enabled());
        ui::unloadForm(&f);
        settle();
    }
}

TEST_F(Registration, WithoutAnyGroupOnlyRegisteringMayGoOn) {
    for (int mode = 0; mode <= 3; ++mode) {
        SCOPED_TRACE(mode);
        inscription& f = open(mode);
        // "Aucun groupe n'a été créé." in red across the group box.
        const QImage box = grab(f.Image2);
        int red = 0;
        for (int y = 0; y < box.height(); ++y)
            for (int x = 0; x < box.width(); ++x)
                if (box.pixel(x, y) == qRgb(255, 0, 0)) ++red;
        EXPECT_GT(red, 50);
        EXPECT_EQ(f.Commande1.enabled(), mode == 0);
        EXPECT_EQ(f.Commande2.isDefault(), mode != 0);
        if (mode == 2) {
            EXPECT_FALSE(f.Commande4[0].enabled());
        }
        ui::unloadForm(&f);
        settle();
    }
}

TEST_F(Registration, TheGroupGridShowsTheExistingGroupsInOrder) {
    for (const char* g : {"07", "12", "45"})
        std::filesystem::create_directories(data(std::string("eleves/TAVR#") + g));
    inscription& f = open(3);
    EXPECT_TRUE(f.Commande1.enabled());
    EXPECT_TRUE(f.Commande1.isDefault());
    // Three numbers on the first row of the grid, from x = 80 + 80 on, 310 twips apart: ink
    // in each of the first three places and none in the fourth.
    const QImage box = grab(f.Image2);
    const auto inked = [&](double left) {
        const int x0 = int(left / 15), y0 = 330 / 15 + 1;
        for (int y = y0; y < y0 + 12; ++y)
            for (int x = x0; x < x0 + 20; ++x)
                if (qGray(box.pixel(x, y)) < 100) return true;
        return false;
    };
    EXPECT_TRUE(inked(160));
    EXPECT_TRUE(inked(470));
    EXPECT_TRUE(inked(780));
    EXPECT_FALSE(inked(1090));
}

TEST_F(Registration, AGroupTypedWithOneOrTwoDigitsNamesTheSameFolder) {
    writePupil("07", pupil("ZOÉ", "MARTIN"));
    for (const char* typed : {"7", "07"}) {
        SCOPED_TRACE(typed);
        inscription& f = open(1);
        chooseGroup(f, typed);
        EXPECT_EQ(shared.CodeGroupe, "07");
        EXPECT_EQ(shared.NumeroGroupe, 7);
        EXPECT_EQ(shared.DossierGroupe, data("eleves/TAVR#07").string() + "/");
        EXPECT_EQ(lines(f.Liste2), std::vector<std::string>{"MARTIN ZOÉ"});
        ui::unloadForm(&f);
        settle();
    }
}

TEST_F(Registration, TheFieldsTakeOnlyWhatANameOrANumberMayHoldTypedOrPasted) {
    inscription& f = open(0);
    chooseGroup(f, "3");
    const CardEntry entries[] = {
        {1, "zoé", "ZOÉ", false}, {1, "ëï.!?:", "", false},     {1, "l'é-a b", "L'É-A B", false},
        {1, " a", "A", false},    {2, "çàûÂ2", "ÇÀÛÂ2", false}, {2, "a,b\"c;", "ABC", true},
        {3, "1a2", "12", false},  {3, "x5", "5", true},
    };
    expectCardEntries(f.eleve, entries);
    // The group field takes digits only, and none while its group is being worked on.
    EXPECT_EQ(text(f.eleve[0]), "3");
    type(f.eleve[0], "5");
    EXPECT_EQ(text(f.eleve[0]), "3");
}

TEST_F(Registration, RegisteringWritesTheFileListsThePupilAndOpensTheNextCard) {
    writeSequence(12, "Les arbres", code(1, 3) + code(1, 4));
    inscription& f = open(0);
    EXPECT_TRUE(f.Commande1.enabled()) << "registering creates the group";
    chooseGroup(f, "7");
    EXPECT_TRUE(std::filesystem::is_directory(data("eleves/TAVR#07")));
    EXPECT_TRUE(seen(f.Etiquette1[1]));
    EXPECT_EQ(u8(f.Etiquette1[1].caption()), "Fiche d'inscription #1");
    EXPECT_EQ(u8(f.Etiquette3.caption()), "Noms des  élèves");
    EXPECT_TRUE(f.eleve[1].hasFocus());

    click(f.Option1[1]);
    EXPECT_TRUE(f.Commande3[0].hasFocus()) << "an option sends the focus to the save button";
    registerPupil(f, "zoé", "côté-rivière", "12");
    EXPECT_TRUE(boxes.empty()) << lastBox();
    const formats::PupilValues v = readPupil("eleves/TAVR#07/ZOECECOT.GXO");
    EXPECT_EQ(v.prenom, cp("ZOÉ"));
    EXPECT_EQ(v.nom, cp("CÔTÉ-RIVIÈRE"));
    EXPECT_EQ(v.numeroSequence, 12);
    EXPECT_EQ(v.listeLecons, code(1, 3) + code(1, 4));
    EXPECT_EQ(v.positionListe, 0);
    EXPECT_EQ(v.repriseAutorisee, 0);
    EXPECT_EQ(v.etatLecons, std::string(1450, '#'));
    EXPECT_EQ(lines(f.Liste1), std::vector<std::string>{"CÔTÉ-RIVIÈRE ZOÉ"});
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(text(f.eleve[i]), "");
    EXPECT_EQ(u8(f.Etiquette1[1].caption()), "Fiche d'inscription #2");

    // The next pupil chooses his own lessons: no list passes from the last card to his file,
    // even when the lists of pupils who choose are kept.
    shared.ConserverChoix = shell::kVrai;
    registerPupil(f, "léo", "aubé", "0");
    const formats::PupilValues w = readPupil("eleves/TAVR#07/LEOB0AUB.B7H");
    EXPECT_EQ(w.numeroSequence, 0);
    EXPECT_EQ(w.listeLecons, "");
    EXPECT_EQ(lines(f.Liste1), (std::vector<std::string>{"AUBÉ LÉO", "CÔTÉ-RIVIÈRE ZOÉ"}));
    EXPECT_EQ(u8(f.Etiquette3.caption()), "Noms des 2 élèves");
    // The names are there to be seen: a click on them goes to the group field.
    clickLine(f.Liste1, 0);
    EXPECT_TRUE(f.eleve[0].hasFocus());
}

TEST_F(Registration, ThePupilCardRefusesWhatItCannotSave) {
    writeSequence(12, "Douze", code(0, 1));
    writeSequence(13, "Treize", code(0, 2));
    writeSequence(40, "Quarante", code(0, 3));
    writePupil("05", pupil("ZOÉ", "MARTIN"));
    inscription& f = open(0);
    chooseGroup(f, "5");
    EXPECT_EQ(u8(f.Etiquette1[1].caption()), "Fiche d'inscription #2");
    struct Case {
        const char *prenom, *nom, *sequence, *message;
    };
    const Case cases[] = {
        {"z", "martin", "0", "Écrire le prénom de l'élève."},
        {"zo", "m", "0", "Écrire le nom de l'élève."},
        {"zo", "martin", "", "Écrire  le numéro d'une séquence de leçons."},
        {"zo", "martin", "33", "Écrire un des numéros ci-dessus.\nLa séquence 33 n'existe pas."},
        {"zo", "martin", "40", "Écrire un des numéros ci-dessus.\nLa séquence 40 n'existe pas."},
        {"zo", "martin", "14", "Écrire un des numéros ci-dessus.\nLa séquence 14 n'existe pas."},
        // Names that give the file of a pupil already registered.
        {"zoe", "martin", "13",
         "Dans ce groupe, un autre élève\na le même prénom et le même nom.\n\nAjouter un nombre "
         "au prénom ou au nom\npour distinguer ces deux élèves."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        boxes.clear();
        registerPupil(f, c.prenom, c.nom, c.sequence);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(lastBox(), c.message);
        EXPECT_EQ(boxes[0].style, ui::vbInformation);
        EXPECT_EQ(boxes[0].title, "Message");
        EXPECT_EQ(lines(f.Liste1).size(), 1u);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(data("eleves/TAVR#05")),
                            std::filesystem::directory_iterator{}),
              1);
    // "00" is sequence 0, and the listed sequences pass.
    boxes.clear();
    registerPupil(f, "anne", "roy", "00");
    registerPupil(f, "paul", "roy", "13");
    EXPECT_TRUE(boxes.empty()) << lastBox();
    EXPECT_EQ(readPupil(pupilPath("05", "PAUL", "ROY")).numeroSequence, 13);
}

TEST_F(Registration, ANameUnderWhichSomethingUnreadableStandsIsNeverRegisteredOver) {
    writeSequence(13, "Treize", code(0, 2));
    writePupil("05", pupil("ZOÉ", "MARTIN"));
    // A pupil's file that cannot be read now (here a folder stands in its place) is still his.
    const auto taken = pupilPath("05", "LEA", "ROY");
    std::filesystem::create_directories(std::filesystem::path(taken) / "garde");
    inscription& f = open(0);
    chooseGroup(f, "5");
    boxes.clear();
    registerPupil(f, "lea", "roy", "13");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(lastBox().rfind("Dans ce groupe, un autre élève", 0), 0u) << lastBox();
    EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(taken) / "garde"));
}

TEST_F(Registration, AnEmptyCardIsSavedByNoButtonButChecksWithTheNextRegistration) {
    inscription& f = open(0);
    chooseGroup(f, "2");
    click(f.Commande3[0]);
    EXPECT_EQ(lastBox(), "Écrire le prénom de l'élève.");
    EXPECT_TRUE(f.eleve[1].hasFocus());
    boxes.clear();
    click(f.Commande3[2]);
    settle();
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(f.Commande1.enabled()) << "back to the group choice";
    EXPECT_FALSE(f.eleve[1].enabled());
    chooseGroup(f, "2");
    click(f.Commande3[4]);
    settle();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(ui::find<inscription>(), nullptr);
    EXPECT_NE(ui::find<Feuille1>(), nullptr);
}

TEST_F(Registration, EnterAndArrowsWalkTheCardAndTheTitleListFollowsTheSequenceField) {
    writeSequence(12, "Les arbres", code(1, 1));
    inscription& f = open(0);
    chooseGroup(f, "1");
    key(f.eleve[1], Qt::Key_Up);
    EXPECT_TRUE(f.eleve[1].hasFocus()) << "never up into the group field";
    type(f.eleve[1], "z");
    pressEnter(f.eleve[1]);
    EXPECT_EQ(lastBox(), "Écrire le prénom de l'élève.");
    EXPECT_TRUE(f.eleve[1].hasFocus());
    type(f.eleve[1], "o");
    pressEnter(f.eleve[1]);
    EXPECT_TRUE(f.eleve[2].hasFocus());
    EXPECT_FALSE(seen(f.Image1));
    type(f.eleve[2], "roy");
    key(f.eleve[2], Qt::Key_Down);
    EXPECT_TRUE(f.eleve[3].hasFocus());
    EXPECT_TRUE(seen(f.Image1)) << "the list of sequence titles";
    key(f.eleve[3], Qt::Key_Up);
    EXPECT_TRUE(f.eleve[2].hasFocus());
    EXPECT_FALSE(seen(f.Image1));
    focus(f.eleve[3]);
    type(f.eleve[3], "7");
    pressEnter(f.eleve[3]);
    EXPECT_EQ(lastBox(), "Écrire un des numéros ci-dessus.\nLa séquence 7 n'existe pas.");
    EXPECT_TRUE(seen(f.Image1));
    f.eleve[3].setText("12");
    pressEnter(f.eleve[3]);
    EXPECT_FALSE(seen(f.Image1));
    EXPECT_TRUE(f.Option1[0].hasFocus()) << "the option that is on";
    key(f.Option1[0], Qt::Key_Return, "\r");
    EXPECT_TRUE(f.Commande3[0].hasFocus());
    pressEnter(f.Commande3[0]);
    settle();
    EXPECT_TRUE(exists(pupilPath("01", "ZO", "ROY")));
}

TEST_F(Registration, TheTitleListOffersTheFirst32SequencesThatHaveATitle) {
    writeSequence(12, "Douze", code(0, 1));
    writeSequence(13, "Treize", code(0, 1));
    writeSequence(33, "Trente-trois", code(0, 1));
    inscription& f = open(0);
    EXPECT_EQ(f.SequencesProposees, std::string("\0\x0C\x0D", 3));
    EXPECT_NEAR(f.Image1.width(), 6900, 1);
    EXPECT_NEAR(f.Image1.height(), 3450 * 6645.0 / 7050.0, 1);
    ui::unloadForm(&f);
    settle();

    // A third column of titles needs the whole width.
    for (int s = 1; s <= 24; ++s) writeSequence(s, "Titre " + std::to_string(s), code(0, 1));
    inscription& g = open(0);
    EXPECT_EQ(g.SequencesProposees.size(), 25u);
    EXPECT_NEAR(g.Image1.width(), 9380, 1);
}

TEST_F(Registration, TheFortiethPupilFillsTheGroup) {
    writeGroup("04", 39);
    inscription& f = open(0);
    chooseGroup(f, "4");
    EXPECT_EQ(u8(f.Etiquette1[1].caption()), "Fiche d'inscription #40");
    registerPupil(f, "zoé", "martin", "0");
    EXPECT_TRUE(exists(pupilPath("04", "ZOÉ", "MARTIN")));
    EXPECT_EQ(lastBox(), "Le groupe 4 contient 40 utilisateurs.\nChoisir un autre groupe.");
    EXPECT_TRUE(f.Commande1.enabled());
    EXPECT_FALSE(f.eleve[1].enabled());
    // The full group is refused at once.
    boxes.clear();
    chooseGroup(f, "4");
    EXPECT_EQ(lastBox(), "Le groupe 4 contient 40 utilisateurs.\nChoisir un autre groupe.");
    EXPECT_FALSE(f.eleve[1].enabled());
    EXPECT_TRUE(f.Commande1.enabled());
}

TEST_F(Registration, OnlyPupilFilesAreListedAndAtMost51) {
    writeGroup("08", 53);
    writeFile("eleves/TAVR#08/AVIDE.TXT", "\r\n\r\n");
    writeFile("eleves/TAVR#08/.cache", "ZOE\r\nMARTIN\r\n");
    inscription& f = open(2);
    chooseGroup(f, "8");
    EXPECT_EQ(f.NombreEleves, 51);
    EXPECT_EQ(f.Liste3.listCount(), 51);
    for (const std::string& l : lines(f.Liste3)) EXPECT_EQ(l.rfind("NUMERO", 0), 0u) << l;
}

TEST_F(Registration, EmptyOrMissingGroupsSendBackToTheGroupChoice) {
    std::filesystem::create_directories(data("eleves/TAVR#06"));
    inscription& f = open(1);
    chooseGroup(f, "6");
    EXPECT_EQ(lastBox(), "Le groupe 6 est vide.\n\nChoisir un autre groupe.");
    EXPECT_EQ(boxes.back().style, ui::vbExclamation);
    EXPECT_TRUE(f.Commande1.enabled());
    EXPECT_EQ(text(f.eleve[0]), "");
    chooseGroup(f, "9");
    EXPECT_EQ(lastBox(), "Écrire le numéro d'un des groupes déjà créés.");
    EXPECT_EQ(text(f.eleve[0]), "");
    EXPECT_TRUE(f.eleve[0].hasFocus());
    boxes.clear();
    click(f.Commande1);
    EXPECT_EQ(lastBox(), "Écrire le numéro du groupe.");
}

TEST_F(Registration, NamesAreSortedByCharacterCodes) {
    for (const char* nom : {"ZOLA", "ÉMOND", "AUBÉ", "MARTIN"})
        writePupil("02", pupil("ANNE", nom));
    inscription& f = open(2);
    chooseGroup(f, "2");
    EXPECT_EQ(lines(f.Liste3),
              (std::vector<std::string>{"AUBÉ ANNE", "MARTIN ANNE", "ZOLA ANNE", "ÉMOND ANNE"}));
}

// --- modify -----------------------------------------------------------------------------------

class Modify : public Registration {
protected:
    inscription& openGroup() {
        formats::PupilValues zoe = pupil("ZOÉ", "MARTIN", 12);
        zoe.etatLecons = progressWith({{1, '5'}, {130, '8'}});
        zoe.listeLecons = code(0, 1) + code(0, 2) + code(0, 3);
        zoe.positionListe = 2;
        writePupil("03", zoe);
        writePupil("03", pupil("LÉO", "AUBÉ", 0));
        writeSequence(12, "Douze", code(0, 1) + code(0, 2) + code(0, 3));
        writeSequence(13, "Treize", code(4, 1));
        inscription& f = open(1);
        chooseGroup(f, "3");
        return f;
    }
    // Opens the card of the pupil on that line.
    void choose(inscription& f, int line) {
        clickLine(f.Liste2, line);
        click(f.Commande4[0]);
    }
    const std::string zoePath = pupilPath("03", "ZOÉ", "MARTIN");
};

TEST_F(Modify, TheNameListLeadsToAPupilsCard) {
    inscription& f = openGroup();
    EXPECT_EQ(lines(f.Liste2), (std::vector<std::string>{"AUBÉ LÉO", "MARTIN ZOÉ"}));
    EXPECT_TRUE(seen(f.Image3));
    EXPECT_TRUE(f.Commande4[0].isDefault());
    EXPECT_FALSE(f.Commande3[0].enabled());
    click(f.Commande4[0]);
    EXPECT_EQ(lastBox(),
              "Pour choisir un nom, le pointer avec la souris ou le placer dans la fenêtre et "
              "appuyer sur la barre d'espacement.\n\nPour annuler un nom déjà choisi, le "
              "sélectionner une seconde fois.");
    EXPECT_FALSE(seen(f.Image3));
    choose(f, 1);
    EXPECT_EQ(text(f.eleve[1]), "ZOÉ");
    EXPECT_EQ(text(f.eleve[2]), "MARTIN");
    EXPECT_EQ(text(f.eleve[3]), "12");
    EXPECT_TRUE(f.Option1[0].value());
    EXPECT_TRUE(f.eleve[1].hasFocus());
    EXPECT_FALSE(f.Commande4[0].enabled());
    EXPECT_TRUE(f.Commande3[4].enabled());
    clickLine(f.Liste2, 0);
    EXPECT_TRUE(f.eleve[1].hasFocus()) << "the list gives the focus back to the card";
    // "Choisir un autre nom" without a change writes nothing and shows the list again.
    const auto written = std::filesystem::last_write_time(data(zoePath));
    click(f.Commande3[0]);
    settle();
    EXPECT_EQ(std::filesystem::last_write_time(data(zoePath)), written);
    EXPECT_TRUE(f.Commande4[0].enabled());
    EXPECT_FALSE(f.Commande3[0].enabled());
    EXPECT_EQ(text(f.eleve[1]), "ZOÉ") << "the card keeps the last pupil";
}

TEST_F(Modify, TheRetakeOptionAndTheSequenceChangeInPlace) {
    inscription& f = openGroup();
    choose(f, 1);
    click(f.Option1[1]);
    click(f.Commande3[0]);
    settle();
    formats::PupilValues v = readPupil(zoePath);
    EXPECT_EQ(v.repriseAutorisee, 0);
    EXPECT_EQ(v.positionListe, 2) << "the sequence was not changed";
    EXPECT_EQ(v.etatLecons, progressWith({{1, '5'}, {130, '8'}}));

    choose(f, 1);
    f.eleve[3].setText("13");
    click(f.Commande3[0]);
    settle();
    v = readPupil(zoePath);
    EXPECT_EQ(v.numeroSequence, 13);
    EXPECT_EQ(v.listeLecons, code(4, 1));
    EXPECT_EQ(v.positionListe, 0);
    EXPECT_EQ(v.etatLecons, progressWith({{1, '5'}, {130, '8'}}));
    EXPECT_EQ(lines(f.Liste2).size(), 2u);
}

TEST_F(Modify, ANewNameMovesTheFileAndSortsTheList) {
    inscription& f = openGroup();
    choose(f, 1);
    f.eleve[2].setText("");
    type(f.eleve[2], "abel");
    click(f.Commande3[0]);
    settle();
    EXPECT_FALSE(exists(zoePath));
    const formats::PupilValues v = readPupil(pupilPath("03", "ZOÉ", "ABEL"));
    EXPECT_EQ(v.etatLecons, progressWith({{1, '5'}, {130, '8'}}));
    EXPECT_EQ(v.listeLecons, code(0, 1) + code(0, 2) + code(0, 3));
    EXPECT_EQ(v.positionListe, 2);
    EXPECT_EQ(lines(f.Liste2), (std::vector<std::string>{"ABEL ZOÉ", "AUBÉ LÉO"}));
    EXPECT_EQ(u8(shared.Noms[0]), "ABEL ZOÉ");
    EXPECT_EQ(shared.CheminsEleves[0], data(pupilPath("03", "ZOÉ", "ABEL")).string());
}

TEST_F(Modify, NamesOfAnotherPupilAreRefusedAndAnAccentMayBeMended) {
    inscription& f = openGroup();
    choose(f, 1);
    f.eleve[1].setText("LEO");
    f.eleve[2].setText("AUBE");
    click(f.Commande3[0]);
    EXPECT_EQ(lastBox().rfind("Dans ce groupe, un autre élève", 0), 0u) << lastBox();
    EXPECT_TRUE(exists(zoePath));
    EXPECT_EQ(readPupil(pupilPath("03", "LÉO", "AUBÉ")).prenom, cp("LÉO"));
    EXPECT_EQ(text(f.eleve[1]), "LEO") << "the names typed stay";
    EXPECT_TRUE(f.eleve[1].hasFocus());

    // The pupil's own file name comes out of the same names without their accent.
    boxes.clear();
    f.eleve[1].setText("ZOE");
    f.eleve[2].setText("MARTIN");
    click(f.Commande3[0]);
    settle();
    EXPECT_TRUE(boxes.empty()) << lastBox();
    EXPECT_EQ(readPupil(zoePath).prenom, "ZOE");
    EXPECT_EQ(lines(f.Liste2), (std::vector<std::string>{"AUBÉ LÉO", "MARTIN ZOE"}));
}

TEST_F(Modify, AWriteGivenUpLeavesTheCardToBeSavedAgain) {
    inscription& f = openGroup();
    choose(f, 1);
    // The group's folder goes away while the card is open (a share that drops), so that the
    // write fails; it is back before the card is saved again.
    const std::filesystem::path groupe = std::filesystem::path(data(zoePath)).parent_path();
    std::filesystem::rename(groupe, groupe.string() + ".absent");
    click(f.Option1[1]);
    f.eleve[2].setText("ROY");
    answer(ui::vbCancel);
    click(f.Commande3[2]);
    settle();
    EXPECT_EQ(lastBox(), "Impossible d'écrire sur le disque.");
    EXPECT_TRUE(f.eleve[1].hasFocus());
    EXPECT_FALSE(f.Commande1.enabled()) << "still on the card";
    std::filesystem::rename(groupe.string() + ".absent", groupe);
    EXPECT_EQ(readPupil(zoePath).repriseAutorisee, -1);
    // Back to the old names, the retake option alone is still a change to write.
    f.eleve[2].setText("MARTIN");
    click(f.Commande3[2]);
    settle();
    EXPECT_EQ(readPupil(zoePath).repriseAutorisee, 0);
    EXPECT_TRUE(f.Commande1.enabled());
}

// A pupil's file whose names read but whose list position is bad and whose progress string is
// longer than it may be.
std::string damaged(const std::string& prenom, const std::string& nom) {
    std::string etat(1450, '#');
    etat.replace(0, 4, "8876");
    return cp(prenom) + "\r\n" + cp(nom) + "\r\n-1 \r\n 0 \r\n\r\n 0 \r\n" + etat + "###" +
           "\r\n 8 \r\n 0 \r\n 0 \r\n 3 \r\n-1 \r\n\r\n\r\n\r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n";
}
std::string damagedTom() {
    return damaged("TOM", "PETIT");
}

TEST_F(Modify, AFileThatDoesNotReadWholeIsSaidAndNeverWrittenOver) {
    const std::string tom = pupilPath("03", "TOM", "PETIT");
    writeFile(tom, damagedTom());
    formats::PupilValues unused;
    ASSERT_NE(formats::parsePupilFile(readFile(tom), false, unused),
              formats::PupilReadStatus::Read);
    inscription& f = openGroup();
    ASSERT_EQ(lines(f.Liste2), (std::vector<std::string>{"AUBÉ LÉO", "MARTIN ZOÉ", "PETIT TOM"}));
    // The pupil shown before leaves nothing on the card either.
    choose(f, 1);
    click(f.Commande3[0]);
    settle();
    choose(f, 2);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Le fichier de cet utilisateur est abîmé."});
    EXPECT_EQ(boxes.back().style, ui::vbExclamation + ui::vbOKOnly);
    EXPECT_EQ(text(f.eleve[1]), "ZOÉ") << "no card opened on him";
    EXPECT_EQ(text(f.eleve[3]), "12");
    for (int i = 0; i <= 4; ++i) EXPECT_FALSE(f.Commande3[i].enabled());
    EXPECT_TRUE(f.Commande4[0].enabled());
    EXPECT_TRUE(f.Liste2.hasFocus());
    // A file that has gone since the list was read is said the same way.
    std::filesystem::remove(data(pupilPath("03", "LÉO", "AUBÉ")));
    choose(f, 0);
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(lastBox(), "Le fichier de cet utilisateur est abîmé.");
    EXPECT_FALSE(f.Commande3[0].enabled());
    // The other pupils' cards still open, and leaving the screen writes nothing.
    choose(f, 1);
    EXPECT_EQ(text(f.eleve[1]), "ZOÉ");
    click(f.Commande3[4]);
    settle();
    EXPECT_EQ(readFile(tom), damagedTom());
}

TEST_F(Modify, CancelOnTheListGoesBackToTheGroupChoice) {
    inscription& f = openGroup();
    click(f.Commande4[1]);
    settle();
    EXPECT_TRUE(f.Commande1.enabled());
    EXPECT_TRUE(f.Commande1.isDefault());
    EXPECT_EQ(f.Liste2.listCount(), 0);
    EXPECT_FALSE(f.Commande4[0].enabled());
}

// Records the parts of a list that are drawn again.
class Repaints : public QObject {
public:
    explicit Repaints(QWidget* w) { w->installEventFilter(this); }
    QRegion drawn;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) drawn += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};

TEST_F(Modify, TheNameListIsDrawnAgainWheneverItsNamesChange) {
    inscription& f = openGroup();
    auto* list = static_cast<QListWidget*>(f.Liste2.widget());
    const QRect second = list->visualItemRect(list->item(1));
    ASSERT_FALSE(second.isEmpty());
    // The press on "Annuler" takes the focus from the list before the click acts.
    focus(f.Commande4[1]);
    for (int i = 0; i < 3; ++i) pump();
    Repaints repaints(list->viewport());
    click(f.Commande4[1]);
    settle();
    for (int i = 0; i < 3; ++i) pump();
    ASSERT_EQ(f.Liste2.listCount(), 0);
    EXPECT_TRUE(repaints.drawn.contains(second)) << "the names gone are no longer shown";
    // A group chosen again is drawn with its names.
    repaints.drawn = {};
    chooseGroup(f, "3");
    for (int i = 0; i < 3; ++i) pump();
    EXPECT_TRUE(repaints.drawn.contains(second));
}

// --- delete -----------------------------------------------------------------------------------

class Delete : public Registration {
protected:
    inscription& openGroup() {
        for (const char* nom : {"ABEL", "BRUN", "CYR", "DION"})
            writePupil("05", pupil("ANNE", nom));
        writePupil("06", pupil("PAUL", "ROY"));
        inscription& f = open(2);
        chooseGroup(f, "5");
        return f;
    }
};

TEST_F(Delete, ChosenRegistrationsGoAfterAYes) {
    inscription& f = openGroup();
    EXPECT_TRUE(f.Commande3[0].isDefault());
    click(f.Commande3[0]);
    EXPECT_EQ(lastBox(),
              "Pour choisir une inscription, la pointer avec la souris ou la placer dans la "
              "fenêtre et appuyer sur la barre d'espacement.\n\nPour annuler une inscription "
              "déjà choisie, la sélectionner une seconde fois.\n\nOn peut effectuer plusieurs "
              "choix.");
    EXPECT_FALSE(seen(f.Image3));
    clickLine(f.Liste3, 1);
    clickLine(f.Liste3, 3);
    clickLine(f.Liste3, 0);
    clickLine(f.Liste3, 0);
    EXPECT_EQ(chosen(f.Liste3), (std::vector<int>{1, 3}));
    // The space bar toggles the line under the cursor.
    key(f.Liste3, Qt::Key_Space, " ");
    EXPECT_EQ(chosen(f.Liste3), (std::vector<int>{0, 1, 3}));
    key(f.Liste3, Qt::Key_Space, " ");
    EXPECT_EQ(chosen(f.Liste3), (std::vector<int>{1, 3}));
    answer(ui::vbNo);
    click(f.Commande3[0]);
    EXPECT_EQ(lastBox(), "Désirez-vous supprimer le(s) inscriptions(s) sélectionnée(s)?");
    EXPECT_EQ(boxes.back().style, ui::vbQuestion + ui::vbYesNo);
    EXPECT_TRUE(exists(pupilPath("05", "ANNE", "BRUN")));
    answer(ui::vbYes);
    click(f.Commande3[0]);
    EXPECT_FALSE(exists(pupilPath("05", "ANNE", "BRUN")));
    EXPECT_FALSE(exists(pupilPath("05", "ANNE", "DION")));
    EXPECT_TRUE(exists(pupilPath("05", "ANNE", "ABEL")));
    EXPECT_EQ(lines(f.Liste3), (std::vector<std::string>{"ABEL ANNE", "CYR ANNE"}));
    EXPECT_EQ(f.NombreEleves, 2);
    EXPECT_TRUE(chosen(f.Liste3).empty());
}

TEST_F(Delete, ARegistrationAlreadyGoneCountsAsDeletedAndTheGroupIsListedAgain) {
    inscription& f = openGroup();
    clickLine(f.Liste3, 1);
    clickLine(f.Liste3, 2);
    std::filesystem::remove(data(pupilPath("05", "ANNE", "BRUN")));
    // A pupil registered meanwhile shows in the list read again.
    writePupil("05", pupil("ANNE", "EMERY"));
    answer(ui::vbYes);
    click(f.Commande3[0]);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{
                              "Désirez-vous supprimer le(s) inscriptions(s) sélectionnée(s)?"});
    EXPECT_FALSE(exists(pupilPath("05", "ANNE", "CYR"))) << "the deleting went on";
    EXPECT_EQ(lines(f.Liste3), (std::vector<std::string>{"ABEL ANNE", "DION ANNE", "EMERY ANNE"}));
    EXPECT_EQ(f.NombreEleves, 3);
    EXPECT_TRUE(chosen(f.Liste3).empty());
    EXPECT_TRUE(f.Liste3.hasFocus());
}

TEST_F(Delete, ADamagedFileIsSaidAndKeptChosenWhileTheOthersGo) {
    inscription& f = openGroup();
    const std::string brun = pupilPath("05", "ANNE", "BRUN");
    writeFile(brun, damaged("ANNE", "BRUN"));
    clickLine(f.Liste3, 0);
    clickLine(f.Liste3, 1);
    clickLine(f.Liste3, 3);
    answer(ui::vbYes);
    click(f.Commande3[0]);
    EXPECT_EQ(lastBox(), "Le fichier de cet utilisateur est abîmé.");
    EXPECT_EQ(boxes.size(), 2u) << "no other message";
    EXPECT_FALSE(exists(pupilPath("05", "ANNE", "ABEL")));
    EXPECT_FALSE(exists(pupilPath("05", "ANNE", "DION")));
    EXPECT_EQ(readFile(brun), damaged("ANNE", "BRUN"));
    EXPECT_EQ(lines(f.Liste3), (std::vector<std::string>{"BRUN ANNE", "CYR ANNE"}));
    EXPECT_EQ(chosen(f.Liste3), std::vector<int>{0});
    EXPECT_TRUE(f.Liste3.hasFocus());
}

TEST_F(Delete, AWholeGroupGoesWithItsFolder) {
    inscription& f = openGroup();
    answer(ui::vbNo);
    click(f.Commande3[1]);
    EXPECT_EQ(lastBox(), "Désirez-vous supprimer toutes les inscriptions de ce groupe?");
    EXPECT_EQ(f.Liste3.listCount(), 4);
    answer(ui::vbYes);
    click(f.Commande3[1]);
    settle();
    EXPECT_FALSE(exists("eleves/TAVR#05"));
    EXPECT_TRUE(exists("eleves/TAVR#06"));
    EXPECT_TRUE(f.Commande1.enabled());
    EXPECT_EQ(f.Liste3.listCount(), 0);
}

TEST_F(Delete, EveryGroupGoesOnlyAtTheHighestLevel) {
    writePupil("05", pupil("ANNE", "ABEL"));
    writePupil("99", pupil("PAUL", "ROY"));
    inscription& f = open(2);
    EXPECT_FALSE(f.Commande4[0].enabled());
    ui::unloadForm(&f);
    settle();
    shared.NiveauAcces = 2;
    inscription& g = open(2);
    EXPECT_TRUE(g.Commande4[0].enabled());
    answer(ui::vbNo);
    click(g.Commande4[0]);
    EXPECT_EQ(lastBox(), "Cette option permet de détruire tous les groupes.\nDésirez-vous "
                         "supprimer toutes les inscriptions de tous les groupes?");
    EXPECT_TRUE(exists("eleves/TAVR#99"));
    answer(ui::vbYes);
    click(g.Commande4[0]);
    settle();
    EXPECT_FALSE(exists("eleves/TAVR#05"));
    EXPECT_FALSE(exists("eleves/TAVR#99"));
    EXPECT_TRUE(exists("eleves"));
    EXPECT_FALSE(g.Commande4[0].enabled()) << "no group is left";
    EXPECT_FALSE(g.Commande1.enabled());
}

// --- results, leaving -------------------------------------------------------------------------

TEST_F(Registration, ResultsOpenTheReportOnTheChosenPupils) {
    for (const char* nom : {"ABEL", "BRUN"}) writePupil("05", pupil("ANNE", nom));
    inscription& f = open(3);
    chooseGroup(f, "5");
    click(f.Commande3[0]);
    EXPECT_EQ(lastBox().rfind("Pour choisir une inscription", 0), 0u);
    EXPECT_EQ(ui::find<resultat>(), nullptr);
    click(f.Commande3[1]);
    settle();
    EXPECT_EQ(chosen(f.Liste3), (std::vector<int>{0, 1}));
    EXPECT_EQ(shared.NombreChoisis, 2);
    EXPECT_EQ(shared.DernierChoisi, 1);
    EXPECT_EQ(shared.ModeBilan, 0);
    resultat* r = ui::find<resultat>();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(shared.ResultatAffiche, 1);
    EXPECT_EQ(u8(r->Etiquette2[0].caption()), "ANNE  ABEL");
    // A click on the registration screen underneath takes the report away.
    clickAt(f, QPoint(1, 200));
    EXPECT_EQ(ui::find<resultat>(), nullptr);
    EXPECT_EQ(shared.ResultatAffiche, 0);
}

TEST_F(Registration, LeavingResetsThePupilAndBringsBackTheHomeScreen) {
    writePupil("05", pupil("ANNE", "ABEL", 12));
    inscription& f = open(1);
    chooseGroup(f, "5");
    clickLine(f.Liste2, 0);
    click(f.Commande4[0]);
    EXPECT_EQ(shared.NumeroSequence, 12);
    click(f.Commande3[3]);
    settle();
    EXPECT_EQ(ui::find<inscription>(), nullptr);
    EXPECT_NE(ui::find<Feuille1>(), nullptr);
    EXPECT_EQ(shared.Prenom, "");
    EXPECT_EQ(shared.NumeroSequence, -1);
    EXPECT_EQ(shared.EleveActif, 0);
    EXPECT_EQ(shared.EcranCourant, shell::Ecran::Accueil);
}

TEST_F(Registration, TheScreenGrowsWithALargerDisplay) {
    useScreen(1024, 768);
    writePupil("05", pupil("ANNE", "ABEL"));
    inscription& f = open(2);
    EXPECT_NEAR(f.formWidth(), 9600 * 1.6, 2);
    EXPECT_NEAR(f.Image2.width(), 9200 * 1.6, 2);
    EXPECT_NEAR(f.Liste3.top(), 2550 * 6645.0 / 7050.0 * 1.6, 2);
    EXPECT_NEAR(f.Commande3[0].fontSize(), 8 * 1.6, 0.01);
    chooseGroup(f, "5");
    EXPECT_EQ(lines(f.Liste3), std::vector<std::string>{"ABEL ANNE"});
}

TEST_F(Registration, EveryListShowsEachNameWholeAndTellsSiblingsApart) {
    struct Screen {
        int width, height;
        double twipsPerPixel;
    };
    struct Mode {
        int mode;
        ui::ListBox inscription::*list;
    };
    const std::string famille = "DE LA FONTAINE-BEAUMONT";
    const std::string w24(24, 'W'), m24(24, 'M');
    // In the order every list shows them (sorted by character codes).
    const std::vector<std::string> shown = {"AUBÉ LÉO", famille + " MARIE-CHRISTINE-ELODIE",
                                            famille + " MARIE-CHRISTINE-ELOÏSE", m24 + " " + w24,
                                            w24 + " " + m24};
    for (const Screen sc : {Screen{640, 480, 15}, Screen{1024, 768, 15}, Screen{1920, 1080, 15},
                            Screen{2048, 1536, 15}, Screen{640, 480, 12}}) {
        for (const Mode m : {Mode{0, &inscription::Liste1}, Mode{1, &inscription::Liste2},
                             Mode{2, &inscription::Liste3}, Mode{3, &inscription::Liste3}}) {
            SCOPED_TRACE(testing::Message() << sc.width << "x" << sc.height << " at "
                                            << sc.twipsPerPixel << " twips, mode " << m.mode);
            ui::unloadAllForms();
            shell::resetSharedState();
            shared.DossierEleves = data("eleves").string() + "/";
            useScreen(sc.width, sc.height, sc.twipsPerPixel);
            ui::load<MDI1>();
            std::filesystem::remove_all(data("eleves/TAVR#03"));
            writePupil("03", pupil("LÉO", "AUBÉ"));
            writePupil("03", pupil("MARIE-CHRISTINE-ELODIE", famille));
            writePupil("03", pupil("MARIE-CHRISTINE-ELOÏSE", famille));
            writePupil("03", pupil(w24, m24));
            writePupil("03", pupil(m24, w24));
            inscription& f = open(m.mode);
            chooseGroup(f, "3");
            const ui::ListBox& l = f.*m.list;
            ASSERT_TRUE(seen(l));
            ASSERT_EQ(lines(l), shown);
            const QFont own = static_cast<QListWidget*>(l.widget())->font();
            const harness::ListLine court = shownLine(l, 0);
            EXPECT_TRUE(court.whole);
            EXPECT_EQ(court.font, own) << "a name that fits keeps the list's font";
            for (int row = 1; row < l.listCount(); ++row) {
                const harness::ListLine line = shownLine(l, row);
                EXPECT_EQ(line.text, shown[static_cast<std::size_t>(row)]);
                EXPECT_TRUE(line.whole) << line.text << " is cut";
                EXPECT_EQ(QFontMetrics(line.font).height(), QFontMetrics(own).height())
                    << line.text << ": its letters keep their height";
                EXPECT_EQ(line.height, court.height) << "every line keeps its height";
            }
        }
    }
}

TEST_F(Registration, ALongNameTypedOnTheCardIsListedWholeAndItsLineOpensItsOwnCard) {
    const std::string famille = "DE LA FONTAINE-BEAUMONT";
    inscription& f = open(0);
    chooseGroup(f, "3");
    registerPupil(f, "marie-christine-elodie", "de la fontaine-beaumont", "0");
    // The card takes no "ï": the sibling is typed as the card lets him be.
    registerPupil(f, "marie-christine-eloise", "de la fontaine-beaumont", "0");
    EXPECT_TRUE(boxes.empty()) << lastBox();
    for (int row = 0; row < 2; ++row) EXPECT_TRUE(shownLine(f.Liste1, row).whole) << row;
    click(f.Commande3[4]);
    settle();

    inscription& g = open(1);
    chooseGroup(g, "3");
    for (int row = 0; row < 2; ++row) EXPECT_TRUE(shownLine(g.Liste2, row).whole) << row;
    clickLine(g.Liste2, 1);
    click(g.Commande4[0]);
    EXPECT_EQ(text(g.eleve[1]), "MARIE-CHRISTINE-ELOISE");
    EXPECT_EQ(text(g.eleve[2]), famille);
}

} // namespace
