// The sets player: dealing, carrying and putting down with two clicks, the board's snapping and
// regions with and without a common area, the titles, the answer's places, and number cards
// moving over the board without damaging it.
#include "players_fixture.h"

#include "platform/random.h"
#include "records/learning_report.h"

#include <cmath>

namespace {

using namespace playertest;
using players::felicite;
using players::Feuille4;
using records::resultat;
using shell::fenetrePrincipale;

class SetsTest : public PlayersTest {
protected:
    static QPoint leftTop(const ui::Control& c) { return QPoint(int(c.left()), int(c.top())); }
    static QPoint cardDesign(const Feuille4& f, int i) {
        return design(f.GaucheCarte[i], f.HautCarte[i]);
    }
    std::string numbersLesson(bool common = true) {
        return setsRecord(
            4, common,
            {{{{0, "3+4"}, {1, "12et5"}, {3, cp("6÷2")}, {5, "7"}, {7, "20-5"}}, "<10", "Somme>5"},
             {{{0, "1"}, {1, "2"}, {3, "3"}, {5, "4"}, {7, "5"}}, "a", "b"},
             {{{0, "1"}, {1, "2"}, {3, "3"}, {5, "4"}, {7, "5"}}, "a", "b"}});
    }
    std::string drawingsLesson(bool common = true) {
        return setsRecord(0, common,
                          {drawingsItem(150, 1, 0, 149, 33), drawingsItem(151, 29, 3, 26, 31),
                           drawingsItem(152, 2, 4, 5, 6)});
    }
};

TEST_F(SetsTest, ElementsAreDealtToTheTrayWithTheSeededGenerator) {
    const int drawings[5] = {150, 1, 0, 149, 33}; // in slot order
    // What the dealing must give: a rounded draw, the last free place when it is taken.
    platform::randomize(1234.5);
    int expected[5];
    bool taken[5] = {};
    for (int k = 0; k < 5; ++k) {
        long long p = std::llrint(double(platform::rnd()) * 5);
        if (p >= 5) p = 4;
        if (taken[p])
            for (int q = 0; q < 5; ++q)
                if (!taken[q]) p = q;
        taken[p] = true;
        expected[k] = int(p);
    }
    platform::randomize(1234.5);
    Feuille4& f = loadPlayer<Feuille4>(0, drawingsLesson());
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(placeOfDrawing(f, drawings[k]), expected[k]) << "drawing " << drawings[k];
        EXPECT_EQ(leftTop(f.Image1[expected[k]]), QPoint(190 + 88 * expected[k], 8));
        EXPECT_TRUE(seen(f.Image1[expected[k]]));
    }
    EXPECT_EQ(f.RegionAttendue[expected[0]], 0);
    EXPECT_EQ(f.RegionAttendue[expected[1]], 1);
    EXPECT_EQ(f.RegionAttendue[expected[2]], 2);
    EXPECT_EQ(f.RegionAttendue[expected[3]], 3);
    EXPECT_EQ(f.RegionAttendue[expected[4]], 0);
}

TEST_F(SetsTest, TwoClicksTakeAnElementAndPutItOnAYellowPoint) {
    Feuille4& f = startLesson(0, drawingsLesson());
    const int p = placeOfDrawing(f, 1);
    click(f.Image1[p]);
    EXPECT_EQ(f.ObjetTenu, p);
    EXPECT_EQ(f.Label2.caption(),
              "Placer le dessin choisi au bon endroit.  Puis, cliquer avec la souris.");
    // Above the board the drawing follows the pointer, held 45 and 36 pixels from its corner.
    moveTo(f, dp(300, 60));
    EXPECT_EQ(leftTop(f.Image1[p]), QPoint(255, 24));
    EXPECT_EQ(shared.PointeurSurCase, 0);
    // Over the board it jumps from place to place.
    moveTo(f, dp(150, 230));
    EXPECT_EQ(leftTop(f.Image1[p]), QPoint(96, 204));
    EXPECT_NE(shared.PointeurSurCase, 0);
    clickAt(f, dp(150, 230));
    EXPECT_EQ(f.ObjetTenu, -1);
    EXPECT_EQ(f.Plateau[8], char(p)) << "cell 9";
    EXPECT_FALSE(seen(f.Shape3[8])) << "the drawing hides its yellow point";
    EXPECT_EQ(f.Label2.caption(), "Avec la souris, cliquer sur un des dessins.");
    EXPECT_EQ(shared.PointeurSurCase, 0);

    // Taking it again frees the cell and shows its point; a click off the board sends it home.
    click(f.Image1[p]);
    EXPECT_EQ(f.Plateau[8], ' ');
    EXPECT_TRUE(seen(f.Shape3[8]));
    moveTo(f, dp(100, 95));
    clickAt(f, dp(100, 95));
    EXPECT_EQ(leftTop(f.Image1[p]), QPoint(190 + 88 * p, 8));
    EXPECT_EQ(f.ObjetTenu, -1);
    EXPECT_EQ(f.Plateau, std::string(21, ' '));
}

TEST_F(SetsTest, APlaceThatIsTakenOrAnotherTrayDrawingSendsTheCarriedDrawingHome) {
    Feuille4& f = startLesson(0, drawingsLesson());
    const int a = placeOfDrawing(f, 1);
    const int b = placeOfDrawing(f, 0);
    carryTo(f, a, 2);
    ASSERT_EQ(f.Plateau[1], char(a));
    carryTo(f, b, 2);
    EXPECT_EQ(leftTop(f.Image1[b]), QPoint(190 + 88 * b, 8)) << "sent home";
    EXPECT_EQ(f.Plateau[1], char(a)) << "the other one stays";
    EXPECT_EQ(designOf(f.Image1[a]), QPoint(96, 108));

    // Carrying a drawing and clicking another one in the tray takes nothing.
    const int c = placeOfDrawing(f, 150);
    click(f.Image1[c]);
    const QPoint over = f.Image1[b].pixelRect().center();
    moveTo(f, over);
    clickAt(f, over);
    EXPECT_EQ(f.ObjetTenu, -1);
    EXPECT_EQ(leftTop(f.Image1[c]), QPoint(190 + 88 * c, 8));
    EXPECT_EQ(leftTop(f.Image1[b]), QPoint(190 + 88 * b, 8));
}

TEST_F(SetsTest, ThePointerSnapsToTheRowsAndColumnsOfTheBoard) {
    struct Case {
        bool common;
        double x, y;
        int column, row; // column -1: the element follows the pointer
        double top;
    };
    const Case cases[] = {
        {false, 150, 157, -1, 0, 121}, {false, 150, 158, 1, 0, 158}, {false, 150, 270, 1, 0, 158},
        {false, 150, 271, 2, 2, 300},  {false, 630, 200, 4, 0, 158}, {true, 150, 107, -1, 0, 71},
        {true, 150, 108, 1, 0, 108},   {true, 630, 150, 4, 0, 108},  {true, 630, 250, 5, 1, 204},
        {true, 10, 350, 2, 2, 300},    {true, 640, 420, 6, 2, 300},
    };
    openMainWindow();
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.common << " " << k.x << "," << k.y);
        ui::unloadAllForms();
        Feuille4& f = loadPlayer<Feuille4>(0, drawingsLesson(k.common));
        shell::Integer left = 0, top = 0, column = -1, row = 0;
        f.ChercherPoint(float(k.x), float(k.y), left, top, column, row);
        EXPECT_EQ(column, k.column);
        EXPECT_EQ(top, k.top);
        if (k.column >= 0) {
            EXPECT_EQ(row, k.row);
            EXPECT_EQ(left, 8 + 88 * k.column);
        } else {
            EXPECT_EQ(left, k.x - 45);
        }
    }
}

TEST_F(SetsTest, TheCellsBelongToTheirRegionsWhenTheItemIsChecked) {
    // Cell 9 lies in the first set only, 13 in the second only, 8 and 21 outside both.
    EXPECT_EQ(Feuille4::regionCase(9), 1);
    EXPECT_EQ(Feuille4::regionCase(13), 3);
    EXPECT_EQ(Feuille4::regionCase(8), 0);
    EXPECT_EQ(Feuille4::regionCase(21), 0);
    EXPECT_EQ(Feuille4::regionCase(11), 2);
    EXPECT_EQ(Feuille4::regionCase(7), -1);
    Feuille4& f = startLesson(0, drawingsLesson());
    carryTo(f, placeOfDrawing(f, 150), 8);
    carryTo(f, placeOfDrawing(f, 33), 21);
    carryTo(f, placeOfDrawing(f, 1), 9);
    carryTo(f, placeOfDrawing(f, 0), 10);
    carryTo(f, placeOfDrawing(f, 149), 13);
    check(f);
    EXPECT_TRUE(boxes.empty());
    ASSERT_NE(ui::find<felicite>(), nullptr) << "all right at the first check";
    EXPECT_EQ(shared.EtatLecons[0], '8');
}

TEST_F(SetsTest, WithoutACommonAreaTheAnswerLeavesAnElementOfBothSetsInTheTray) {
    // A hand-made item: an element of both sets, though the sets do not meet.
    Feuille4& f = startLesson(
        0, setsRecord(0, false,
                      {drawingsItem(150, 1, 0, 149, 33), drawingsItem(151, 29, 3, 26, 31),
                       drawingsItem(152, 2, 4, 5, 6)}));
    EXPECT_EQ(f.ZoneCommune, 0);
    EXPECT_FALSE(seen(f.Shape3[7])) << "row 1 is not used";
    EXPECT_EQ(designOf(f.Shape3[0]), QPoint(43, 195));
    EXPECT_EQ(designOf(f.Shape3[20]), QPoint(43 + 88 * 6, 335));
    const int both = placeOfDrawing(f, 0);
    const int outside = placeOfDrawing(f, 33);
    carryTo(f, placeOfDrawing(f, 150), 1);
    carryTo(f, outside, 2);
    carryTo(f, placeOfDrawing(f, 1), 3);
    carryTo(f, both, 4);
    carryTo(f, placeOfDrawing(f, 149), 17);
    for (int t = 0; t < 3; ++t) {
        advance(2100);
        check(f);
        if (t == 2) break;
        carryTo(f, outside, 2);
        carryTo(f, both, 4);
    }
    ASSERT_TRUE(seen(f.Command1));
    EXPECT_EQ(leftTop(f.Image1[both]), QPoint(190 + 88 * both, 8)) << "no cell for it";
    EXPECT_EQ(f.Plateau[20], '1') << "cell 1 is taken: the answer uses cell 21";
    EXPECT_EQ(designOf(f.Image1[outside]), QPoint(8 + 88 * 6, 300));
    EXPECT_EQ(shared.Points, 5);
}

TEST_F(SetsTest, TheAnswerPutsAnElementOfTheFirstRowOnTopOfItsPlace) {
    // Two elements in the first set, none in both: slots 0, 1, 2, 5 and 7.
    const SetsItem apart{{{0, "150"}, {1, "1"}, {2, "0"}, {5, "149"}, {7, "33"}}, "a", "b"};
    Feuille4& f = startLesson(0, setsRecord(0, false, {apart, apart, apart}));
    const int first = placeOfDrawing(f, 1);
    carryTo(f, placeOfDrawing(f, 150), 1);
    carryTo(f, placeOfDrawing(f, 33), 21);
    carryTo(f, placeOfDrawing(f, 0), 3);
    carryTo(f, placeOfDrawing(f, 149), 20);
    carryTo(f, first, 18);
    check(f);
    for (int t = 0; t < 2; ++t) {
        carryTo(f, first, 18);
        advance(2100);
        check(f);
    }
    ASSERT_TRUE(seen(f.Command1));
    EXPECT_EQ(f.Plateau[1], '1');
    EXPECT_EQ(designOf(f.Image1[first]), QPoint(96, 160)) << "160, not the pupil's 158";
}

TEST_F(SetsTest, TitlesAreShownAsDrawingsOrAsWordsAndNegatedOnesAreCrossedOut) {
    struct Case {
        int activity;
        std::string field;
        std::string shown; // empty: the drawing of that number
        bool crossed;
    };
    const Case cases[] = {
        {4, "<5", " plus petit que 5 ", false},
        {8, "S=4", cp(" S égale à 4 "), false},
        {8, "#", cp(" côtés parallèles "), false},
        {8, "a=b", cp(" a égal à b "), false},
        {0, "<5", "   <5   ", false},
        {0, "X12", "", true},
        {4, "X12", "   12   ", true},
        {4, "ab", "   ab   ", false},
        {0, "rouge", " rouge ", false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.field + " in activity " + std::to_string(k.activity));
        ui::unloadAllForms();
        std::string record = formats::blankRecord(k.activity);
        formats::setField(record, k.activity, 0, formats::setsSlot(0), "1");
        formats::setField(record, k.activity, 0, formats::setsTitle(0), k.field);
        formats::setField(record, k.activity, 0, formats::setsTitle(1), "b");
        Feuille4& f = loadPlayer<Feuille4>(k.activity, record);
        EXPECT_EQ(f.TexteTitre[0], k.shown);
        if (k.shown.empty()) {
            EXPECT_EQ(f.Picture1[0].picture(), players::dessinBibliotheque(12));
            EXPECT_EQ(leftTop(f.Picture1[0]), QPoint(464, 142));
            EXPECT_EQ(f.Picture1[0].width(), 57);
        } else {
            EXPECT_TRUE(f.Picture1[0].picture().isNull());
            EXPECT_EQ(leftTop(f.Picture1[0]), QPoint(464, 150)) << "8 below its place";
            EXPECT_NEAR(f.Picture1[0].width(), f.Picture1[0].textWidth(k.shown), 0.51);
            EXPECT_EQ(f.Picture1[0].height(), 36);
        }
        EXPECT_EQ(f.Line2[0].visible(), k.crossed);
        EXPECT_EQ(f.Line2[1].visible(), k.crossed);
        EXPECT_TRUE(seen(f.Picture1[0]));
    }
}

TEST_F(SetsTest, ALongTitleTakesTwoLinesAndTheSecondBoxKeepsItsRightEdge) {
    std::string record = formats::blankRecord(8);
    formats::setOption(record, 8, formats::kOptionCommonArea, true);
    formats::setField(record, 8, 0, formats::setsSlot(0), "150");
    formats::setField(record, 8, 0, formats::setsTitle(0), "Sommets<5");
    formats::setField(record, 8, 0, formats::setsTitle(1), "Sommets>10");
    Feuille4& f = startLesson(8, record);
    EXPECT_EQ(f.TexteTitre[0], " Sommets plus \r\n petite que 5 ");
    EXPECT_EQ(f.TexteTitre[1], " Sommets plus \r\n grande que 10 ");
    EXPECT_EQ(f.Picture1[1].height(), 44);
    EXPECT_EQ(f.Picture1[1].top(), 320);
    EXPECT_EQ(f.Picture1[1].left() + f.Picture1[1].width(), 104 + 57);
    EXPECT_EQ(f.Line1[0].y1(), 152);
    EXPECT_EQ(f.Line1[0].y2(), 144);
}

TEST_F(SetsTest, NumberCardsShowTheirOperationsSpacedInOneFontForTheItem) {
    struct Case {
        std::string field, shown;
    };
    const Case cases[] = {{"3+4", "3 + 4"},   {"12et5", "12 et 5"}, {cp("6÷2"), cp("6 ÷ 2")},
                          {"20-5", "20 - 5"}, {"2x3", "2 x 3"},     {"3 + 4", "3 + 4"},
                          {"7", "7"}};
    for (const Case& k : cases)
        EXPECT_EQ(players::DraggingPlayer::espacerTexteCarte(k.field), k.shown) << k.field;

    Feuille4& f = startLesson(4, numbersLesson());
    EXPECT_EQ(f.Label1.caption(), "Placer chaque nombre sur un des points jaunes.");
    EXPECT_EQ(f.Label2.caption(), "Avec la souris, cliquer sur un des nombres.");
    for (const char* text : {"3 + 4", "12 et 5", "20 - 5", "7"})
        EXPECT_GE(placeOfCard(f, text), 0) << text;
    EXPECT_GE(placeOfCard(f, cp("6 ÷ 2")), 0);
    EXPECT_EQ(f.LargeurCarte, 81);
    EXPECT_EQ(f.HauteurCarte, 33);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(cardDesign(f, i), QPoint(191 + 88 * i, 36));
        EXPECT_DOUBLE_EQ(f.Image12[i].fontSize(), f.Image12[0].fontSize());
        ASSERT_NE(f.spriteCarte(i), nullptr);
        EXPECT_TRUE(f.spriteCarte(i)->visible);
    }
    // "12 et 5" does not fit at 18 points: the five cards share the size where it fits.
    EXPECT_LT(f.Image12[0].fontSize(), 18.0);
    EXPECT_DOUBLE_EQ(f.fontSize(), f.Image12[0].fontSize());
    EXPECT_LE(f.textWidth("12 et 5"), 71.0);
    EXPECT_EQ(f.Shape2.backColor(), 0x0000FFu) << "the red tray";
    EXPECT_EQ(designOf(f.Shape2).y(), 16);

    // Long texts make every card of the item smaller, down to 9 at most.
    ui::unloadAllForms();
    std::string record = formats::blankRecord(4);
    for (int k : {0, 1, 3, 5, 7}) formats::setField(record, 4, 0, formats::setsSlot(k), "4");
    formats::setField(record, 4, 0, formats::setsSlot(7), "1234567");
    Feuille4& g = loadPlayer<Feuille4>(4, record);
    const double size = g.Image12[0].fontSize();
    EXPECT_LT(size, 18.0);
    EXPECT_GE(size, 9.0);
    for (int i = 1; i < 5; ++i) EXPECT_DOUBLE_EQ(g.Image12[i].fontSize(), size);
    if (size > 9) {
        EXPECT_LE(g.textWidth(g.TexteCarte[placeOfCard(g, "1234567")]), 71.0);
    }
}

TEST_F(SetsTest, ACarriedCardCoversTheBoardAndLeavesItWholeWhenItGoesHome) {
    Feuille4& f = startLesson(4, numbersLesson());
    const int seven = placeOfCard(f, "7");
    const QImage before = grab(static_cast<ui::Container&>(f));
    const QPoint grip(f.GaucheCarte[seven] + 40, f.HautCarte[seven] + 16);
    clickAt(f, grip);
    ASSERT_EQ(f.ObjetTenu, seven);
    EXPECT_EQ(f.Label2.caption(),
              "Placer le nombre choisi au bon endroit.  Puis, cliquer avec la souris.");
    EXPECT_TRUE(fenetrePrincipale().bilan.enabled() == (shared.MenuBilanActif != 0));
    // Over the first set, on the point of cell 2.
    const QPoint p = cellPointer(f, 2);
    moveTo(f, p);
    EXPECT_EQ(cardDesign(f, seven), QPoint(96, 134)) << "2 pixels below the row's top";
    EXPECT_NE(shared.PointeurSurCase, 0);
    QImage over = grab(static_cast<ui::Container&>(f));
    EXPECT_EQ(over.pixelColor(f.GaucheCarte[seven] + 4, f.HautCarte[seven] + 16), QColor(0, 0, 255))
        << "the blue card lies over the set and its point";
    // Near the top of the screen the card stops at 20.
    moveTo(f, QPoint(300, 3));
    EXPECT_EQ(f.HautCarte[seven], 20);
    // Off the board: home again, and the board is as it was.
    moveTo(f, QPoint(100, 95));
    clickAt(f, QPoint(100, 95));
    EXPECT_EQ(f.ObjetTenu, -1);
    EXPECT_EQ(cardDesign(f, seven), QPoint(191 + 88 * seven, 36));
    EXPECT_EQ(grab(static_cast<ui::Container&>(f)), before);
}

TEST_F(SetsTest, CardsArePutOnTheRowsAndTakenOnlyInsideTheirRectangles) {
    Feuille4& f = startLesson(4, numbersLesson());
    // The very left edge and the gap between two cards take nothing.
    clickAt(f, QPoint(f.GaucheCarte[0], f.HautCarte[0] + 16));
    EXPECT_EQ(f.ObjetTenu, -1);
    clickAt(f, QPoint(f.GaucheCarte[0] + f.LargeurCarte + 3, f.HautCarte[0] + 16));
    EXPECT_EQ(f.ObjetTenu, -1);
    carryTo(f, 0, 3);
    EXPECT_EQ(cardDesign(f, 0), QPoint(184, 134));
    EXPECT_EQ(f.Plateau[2], char(0));
    EXPECT_TRUE(seen(f.Shape3[2])) << "a card leaves its point under it";
    carryTo(f, 1, 19);
    EXPECT_EQ(cardDesign(f, 1), QPoint(360, 326));
    // Taking a card back from the board frees its cell.
    clickAt(f, QPoint(f.GaucheCarte[1] + 40, f.HautCarte[1] + 16));
    EXPECT_EQ(f.ObjetTenu, 1);
    EXPECT_EQ(f.Plateau[18], ' ');
}

TEST_F(SetsTest, CardsStayAfterTheCountMessageAndAfterTheReportClosesOverThePlayer) {
    Feuille4& f = startLesson(4, numbersLesson());
    carryTo(f, 2, 3);
    check(f);
    EXPECT_EQ(lastBox(), "Il reste 4 dessins à placer.") << "dessin, with number cards too";
    for (int i = 0; i < 5; ++i) {
        ASSERT_NE(f.spriteCarte(i), nullptr);
        EXPECT_TRUE(f.spriteCarte(i)->visible);
    }
    EXPECT_EQ(cardDesign(f, 2), QPoint(184, 134));

    // The report closed itself during a numbers activity: a click on the screen takes no card
    // and puts the cards back where they were.
    ui::load<resultat>();
    shared.ResultatAffiche = 99;
    ui::unload<resultat>();
    clickAt(f, QPoint(f.GaucheCarte[0] + 40, f.HautCarte[0] + 16));
    EXPECT_EQ(f.ObjetTenu, -1);
    EXPECT_EQ(shared.ResultatAffiche, 0);
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(f.spriteCarte(i)->visible);
    EXPECT_EQ(cardDesign(f, 2), QPoint(184, 134));
    EXPECT_EQ(cardDesign(f, 0), QPoint(191, 36));
}

TEST_F(SetsTest, TheLearningReportOpenedFromTheMenuClosesOverTheCardsAndLeavesThemWhole) {
    openMainWindow();
    shared.EtatLecons[0] = '6'; // a lesson done: the report menu is open
    Feuille4& f = startLesson(4, numbersLesson());
    carryTo(f, 2, 3);
    ASSERT_TRUE(fenetrePrincipale().bilan.enabled());
    choose(fenetrePrincipale().bilan);
    settle();
    resultat* report = ui::find<resultat>();
    ASSERT_NE(report, nullptr);
    EXPECT_NE(shared.ResultatAffiche, 0);
    click(report->Commande2);
    settle();
    EXPECT_EQ(ui::find<resultat>(), nullptr);
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(f.spriteCarte(i)->visible) << i;
    EXPECT_EQ(cardDesign(f, 2), QPoint(184, 134));
    // While the mark says the report just closed, a click on a card only clears it.
    const QPoint onCard(f.GaucheCarte[0] + 40, f.HautCarte[0] + 16);
    if (shared.ResultatAffiche != 0) {
        clickAt(f, onCard);
        EXPECT_EQ(f.ObjetTenu, -1);
        EXPECT_EQ(shared.ResultatAffiche, 0);
    }
    clickAt(f, onCard);
    EXPECT_EQ(f.ObjetTenu, 0);
}

TEST_F(SetsTest, AnItemWithFewerElementsThanPlacesCountsOnlyThoseItHas) {
    const std::string record = setsRecord(0, true,
                                          {{{{0, "150"}, {1, "1"}, {5, "149"}}, "rouge", "animal"},
                                           drawingsItem(151, 29, 3, 26, 31),
                                           drawingsItem(152, 2, 4, 5, 6)});
    Feuille4& f = startLesson(0, record);
    int shown = 0;
    for (int i = 0; i < 5; ++i)
        if (seen(f.Image1[i])) ++shown;
    EXPECT_EQ(shown, 3) << "an empty tray place shows nothing to take";
    placeAll(f);
    check(f);
    EXPECT_TRUE(boxes.empty()) << "no count message traps the pupil";
    EXPECT_NE(ui::find<felicite>(), nullptr);
}

} // namespace
