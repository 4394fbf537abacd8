// The relation-grid player: the grid's layout from the option characters, tokens put and taken by
// clicks, the check with its messages and points, the blinking answer, the titles of the three
// materials (drawings, words with their symbols in words, numbers) and the relation above the
// corner.
#include "players_fixture.h"

#include "players/grid_player.h"
#include "records/learning_report.h"
#include "signin/lesson_choice.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <algorithm>

namespace {

using namespace playertest;
using players::felicite;
using players::Feuille7;
using records::resultat;
using shell::fenetrePrincipale;
using signin::Feuille3;

// One item of a grid lesson: the relation, the column titles (cells 1 to 3), the row titles
// (cells 4, 8, 12) and the answer cells that hold "X".
struct GridItem {
    std::string relation;
    std::vector<std::string> columns;
    std::vector<std::string> rows;
    std::vector<int> marks;
};

std::string gridRecord(int activity, bool twoColumns, bool twoRows,
                       const std::vector<GridItem>& items) {
    std::string r = formats::blankRecord(activity);
    formats::setOption(r, activity, formats::kOptionTwoColumns, twoColumns);
    formats::setOption(r, activity, formats::kOptionTwoRows, twoRows);
    for (std::size_t i = 0; i < items.size() && i < 2; ++i) {
        const int item = static_cast<int>(i);
        const GridItem& g = items[i];
        formats::setField(r, activity, item, formats::gridCell(0), g.relation);
        for (std::size_t c = 0; c < g.columns.size(); ++c)
            formats::setField(r, activity, item, formats::gridCell(int(c) + 1), g.columns[c]);
        for (std::size_t l = 0; l < g.rows.size(); ++l)
            formats::setField(r, activity, item, formats::gridCell(4 * (int(l) + 1)), g.rows[l]);
        for (int k : g.marks) formats::setField(r, activity, item, formats::gridCell(k), "X");
    }
    return r;
}

// A drawings lesson of 3 x 3: item 0 with three marks, item 1 with one.
std::string drawingsLesson() {
    return gridRecord(3, false, false,
                      {{"a", {"rouge", "vert", "bleu"}, {"1", "29", "150"}, {5, 10, 15}},
                       {"mange", {"2", "3", "4"}, {"chat", "chien", "vache"}, {6}}});
}

// Records when a cell is painted with or without a picture, on the manual clock.
class PaintSpy : public QObject {
public:
    PaintSpy(ui::PictureBox& cell, platform::ManualClock& clock)
        : cell_(cell), widget_(cell.widget()), clock_(clock) {
        widget_->installEventFilter(this);
    }
    ~PaintSpy() override {
        if (widget_) widget_->removeEventFilter(this);
    }
    // (milliseconds, token shown) at each change seen on the screen.
    std::vector<std::pair<std::int64_t, bool>> changes;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            const bool shown = !cell_.picture().isNull();
            if (changes.empty() || changes.back().second != shown)
                changes.emplace_back(clock_.monotonicMs(), shown);
        }
        return false;
    }

private:
    ui::PictureBox& cell_; // alive while its widget sends events
    QPointer<QWidget> widget_;
    platform::ManualClock& clock_;
};

class GridTest : public PlayerTest<Feuille7> {
protected:
    // The player alone on the screen, loaded directly with a record.
    Feuille7& loadGrid(int activity, const std::string& record) {
        ui::unloadAllForms();
        return loadPlayer<Feuille7>(activity, record);
    }
    static QRect rectOf(const ui::Control& c) {
        return QRect(int(c.left()), int(c.top()), int(c.width()), int(c.height()));
    }
    void put(Feuille7& f, std::initializer_list<int> cells) {
        for (int k : cells) click(f.Picture1[k]);
    }
    void checkLater(Feuille7& f) {
        advance(2100);
        check(f);
    }
    static bool tokenOn(Feuille7& f, int k) {
        return !f.Picture1[k].picture().isNull() && f.Picture1[k].picture() == f.Image3.picture();
    }
    // The dark pixels of a cell's drawn text: their bounding box, empty when none.
    static QRect inkOf(ui::PictureBox& cell) {
        const QImage img = cell.surface();
        QRect box;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (qGray(img.pixel(x, y)) < 80) box |= QRect(x, y, 1, 1);
        return box;
    }
    // The rows of a cell's surface that hold ink, gathered in bands (one band per text line).
    static int inkBands(ui::PictureBox& cell) {
        const QImage img = cell.surface();
        int bands = 0;
        bool inBand = false;
        for (int y = 0; y < img.height(); ++y) {
            bool ink = false;
            for (int x = 0; x < img.width() && !ink; ++x) ink = qGray(img.pixel(x, y)) < 80;
            if (ink && !inBand) ++bands;
            inBand = ink;
        }
        return bands;
    }
};

TEST_F(GridTest, TheOptionCharactersGiveTheGridItsSizeAndPlace) {
    struct Case {
        bool twoColumns, twoRows;
        int left, top, width, height;
    };
    const Case cases[] = {{false, false, 240, 8, 386, 426},
                          {false, true, 240, 48, 386, 320},
                          {true, false, 300, 8, 292, 426},
                          {true, true, 300, 48, 292, 320}};
    for (const Case& g : cases) {
        SCOPED_TRACE(testing::Message() << g.twoColumns << g.twoRows);
        const GridItem item{"a", {"1", "2", "3"}, {"4", "5", "6"}, {5}};
        Feuille7& f = loadGrid(3, gridRecord(3, g.twoColumns, g.twoRows, {item, item}));
        const int columns = g.twoColumns ? 2 : 3;
        const int rows = g.twoRows ? 2 : 3;
        EXPECT_EQ(f.ColonnesReponse, columns);
        EXPECT_EQ(f.LignesReponse, rows);
        EXPECT_EQ(rectOf(f.Shape1), QRect(g.left, g.top, g.width, g.height));
        EXPECT_TRUE(seen(f.Shape1));
        EXPECT_EQ(rectOf(f.Shape4), QRect(g.left, g.top, 96, 106));
        EXPECT_EQ(rectOf(f.Image1), QRect(g.left + 47, g.top + 49, 49, 57));
        EXPECT_TRUE(seen(f.Image1));
        EXPECT_FALSE(seen(f.Picture1[0])) << "the corner cell is never shown";
        for (int k = 1; k < 16; ++k) {
            const bool inUse = k / 4 <= rows && k % 4 <= columns;
            EXPECT_EQ(seen(f.Picture1[k]), inUse) << "cell " << k;
            if (inUse) {
                EXPECT_EQ(rectOf(f.Picture1[k]),
                          QRect(g.left + 4 + 95 * (k % 4), g.top + 3 + 105 * (k / 4), 92, 102))
                    << "cell " << k;
            }
        }
    }
}

TEST_F(GridTest, TheScreenOpensFromTheNextLessonRoutineWithItsInstructionAndSampleToken) {
    Feuille7& f = start(3, drawingsLesson());
    EXPECT_EQ(shared.EcranCourant, shell::Ecran::Amis);
    EXPECT_TRUE(f.shown());
    EXPECT_EQ(ui::find<Feuille3>(), nullptr);
    EXPECT_EQ(f.Label1.caption(),
              cp("Place un jeton dans les cases où la relation est vraie.\r\n\r\n\r\n"
                 "Pour déposer ou enlever un jeton, clique sur la case avec la souris."));
    EXPECT_EQ(rectOf(f.Label1), QRect(8, 144, 217, 161));
    EXPECT_TRUE(seen(f.Label1));
    EXPECT_TRUE(seen(f.Image3));
    EXPECT_EQ(rectOf(f.Image3), QRect(56, 164, 90, 105));
    EXPECT_FALSE(f.Image3.picture().isNull());
    EXPECT_FALSE(seen(f.Label2));
    EXPECT_FALSE(seen(f.Shape2));
    EXPECT_FALSE(seen(f.Command1));
    EXPECT_TRUE(seen(f.Image5[1]));
    EXPECT_EQ(QPoint(int(f.Image5[1].left()), int(f.Image5[1].top())), QPoint(144, 344));
    EXPECT_EQ(f.Image5[0].picture(), fenetrePrincipale().Image5.picture());
    EXPECT_EQ(f.Image5[0].backColor(), 0xC0C000u);
    EXPECT_EQ(f.Image5[1].backColor(), 0xC0C000u);
    // Item 0: word titles in the first row, drawings in the first column.
    EXPECT_EQ(f.TextesTitres[1], "rouge");
    EXPECT_EQ(f.Picture1[4].picture(), players::dessinBibliotheque(1));
    EXPECT_EQ(f.Picture1[12].picture(), players::dessinBibliotheque(150));
    EXPECT_EQ(f.Solution.substr(0, 16), "     X    X    X");
}

TEST_F(GridTest, TheSampleTokenLiesBetweenTheTwoSentencesOfTheInstruction) {
    Feuille7& f = start(3, drawingsLesson());
    const QRect area = f.Label1.pixelRect();
    // The rows where the instruction's letters are, seen without the token.
    f.Image3.setVisible(false);
    const QImage text = grab(static_cast<ui::Container&>(f));
    f.Image3.setVisible(true);
    const QImage both = grab(static_cast<ui::Container&>(f));
    std::vector<bool> letters(std::size_t(text.height()), false);
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(text.pixel(x, y)) < 60) letters[std::size_t(y)] = true;
    QRect token;
    const QRect sample = f.Image3.pixelRect();
    for (int y = sample.top(); y <= sample.bottom(); ++y)
        for (int x = sample.left(); x <= sample.right(); ++x) {
            const QColor c = both.pixelColor(x, y);
            if (c.red() > 150 && c.green() < 110 && c.blue() < 130) token |= QRect(x, y, 1, 1);
        }
    ASSERT_FALSE(token.isEmpty()) << "the red token is seen";
    EXPECT_NEAR(token.center().x(), sample.center().x(), 2);
    for (int y = token.top(); y <= token.bottom(); ++y)
        EXPECT_FALSE(letters[std::size_t(y)]) << "the token covers a line of text at " << y;
}

TEST_F(GridTest, ClicksPutAndTakeTokensOnAnswerCellsOnly) {
    Feuille7& f = start(3, drawingsLesson());
    const ui::Picture row1 = f.Picture1[4].picture();
    click(f.Picture1[6]);
    EXPECT_EQ(f.Plateau[6], '1');
    EXPECT_TRUE(tokenOn(f, 6));
    const QImage shown = grab(static_cast<ui::Container&>(f.Picture1[6]));
    const QColor middle = shown.pixelColor(shown.width() / 2, shown.height() / 2);
    EXPECT_GT(middle.red(), 150) << "the red token is seen on the cell";
    EXPECT_LT(middle.green(), 100);
    click(f.Picture1[6]);
    EXPECT_EQ(f.Plateau[6], ' ');
    EXPECT_TRUE(f.Picture1[6].picture().isNull());

    // Titles, the corner picture and the relation take no token.
    for (int k : {1, 2, 3, 4, 8, 12}) click(f.Picture1[k]);
    click(f.Image1);
    click(f.Label3);
    EXPECT_EQ(f.Plateau, std::string(20, ' '));
    EXPECT_EQ(f.Picture1[4].picture(), row1);
    EXPECT_TRUE(f.Picture1[1].picture().isNull());
    EXPECT_EQ(f.Essais, 0);
}

TEST_F(GridTest, ACheckWithoutATokenSaysSoAndCostsNothing) {
    Feuille7& f = start(3, drawingsLesson());
    check(f);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Aucun jeton n'a été placé dans les cases vides.");
    EXPECT_EQ(boxes[0].style, ui::vbOKOnly);
    EXPECT_EQ(f.Essais, 0);
    EXPECT_EQ(shared.Points, 8);
    EXPECT_FALSE(seen(f.Shape2));
    EXPECT_TRUE(seen(f.Image3));
    // The check button waits its two seconds, as after any check.
    put(f, {5});
    advance(1000);
    check(f);
    EXPECT_EQ(f.Essais, 0) << "refused one second later";
    advance(1100);
    check(f);
    EXPECT_EQ(f.Essais, 1);
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(GridTest, WrongAnswersShowTheTryMessagesAndLeaveTheTokensInPlace) {
    struct Case {
        int item;
        const char* last; // the last line of the second failure's message
    };
    const Case cases[] = {{0, "Il faut placer 3 jetons."}, {1, "Il faut placer 1 jeton."}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        ui::unloadAllForms();
        shell::resetSharedState();
        openMainWindow();
        shared.NumeroItem = shell::Integer(c.item);
        Feuille7& f = start(3, drawingsLesson());
        ASSERT_EQ(shared.NumeroItem, c.item);
        put(f, {7, 9});
        check(f);
        EXPECT_EQ(f.Label1.caption(), "Essaie une autre fois.");
        EXPECT_EQ(f.Label1.foreColor(), 0xFFFFFFu);
        EXPECT_DOUBLE_EQ(f.Label1.fontSize(), 14.0);
        EXPECT_EQ(rectOf(f.Label1), QRect(16, 168, 214, 36));
        EXPECT_TRUE(seen(f.Shape2));
        EXPECT_EQ(f.Shape2.backColor(), 0xC00000u);
        EXPECT_EQ(rectOf(f.Shape2), QRect(8, 152, 218, 58));
        EXPECT_FALSE(seen(f.Image3)) << "the sample token goes";
        EXPECT_TRUE(tokenOn(f, 7));
        EXPECT_TRUE(tokenOn(f, 9));
        EXPECT_EQ(f.Plateau.substr(0, 16), "       1 1      ");
        EXPECT_EQ(shared.Points, 7);
        // The message lies over its box.
        const QImage img = grab(static_cast<ui::Container&>(f));
        EXPECT_EQ(img.pixelColor(12, 200), QColor(0, 0, 0xC0)) << "dark blue box";

        checkLater(f);
        EXPECT_EQ(f.Label1.caption(), std::string("Dernier essai!\r\n\r\n") + c.last);
        EXPECT_EQ(rectOf(f.Label1), QRect(16, 158, 214, 106));
        EXPECT_EQ(f.Shape2.backColor(), 0x0000FFu);
        EXPECT_EQ(rectOf(f.Shape2), QRect(8, 142, 218, 104));
        EXPECT_TRUE(seen(f.Shape2));
        EXPECT_EQ(shared.Points, 6);
        EXPECT_EQ(f.Essais, 2);
        EXPECT_TRUE(seen(f.Image5[1]));
    }
}

TEST_F(GridTest, TheThirdFailureBlinksTheWrongCellsIntoTheAnswer) {
    Feuille7& f = start(3, drawingsLesson());
    // Item 0 wants cells 5, 10 and 15: one missing (10), one wrong (7).
    put(f, {5, 7, 15});
    check(f);
    checkLater(f);
    EXPECT_EQ(shared.Points, 6);
    advance(2100);
    PaintSpy missing(f.Picture1[10], *clock);
    PaintSpy wrong(f.Picture1[7], *clock);
    const std::int64_t start = clock->monotonicMs();
    bool probed = false;
    check(f, [&] {
        // Painted before the pause: the heading alone, everything of the check put away.
        EXPECT_TRUE(seen(f.Label2));
        EXPECT_EQ(f.Label2.caption(), cp("VOICI LA RÉPONSE."));
        EXPECT_EQ(f.Label1.caption(), "");
        EXPECT_FALSE(seen(f.Shape2)) << "the third message is never seen";
        EXPECT_FALSE(seen(f.Image5[1]));
        EXPECT_FALSE(fenetrePrincipale().bilan.enabled());
        EXPECT_NE(shared.Verrou, 0);
        EXPECT_EQ(shared.ItemsTermines, 1);
        EXPECT_EQ(shared.NumeroItem, 1);
        EXPECT_FALSE(seen(f.Command1));
        // A click while the check runs changes nothing.
        click(f.Picture1[6]);
        EXPECT_EQ(f.Plateau[6], ' ');
        probed = true;
    });
    EXPECT_TRUE(probed);
    EXPECT_EQ(shared.Points, 4) << "8 - 1 - 1 - 2";
    // One second of pause, then, cell by cell in order, 2.4 seconds for the wrong token of
    // cell 7 and 2.6 for the missing one of cell 10.
    EXPECT_EQ(clock->monotonicMs() - start, 6000);
    const std::int64_t t0 = start + 1000;
    using Changes = std::vector<std::pair<std::int64_t, bool>>;
    EXPECT_EQ(wrong.changes, (Changes{{t0, false},
                                      {t0 + 400, true},
                                      {t0 + 1000, false},
                                      {t0 + 1400, true},
                                      {t0 + 2000, false}}));
    const std::int64_t t1 = t0 + 2400;
    EXPECT_EQ(missing.changes, (Changes{{t1, true},
                                        {t1 + 600, false},
                                        {t1 + 1000, true},
                                        {t1 + 1600, false},
                                        {t1 + 2000, true}}));
    for (int k : {5, 10, 15}) EXPECT_TRUE(tokenOn(f, k)) << k;
    for (int k : {6, 7, 9, 11, 13, 14}) EXPECT_TRUE(f.Picture1[k].picture().isNull()) << k;
    EXPECT_EQ(f.Plateau.substr(0, 16), "     1 1       1") << "what the pupil put stays";
    EXPECT_TRUE(seen(f.Command1));
    EXPECT_TRUE(f.Command1.hasFocus());
    EXPECT_EQ(fenetrePrincipale().bilan.enabled(), shared.MenuBilanActif != 0);
    EXPECT_TRUE(seen(f.Label2));

    // After the answer the cells still take clicks.
    click(f.Picture1[6]);
    EXPECT_EQ(f.Plateau[6], '1');
    EXPECT_TRUE(tokenOn(f, 6));

    bool sad = false;
    continueLesson(f, [&] {
        sad = facesShown(f, 1);
        EXPECT_FALSE(seen(f.Label2));
        EXPECT_FALSE(seen(f.Picture1[5]));
        EXPECT_FALSE(seen(f.Label3));
        EXPECT_FALSE(seen(f.Label1));
    });
    EXPECT_TRUE(sad);
    // Item 1, fresh.
    EXPECT_EQ(f.Label1.caption().substr(0, 15), "Place un jeton ");
    EXPECT_EQ(f.Label1.foreColor(), 0x000000u);
    EXPECT_DOUBLE_EQ(f.Label1.fontSize(), 12.0);
    EXPECT_EQ(rectOf(f.Label1), QRect(8, 144, 217, 161));
    EXPECT_TRUE(seen(f.Image3));
    EXPECT_TRUE(seen(f.Image5[1]));
    EXPECT_FALSE(seen(f.Command1));
    EXPECT_EQ(shared.Verrou, 0);
    EXPECT_EQ(f.Plateau, std::string(20, ' '));
    for (int k : {5, 6, 10, 15}) EXPECT_TRUE(f.Picture1[k].picture().isNull()) << k;
    EXPECT_EQ(f.TextesTitres[4], "chat");
    EXPECT_EQ(f.Label3.caption(), "mange");

    // Item 1 failed three times too: no points left; the reward screen follows at once.
    put(f, {5});
    for (int t = 0; t < 3; ++t) checkLater(f);
    EXPECT_EQ(shared.Points, 0);
    ASSERT_TRUE(seen(f.Command1));
    EXPECT_TRUE(tokenOn(f, 6));
    EXPECT_TRUE(f.Picture1[5].picture().isNull());
    bool facesAfterLast = false;
    continueLesson(f, [&] { facesAfterLast = ui::find<Feuille7>() != nullptr; });
    EXPECT_FALSE(facesAfterLast);
    felicite* reward = ui::find<felicite>();
    ASSERT_NE(reward, nullptr);
    EXPECT_EQ(reward->Commande1.caption(), "0  sur  8");
    EXPECT_EQ(shared.EtatLecons[120 * 3], '0');
}

TEST_F(GridTest, ARightAnswerAtTheFirstCheckEndsTheLessonAtOnce) {
    Feuille7& f = start(3, drawingsLesson());
    put(f, {5, 10, 15});
    check(f);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(ui::find<Feuille7>(), nullptr);
    felicite* reward = ui::find<felicite>();
    ASSERT_NE(reward, nullptr);
    EXPECT_EQ(reward->Commande1.caption(), "8  sur  8");
    EXPECT_EQ(shared.EtatLecons[120 * 3], '8');
}

TEST_F(GridTest, ARightAnswerAfterAFailureShowsHappyFacesAndTheSecondItem) {
    Feuille7& f = start(3, drawingsLesson());
    put(f, {5});
    check(f);
    ASSERT_TRUE(seen(f.Shape2));
    put(f, {10, 15});
    advance(2100);
    bool happy = false;
    check(f, [&] {
        happy = facesShown(f, 0);
        EXPECT_FALSE(seen(f.Shape2)) << "the message box goes with a right answer";
        EXPECT_FALSE(seen(f.Picture1[5]));
        EXPECT_FALSE(seen(f.Shape1));
        EXPECT_FALSE(seen(f.Image5[1]));
        EXPECT_FALSE(seen(f.Label3));
    });
    EXPECT_TRUE(happy);
    EXPECT_EQ(shared.ItemsTermines, 1);
    EXPECT_EQ(shared.NumeroItem, 1);
    EXPECT_EQ(f.Label3.caption(), "mange");
    EXPECT_TRUE(seen(f.Picture1[5]));
    EXPECT_TRUE(seen(f.Label3));
    EXPECT_TRUE(seen(f.Image3));
    EXPECT_EQ(shared.Points, 7);
    // Right at the first check of the second item: the lesson ends with 7.
    put(f, {6});
    advance(2100);
    check(f);
    EXPECT_EQ(screen<felicite>().Commande1.caption(), "7  sur  8");
    EXPECT_EQ(shared.EtatLecons[120 * 3], '7');
}

TEST_F(GridTest, AScreenTakenAwayWhileItRevealsTheAnswerStopsThere) {
    Feuille7& f = start(3, drawingsLesson());
    put(f, {5});
    check(f);
    checkLater(f);
    advance(2100);
    check(f, [] { shell::FermerActivites(); });
    EXPECT_EQ(ui::find<Feuille7>(), nullptr);
    EXPECT_EQ(ui::find<felicite>(), nullptr);
}

TEST_F(GridTest, TitleSymbolsAreWrittenInWords) {
    struct Case {
        std::string title, shown;
    };
    const Case cases[] = {
        {"S > 10", "S plus grande que 10"},
        {"P = 3", cp("P égal à 3")},
        {"a#b", cp("a côtés parallèles b")},
        {"x :", "x\xA0:"},
        {"A < B < C", "A plus petit que B < C"},
        {"D<3", "D plus petite que 3"},
        {"a|b", "a perpendicu- laires b"},
        {"<", "plus petit que "},
        {"s=", cp("s égale à ")},
        {"Aire : 12", "Aire\xA0: 12"},
        {"n>a : b", "n plus grand que a\xA0: b"},
        {"2>123456789012345678901234", "2 plus grand que 12345678901234567890"},
        {"rouge", "rouge"},
    };
    for (const Case& c : cases) EXPECT_EQ(Feuille7::titreEnMots(c.title), c.shown) << c.title;

    // In a solids grid the titles show so.
    const GridItem solids{"a", {"Faces>4", "S=6", "Aretes : 12"}, {"8", "9", "10"}, {5}};
    Feuille7& f = loadGrid(11, gridRecord(11, false, false, {solids, solids}));
    EXPECT_EQ(f.TextesTitres[1], "Faces plus grand que 4");
    EXPECT_EQ(f.TextesTitres[2], cp("S égale à 6"));
    EXPECT_EQ(f.TextesTitres[3], "Aretes\xA0: 12");
    EXPECT_EQ(f.Picture1[4].picture(), players::dessinBibliotheque(8));
}

TEST_F(GridTest, TitlesStartingWithADigitAreDrawingsExceptWithNumbers) {
    struct Case {
        int activity;
        std::string title;
        int drawing; // -1 none
        std::string words;
    };
    const Case cases[] = {
        {3, "12", 12, ""},     {11, "12", 12, ""},        {7, "12", -1, "12"},
        {3, "311", -1, ""},    {11, "311", -1, ""},       {3, "5 pommes", 5, ""},
        {7, "311", -1, "311"}, {3, "pomme", -1, "pomme"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title + " in activity " + std::to_string(c.activity));
        const GridItem item{"a", {c.title, "b", "c"}, {"d", "e", "f"}, {5}};
        Feuille7& f = loadGrid(c.activity, gridRecord(c.activity, false, false, {item, item}));
        if (c.drawing >= 0)
            EXPECT_EQ(f.Picture1[1].picture(), players::dessinBibliotheque(c.drawing));
        else
            EXPECT_TRUE(f.Picture1[1].picture().isNull());
        EXPECT_EQ(f.TextesTitres[1], c.words);
        if (c.drawing < 0) {
            EXPECT_EQ(inkOf(f.Picture1[1]).isEmpty(), c.words.empty());
        }
        EXPECT_TRUE(seen(f.Picture1[1]));
    }
}

TEST_F(GridTest, WordTitlesShareOneSizeAndAreCentredOrWrappedInTheirCells) {
    // Numbers: the size starts at 24; a short title stands on one line, centred, raised to 31.
    const GridItem numbers{"est le double de", {"12", cp("20÷5"), "3+4"}, {"6", "10", "2"}, {5}};
    Feuille7& f = loadGrid(7, gridRecord(7, false, false, {numbers, numbers}));
    EXPECT_EQ(f.TailleTitres, 24);
    for (int k : {1, 2, 3, 4, 8, 12}) {
        SCOPED_TRACE(k);
        EXPECT_DOUBLE_EQ(f.Picture1[k].fontSize(), 24.0);
        ASSERT_EQ(f.LignesTitres[k].size(), 1u);
        const QRect ink = inkOf(f.Picture1[k]);
        const double width = f.Picture1[k].textWidth(f.TextesTitres[k]);
        EXPECT_NEAR(ink.left(), (90 - width) / 2, 3.0) << "centred in 90";
        EXPECT_GE(ink.top(), 31);
        EXPECT_LE(ink.top(), 31 + 10);
    }

    // One long title makes every word title of the item smaller, down to 10 at most.
    const GridItem longer{"a", {"1000000+2000000", "7", "8"}, {"1", "2", "3"}, {5}};
    Feuille7& g = loadGrid(7, gridRecord(7, false, false, {longer, longer}));
    EXPECT_LT(g.TailleTitres, 24);
    EXPECT_GE(g.TailleTitres, 10);
    for (int k : {1, 2, 3, 4, 8, 12}) EXPECT_DOUBLE_EQ(g.Picture1[k].fontSize(), g.TailleTitres);
    if (g.TailleTitres > 10) {
        EXPECT_LE(g.Picture1[1].textWidth("1000000+2000000"), 90.0);
    }

    // Solids: a title too wide even at 10 is wrapped at its blanks from (2, 30).
    const GridItem solids{"a", {"Faces>4", "cube", "prisme"}, {"1", "2", "3"}, {5}};
    Feuille7& h = loadGrid(11, gridRecord(11, false, false, {solids, solids}));
    EXPECT_EQ(h.TailleTitres, 10);
    const auto& lines = h.LignesTitres[1];
    ASSERT_GE(lines.size(), 2u);
    std::string joined;
    for (const std::string& l : lines) {
        EXPECT_LT(h.Picture1[1].textWidth(l), 90.0) << l;
        joined += (joined.empty() ? "" : " ") + l;
    }
    EXPECT_EQ(joined, "Faces plus grand que 4");
    // Each line holds as many words as fit.
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        const std::string next = lines[i + 1].substr(0, lines[i + 1].find(' '));
        EXPECT_GE(h.Picture1[1].textWidth(lines[i] + " " + next + " "), 90.0);
    }
    EXPECT_EQ(inkBands(h.Picture1[1]), int(lines.size()));
    const QRect ink = inkOf(h.Picture1[1]);
    EXPECT_LE(ink.left(), 4);
    EXPECT_GE(ink.top(), 30);
    // The short titles of the item are centred on one line at the same size.
    EXPECT_EQ(h.LignesTitres[2], std::vector<std::string>{"cube"});
    EXPECT_DOUBLE_EQ(h.Picture1[2].fontSize(), 10.0);
}

TEST_F(GridTest, TheRelationStandsAboveTheCornerInASizeThatSuitsItsLength) {
    struct Case {
        std::string relation;
        double size;
        bool left; // left-aligned (several lines)
    };
    const Case cases[] = {
        {"a", 18, false},
        {"est dans", 18, false},
        {"est le double de", 12, false},
        {"est plus grand que", 12, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.relation);
        const GridItem item{c.relation, {"1", "2", "3"}, {"4", "5", "6"}, {5}};
        Feuille7& f = loadGrid(3, gridRecord(3, false, true, {item, item}));
        EXPECT_EQ(f.Label3.caption(), c.relation);
        EXPECT_DOUBLE_EQ(f.Label3.fontSize(), c.size);
        EXPECT_EQ(f.Label3.width(), 132);
        EXPECT_EQ(f.Label3.alignment(), c.left ? ui::vbLeftJustify : ui::vbCenter);
        EXPECT_EQ(f.Label3.left(), 240 - 38);
        EXPECT_EQ(f.Label3.top() + f.Label3.height(), 48 + 48);
        EXPECT_TRUE(seen(f.Label3));
    }
    // A relation of middling width takes 14 points.
    Feuille7& f = loadGrid(3, formats::blankRecord(3));
    f.Picture1[0].setFontSize(12);
    std::string middling;
    for (const char* r : {"est sur", "est un", "est sous", "est le fils de", "habite dans"})
        if (f.Picture1[0].textWidth(r) >= 90 && f.Picture1[0].textWidth(r) < 120) middling = r;
    ASSERT_FALSE(middling.empty());
    const GridItem item{middling, {"1", "2", "3"}, {"4", "5", "6"}, {5}};
    Feuille7& g = loadGrid(3, gridRecord(3, false, false, {item, item}));
    EXPECT_DOUBLE_EQ(g.Label3.fontSize(), 14.0);
    EXPECT_EQ(g.Label3.top() + g.Label3.height(), 8 + 48);
}

TEST_F(GridTest, AWrappedRelationStaysLeftAlignedForTheRestOfTheLesson) {
    const std::string record =
        gridRecord(7, false, false,
                   {{"est plus grand que", {"1", "2", "3"}, {"4", "5", "6"}, {5}},
                    {"a", {"1", "2", "3"}, {"4", "5", "6"}, {6}}});
    Feuille7& f = start(7, record);
    EXPECT_GT(f.Label3.height(), 35);
    EXPECT_EQ(f.Label3.alignment(), ui::vbLeftJustify);
    EXPECT_EQ(f.Label3.top() + f.Label3.height(), 56);
    put(f, {6});
    check(f);
    put(f, {6, 5});
    advance(2100);
    check(f);
    ASSERT_EQ(shared.NumeroItem, 1);
    EXPECT_EQ(f.Label3.caption(), "a");
    EXPECT_DOUBLE_EQ(f.Label3.fontSize(), 18.0);
    EXPECT_EQ(f.Label3.alignment(), ui::vbLeftJustify);
}

TEST_F(GridTest, MarksOfCellsTheGridDoesNotShowAreNotAsked) {
    // A hand-made record with a mark in the third column of a two-column grid.
    const GridItem item{"a", {"1", "2", "3"}, {"4", "5", "6"}, {5, 7, 13}};
    Feuille7& f = start(3, gridRecord(3, true, true, {item, item}));
    EXPECT_EQ(f.Solution.substr(0, 16), "     X          ");
    put(f, {5});
    check(f);
    ASSERT_NE(ui::find<felicite>(), nullptr);
}

TEST_F(GridTest, ALessonLeftInTheMiddleResumesAtItsSecondItem) {
    for (int numero : {1, 3, -1}) {
        SCOPED_TRACE(numero);
        ui::unloadAllForms();
        shell::resetSharedState();
        openMainWindow();
        shared.Points = 5;
        shared.ItemsTermines = numero == 1 ? 1 : 0;
        shared.NumeroItem = shell::Integer(numero);
        Feuille7& f = start(3, drawingsLesson());
        EXPECT_EQ(shared.NumeroItem, numero == 1 ? 1 : 0);
        EXPECT_EQ(f.Label3.caption(), numero == 1 ? "mange" : "a");
        EXPECT_EQ(shared.Points, 5);
    }
}

TEST_F(GridTest, AClickOnTheScreenClosesTheLearningReportLyingOverIt) {
    Feuille7& f = start(3, drawingsLesson());
    ui::load<resultat>();
    shared.ResultatAffiche = 99;
    clickAt(f, QPoint(20, 60));
    EXPECT_EQ(ui::find<resultat>(), nullptr);
    EXPECT_EQ(shared.ResultatAffiche, 0);
    EXPECT_EQ(ui::find<Feuille7>(), &f);
    EXPECT_EQ(f.Plateau, std::string(20, ' '));
}

} // namespace
