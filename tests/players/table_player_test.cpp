// The table player: tables of two or three columns and rows with their bars, home slots and tray,
// the titles as drawings or words (crossed out when negated), the cell search, taking and putting
// drawings and cards, cards of solids judged by their numbers, the check with its answer, and
// whole lessons from the next-lesson routine.
#include "players_fixture.h"

#include "platform/numbers.h"
#include "platform/random.h"
#include "players/table_player.h"
#include "records/learning_report.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

using namespace playertest;
using players::felicite;
using players::Feuille6;
using records::resultat;
using shell::fenetrePrincipale;

using namespace playertest::tables;

class TableTest : public PlayerTest<Feuille6> {
protected:
    static QPoint home(const Feuille6& f, int place) {
        return QPoint(f.GaucheAccueil[place], f.HautAccueil[place]);
    }
};

TEST_F(TableTest, AThreeByThreeTableHasItsBarsTitlesHomeSlotsAndTray) {
    Feuille6& f = start(2, tableRecord(2, false, false, {kAnimals, kThings}));
    EXPECT_EQ(shared.EcranCourant, shell::Ecran::Tableau);
    EXPECT_EQ(f.NombreCases, 9);
    EXPECT_EQ(f.backColor(), 0xC0C000u);
    EXPECT_EQ(f.Label1.caption(), "Placer tous les dessins ci-dessous dans le tableau.");
    EXPECT_EQ(f.Label2.caption(), "Avec la souris, cliquer sur un des dessins.");
    EXPECT_EQ(f.Label2.foreColor(), 0x0000FFu);
    EXPECT_EQ(designOf(f.Image5[1]), QPoint(176, 368));
    for (int r = 0; r <= 3; ++r) {
        EXPECT_TRUE(seen(f.Shape5[r]));
        EXPECT_EQ(designOf(f.Shape5[r]), QPoint(256, 80 + 102 * r));
        EXPECT_EQ(sizeOf(f.Shape5[r]), QPoint(365, 6));
    }
    for (int c = 0; c <= 3; ++c) {
        EXPECT_TRUE(seen(f.Shape5[4 + c]));
        EXPECT_EQ(designOf(f.Shape5[4 + c]), QPoint(344 + 92 * c, 8));
        EXPECT_EQ(sizeOf(f.Shape5[4 + c]), QPoint(6, 384));
    }
    EXPECT_EQ(designOf(f.Shape1), QPoint(348, 84));
    EXPECT_EQ(sizeOf(f.Shape1), QPoint(277, 308));
    EXPECT_EQ(designOf(f.Shape2), QPoint(7, 71));
    EXPECT_EQ(sizeOf(f.Shape2), QPoint(244, 292));

    // Every element from its home slot; each belongs to its own cell.
    std::array<bool, 9> dealt{};
    for (int p = 0; p < 9; ++p) {
        SCOPED_TRACE(p);
        const int cell = f.CaseAttendue[p];
        ASSERT_GE(cell, 0);
        EXPECT_FALSE(dealt[std::size_t(cell)]);
        dealt[std::size_t(cell)] = true;
        EXPECT_EQ(home(f, p), QPoint(8 + 80 * (p % 3), 72 + 96 * (p / 3)));
        EXPECT_EQ(where(f, p), home(f, p));
        EXPECT_EQ(f.Image1[p].picture(), players::dessinBibliotheque(cell));
        EXPECT_TRUE(seen(f.Image1[p]));
    }

    // Column titles: a word, a negated word (crossed in red behind it), a drawing. Row titles:
    // a word, a negated drawing (crossed in blue over it), a word negated by a small "x".
    EXPECT_EQ(f.Label3[0].caption(), "rouge");
    EXPECT_EQ(f.Label3[1].caption(), "bleu");
    EXPECT_EQ(f.Image3[2].picture(), players::dessinBibliotheque(12));
    EXPECT_EQ(designOf(f.Image3[2]), QPoint(256 + 103 + 184, 3));
    EXPECT_EQ(f.Label3[3].caption(), "animal");
    EXPECT_EQ(f.Image3[4].picture(), players::dessinBibliotheque(4));
    EXPECT_EQ(designOf(f.Image3[4]), QPoint(268, 8 + 90 + 102));
    EXPECT_EQ(f.Label3[5].caption(), "vert");
    for (int t : {0, 1, 3, 5}) {
        EXPECT_TRUE(seen(f.Label3[t])) << t;
        EXPECT_FALSE(seen(f.Image3[t])) << t;
        EXPECT_EQ(sizeOf(f.Label3[t]).x(), 86) << t;
        EXPECT_DOUBLE_EQ(f.Label3[t].fontSize(), 12.0) << "drawings keep the design size";
        const long long half = platform::idiv(platform::roundHalfEven(f.Label3[t].height()), 2);
        EXPECT_EQ(f.Label3[t].top(), f.Image3[t].top() + 36 - half) << t;
    }
    EXPECT_EQ(f.Label3[0].left(), 256 + 94);
    EXPECT_EQ(f.Label3[3].left(), 256);
    const bool negated[6] = {false, true, false, false, true, true};
    for (int t = 0; t < 6; ++t) {
        EXPECT_EQ(seen(f.Line2[2 * t]), negated[t]) << t;
        EXPECT_EQ(seen(f.Line2[2 * t + 1]), negated[t]) << t;
    }
    EXPECT_EQ(f.Line2[2].borderColor(), 0x0000FFu) << "red behind a word";
    EXPECT_EQ(f.Line2[8].borderColor(), 0xC00000u) << "dark blue over a drawing";
    EXPECT_EQ(f.Line2[8].x1(), f.Image3[4].left() + 4);
    EXPECT_EQ(f.Line2[8].y1(), f.Image3[4].top() + 8);
    EXPECT_EQ(f.Line2[8].x2(), f.Image3[4].left() + 60);
    EXPECT_EQ(f.Line2[8].y2(), f.Image3[4].top() + 64);
    const auto& order = f.windowlessOrder();
    const auto at = [&](const ui::Control& c) {
        return std::find(order.begin(), order.end(), &c) - order.begin();
    };
    EXPECT_LT(at(f.Line2[2]), at(f.Label3[1]));
    EXPECT_GT(at(f.Line2[8]), at(f.Image3[4]));
}

TEST_F(TableTest, SmallerTablesMoveTheTableTheHomeSlotsAndTheTrayAndNeverShowUnusedTitles) {
    struct Case {
        bool twoColumns, twoRows;
        int left, top, cells;
        QPoint trayPlace, traySize;
        std::vector<QPoint> homes;
    };
    const Case cases[] = {
        {true,
         true,
         300,
         78,
         4,
         {47, 111},
         {164, 196},
         {{48, 112}, {128, 112}, {48, 208}, {128, 208}}},
        {true,
         false,
         300,
         8,
         6,
         {47, 71},
         {164, 292},
         {{48, 72}, {128, 72}, {48, 168}, {128, 168}, {48, 264}, {128, 264}}},
        {false,
         true,
         256,
         78,
         6,
         {47, 71},
         {164, 292},
         {{48, 72}, {128, 72}, {48, 168}, {128, 168}, {48, 264}, {128, 264}}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.twoColumns << k.twoRows);
        ui::unloadAllForms();
        // Titles written where the table has no column or row: never shown.
        TableItem item{"a", "b", "c", "d", "0", "1", "2", "e", "3", "4", "5", "f", "6", "7", "8"};
        for (int k2 = 1; k2 <= 15; ++k2) {
            const bool answer = k2 % 4 != 0 && k2 / 4 != 0;
            if (answer && ((k.twoColumns && k2 % 4 == 3) || (k.twoRows && k2 / 4 == 3)))
                item[std::size_t(k2 - 1)] = "";
        }
        Feuille6& f = load(2, tableRecord(2, k.twoColumns, k.twoRows, {item, item}));
        EXPECT_EQ(f.NombreCases, k.cells);
        EXPECT_EQ(f.GaucheTableau, k.left);
        EXPECT_EQ(f.HautTableau, k.top);
        EXPECT_EQ(designOf(f.Shape2), k.trayPlace);
        EXPECT_EQ(sizeOf(f.Shape2), k.traySize);
        for (int p = 0; p < k.cells; ++p) EXPECT_EQ(where(f, p), k.homes[std::size_t(p)]) << p;
        EXPECT_FALSE(f.Image1.exists(k.cells)) << "one element per cell";
        EXPECT_EQ(sizeOf(f.Shape5[0]).x(), k.twoColumns ? 273 : 365);
        EXPECT_EQ(sizeOf(f.Shape5[4]).y(), k.twoRows ? 282 : 384);
        EXPECT_EQ(seen(f.Shape5[3]), !k.twoRows);
        EXPECT_EQ(seen(f.Shape5[7]), !k.twoColumns);
        EXPECT_EQ(seen(f.Label3[2]), !k.twoColumns) << "the third column's title";
        EXPECT_EQ(seen(f.Label3[5]), !k.twoRows) << "the third row's title";
        EXPECT_EQ(f.Image3[2].enabled(), !k.twoColumns);
    }
}

TEST_F(TableTest, ThePointerFindsTheCellUnderItInsideTheTableOnly) {
    struct Case {
        bool two;
        double x, y;
        int cell;
    };
    const Case cases[] = {
        {false, 344, 100, -1}, {false, 345, 81, 0},    {false, 435.4, 181.4, 0},
        {false, 437, 183, 4},  {false, 627, 385.6, 8}, {false, 628, 200, -1},
        {false, 500, 386, -1}, {false, 400, 80, -1},   {true, 579, 353.6, 3},
        {true, 580, 200, -1},  {true, 389, 151, 0},    {true, 500, 149, -1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.two << " " << k.x << "," << k.y);
        ui::unloadAllForms();
        Feuille6& f = load(2, tableRecord(2, k.two, k.two, {kAnimals, kAnimals}));
        shell::Integer left = 0, top = 0, cell = -1;
        f.ChercherCase(float(k.x), float(k.y), left, top, cell);
        EXPECT_EQ(cell, k.cell);
        if (k.cell >= 0)
            EXPECT_EQ(QPoint(left, top), anchor(f, k.cell));
        else
            EXPECT_EQ(QPoint(left, top),
                      QPoint(int(std::lround(k.x - 45)), int(std::lround(k.y - 36))));
    }
}

TEST_F(TableTest, DrawingsSnapIntoFreeCellsAndGoHomeFromAnywhereElse) {
    Feuille6& f = start(2, tableRecord(2, false, false, {kAnimals, kThings}));
    const int a = placeOf(f, 4);
    const int b = placeOf(f, 0);
    click(f.Image1[a]);
    EXPECT_EQ(f.ObjetTenu, a);
    EXPECT_EQ(f.Label2.caption(),
              "Placer le dessin choisi au bon endroit.\r\nPuis, cliquer avec la souris.");
    moveTo(f, dp(245, 380));
    EXPECT_EQ(where(f, a), QPoint(200, 344)) << "outside the table it follows the pointer";
    EXPECT_EQ(shared.PointeurSurCase, 0);
    moveTo(f, cellPointer(f, 4));
    EXPECT_EQ(where(f, a), anchor(f, 4));
    EXPECT_NE(shared.PointeurSurCase, 0);
    clickAt(f, cellPointer(f, 4));
    EXPECT_EQ(f.Plateau[4], char(a));
    EXPECT_FALSE(f.DessinHorsCase[std::size_t(a)]);
    EXPECT_EQ(f.Label2.caption(), "Avec la souris, cliquer sur un des dessins.");

    // An occupied cell, or a click outside the table: home.
    carryTo(f, b, 4);
    EXPECT_EQ(where(f, b), home(f, b));
    EXPECT_EQ(f.Plateau[4], char(a));
    click(f.Image1[b]);
    clickAt(f, dp(245, 380));
    EXPECT_EQ(where(f, b), home(f, b));
    EXPECT_EQ(f.ObjetTenu, -1);
    // Carrying one and clicking another in the tray sends the carried one home.
    click(f.Image1[b]);
    const int c = placeOf(f, 8);
    const QPoint over = f.Image1[c].pixelRect().center();
    moveTo(f, over);
    clickAt(f, over);
    EXPECT_EQ(f.ObjetTenu, -1);
    EXPECT_EQ(where(f, b), home(f, b));
    EXPECT_EQ(where(f, c), home(f, c));
    // Taken again from its cell, the drawing frees it.
    click(f.Image1[a]);
    EXPECT_EQ(f.ObjetTenu, a);
    EXPECT_EQ(f.Plateau[4], ' ');
    EXPECT_TRUE(f.DessinHorsCase[std::size_t(a)]);
}

TEST_F(TableTest, CardsSitLowerInTheirCellsAndStayPutNearTheirGripPoint) {
    Feuille6& f = start(6, tableRecord(6, true, false, {kNumbers, kNumbers}));
    EXPECT_TRUE(f.modeCartes());
    EXPECT_EQ(f.Label1.caption(), "Placer chaque nombre ci-dessous dans le tableau.");
    EXPECT_EQ(f.Label2.caption(), "Avec la souris, cliquer sur un des nombres.");
    for (int p = 0; p < 6; ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(home(f, p), QPoint(48 + 80 * (p % 2), 72 + 96 * (p / 2) + 10 + (p % 2) * 44));
        EXPECT_EQ(where(f, p), home(f, p));
        ASSERT_NE(f.spriteCarte(p), nullptr);
        EXPECT_TRUE(f.spriteCarte(p)->visible);
    }
    EXPECT_EQ(f.TexteCarte[placeOf(f, 1)], "3 + 4");
    EXPECT_EQ(f.TexteCarte[placeOf(f, 5)], cp("6 ÷ 2"));
    const QImage screen = grab(static_cast<ui::Container&>(f));
    EXPECT_EQ(screen.pixelColor(f.GaucheCarte[0] + 6, f.HautCarte[0] + 16), QColor(0, 0, 255));

    const int p = placeOf(f, 2);
    take(f, p);
    ASSERT_EQ(f.ObjetTenu, p);
    EXPECT_EQ(f.Label2.caption(),
              "Placer le nombre choisi au bon endroit.  Puis, cliquer avec la souris.");
    moveTo(f, QPoint(300, 2));
    EXPECT_EQ(f.HautCarte[p], 20) << "a moving card stops 20 pixels from the top";
    moveTo(f, cellPointer(f, 2));
    EXPECT_EQ(where(f, p), anchor(f, 2, true));
    // Near the grip point (the card's left + 40, top + 16) the card does not move.
    const QPoint grip(f.GaucheCarte[p] + 40, f.HautCarte[p] + 16);
    moveTo(f, grip + QPoint(20, 12));
    EXPECT_EQ(where(f, p), anchor(f, 2, true));
    moveTo(f, grip + QPoint(-20, -12));
    EXPECT_EQ(where(f, p), anchor(f, 2, true));
    moveTo(f, grip + QPoint(21, 0));
    EXPECT_EQ(where(f, p), anchor(f, 2, true)) << "moved, but snapped to the same cell";
    clickAt(f, cellPointer(f, 2));
    EXPECT_EQ(f.Plateau[2], char(p));
    EXPECT_EQ(where(f, p), anchor(f, 2, true));
    check(f);
    EXPECT_EQ(lastBox(), "Il reste 5 nombres à placer.");
    for (int q = 0; q < 6; ++q)
        if (q != p && f.CaseAttendue[q] != 5) carryTo(f, q, f.CaseAttendue[q]);
    advance(2100);
    check(f);
    EXPECT_EQ(lastBox(), "Il reste 1 nombre à placer.");
    EXPECT_EQ(shared.Points, 8);
}

TEST_F(TableTest, TwoNumberCardsWithTheSameTextBelongEachToItsOwnCell) {
    TableItem twins = kNumbers;
    twins[4] = "5";  // cell 0
    twins[13] = "5"; // cell 5
    Feuille6& f = start(6, tableRecord(6, true, false, {twins, twins}));
    const int first = placeOf(f, 0);
    const int second = placeOf(f, 5);
    ASSERT_EQ(f.TexteCarte[first], f.TexteCarte[second]);
    for (int p = 0; p < 6; ++p) {
        int cell = f.CaseAttendue[p];
        if (p == first) cell = 5;
        if (p == second) cell = 0;
        carryTo(f, p, cell);
    }
    check(f);
    EXPECT_EQ(shared.Points, 7) << "each card is its own element";
    EXPECT_EQ(where(f, first), home(f, first));
    EXPECT_EQ(where(f, second), home(f, second));
}

TEST_F(TableTest, ASolidsTableWithAStarIsPlayedWithCardsJudgedByTheirNumbers) {
    // Two columns and rows: 3, 5, 8 and 10, and two cells of 5 in the second item.
    const TableItem first{"faces#", "162", "", "X150", "*3", "*5", "", "roule",
                          "*8",     "*10", "", "",     "",   "",   ""};
    const TableItem second{"a", "b", "", "c", "*5", "*7", "", "d", "*9", "*5", "", "", "", "", ""};
    Feuille6& f = start(10, tableRecord(10, true, true, {first, second}));
    EXPECT_TRUE(f.CartesSolides);
    EXPECT_TRUE(f.modeCartes());
    EXPECT_EQ(f.Label1.caption(), "Placer chaque nombre ci-dessous dans le tableau.");
    const char* shown[4] = {"3", "5", "8", "10"};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(f.TexteCarte[placeOf(f, c)], shown[c]) << "only the number shows";
        EXPECT_EQ(f.ValeurCase[std::size_t(c)], shown[c]);
    }
    // With cards, "X" is no negation mark; a digit title is still a drawing.
    EXPECT_EQ(f.Label3[3].caption(), "X150");
    EXPECT_FALSE(seen(f.Line2[6]));
    EXPECT_EQ(f.Image3[1].picture(), players::dessinBibliotheque(162));
    EXPECT_EQ(f.Label3[0].caption(), cp("faces côtés parallèles ")) << "a blank after the words";
    EXPECT_DOUBLE_EQ(f.Label3[0].fontSize(), 10.0);

    placeAll(f, true);
    check(f);
    EXPECT_EQ(shared.Points, 7) << "3 and 5 swapped";
    putRight(f);
    advance(2100);
    check(f);
    ASSERT_EQ(shared.NumeroItem, 1) << "right at the second check";
    // Equal numbers may change places.
    const int a = placeOf(f, 0);
    const int b = placeOf(f, 3);
    ASSERT_EQ(f.TexteCarte[a], "5");
    ASSERT_EQ(f.TexteCarte[b], "5");
    for (int p = 0; p < 4; ++p) {
        int cell = f.CaseAttendue[p];
        if (p == a) cell = 3;
        if (p == b) cell = 0;
        carryTo(f, p, cell);
    }
    advance(2100);
    check(f);
    EXPECT_EQ(screen<felicite>().Commande1.caption(), "7  sur  8") << "right at once";

    // Without a star, solids are drawings.
    ui::unloadAllForms();
    shell::resetSharedState();
    const TableItem drawings{"a",   "b",   "", "c", "150", "162", "", "d",
                             "168", "200", "", "",  "",    "",    ""};
    Feuille6& g = load(10, tableRecord(10, true, true, {drawings, drawings}));
    EXPECT_FALSE(g.modeCartes());
    EXPECT_EQ(g.Image1[placeOf(g, 1)].picture(), players::dessinBibliotheque(162));
    EXPECT_EQ(g.Label2.caption(), "Avec la souris, cliquer sur un des dessins.");
}

TEST_F(TableTest, TheAnswerOfASolidsTableLeavesAnEqualCardThatIsRightWhereItStands) {
    const TableItem item{"a", "b", "", "c", "*5", "*7", "", "d", "*9", "*5", "", "", "", "", ""};
    Feuille6& f = start(10, tableRecord(10, true, true, {item, item}));
    // Of the two 5s, the one of the lower place stays right in cell 3; the other one and the 7
    // are put in each other's cells, three times.
    const int fives[2] = {placeOf(f, 0), placeOf(f, 3)};
    const int right = std::min(fives[0], fives[1]);
    const int wrong = std::max(fives[0], fives[1]);
    const int seven = placeOf(f, 1);
    carryTo(f, right, 3);
    carryTo(f, placeOf(f, 2), 2);
    for (int t = 0; t < 3; ++t) {
        carryTo(f, seven, 0);
        carryTo(f, wrong, 1);
        advance(2100);
        check(f);
    }
    ASSERT_TRUE(seen(f.Command1));
    EXPECT_EQ(shared.Points, 4);
    EXPECT_EQ(where(f, right), anchor(f, 3, true)) << "it stays in its cell";
    EXPECT_EQ(where(f, wrong), anchor(f, 0, true));
    EXPECT_EQ(where(f, seven), anchor(f, 1, true));
}

TEST_F(TableTest, TitlesOfNumbersAndSolidsTurnTheirSymbolsIntoWords) {
    struct Case {
        int activity;
        std::string field;
        std::string shown;
        bool crossed;
    };
    const Case cases[] = {
        {6, "a<b", "a plus petit que b", false},
        {6, "Somme<10", "Somme plus petite que 10", false},
        {10, "D>2", "D plus grande que 2", false},
        {10, "faces=6", cp("faces égal à 6"), false},
        {10, "|", "perpendicu- laires ", false},
        {10, "x faces#", cp("faces côtés parallèles "), true},
        {6, "x : pair", std::string("x") + char(0xA0) + ": pair", false},
        {6, "X12", "X12", false},
        {2, "<5", "<5", false},
        {2, "x rouge", "rouge", true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.field + " in activity " + std::to_string(k.activity));
        ui::unloadAllForms();
        TableItem item{k.field, "b", "", "c", "1", "2", "", "d", "3", "4", "", "", "", "", ""};
        Feuille6& f = load(k.activity, tableRecord(k.activity, true, true, {item, item}));
        EXPECT_EQ(f.Label3[0].caption(), k.shown);
        EXPECT_DOUBLE_EQ(f.Label3[0].fontSize(), k.activity == 2 ? 12.0 : 10.0);
        EXPECT_EQ(seen(f.Line2[0]), k.crossed);
        EXPECT_EQ(seen(f.Line2[1]), k.crossed);
        EXPECT_TRUE(seen(f.Label3[0]));
    }
}

TEST_F(TableTest, ThreeFailuresCostFourPointsAndTheAnswerFillsTheEmptyCells) {
    Feuille6& f = start(6, tableRecord(6, true, false, {kNumbers, kNumbers}));
    const int a = placeOf(f, 0);
    const int b = placeOf(f, 1);
    placeAll(f, true);
    check(f);
    EXPECT_EQ(shared.Points, 7);
    EXPECT_EQ(where(f, a), home(f, a)) << "the wrong cards slid home";
    EXPECT_EQ(where(f, b), home(f, b));
    EXPECT_EQ(f.Plateau[0], ' ');
    EXPECT_EQ(where(f, placeOf(f, 2)), anchor(f, 2, true)) << "the right ones stay";
    checkSwappedBack(f);
    EXPECT_EQ(shared.Points, 6);
    swapBack(f);
    advance(2100);
    bool buttonFirst = false;
    check(f, [&] {
        // The check button and the report menu go first; the heading comes after this yield.
        buttonFirst = !seen(f.Image5[1]) && !fenetrePrincipale().bilan.enabled() &&
                      f.Label2.caption() != cp("VOICI LA RÉPONSE.");
        take(f, placeOf(f, 3));
        EXPECT_EQ(f.ObjetTenu, -1) << "the check locks the board";
    });
    EXPECT_TRUE(buttonFirst);
    EXPECT_EQ(shared.Points, 4) << "1 + 1 + 2";
    EXPECT_EQ(f.Label2.caption(), cp("VOICI LA RÉPONSE."));
    EXPECT_EQ(f.Label2.foreColor(), 0x0000FFu);
    EXPECT_DOUBLE_EQ(f.Label2.fontSize(), 16.0);
    EXPECT_EQ(where(f, a), anchor(f, 0, true));
    EXPECT_EQ(where(f, b), anchor(f, 1, true));
    EXPECT_TRUE(seen(f.Command1));
    EXPECT_EQ(fenetrePrincipale().bilan.enabled(), shared.MenuBilanActif != 0);

    bool sad = false;
    continueLesson(f, [&] { sad = facesShown(f, 1) && !seen(f.Shape5[0]) && !seen(f.Label3[0]); });
    EXPECT_TRUE(sad);
    EXPECT_EQ(shared.NumeroItem, 1);
    EXPECT_EQ(f.Label2.caption(), "Avec la souris, cliquer sur un des nombres.");
    EXPECT_EQ(f.Label2.foreColor(), 0x000000u) << "the second item's prompts are black";
    EXPECT_DOUBLE_EQ(f.Label2.fontSize(), 12.0);
    EXPECT_TRUE(seen(f.Label3[0]));
    for (int p = 0; p < 6; ++p) EXPECT_EQ(where(f, p), home(f, p));

    failThreeTimes(f);
    EXPECT_EQ(shared.Points, 0);
    continueToFailedReward(f, 120 * 6);
}

TEST_F(TableTest, TheDrawingsOfTheAnswerSlideFromTheirHomesIntoTheirCells) {
    Feuille6& f = start(2, tableRecord(2, false, false, {kAnimals, kThings}));
    const int a = placeOf(f, 0);
    const int b = placeOf(f, 1);
    placeAll(f, true);
    check(f);
    for (int t = 0; t < 2; ++t) checkSwappedBack(f);
    ASSERT_TRUE(seen(f.Command1));
    EXPECT_EQ(where(f, a), anchor(f, 0));
    EXPECT_EQ(where(f, b), anchor(f, 1));
    EXPECT_EQ(f.Label2.caption(), cp("VOICI LA RÉPONSE."));
    click(f.Image1[placeOf(f, 5)]);
    EXPECT_EQ(f.ObjetTenu, -1) << "the answer locks the board";
    pressEnter(f.Command1);
    EXPECT_EQ(shared.NumeroItem, 1);
    EXPECT_EQ(f.Image1[placeOf(f, 0)].picture(), players::dessinBibliotheque(119));
}

TEST_F(TableTest, AClickOnTheNumbersTableClosesTheReportOverIt) {
    Feuille6& f = start(6, tableRecord(6, true, false, {kNumbers, kNumbers}));
    carryTo(f, 0, f.CaseAttendue[0]);
    const QPoint placed = where(f, 0);
    ui::load<resultat>();
    shared.ResultatAffiche = 99;
    ui::unload<resultat>();
    clickAt(f, dp(300, 440));
    EXPECT_EQ(shared.ResultatAffiche, 0);
    for (int p = 0; p < 6; ++p) EXPECT_TRUE(f.spriteCarte(p)->visible) << p;
    EXPECT_EQ(where(f, 0), placed);
    // A repaint of a picture button clears the mark once the report has closed itself; while
    // the report lies over the table it stays (screens repaint whenever the active window
    // changes, the report's own opening included).
    ui::load<resultat>();
    shared.ResultatAffiche = 1;
    f.Image5[0].refresh();
    pump();
    EXPECT_NE(ui::find<resultat>(), nullptr);
    ui::unload<resultat>();
    shared.ResultatAffiche = 99;
    f.Image5[0].refresh();
    pump();
    EXPECT_EQ(shared.ResultatAffiche, 0);
    for (int p = 0; p < 6; ++p) EXPECT_TRUE(f.spriteCarte(p)->visible) << p;
}

} // namespace
