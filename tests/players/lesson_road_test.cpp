// A pupil's list of sets lessons of the three materials, played from the next-lesson routine
// through the players and the reward screens to the end of the list, at two screen sizes.
#include "players_fixture.h"

#include "signin/home_screen.h"

namespace {

using namespace playertest;

class LessonRoadTest : public PlayersTest, public testing::WithParamInterface<QSize> {};

TEST_P(LessonRoadTest, DrawingsNumbersAndSolidsPlayOneAfterTheOther) {
    setScreen(GetParam().width(), GetParam().height());
    const std::string drawings =
        setsRecord(0, true,
                   {drawingsItem(150, 1, 0, 149, 33), drawingsItem(151, 29, 3, 26, 31),
                    drawingsItem(152, 2, 4, 5, 6)});
    const SetsItem numbers{
        {{0, "3+4"}, {1, "12et5"}, {3, cp("6÷2")}, {5, "7"}, {7, "20-5"}}, "<10", "Somme>5"};
    const SetsItem solids{
        {{0, "150"}, {1, "162"}, {2, "168"}, {5, "200"}, {13, "230"}}, "faces=6", "Sommets<5"};
    writeCatalogue({{0, 1, drawings},
                    {4, 2, setsRecord(4, true, {numbers, numbers, numbers})},
                    {8, 3, setsRecord(8, false, {solids, solids, solids})}});
    startList(code(0, 1) + code(4, 2) + code(8, 3));
    const int activities[3] = {0, 4, 8};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(activities[k]);
        Feuille4* f = ui::find<Feuille4>();
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(shared.Activite, activities[k]);
        EXPECT_EQ(f->avecDessins(), activities[k] != 4);
        EXPECT_TRUE(f->shown());
        // The first item wrong once, then right: 7 points and the happy faces, then the
        // second item right at once.
        placeAll(*f, 1);
        check(*f);
        EXPECT_EQ(shared.Points, 7);
        for (int i = 0; i < 5; ++i) {
            const bool inTray = f->avecDessins() ? f->Image1[i].top() < 100 * shared.EchellePixel
                                                 : f->HautCarte[i] < 100 * shared.EchellePixel;
            if (inTray) carryTo(*f, i, cellOfRegion(*f, f->RegionAttendue[i]));
        }
        advance(2100);
        check(*f);
        EXPECT_EQ(shared.NumeroItem, 1);
        placeAll(*f);
        advance(2100);
        check(*f);
        ASSERT_NO_FATAL_FAILURE(
            leaveReward("7  sur  8", std::size_t(120 * activities[k] + k), '7'));
    }
    EXPECT_EQ(lastBox(), "Tu as terminé les leçons choisies.");
    EXPECT_NE(ui::find<Feuille1>(), nullptr);
    EXPECT_EQ(shared.LeconsDuJour, 3);
    EXPECT_EQ(shared.PointsDuJour, 21);
}

INSTANTIATE_TEST_SUITE_P(Screens, LessonRoadTest, roadScreens(), screenWidth);

} // namespace
