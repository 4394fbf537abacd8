// The sequence editor driven from the keyboard and the mouse; what it shows and what lands in
// the sequence catalogue.
#include "damaged_catalogue.h"
#include "harness.h"

#include "authoring/sequence_editor.h"
#include "formats/sequence_catalogue.h"
#include "platform/cp1252.h"
#include "shell/main_window.h"
#include "shell/shared_state.h"
#include "signin/home_screen.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <filesystem>

using authoring::sequence;
using shell::MDI1;
using shell::shared;
using signin::Feuille1;

namespace {

std::string code(char letter, int lesson) {
    return std::string(1, letter) + static_cast<char>(100 + lesson);
}

class SequenceEditor : public harness::ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        shell::resetSharedState();
        ASSERT_TRUE(formats::createBlankSequenceCatalogue(catalogue()));
        ui::load<MDI1>();
        shell::resetSharedState();
    }
    std::string catalogue() const { return data("SEQUENCE.TAV").string(); }
    void storeSequence(int n, const std::string& title, const std::string& codes) {
        std::string titles = formats::readTitleTable(catalogue());
        formats::setTitle(titles, n, title);
        ASSERT_TRUE(formats::writeSequence(catalogue(), titles, n, codes));
    }
    std::string storedList(int n) { return formats::readSequenceList(catalogue(), n); }
    std::string storedTitle(int n) {
        return formats::readTitleTable(catalogue()).substr((n - 1) * 25, 25);
    }

    sequence& start() {
        sequence& f = ui::load<sequence>();
        settle();
        return f;
    }
    // Types a number in the list's edit field and presses "&Choisir".
    void openNumber(sequence& f, const QString& number) {
        focus(f.Liste1);
        key(f.Liste1, Qt::Key_A, QString(QChar(1)), Qt::ControlModifier);
        key(f.Liste1, Qt::Key_Backspace, QString(QChar(8)));
        type(f.Liste1, number);
        click(f.Commande1);
        settle();
    }
    // From the title box to the lesson box, as the hint says.
    void toLessons(sequence& f) {
        pressEnter(f.Texte1[0]);
        settle();
    }
    // Opens a sequence, types its title, goes on to the lessons and types them.
    void typeSequence(sequence& f, const QString& number, const QString& title,
                      const QString& lessons) {
        openNumber(f, number);
        focus(f.Texte1[0]);
        type(f.Texte1[0], title);
        toLessons(f);
        type(f.Texte1[1], lessons);
    }
    // Tab from whatever has the focus.
    void tab() {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, "\t");
        QApplication::sendEvent(QApplication::focusWidget(), &press);
        for (int i = 0; i < 3; ++i) pump();
    }
    void clickButton(sequence& f, int index) {
        click(f.Commande3[index]);
        settle();
    }
};

} // namespace

TEST(SequenceText, LessonCodesOfATypedText) {
    struct Case {
        const char* typed;
        std::string codes;
    };
    const Case cases[] = {
        {"A10 B20 C18 D50", code('A', 10) + code('B', 20) + code('C', 18) + code('D', 50)},
        {"A0 A121 A99999 A B7", code('B', 7)},
        {"A1 2", code('A', 12)},
        {"12 A5", code('A', 5)},
        {"A5B6", code('A', 5) + code('B', 6)},
        {"  L120  ", code('L', 120)},
        {"M5 a5 A005", code('A', 5)},
        {"A99999999999999999999 C3", code('C', 3)},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(authoring::lessonCodes(c.typed), c.codes) << c.typed;
}

TEST(SequenceText, StoredListsAsTheLessonBoxShowsThem) {
    EXPECT_EQ(authoring::lessonText(formats::storedList(code('A', 10) + code('L', 120))),
              "A10 L120 ");
    EXPECT_EQ(authoring::lessonText(std::string(800, ' ')), "");
    EXPECT_EQ(authoring::lessonText(std::string(800, '\0')), "") << "a list never written";
    EXPECT_EQ(authoring::lessonText("  " + code('B', 3) + "C  "), "B3 C ");
    EXPECT_EQ(authoring::countedEntries("A10 B2 C"), 2);
    EXPECT_EQ(authoring::countedEntries("A0"), 1);

    // More entries than a list holds: the first 400 are kept.
    std::string typed, first400;
    for (int i = 0; i < 410; ++i) {
        typed += "J" + std::to_string(1 + i % 120) + " ";
        if (i < 400) first400 += code('J', 1 + i % 120);
    }
    EXPECT_EQ(formats::storedList(authoring::lessonCodes(typed)), first400);
}

TEST_F(SequenceEditor, ChooserShowsTheTitlesAndTheMenusStayOff) {
    storeSequence(1, "Premiers pas", "");
    storeSequence(2, cp("Les amis de l'été"), "");
    sequence& f = start();
    EXPECT_EQ(u8(ui::mdiParent()->caption()), "Créer ou modifier des séquences de leçons");
    EXPECT_EQ(shared.EcranCourant, shell::Ecran::Sequences);
    MDI1& m = screen<MDI1>();
    EXPECT_FALSE(m.gestionnaire.enabled() || m.Lecons.enabled() || m.bilan.enabled() ||
                 m.aide.enabled() || m.quitte.enabled());
    EXPECT_EQ(f.Liste1.listCount(), 50);
    EXPECT_EQ(f.Liste1.list(49), "50");
    EXPECT_EQ(f.Liste1.listIndex(), 0);
    EXPECT_TRUE(f.Liste1.hasFocus());
    EXPECT_EQ(u8(f.Etiquette2[0].caption()), "Titre de la séquence 1");
    EXPECT_EQ(text(f.Texte1[0]), "Premiers pas");
    EXPECT_TRUE(seen(f.Commande1));
    EXPECT_TRUE(seen(f.Commande3[6]));
    EXPECT_FALSE(seen(f.Commande3[1]));
    key(f.Liste1, Qt::Key_Down);
    EXPECT_EQ(u8(f.Etiquette2[0].caption()), "Titre de la séquence 2");
    EXPECT_EQ(text(f.Texte1[0]), "Les amis de l'été");
    key(f.Liste1, Qt::Key_Up);
    EXPECT_EQ(text(f.Texte1[0]), "Premiers pas");
    EXPECT_NEAR(f.Liste1.height(), 5400, 1);

    // Enter in the list's edit field presses "&Choisir"; so does a click on the title box.
    focus(f.Liste1);
    key(f.Liste1, Qt::Key_A, QString(QChar(1)), Qt::ControlModifier);
    type(f.Liste1, "2");
    pressEnter(f.Liste1);
    settle();
    EXPECT_EQ(f.NumeroSequenceEditee, 2);
    EXPECT_TRUE(seen(f.Commande3[1]));
    clickButton(f, 3);
    ASSERT_TRUE(seen(f.Liste1));
    click(f.Texte1[0]);
    settle();
    EXPECT_EQ(f.NumeroSequenceEditee, 1);
    EXPECT_FALSE(seen(f.Liste1));
}

TEST_F(SequenceEditor, ButtonsFollowTheSequenceNumber) {
    struct Case {
        const char* number;
        bool next, previous, clear;
    };
    const Case cases[] = {
        {"1", true, false, false},
        {"30", true, true, false},
        {"31", true, true, true},
        {"50", false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        sequence& f = start();
        openNumber(f, c.number);
        EXPECT_EQ(f.NumeroSequenceEditee, std::stoi(c.number));
        EXPECT_FALSE(seen(f.Liste1));
        for (int i = 1; i <= 5; ++i) EXPECT_TRUE(seen(f.Commande3[i]));
        EXPECT_EQ(f.Commande3[1].enabled(), c.next);
        EXPECT_EQ(f.Commande3[2].enabled(), c.previous);
        EXPECT_EQ(f.Commande3[4].enabled(), c.clear);
        EXPECT_TRUE(f.Commande3[3].enabled() && f.Commande3[5].enabled());
        EXPECT_TRUE(f.Texte1[0].hasFocus());
        EXPECT_TRUE(seen(f.Etiquette1)) << "the hint shows with the title box";
        EXPECT_FALSE(seen(f.Texte1[1]));
        clickButton(f, 6);
        EXPECT_FALSE(ui::loaded<sequence>());
    }
}

TEST_F(SequenceEditor, NumbersOutsideTheCatalogueAreRefused) {
    sequence& f = start();
    for (const char* number : {"0", "51", "99999", "abc", "-3"}) {
        SCOPED_TRACE(number);
        const std::size_t before = boxes.size();
        openNumber(f, number);
        ASSERT_EQ(boxes.size(), before + 1);
        EXPECT_EQ(boxes.back().text, "Choisir un numéro\nentre 1 et 50.");
        EXPECT_EQ(boxes.back().style, ui::vbExclamation);
        EXPECT_EQ(boxes.back().title, "Message");
        EXPECT_TRUE(seen(f.Liste1));
        EXPECT_TRUE(f.Liste1.hasFocus());
        EXPECT_FALSE(seen(f.Commande3[1]));
    }
}

TEST_F(SequenceEditor, TypedSequenceIsSavedAndReadBack) {
    sequence& f = start();
    openNumber(f, "7");
    focus(f.Texte1[0]);
    type(f.Texte1[0], "  Révision  ");
    toLessons(f);
    EXPECT_TRUE(f.Texte1[1].hasFocus());
    EXPECT_FALSE(seen(f.Etiquette1));
    EXPECT_TRUE(seen(f.Image1));
    EXPECT_TRUE(seen(f.Etiquette2[2]));
    type(f.Texte1[1], "a10 b20 c18 d50");
    EXPECT_EQ(text(f.Texte1[1]), "A10 B20 C18 D50");
    EXPECT_EQ(u8(f.Etiquette2[1].caption()), "Cette séquence compte 4 leçons.");
    clickButton(f, 5);
    EXPECT_FALSE(ui::loaded<sequence>());
    EXPECT_TRUE(ui::loaded<Feuille1>());
    EXPECT_EQ(storedList(7), code('A', 10) + code('B', 20) + code('C', 18) + code('D', 50) +
                                 std::string(792, ' '));
    EXPECT_EQ(storedTitle(7), cp("Révision") + std::string(17, ' '));
    EXPECT_EQ(std::filesystem::file_size(catalogue()), 41400u);

    sequence& again = start();
    openNumber(again, "7");
    EXPECT_EQ(text(again.Texte1[0]), "Révision");
    EXPECT_EQ(text(again.Texte1[1]), "A10 B20 C18 D50 ");
    EXPECT_EQ(u8(again.Etiquette2[1].caption()), "Cette séquence compte 4 leçons.");
}

TEST_F(SequenceEditor, LessonBoxKeyFilter) {
    sequence& f = start();
    openNumber(f, "3");
    toLessons(f);
    ui::TextBox& box = f.Texte1[1];
    type(box, "1 aMé,-");
    EXPECT_EQ(text(box), "A") << "no digit or blank first; M, é, the comma and the hyphen refused";
    type(box, "B 5");
    EXPECT_EQ(text(box), "A ") << "no letter after a letter, no digit after a blank";
    EXPECT_EQ(u8(f.Etiquette2[1].caption()), "");
    type(box, "b5");
    EXPECT_EQ(text(box), "A B5");
    EXPECT_EQ(u8(f.Etiquette2[1].caption()), "") << "one entry shows no count";
    key(box, Qt::Key_Home);
    key(box, Qt::Key_Right);
    type(box, "0");
    EXPECT_EQ(text(box), "A0 B5");
    EXPECT_EQ(u8(f.Etiquette2[1].caption()), "Cette séquence compte 2 leçons.")
        << "A0 counts, though it will not be saved";
    pressEnter(box);
    EXPECT_EQ(text(box), "A0 B5");
    clickButton(f, 3);
    EXPECT_EQ(storedList(3), code('B', 5) + std::string(798, ' '));
    EXPECT_TRUE(seen(f.Liste1)) << "the chooser is back";
    EXPECT_EQ(f.Liste1.listIndex(), 0) << "on number 1, not on the sequence just edited";
    EXPECT_EQ(u8(f.Etiquette2[0].caption()), "Titre de la séquence 1");
}

TEST_F(SequenceEditor, FourHundredEntriesAtMostAndPastedListsAreCut) {
    std::string codes;
    for (int i = 0; i < 400; ++i) codes += code(static_cast<char>('A' + i % 12), 1 + i % 120);
    storeSequence(12, "Longue", codes);
    sequence& f = start();
    openNumber(f, "12");
    toLessons(f);
    ui::TextBox& box = f.Texte1[1];
    EXPECT_EQ(f.NombreLecons, 400);
    EXPECT_EQ(u8(f.Etiquette2[1].caption()), "Cette séquence compte 400 leçons.");
    const std::string full = text(box);
    key(box, Qt::Key_End, {}, Qt::ControlModifier);
    type(box, "A");
    EXPECT_EQ(text(box), full) << "a 401st entry cannot be typed";
    key(box, Qt::Key_Backspace, QString(QChar(8)));
    EXPECT_EQ(text(box), full.substr(0, full.size() - 1));
    clickButton(f, 5);
    EXPECT_EQ(storedList(12), codes);

    sequence& g = start();
    openNumber(g, "13");
    toLessons(g);
    QString pasted;
    for (int i = 0; i < 410; ++i) pasted += QString("K%1 ").arg(1 + i % 120);
    paste(g.Texte1[1], pasted);
    // Pasted text meets the filter as typed: it stops where the box is full.
    EXPECT_EQ(g.NombreLecons, 400);
    clickButton(g, 5);
    const std::string list = storedList(13);
    EXPECT_EQ(list.substr(0, 2), code('K', 1));
    EXPECT_NE(list[798], ' ');
}

TEST_F(SequenceEditor, ClearingAsksFirstAndKeepsTheTitle) {
    storeSequence(40, cp("Fin d'année"), code('A', 1) + code('B', 2));
    sequence& f = start();
    openNumber(f, "40");
    EXPECT_EQ(text(f.Texte1[1]), "A1 B2 ");
    answer(ui::vbNo);
    clickButton(f, 4);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Désirez-vous effacer cette séquence de leçons?");
    EXPECT_EQ(boxes[0].style, ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2);
    EXPECT_EQ(storedList(40).substr(0, 4), code('A', 1) + code('B', 2));
    EXPECT_TRUE(f.Texte1[0].hasFocus());
    answer(ui::vbYes);
    clickButton(f, 4);
    EXPECT_EQ(storedList(40), std::string(800, ' '));
    EXPECT_EQ(storedTitle(40), "Fin d'ann" + cp("é") + "e" + std::string(14, ' '));
    EXPECT_EQ(text(f.Texte1[1]), "");
    EXPECT_TRUE(f.Texte1[0].hasFocus());
}

TEST_F(SequenceEditor, NextAndPreviousSaveAndMoveOn) {
    storeSequence(9, "Neuf", code('E', 9));
    storeSequence(8, "Huit", "");
    sequence& f = start();
    openNumber(f, "8");
    focus(f.Texte1[0]);
    key(f.Texte1[0], Qt::Key_End);
    type(f.Texte1[0], " bis");
    clickButton(f, 1);
    EXPECT_EQ(storedTitle(8), "Huit bis" + std::string(17, ' '));
    EXPECT_EQ(f.NumeroSequenceEditee, 9);
    EXPECT_EQ(u8(f.Etiquette2[0].caption()), "Titre de la séquence 9");
    EXPECT_EQ(text(f.Texte1[0]), "Neuf");
    EXPECT_EQ(text(f.Texte1[1]), "E9 ");
    EXPECT_TRUE(f.Texte1[0].hasFocus());
    clickButton(f, 2);
    clickButton(f, 2);
    EXPECT_EQ(f.NumeroSequenceEditee, 7);
    EXPECT_EQ(storedList(9), code('E', 9) + std::string(798, ' '));
    clickButton(f, 6);
    EXPECT_TRUE(ui::loaded<Feuille1>());
}

TEST_F(SequenceEditor, QuittingWithoutSavingWritesNothing) {
    const std::string before = readFile("SEQUENCE.TAV");
    sequence& f = start();
    doubleClick(f.Liste1);
    settle();
    ASSERT_TRUE(seen(f.Commande3[1]));
    focus(f.Texte1[0]);
    type(f.Texte1[0], "Nouveau");
    toLessons(f);
    type(f.Texte1[1], "A1");
    clickButton(f, 6);
    EXPECT_FALSE(ui::loaded<sequence>());
    EXPECT_EQ(readFile("SEQUENCE.TAV"), before);
}

TEST_F(SequenceEditor, MissingOrDamagedCatalogue) {
    // A list of zero bytes opens empty.
    std::string bytes = readFile("SEQUENCE.TAV");
    bytes.replace(formats::sequenceListPosition(5) - 1, 800, std::string(800, '\0'));
    writeFile("SEQUENCE.TAV", bytes);
    sequence& f = start();
    openNumber(f, "5");
    EXPECT_EQ(text(f.Texte1[1]), "");
    clickButton(f, 6);

    std::filesystem::remove(catalogue());
    sequence& g = start();
    EXPECT_EQ(text(g.Texte1[0]), "");
    typeSequence(g, "2", "Titre", "C3");
    clickButton(g, 5);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Impossible d'enregistrer\n" + catalogue());
    EXPECT_FALSE(exists("SEQUENCE.TAV")) << "the catalogue is never created";
    EXPECT_TRUE(ui::loaded<sequence>()) << "the screen stays with what was typed";
    EXPECT_EQ(text(g.Texte1[1]), "C3");
}

TEST_F(SequenceEditor, KeysInTheChooserNeverOpenTheLessonBox) {
    storeSequence(1, "Un", code('A', 1));
    storeSequence(2, "Deux", code('B', 2));
    storeSequence(5, "Cinq", code('E', 5) + code('F', 6));
    struct Case {
        const char* name;
        bool backFromFive; // the chooser shown again after sequence 5 was opened
        int downs;         // Down presses in the list before the title box
    };
    const Case cases[] = {{"a fresh chooser", false, 0}, {"back from sequence 5", true, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string before = readFile("SEQUENCE.TAV");
        sequence& f = start();
        if (c.backFromFive) {
            openNumber(f, "5");
            clickButton(f, 3);
        }
        for (int i = 0; i < c.downs; ++i) key(f.Liste1, Qt::Key_Down);
        focus(f.Liste1);
        tab();
        tab();
        ASSERT_TRUE(f.Texte1[0].hasFocus());
        EXPECT_EQ(text(f.Texte1[0]), c.downs ? "Deux" : "Un");
        key(f.Texte1[0], Qt::Key_Down);
        settle();
        for (int i = 1; i <= 5; ++i) EXPECT_FALSE(seen(f.Commande3[i])) << i;
        EXPECT_FALSE(seen(f.Texte1[1]));
        EXPECT_FALSE(seen(f.Image1));
        EXPECT_TRUE(seen(f.Liste1)) << "the chooser stays";
        clickButton(f, 6);
        EXPECT_EQ(readFile("SEQUENCE.TAV"), before);
    }
}

TEST_F(SequenceEditor, AccessKeysOfHiddenButtonsTypeNothingInTheTitleBox) {
    storeSequence(1, "Un", code('A', 1));
    sequence& f = start();
    focus(f.Liste1);
    tab();
    tab();
    ASSERT_TRUE(f.Texte1[0].hasFocus());
    ASSERT_TRUE(seen(f.Liste1));
    // "Enregistrer", "suivante" and "Supprimer" stand on buttons hidden with the chooser shown.
    for (Qt::Key k : {Qt::Key_E, Qt::Key_S, Qt::Key_U})
        keyboardKey(f.Texte1[0], k, QString(QChar(k).toLower()), Qt::AltModifier);
    settle();
    EXPECT_EQ(text(f.Texte1[0]), "Un");
    EXPECT_TRUE(seen(f.Liste1)) << "nothing was opened";
    EXPECT_FALSE(seen(f.Commande3[1]));

    // With the sequence open, Alt+S is the shown "Lire la séquence suivante".
    openNumber(f, "1");
    ASSERT_TRUE(f.Texte1[0].hasFocus());
    keyboardKey(f.Texte1[0], Qt::Key_S, "s", Qt::AltModifier);
    for (QDeadlineTimer wait(5000); f.NumeroSequenceEditee != 2 && !wait.hasExpired();)
        QTest::qWait(10);
    settle();
    EXPECT_EQ(f.NumeroSequenceEditee, 2);
    EXPECT_EQ(text(f.Texte1[0]), "");
}

TEST_F(SequenceEditor, AFailedSaveIsToldAndTheSequenceStaysAsTyped) {
    for (const authoringtest::CatalogueDamage& c : authoringtest::kCatalogueDamages) {
        // Next, another sequence, save and quit, clearing.
        for (int button : {1, 3, 5, 4}) {
            SCOPED_TRACE(std::string(c.name) + ", button " + std::to_string(button));
            boxes.clear();
            ui::unload<Feuille1>();
            std::filesystem::remove_all(catalogue());
            ASSERT_TRUE(formats::createBlankSequenceCatalogue(catalogue()));
            storeSequence(40, "Quarante", code('A', 1));
            sequence& f = start();
            openNumber(f, "40");
            focus(f.Texte1[0]);
            key(f.Texte1[0], Qt::Key_End);
            type(f.Texte1[0], " bis");
            toLessons(f);
            key(f.Texte1[1], Qt::Key_End, {}, Qt::ControlModifier);
            type(f.Texte1[1], "B2");
            c.apply(catalogue());
            clickButton(f, button);
            ASSERT_FALSE(boxes.empty());
            EXPECT_EQ(boxes.back().text, "Impossible d'enregistrer\n" + catalogue());
            EXPECT_EQ(boxes.back().style, ui::vbExclamation);
            EXPECT_EQ(boxes.back().title, "Message");
            ASSERT_TRUE(ui::loaded<sequence>());
            EXPECT_FALSE(ui::loaded<Feuille1>());
            EXPECT_FALSE(seen(f.Liste1));
            EXPECT_EQ(f.NumeroSequenceEditee, 40);
            EXPECT_EQ(text(f.Texte1[0]), "Quarante bis");
            EXPECT_EQ(text(f.Texte1[1]), "A1 B2");
            EXPECT_TRUE(seen(f.Commande3[5]));
            EXPECT_FALSE(std::filesystem::is_regular_file(catalogue()));
            clickButton(f, 6);
        }
    }
}

TEST_F(SequenceEditor, TitlesTheChooserCouldNotReadAreNeverWrittenBlank) {
    storeSequence(1, "Un", code('A', 1));
    storeSequence(2, "Deux", code('B', 2));
    storeSequence(3, "Trois", "");
    const std::string aside = catalogue() + ".aside";
    std::filesystem::rename(catalogue(), aside);
    sequence& f = start();
    EXPECT_EQ(text(f.Texte1[0]), "") << "the chooser read no title";
    std::filesystem::rename(aside, catalogue());
    openNumber(f, "3");
    EXPECT_EQ(text(f.Texte1[0]), "Trois") << "the sequence opened shows its stored title";
    toLessons(f);
    type(f.Texte1[1], "C3");
    clickButton(f, 5);
    EXPECT_TRUE(boxes.empty()) << lastBox();
    EXPECT_EQ(storedTitle(1), "Un" + std::string(23, ' '));
    EXPECT_EQ(storedTitle(2), "Deux" + std::string(21, ' '));
    EXPECT_EQ(storedTitle(3), "Trois" + std::string(20, ' '));
    EXPECT_EQ(storedList(3).substr(0, 2), code('C', 3));
}

TEST_F(SequenceEditor, LowerCaseLettersInTheLessonBoxAreKept) {
    // Letters of a list written by hand in lower case: the box shows them as they are.
    storeSequence(6, "Six", "a" + code('B', 20).substr(1) + "c" + code('C', 18).substr(1));
    sequence& f = start();
    openNumber(f, "6");
    EXPECT_EQ(text(f.Texte1[1]), "a20 c18 ");
    toLessons(f);
    // Pasted text meets the key filter, which turns it into capitals.
    key(f.Texte1[1], Qt::Key_End, {}, Qt::ControlModifier);
    paste(f.Texte1[1], "d50 e7");
    EXPECT_EQ(text(f.Texte1[1]), "a20 c18 D50 E7");
    clickButton(f, 5);
    EXPECT_EQ(storedList(6),
              code('A', 20) + code('C', 18) + code('D', 50) + code('E', 7) + std::string(792, ' '));
}

TEST_F(SequenceEditor, ScaledScreen) {
    setScreen(1024, 768);
    shell::CalculerEchelle();
    sequence& f = start();
    EXPECT_NEAR(f.Liste1.height(), 5400 * 1.6, 1);
    EXPECT_NEAR(f.Liste1.top(), 780 * 1.6, 1);
    EXPECT_NEAR(f.Commande3[6].left(), 6360 * 1.6, 1);
    EXPECT_NEAR(f.Liste1.font().size, 10.5 * 1.6, 0.01);
    const int pixels = ui::qfont(f.Liste1.font()).pixelSize();
    EXPECT_EQ(f.Liste1.editField()->font().pixelSize(), pixels)
        << "the numbers of the chooser follow the screen's scale";
}
