// The tree player: its two layouts, the leaf search, taking and putting elements on the leaves
// with the examples that stay put, the labels in their branch boxes, number cards, the check with
// its return slides, its points and its answer, and whole lessons from the next-lesson routine.
#include "players_fixture.h"

#include "platform/random.h"
#include "players/tree_player.h"
#include "records/learning_report.h"

#include <array>
#include <cmath>

namespace {

using namespace playertest;
using players::felicite;
using players::Feuille5;
using records::resultat;

using namespace playertest::trees;

class TreeTest : public PlayerTest<Feuille5> {
protected:
    static QPoint leafDesign(const Feuille5& f, int leaf) {
        return QPoint(f.GaucheFeuilles[leaf], f.HautFeuilles);
    }
};

TEST_F(TreeTest, AThreeLevelTreeDealsSixElementsToTheTrayAndTwoExamplesToTheirLeaves) {
    Feuille5& f = start(1, treeRecord(1, ' ', {kAnimals, kThings}));
    EXPECT_EQ(shared.EcranCourant, shell::Ecran::Arbre);
    EXPECT_EQ(f.DeuxNiveaux, 0);
    EXPECT_EQ(f.backColor(), 0x808080u);
    EXPECT_EQ(f.Label1.caption(), "Placer les objets ci-dessous sur un des points jaunes.");
    EXPECT_EQ(f.Label2.caption(), "Avec la souris, cliquer sur un des dessins.");
    EXPECT_EQ(design(f.Shape2.left(), f.Shape2.top()), QPoint(80, 328));
    EXPECT_EQ(design(f.Shape2.width(), f.Shape2.height()), QPoint(481, 91));
    EXPECT_EQ(design(f.Image5[1].left(), f.Image5[1].top()), QPoint(572, 344));

    const int drawings[8] = {0, 1, 2, 3, 50, 51, 52, 53};
    std::array<bool, 8> leafDealt{};
    for (int p = 0; p <= 7; ++p) {
        SCOPED_TRACE(p);
        const int leaf = f.FeuilleAttendue[p];
        ASSERT_GE(leaf, 0);
        EXPECT_FALSE(leafDealt[leaf]);
        leafDealt[leaf] = true;
        EXPECT_EQ(f.Image1[p].picture(), players::dessinBibliotheque(drawings[leaf]));
        EXPECT_TRUE(seen(f.Image1[p]));
        if (p <= 5) {
            EXPECT_EQ(where(f, p), QPoint(80 + 8 + 78 * p, 328)) << "in the tray";
            EXPECT_EQ(f.GaucheExemple[p], -1);
            EXPECT_TRUE(seen(f.Shape3[leaf]));
        } else {
            EXPECT_EQ(where(f, p), QPoint(80 * leaf, 8)) << "an example on its leaf";
            EXPECT_EQ(f.GaucheExemple[p], 80 * leaf);
            EXPECT_EQ(f.Plateau[leaf], '2');
            EXPECT_FALSE(seen(f.Shape3[leaf])) << "the example covers its point";
        }
    }
    for (int i = 0; i <= 7; ++i)
        EXPECT_EQ(design(f.Shape3[i].left(), f.Shape3[i].top()), QPoint(80 * i + 32, 87));
    for (int b = 0; b < 14; ++b) {
        EXPECT_TRUE(seen(f.Picture1[b])) << b;
        EXPECT_TRUE(seen(f.Line1[b])) << b;
    }
    EXPECT_EQ(f.Line1[6].x1(), 40);
    EXPECT_EQ(f.Line1[6].y1(), 96);
    EXPECT_EQ(f.Line1[0].x1(), 304);
    EXPECT_EQ(f.Line1[0].y1(), 304);

    // Level 0 is a word: its first box as written, its second crossed. Level 1 is drawing 4
    // negated: its first boxes crossed. Level 2 is a word on the eight leaf branches.
    EXPECT_EQ(f.TexteBranche[0], " animal  ");
    EXPECT_EQ(f.TexteBranche[1], " animal  ");
    for (int b : {2, 3, 4, 5}) {
        EXPECT_EQ(f.Picture1[b].picture(), players::dessinBibliotheque(4)) << b;
        EXPECT_TRUE(f.TexteBranche[b].empty());
    }
    for (int b = 6; b < 14; ++b) EXPECT_EQ(f.TexteBranche[b], " rouge  ") << b;
    for (int b = 0; b < 14; ++b) {
        const bool crossed = (b == 2 || b == 4) || (b != 3 && b != 5 && b % 2 == 1);
        EXPECT_EQ(seen(f.Line2[2 * b]), crossed) << b;
        EXPECT_EQ(seen(f.Line2[2 * b + 1]), crossed) << b;
    }
}

TEST_F(TreeTest, AnyMarkOfTwoLevelsPlaysFourLeavesAndLeavesOutTheThirdLevel) {
    TreeItem item{{"animal", "rouge", "grand"}, {"0", "1", "2", "3", "50", "51", "52", "53"}};
    Feuille5& f = start(1, treeRecord(1, 'x', {item, item}));
    EXPECT_EQ(f.DeuxNiveaux, 1);
    EXPECT_EQ(f.DerniereFeuille, 3);
    EXPECT_EQ(f.DernierePlaceBac, 2);
    EXPECT_EQ(design(f.Shape2.left(), f.Shape2.top()), QPoint(188, 328));
    EXPECT_EQ(design(f.Shape2.width(), f.Shape2.height()), QPoint(248, 91));
    const int lefts[4] = {40, 200, 360, 520};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(f.GaucheFeuilles[i], lefts[i]);
        EXPECT_EQ(design(f.Shape3[i].left(), f.Shape3[i].top()), QPoint(lefts[i] + 32, 159));
    }
    for (int p = 0; p <= 2; ++p) EXPECT_EQ(where(f, p), QPoint(188 + 8 + 78 * p, 328));
    const int example = f.FeuilleAttendue[3];
    ASSERT_GE(example, 0);
    EXPECT_EQ(where(f, 3), QPoint(lefts[example], 80));
    EXPECT_EQ(f.Plateau.substr(0, 4), std::string(4, ' ').replace(std::size_t(example), 1, "2"));
    EXPECT_FALSE(f.Image1.exists(4)) << "no place for the leaves of a third level";
    for (int b = 6; b < 14; ++b) {
        EXPECT_FALSE(seen(f.Picture1[b])) << b;
        EXPECT_FALSE(seen(f.Line1[b])) << b;
        EXPECT_TRUE(f.TexteBranche[b].empty()) << b;
    }
    EXPECT_EQ(f.TexteBranche[2], " rouge  ");
}

TEST_F(TreeTest, TheLeavesAreDealtWithTheSeededGeneratorTheLastFreePlaceTakingAClash) {
    for (char levels : {' ', '1'}) {
        SCOPED_TRACE(levels);
        ui::unloadAllForms();
        const int n = levels == ' ' ? 8 : 4;
        // What the dealing must give: a rounded draw, the last free place when it is taken.
        platform::randomize(4321.5);
        std::vector<int> expected;
        std::vector<bool> taken(std::size_t(n), false);
        for (int e = 0; e < n; ++e) {
            long long p = std::llrint(double(platform::rnd()) * n);
            if (p >= n) p = n - 1;
            if (taken[std::size_t(p)])
                for (int q = 0; q < n; ++q)
                    if (!taken[std::size_t(q)]) p = q;
            taken[std::size_t(p)] = true;
            expected.push_back(int(p));
        }
        platform::randomize(4321.5);
        Feuille5& f = load(1, treeRecord(1, levels, {kAnimals, kThings}));
        for (int e = 0; e < n; ++e) EXPECT_EQ(placeOf(f, e), expected[std::size_t(e)]) << e;
    }
}

TEST_F(TreeTest, ThePointerSnapsToTheLeafOfItsColumnAboveTheLeafRowAndFollowsBelowIt) {
    struct Case {
        char levels;
        int activity;
        double x, y;
        int leaf; // -1: the element follows the pointer
    };
    const Case cases[] = {
        {' ', 1, 5, 20, 0},      {' ', 1, -30, 20, 0},  {' ', 1, 159.4, 107, 1},
        {' ', 1, 159.6, 107, 2}, {' ', 1, 639, 60, 7},  {' ', 1, 700, 0, 7},
        {' ', 1, 300, 108, -1},  {' ', 5, 300, 154, 3}, {' ', 5, 300, 155, -1},
        {'1', 1, 159, 179, 0},   {'1', 1, 160, 100, 1}, {'1', 1, 630, 150, 3},
        {'1', 1, 300, 180, -1},  {'1', 5, 479, 226, 2}, {'1', 5, 300, 227, -1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message()
                     << k.levels << " " << k.activity << " " << k.x << "," << k.y);
        ui::unloadAllForms();
        TreeItem item = k.activity == 5 ? kNumbers : kAnimals;
        Feuille5& f = load(k.activity, treeRecord(k.activity, k.levels, {item, item}));
        shell::Integer left = 0, top = 0, leaf = -1;
        f.ChercherFeuille(float(k.x), float(k.y), left, top, leaf);
        EXPECT_EQ(leaf, k.leaf);
        if (k.leaf >= 0) {
            EXPECT_EQ(QPoint(left, top), leafDesign(f, k.leaf));
        } else {
            EXPECT_EQ(QPoint(left, top), QPoint(int(k.x) - 45, int(k.y) - 36));
        }
    }
}

TEST_F(TreeTest, TwoClicksPutADrawingOnAFreeLeafAndAnythingElseSendsItHome) {
    Feuille5& f = start(1, treeRecord(1, ' ', {kAnimals, kThings}));
    const int a = 0, b = 1;
    const int leafA = f.FeuilleAttendue[a];
    click(f.Image1[a]);
    EXPECT_EQ(f.ObjetTenu, a);
    EXPECT_EQ(f.Label2.caption(),
              "Placer le dessin choisi au bon endroit.  Puis, cliquer avec la souris.");
    // Below the leaf zone the drawing follows the pointer, held 45 and 36 pixels from its corner.
    moveTo(f, dp(300, 200));
    EXPECT_EQ(where(f, a), QPoint(255, 164));
    EXPECT_EQ(shared.PointeurSurCase, 0);
    moveTo(f, leafPointer(f, leafA));
    EXPECT_EQ(where(f, a), leafDesign(f, leafA));
    EXPECT_NE(shared.PointeurSurCase, 0);
    clickAt(f, leafPointer(f, leafA));
    EXPECT_EQ(f.ObjetTenu, -1);
    EXPECT_EQ(f.Plateau[leafA], char(a));
    EXPECT_EQ(f.Label2.caption(), "Avec la souris, cliquer sur un des dessins.");
    EXPECT_TRUE(seen(f.Shape3[leafA])) << "the point stays under the drawing";

    // A leaf that holds another element, an example's leaf, or a click below the leaves: home.
    carryTo(f, b, leafA);
    EXPECT_EQ(where(f, b), QPoint(88 + 78 * b, 328));
    EXPECT_EQ(f.Plateau[leafA], char(a));
    const int example = 6;
    const int exampleLeaf = f.FeuilleAttendue[example];
    carryTo(f, b, exampleLeaf);
    EXPECT_EQ(where(f, b), QPoint(88 + 78 * b, 328));
    EXPECT_EQ(f.Plateau[exampleLeaf], '2');
    click(f.Image1[b]);
    clickAt(f, dp(300, 200));
    EXPECT_EQ(where(f, b), QPoint(88 + 78 * b, 328));
    EXPECT_EQ(f.ObjetTenu, -1);

    // An example cannot be taken; a placed drawing taken again frees its leaf.
    click(f.Image1[example]);
    EXPECT_EQ(f.ObjetTenu, -1);
    EXPECT_EQ(where(f, example), leafDesign(f, exampleLeaf));
    click(f.Image1[a]);
    EXPECT_EQ(f.ObjetTenu, a);
    EXPECT_EQ(f.Plateau[leafA], ' ');
}

TEST_F(TreeTest, ACheckWithElementsOffTheLeavesCountsThemAsDrawingsAndCostsNothing) {
    for (int activity : {1, 5}) {
        SCOPED_TRACE(activity);
        ui::unloadAllForms();
        shell::resetSharedState();
        boxes.clear();
        const TreeItem item = activity == 1 ? kAnimals : kNumbers;
        Feuille5& f = start(activity, treeRecord(activity, ' ', {item, item}));
        for (int p = 0; p < 5; ++p) carryTo(f, p, f.FeuilleAttendue[p]);
        check(f);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "Il reste 1 dessin à placer.") << "dessin, with numbers too";
        EXPECT_EQ(shared.Points, 8);
        EXPECT_EQ(f.Essais, 0);
        take(f, 0);
        clickAt(f, dp(300, 200));
        advance(2100);
        check(f);
        EXPECT_EQ(lastBox(), "Il reste 2 dessins à placer.");
        EXPECT_EQ(shared.Points, 8);
    }
}

TEST_F(TreeTest, ThreeFailuresCostFourPointsAndShowTheAnswerOnTheLeaves) {
    Feuille5& f = start(1, treeRecord(1, ' ', {kAnimals, kThings}));
    placeAll(f, true);
    const int a = 0, b = 1;
    check(f);
    EXPECT_EQ(shared.Points, 7);
    EXPECT_EQ(f.Essais, 1);
    EXPECT_EQ(where(f, a), QPoint(88, 328)) << "the wrong ones slid back to the tray";
    EXPECT_EQ(where(f, b), QPoint(88 + 78, 328));
    EXPECT_EQ(f.Plateau[f.FeuilleAttendue[a]], ' ');
    for (int p = 2; p <= 5; ++p) EXPECT_EQ(where(f, p), leafDesign(f, f.FeuilleAttendue[p]));

    checkSwappedBack(f);
    EXPECT_EQ(shared.Points, 6);
    swapBack(f);
    advance(2100);
    bool headingFirst = false;
    check(f, [&] {
        headingFirst = f.Label1.caption() == cp("VOICI LA RÉPONSE.") &&
                       f.Label2.caption().empty() && !seen(f.Image5[1]) && shared.Verrou != 0;
        EXPECT_EQ(where(f, a), QPoint(88, 328)) << "the answer comes after the pause";
    });
    EXPECT_TRUE(headingFirst);
    EXPECT_EQ(shared.Points, 4) << "1 + 1 + 2";
    EXPECT_EQ(f.Label1.foreColor(), 0x00FFFFu);
    EXPECT_DOUBLE_EQ(f.Label1.fontSize(), 14.0);
    EXPECT_EQ(where(f, a), leafDesign(f, f.FeuilleAttendue[a]));
    EXPECT_EQ(where(f, b), leafDesign(f, f.FeuilleAttendue[b]));
    EXPECT_TRUE(seen(f.Command1));
    EXPECT_EQ(shared.ItemsTermines, 1);
    click(f.Image1[2]);
    EXPECT_EQ(f.ObjetTenu, -1) << "the answer locks the board";

    bool sad = false;
    continueLesson(f,
                   [&] { sad = facesShown(f, 1) && !seen(f.Shape3[0]) && !seen(f.Picture1[0]); });
    EXPECT_TRUE(sad);
    EXPECT_EQ(shared.NumeroItem, 1);
    EXPECT_EQ(f.Label1.caption(), "Placer les objets ci-dessous sur un des points jaunes.");
    EXPECT_EQ(f.Label1.foreColor(), 0x000000u) << "the later item keeps its instruction black";
    EXPECT_DOUBLE_EQ(f.Label1.fontSize(), 12.0);
    EXPECT_EQ(f.Image1[placeOf(f, 0)].picture(), players::dessinBibliotheque(119));
    EXPECT_EQ(f.TexteBranche[0], " jouet  ");
    EXPECT_TRUE(f.Picture1[2].picture().isNull()) << "the last item's drawing label is gone";

    failThreeTimes(f);
    EXPECT_EQ(shared.Points, 0);
    continueToFailedReward(f, 120);
}

TEST_F(TreeTest, ADrawingOnALeafLiesInFrontOfTheLeafsPointHoweverItCameThere) {
    Feuille5& f = start(1, treeRecord(1, ' ', {kAnimals, kThings}));
    // Painted back to front: a later place in the order is drawn over an earlier one.
    const auto rang = [&](const ui::Control& c) {
        const auto& ordre = f.windowlessOrder();
        return std::find(ordre.begin(), ordre.end(), &c) - ordre.begin();
    };
    const auto devant = [&](const std::string& quand) {
        for (int p = 0; p <= f.DerniereFeuille; ++p) {
            const int leaf = f.FeuilleAttendue[p];
            if (where(f, p) != leafDesign(f, leaf)) continue;
            EXPECT_GT(rang(f.Image1[p]), rang(f.Shape3[leaf])) << quand << ", place " << p;
            EXPECT_GT(rang(f.Image1[p]), rang(f.Line1[6 + leaf])) << quand << ", place " << p;
        }
    };
    placeAll(f, true);
    devant("put down by the pupil");
    for (int t = 0; t < 3; ++t) {
        if (t > 0) swapBack(f);
        advance(2100);
        check(f);
    }
    devant("slid there by the answer");
    continueLesson(f);
    placeAll(f);
    devant("in the next item");
}

TEST_F(TreeTest, AnItemRightAtOnceEndsTheLessonAndOneRightLaterShowsHappyFaces) {
    {
        Feuille5& f = start(1, treeRecord(1, ' ', {kAnimals, kThings}));
        placeAll(f);
        check(f);
        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ(ui::find<Feuille5>(), nullptr);
        EXPECT_EQ(screen<felicite>().Commande1.caption(), "8  sur  8");
    }
    ui::unloadAllForms();
    shell::resetSharedState();
    Feuille5& f = start(1, treeRecord(1, ' ', {kAnimals, kThings}));
    placeAll(f, true);
    check(f);
    checkSwappedBack(f);
    const int a = 0;
    carryTo(f, a, f.FeuilleAttendue[a]);
    carryTo(f, 1, f.FeuilleAttendue[1]);
    advance(2100);
    bool happy = false;
    check(f, [&] { happy = facesShown(f, 0); });
    EXPECT_TRUE(happy);
    EXPECT_EQ(shared.Points, 6);
    EXPECT_EQ(shared.NumeroItem, 1);
    placeAll(f);
    advance(2100);
    check(f);
    ASSERT_NE(ui::find<felicite>(), nullptr);
    EXPECT_EQ(shared.EtatLecons[120], '6');
}

TEST_F(TreeTest, NumberCardsAreRedAndStaggeredInTheTrayAndTheExampleCardsStayOnTheirLeaves) {
    Feuille5& f = start(5, treeRecord(5, ' ', {kNumbers, kNumbers}));
    EXPECT_EQ(f.backColor(), 0x808000u);
    EXPECT_EQ(f.Image5[0].backColor(), 0x808000u);
    EXPECT_EQ(f.Image5[1].backColor(), 0x808080u) << "the check button keeps the first grey";
    EXPECT_EQ(f.Label1.caption(), "Placer les nombres ci-dessous sur un des points jaunes.");
    EXPECT_EQ(f.Label2.caption(), "Avec la souris, cliquer sur un des nombres.");
    EXPECT_EQ(f.Shape2.backColor(), 0xC0C000u);
    EXPECT_EQ(design(f.Shape2.left(), f.Shape2.top()), QPoint(80, 340));
    EXPECT_EQ(f.HautFeuilles, 55);
    EXPECT_EQ(design(f.Shape3[0].left(), f.Shape3[0].top()), QPoint(32, 86));
    EXPECT_FALSE(f.Image1[0].visible());
    // The labels are text: "X" is no negation mark, and no symbol turns into words.
    EXPECT_EQ(f.TexteBranche[2], " >10  ");
    EXPECT_EQ(f.TexteBranche[6], " X<5  ");
    EXPECT_FALSE(seen(f.Line2[12])) << "first box of the leaf level as written";
    EXPECT_TRUE(seen(f.Line2[14]));

    for (int p = 0; p <= 7; ++p) {
        SCOPED_TRACE(p);
        ASSERT_NE(f.spriteCarte(p), nullptr);
        EXPECT_TRUE(f.spriteCarte(p)->visible);
        if (p <= 5)
            EXPECT_EQ(where(f, p), QPoint(84 + 78 * p, p % 2 == 0 ? 346 : 374));
        else
            EXPECT_EQ(where(f, p), leafDesign(f, f.FeuilleAttendue[p]));
    }
    EXPECT_GE(placeOf(f, 1), 0);
    EXPECT_EQ(f.TexteCarte[placeOf(f, 1)], "3 + 4");
    const QImage screen = grab(static_cast<ui::Container&>(f));
    const QPoint c(f.GaucheCarte[0] + 6, f.HautCarte[0] + 16);
    EXPECT_EQ(screen.pixelColor(c), QColor(255, 0, 0)) << "a red card";

    // A click on an example card takes nothing; a card put on a leaf stands exactly there.
    clickAt(f, QPoint(f.GaucheCarte[6] + 40, f.HautCarte[6] + 16));
    EXPECT_EQ(f.ObjetTenu, -1);
    const int leaf = f.FeuilleAttendue[0];
    take(f, 0);
    EXPECT_EQ(f.ObjetTenu, 0);
    EXPECT_EQ(f.Label2.caption(),
              "Placer le nombre choisi au bon endroit.  Puis, cliquer avec la souris.");
    moveTo(f, leafPointer(f, leaf));
    clickAt(f, leafPointer(f, leaf));
    EXPECT_EQ(where(f, 0), leafDesign(f, leaf));
    EXPECT_EQ(f.Plateau[leaf], char(0));
    // A card of a leaf other than the last, taken again at its very right edge, which lies
    // over the next leaf's column: its own leaf is freed.
    const int p = leaf < 7 ? 0 : 1;
    if (p == 1) {
        carryTo(f, 1, f.FeuilleAttendue[1]);
    }
    const int own = f.FeuilleAttendue[p];
    ASSERT_LT(own, 7);
    clickAt(f, QPoint(f.GaucheCarte[p] + f.LargeurCarte - 1, f.HautCarte[p] + 16));
    EXPECT_EQ(f.ObjetTenu, p);
    EXPECT_EQ(f.Plateau[own], ' ');
    EXPECT_EQ(std::count(f.Plateau.begin(), f.Plateau.end(), '2'), 2);
}

TEST_F(TreeTest, NumberCardsAreSmoothBarsWithBothEndsAlikeAtEveryScale) {
    for (const QSize screen : {QSize(640, 480), QSize(1024, 768), QSize(1440, 1080)}) {
        SCOPED_TRACE(screen.width());
        ui::unloadAllForms();
        shell::resetSharedState();
        setScreen(screen.width(), screen.height());
        shell::CalculerEchelle();
        Feuille5& f = start(5, treeRecord(5, ' ', {kNumbers, kNumbers}));
        const QImage shot = grab(static_cast<ui::Container&>(f));
        // A tray card with one digit, whose text keeps clear of the ends.
        int p = 0;
        while (p < 5 && f.TexteCarte[p].size() != 1) ++p;
        ASSERT_EQ(f.TexteCarte[p].size(), 1u);
        // How much of a pixel of the card it covers: 0 shows the tray's teal, 1 the card's red.
        const auto couvert = [&](int x, int y) {
            const QColor c = shot.pixelColor(f.GaucheCarte[p] + x, f.HautCarte[p] + y);
            EXPECT_NEAR(c.green(), 192 - 192 * c.red() / 255, 3)
                << "a blend of the tray and the card at " << x << "," << y;
            return double(c.red()) / 255;
        };
        const double e = shared.EchellePixel;
        const int longueur = int(std::lround(80 * e));
        const int hauteur = int(std::lround(32 * e));
        int lisses = 0;
        for (int y = 0; y < hauteur; ++y) {
            for (int x = 0; x < int(16 * e); ++x) {
                const double gauche = couvert(x, y);
                const double droite = couvert(longueur - 1 - x, y);
                ASSERT_NEAR(gauche, droite, 0.05)
                    << "the ends mirror each other at " << x << "," << y;
                if (gauche > 0.1 && gauche < 0.9) ++lisses;
            }
        }
        EXPECT_GT(couvert(0, hauteur / 2), 0.5) << "the bar reaches its left edge";
        EXPECT_LT(couvert(0, 1), 0.1) << "a round end, not a flat one";
        EXPECT_GE(lisses, hauteur / 2) << "the edge is smoothed";
    }
}

TEST_F(TreeTest, LabelsAreWrittenInTheirBranchBoxesOnOneLineOrTwo) {
    struct Case {
        int activity;
        std::string label0; // the item's first characters
        std::string label1;
        std::string shown; // in box 2
        double size;       // font size of box 2
        bool crossedFirst; // box 2 crossed, box 3 not
    };
    const Case cases[] = {
        {1, "animal", "rouge", " rouge  ", 10, false},
        {9, "Sommets", "a<b", " a plus petite que b  ", 10, false},
        {9, "faces", "a<b", " a plus petit que b  ", 10, false},
        {9, "faces", "#|", cp(" côtés parallèles |  "), 10, false},
        {9, "faces", "xabcdefghijklmnopq", " abcdefghijklmno  ", 10, true},
        {1, "animal", "x", "", 0, false},
        {5, "pair", "mmmmmmmm mmmmmmmmm", "", 8, false},
        {5, "pair", "mmmmmmmmmmmmmmmmmm", "", 8, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.label1 + " in activity " + std::to_string(k.activity));
        ui::unloadAllForms();
        TreeItem item{{k.label0, k.label1, ""}, {"150", "162", "168", "200", "", "", "", ""}};
        if (k.activity == 5) item.leaves = {"1", "2", "3", "4", "", "", "", ""};
        Feuille5& f = load(k.activity, treeRecord(k.activity, '1', {item, item}));
        ui::PictureBox& box = f.Picture1[2];
        if (k.label1 == "x") {
            // The mark alone: the level stays empty.
            EXPECT_TRUE(f.TexteBranche[2].empty());
            EXPECT_FALSE(seen(f.Line2[4]) || seen(f.Line2[6]));
            continue;
        }
        if (k.size == 8) {
            // Too wide at 8 points: two lines cut at the first space from the middle, 30 high.
            EXPECT_EQ(box.height(), 30);
            const std::string& t = f.TexteBranche[2];
            const auto cut = t.find("\r\n");
            ASSERT_NE(cut, std::string::npos);
            if (k.label1.find(' ') == std::string::npos)
                EXPECT_EQ(t.substr(0, cut), "   ") << "no inner space: an empty first line";
            else
                EXPECT_EQ(t, " mmmmmmmm   \r\n mmmmmmmmm  ");
            EXPECT_LT(box.fontSize(), 8.0 + 1.01);
        } else {
            EXPECT_EQ(f.TexteBranche[2], k.shown);
            EXPECT_DOUBLE_EQ(box.fontSize(), k.size);
            EXPECT_EQ(box.height(), 20);
            EXPECT_FALSE(box.fontBold());
            EXPECT_NEAR(box.width(), box.textWidth(k.shown), 0.01);
            // The first box keeps its right edge beside its branch; the second grows rightward.
            EXPECT_NEAR(box.left() + box.width(), 80 + 41 + 30, 0.01);
            EXPECT_EQ(box.top(), 184 + 3);
            EXPECT_EQ(f.Picture1[3].left(), 200 - 20);
        }
        EXPECT_EQ(seen(f.Line2[4]), k.crossedFirst);
        EXPECT_EQ(seen(f.Line2[6]), !k.crossedFirst);
        const int crossed = k.crossedFirst ? 2 : 3;
        const ui::Line& cross = f.Line2[2 * crossed];
        EXPECT_EQ(cross.x2(), f.Picture1[crossed].width() - 4);
        EXPECT_EQ(cross.y2(), f.Picture1[crossed].height() - 4);
        EXPECT_EQ(cross.borderWidth(), 1) << "one pixel at the design's scale";
    }
}

TEST_F(TreeTest, ACrossedWordStaysReadableUnderCrossingLinesThatGrowWithTheScreen) {
    struct Case {
        QSize screen;
        int width; // of the crossing lines, pixels
    };
    for (const Case& c : {Case{{640, 480}, 1}, Case{{1024, 768}, 2}, Case{{1440, 1080}, 2}}) {
        SCOPED_TRACE(c.screen.width());
        ui::unloadAllForms();
        shell::resetSharedState();
        setScreen(c.screen.width(), c.screen.height());
        shell::CalculerEchelle();
        const TreeItem item{{"animal", "rouge", ""}, {"150", "162", "168", "200", "", "", "", ""}};
        Feuille5& f = load(1, treeRecord(1, '1', {item, item}));
        // Box 2 shows the word as written, box 3 crossed; both hold the same text.
        ASSERT_EQ(f.TexteBranche[2], f.TexteBranche[3]);
        ASSERT_TRUE(seen(f.Line2[6]));
        EXPECT_EQ(f.Line2[6].borderWidth(), c.width);
        EXPECT_EQ(f.Line2[7].borderWidth(), c.width);
        const QImage clair = grab(f.Picture1[2]);
        const QImage barre = grab(f.Picture1[3]);
        // The word's ink that the crossing leaves to be seen (the two boxes' widths may differ
        // by the rounding of their places).
        int encre = 0, visible = 0;
        for (int y = 0; y < std::min(clair.height(), barre.height()); ++y)
            for (int x = 0; x < std::min(clair.width(), barre.width()); ++x) {
                if (qGray(clair.pixel(x, y)) >= 100) continue;
                ++encre;
                if (qGray(barre.pixel(x, y)) < 100 && qBlue(barre.pixel(x, y)) < 100) ++visible;
            }
        ASSERT_GT(encre, 0);
        EXPECT_GE(double(visible) / encre, 0.85);
    }
}

TEST_F(TreeTest, TheBoardIsLockedWhileACheckRunsAndAScreenTakenAwayStopsItsAnswer) {
    Feuille5& f = start(1, treeRecord(1, ' ', {kAnimals, kThings}));
    placeAll(f, true);
    check(f);
    checkSwappedBack(f);
    swapBack(f);
    advance(2100);
    bool probed = false;
    check(f, [&] {
        click(f.Image1[0]);
        EXPECT_EQ(f.ObjetTenu, -1);
        probed = true;
        shell::FermerActivites();
    });
    EXPECT_TRUE(probed);
    EXPECT_EQ(ui::find<Feuille5>(), nullptr);
    EXPECT_EQ(ui::find<felicite>(), nullptr);
}

TEST_F(TreeTest, AClickOnTheNumbersTreeClosesTheReportOverItAndKeepsItsCards) {
    Feuille5& f = start(5, treeRecord(5, ' ', {kNumbers, kNumbers}));
    carryTo(f, 0, f.FeuilleAttendue[0]);
    const QPoint placed = where(f, 0);
    ui::load<resultat>();
    shared.ResultatAffiche = 99;
    ui::unload<resultat>();
    clickAt(f, QPoint(f.GaucheCarte[1] + 40, f.HautCarte[1] + 16));
    EXPECT_EQ(shared.ResultatAffiche, 0);
    EXPECT_EQ(f.ObjetTenu, 1) << "the tree takes the card as well";
    for (int p = 0; p <= 7; ++p) EXPECT_TRUE(f.spriteCarte(p)->visible) << p;
    EXPECT_EQ(where(f, 0), placed);
}

} // namespace
