// The frame of the players, through the sets player: the item cycle, the three tries and their
// points, the answer, the faces, the check button's delay, the count message, the exit door, the
// board locked while a check runs, and a screen that goes away while its check waits.
#include "players_fixture.h"

#include "records/learning_report.h"

namespace {

using namespace playertest;
using players::felicite;
using players::Feuille4;
using records::resultat;
using shell::fenetrePrincipale;

// Three items of five drawings each; no drawing is in two items.
std::string threeItems(bool common = true) {
    return setsRecord(0, common,
                      {drawingsItem(150, 1, 0, 149, 33), drawingsItem(151, 29, 3, 26, 31),
                       drawingsItem(152, 2, 4, 5, 6)});
}

class FrameTest : public PlayersTest {
protected:
    // A cell of a region the element of this tray place does not belong to.
    int wrongCell(Feuille4& f, int place) {
        const int region = f.RegionAttendue[place] == 0 ? 1 : 0;
        return cellOfRegion(f, region);
    }
    // The first element whose place is right now in the tray.
    static int inTray(Feuille4& f) {
        for (int i = 0; i < 5; ++i)
            if (f.RegionAttendue[i] >= 0 && f.Image1[i].top() < 100 * shared.EchellePixel) return i;
        return -1;
    }
    // One failed check: an element in the tray (or the first one) goes to a wrong cell.
    void failOnce(Feuille4& f) {
        int i = inTray(f);
        if (i >= 0) carryTo(f, i, wrongCell(f, i));
        advance(2100);
        check(f);
    }
};

TEST_F(FrameTest, AFirstItemSolvedAtItsFirstCheckEndsTheLessonWithEightPoints) {
    Feuille4& f = startLesson(0, threeItems());
    EXPECT_EQ(shared.EcranCourant, shell::Ecran::Ensembles);
    EXPECT_TRUE(seen(f.Image5[1]));
    EXPECT_EQ(f.Label2.caption(), "Avec la souris, cliquer sur un des dessins.");
    placeAll(f);
    check(f);
    EXPECT_EQ(ui::find<Feuille4>(), nullptr);
    felicite* reward = ui::find<felicite>();
    ASSERT_NE(reward, nullptr);
    EXPECT_EQ(reward->Commande1.caption(), "8  sur  8");
    EXPECT_EQ(shared.EtatLecons[0], '8');
}

TEST_F(FrameTest, TwoFailuresThenSuccessGiveSixPointsHappyFacesAndTheNextItem) {
    Feuille4& f = startLesson(0, threeItems());
    placeAll(f, 1);
    check(f);
    EXPECT_EQ(shared.Points, 7);
    EXPECT_EQ(f.Essais, 1);
    const int back = inTray(f);
    ASSERT_GE(back, 0) << "the wrong element slid back to the tray";
    EXPECT_EQ(f.Image1[back].left(), 190 + 88 * back);
    EXPECT_EQ(f.Image1[back].top(), 8);
    failOnce(f);
    EXPECT_EQ(shared.Points, 6);
    EXPECT_EQ(f.Essais, 2);

    const int i = inTray(f);
    carryTo(f, i, cellOfRegion(f, f.RegionAttendue[i]));
    advance(2100);
    bool happy = false;
    std::vector<QPoint> places;
    check(f, [&] {
        happy = facesShown(f) && f.Image2[0].picture() == fenetrePrincipale().image2[0].picture();
        for (int k = 0; k <= 5; ++k)
            places.emplace_back(int(f.Image2[k].left()), int(f.Image2[k].top()));
        EXPECT_FALSE(seen(f.Shape1[0])) << "the exercise is hidden under the faces";
        EXPECT_FALSE(seen(f.Image5[1]));
    });
    EXPECT_TRUE(happy);
    EXPECT_EQ(places, (std::vector<QPoint>{
                          {210, 195}, {250, 215}, {290, 227}, {330, 227}, {370, 215}, {410, 195}}));
    EXPECT_FALSE(seen(f.Image2[0])) << "the faces go after 3 seconds";
    EXPECT_EQ(shared.ItemsTermines, 1);
    EXPECT_EQ(shared.NumeroItem, 1);
    EXPECT_EQ(placeOfDrawing(f, 29) >= 0, true) << "item 1 is shown";
    EXPECT_EQ(f.Essais, 0);

    placeAll(f);
    advance(2100);
    check(f);
    EXPECT_EQ(screen<felicite>().Commande1.caption(), "6  sur  8");
    EXPECT_EQ(shared.EtatLecons[0], '6');
}

TEST_F(FrameTest, ThreeFailuresOnEveryItemShowTheAnswersAndReachZeroPoints) {
    Feuille4& f = startLesson(0, threeItems());
    int failures = 0;
    for (int item = 0; item < 3; ++item) {
        placeAll(f, 1);
        for (int t = 0; t < 3; ++t) {
            if (t == 0) {
                advance(2100);
                check(f);
            } else {
                failOnce(f);
            }
            ++failures;
            EXPECT_EQ(shared.Points, std::max(0, 8 - failures));
        }
        // The answer is shown: heading, the wrong element on a cell of its region, continue.
        EXPECT_EQ(f.Label2.caption(), cp("VOICI LA RÉPONSE."));
        EXPECT_EQ(f.Label2.foreColor(), 0x0000FFu);
        EXPECT_DOUBLE_EQ(f.Label2.fontSize(), 16.0);
        EXPECT_FALSE(seen(f.Image5[1]));
        EXPECT_TRUE(seen(f.Command1));
        EXPECT_TRUE(f.Command1.hasFocus());
        EXPECT_NE(shared.Verrou, 0);
        EXPECT_EQ(shared.ItemsTermines, item + 1);
        int answered = 0;
        for (int c = 1; c <= 21; ++c)
            if (f.Plateau[std::size_t(c - 1)] == '1') ++answered;
        EXPECT_EQ(answered, 1);
        EXPECT_EQ(inTray(f), -1) << "every element stands on the board";

        if (item < 2) {
            bool sad = false;
            std::vector<int> tops;
            continueLesson(f, [&] {
                sad = facesShown(f) &&
                      f.Image2[0].picture() == fenetrePrincipale().image2[1].picture();
                for (int k = 0; k <= 5; ++k) tops.push_back(int(f.Image2[k].top()));
            });
            EXPECT_TRUE(sad);
            EXPECT_EQ(tops, (std::vector<int>{220, 200, 188, 188, 200, 220}));
            EXPECT_EQ(f.Label2.caption(), "Avec la souris, cliquer sur un des dessins.");
            EXPECT_DOUBLE_EQ(f.Label2.fontSize(), 12.0);
            EXPECT_EQ(f.Label2.foreColor(), 0x000000u);
            EXPECT_EQ(shared.Verrou, 0);
            EXPECT_EQ(shared.NumeroItem, item + 1);
        }
    }
    EXPECT_EQ(failures, 9);
    EXPECT_EQ(shared.Points, 0);
    bool facesAfterLast = false;
    continueLesson(f, [&] { facesAfterLast = ui::find<Feuille4>() != nullptr; });
    EXPECT_FALSE(facesAfterLast) << "the reward screen comes at once, without faces";
    ASSERT_NE(ui::find<felicite>(), nullptr);
    EXPECT_EQ(shared.EtatLecons[0], '0');
}

TEST_F(FrameTest, TheCheckButtonWaitsTwoSecondsAfterACheckWhileTheExitDoorNeverWaits) {
    Feuille4& f = startLesson(0, threeItems());
    carryTo(f, 0, cellOfRegion(f, f.RegionAttendue[0]));
    check(f);
    ASSERT_EQ(boxes.size(), 1u);
    const QImage before = f.Image5[1].surface().copy();
    advance(1000);
    press(f.Image5[1]);
    EXPECT_EQ(shared.BoutonEnfonce, 0);
    EXPECT_EQ(f.Image5[1].surface(), before) << "no pressed look";
    release(f.Image5[1]);
    EXPECT_EQ(boxes.size(), 1u) << "nothing happens";
    advance(1000);
    press(f.Image5[1]);
    EXPECT_NE(shared.BoutonEnfonce, 0);
    EXPECT_NE(f.Image5[1].surface(), before) << "the pressed look";
    release(f.Image5[1]);
    EXPECT_EQ(f.Image5[1].surface(), before) << "the release restores the picture";
    EXPECT_EQ(boxes.size(), 2u);

    // Right after that check, the exit door still quits.
    press(f.Image5[0]);
    release(f.Image5[0]);
    EXPECT_TRUE(ended);
}

TEST_F(FrameTest, TheCheckDelayEndsOnTimeAcrossMidnight) {
    Feuille4& f = startLesson(0, threeItems());
    // From ten in the morning to half a second before midnight.
    clock->advance(std::int64_t((14 * 3600.0 - 0.5) * 1000));
    check(f);
    ASSERT_EQ(boxes.size(), 1u);
    advance(2100);
    EXPECT_LT(ui::timeOfDay(), 2.0f);
    press(f.Image5[1]);
    EXPECT_NE(shared.BoutonEnfonce, 0) << "accepted 2 seconds later, past midnight";
    release(f.Image5[1]);
    EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(FrameTest, ACheckWithElementsLeftInTheTrayCountsThemAndCostsNothing) {
    Feuille4& f = startLesson(0, threeItems());
    for (int i = 0; i < 4; ++i) carryTo(f, i, cellOfRegion(f, f.RegionAttendue[i]));
    check(f);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Il reste 1 dessin à placer.");
    EXPECT_EQ(boxes[0].style, ui::vbOKOnly);
    EXPECT_EQ(shared.Points, 8);
    EXPECT_EQ(f.Essais, 0);
    // Taking two back leaves three.
    click(f.Image1[0]);
    clickAt(f, dp(300, 60));
    click(f.Image1[1]);
    clickAt(f, dp(300, 60));
    advance(2100);
    check(f);
    EXPECT_EQ(lastBox(), "Il reste 3 dessins à placer.");
    EXPECT_EQ(shared.Points, 8);
    EXPECT_EQ(f.Essais, 0);
}

TEST_F(FrameTest, AnItemNumberOutsideTheLessonStartsAtTheFirstItem) {
    for (int numero : {3, -1, 7}) {
        SCOPED_TRACE(numero);
        ui::unloadAllForms();
        openMainWindow();
        shared.NumeroItem = shell::Integer(numero);
        Feuille4& f = startLesson(0, threeItems());
        EXPECT_EQ(shared.NumeroItem, 0);
        for (int n : {150, 1, 0, 149, 33}) EXPECT_GE(placeOfDrawing(f, n), 0) << n;
    }
}

TEST_F(FrameTest, ALessonLeftInTheMiddleResumesAtItsItemWithItsPoints) {
    openMainWindow();
    shared.Points = 5;
    shared.ItemsTermines = 1;
    shared.NumeroItem = 1;
    Feuille4& f = startLesson(0, threeItems());
    EXPECT_GE(placeOfDrawing(f, 29), 0) << "item 1 is shown";
    EXPECT_EQ(shared.Points, 5);
    placeAll(f);
    check(f);
    ASSERT_NE(ui::find<felicite>(), nullptr);
    EXPECT_EQ(shared.EtatLecons[0], '5');
}

TEST_F(FrameTest, TheLastItemSolvedAtItsSecondCheckShowsTheHappyFacesThenTheReward) {
    openMainWindow();
    shared.Points = 6;
    shared.ItemsTermines = 2;
    shared.NumeroItem = 2;
    Feuille4& f = startLesson(0, threeItems());
    EXPECT_GE(placeOfDrawing(f, 152), 0) << "item 2 is shown";
    placeAll(f, 1);
    check(f);
    EXPECT_EQ(shared.Points, 5);
    EXPECT_EQ(f.Essais, 1);
    const int i = inTray(f);
    ASSERT_GE(i, 0);
    carryTo(f, i, cellOfRegion(f, f.RegionAttendue[i]));
    advance(2100);
    bool happy = false;
    check(f, [&] { happy = facesShown(f, 0) && ui::find<felicite>() == nullptr; });
    EXPECT_TRUE(happy) << "the faces come before the reward screen";
    felicite* reward = ui::find<felicite>();
    ASSERT_NE(reward, nullptr) << "no item follows the third";
    EXPECT_EQ(ui::find<Feuille4>(), nullptr);
    EXPECT_EQ(reward->Commande1.caption(), "5  sur  8");
    EXPECT_EQ(shared.EtatLecons[0], '5');
}

TEST_F(FrameTest, TheCheckButtonIsWrittenContinueInASizeThatGrowsWithTheScreen) {
    {
        Feuille4& f = startLesson(0, threeItems());
        EXPECT_DOUBLE_EQ(f.Image5[1].fontSize(), 8.0) << "7 is raised to 8";
        EXPECT_EQ(f.Image5[1].left(), 556);
        EXPECT_EQ(f.Image5[1].top(), 212);
        EXPECT_EQ(f.Image5[0].picture(), fenetrePrincipale().Image5.picture());
        EXPECT_FALSE(f.Image5[1].picture().isNull());
        EXPECT_NE(f.Image5[1].picture(), f.Image5[0].picture());
    }
    ui::unloadAllForms();
    shell::resetSharedState();
    setScreen(1024, 768);
    Feuille4& f = startLesson(0, threeItems());
    EXPECT_FLOAT_EQ(shared.EchellePixel, 1.6f);
    EXPECT_DOUBLE_EQ(f.Image5[1].fontSize(), 11.0);
    EXPECT_NEAR(f.Image5[1].left(), 556 * 1.6, 1);
    EXPECT_NEAR(f.Image5[1].top(), 212 * 1.6, 1);
    EXPECT_NEAR(f.Image2[0].width(), 51, 0.5) << "the faces are squares of 32 x Echelle";
}

TEST_F(FrameTest, TheBoardIsLockedWhileACheckRunsAndWhileTheAnswerIsShown) {
    Feuille4& f = startLesson(0, threeItems());
    placeAll(f, 1);
    bool probed = false;
    check(f, [&] {
        // The wrong element is back in the tray, but the check is not over.
        const int i = inTray(f);
        ASSERT_GE(i, 0);
        click(f.Image1[i]);
        EXPECT_EQ(f.ObjetTenu, -1);
        probed = true;
    });
    EXPECT_TRUE(probed);
    EXPECT_EQ(f.ObjetTenu, -1);
    failOnce(f);
    failOnce(f);
    ASSERT_TRUE(seen(f.Command1));
    click(f.Image1[0]);
    EXPECT_EQ(f.ObjetTenu, -1) << "the answer locks the board";
    const QPoint p = cellPointer(f, 21);
    clickAt(f, p);
    EXPECT_EQ(f.ObjetTenu, -1);
    pressEnter(f.Command1);
    EXPECT_EQ(shared.NumeroItem, 1) << "Enter continues the lesson";
    click(f.Image1[0]);
    EXPECT_EQ(f.ObjetTenu, 0) << "the next item is free again";
}

TEST_F(FrameTest, AScreenTakenAwayWhileItsCheckShowsTheFacesStopsThere) {
    Feuille4& f = startLesson(0, threeItems());
    placeAll(f, 1);
    check(f);
    const int i = inTray(f);
    carryTo(f, i, cellOfRegion(f, f.RegionAttendue[i]));
    advance(2100);
    check(f, [] { shell::FermerActivites(); });
    EXPECT_EQ(ui::find<Feuille4>(), nullptr);
    EXPECT_EQ(ui::find<felicite>(), nullptr);
    EXPECT_EQ(shared.ItemsTermines, 0) << "the unloaded screen went no further";
}

TEST_F(FrameTest, AClickOnThePlayerClosesTheLearningReportLyingOverIt) {
    Feuille4& f = startLesson(0, threeItems());
    ui::load<resultat>();
    shared.ResultatAffiche = 1;
    clickAt(f, dp(20, 300));
    EXPECT_EQ(ui::find<resultat>(), nullptr);
    EXPECT_EQ(shared.ResultatAffiche, 0);
    EXPECT_EQ(ui::find<Feuille4>(), &f);
}

} // namespace
