// A pupil's list of three lessons of one player, one of each material, played from the
// next-lesson routine through the player and the reward screens to the end of the list, for the
// sets, the tree and the table players at two screen sizes. Each item goes the same way: the
// first wrong once and then right (7 points and the happy faces), the second right at once.
#include "players_fixture.h"

#include "signin/home_screen.h"

#include <ostream>

namespace {

using namespace playertest;
using players::Feuille4;
using players::Feuille5;
using players::Feuille6;
using signin::Feuille1;

class LessonRoadTest;

// What differs from one player to the next.
struct Road {
    const char* name;
    int activities[3];
    std::vector<std::tuple<int, int, std::string>> (*lessons)();
    // The player shown now, or null.
    players::DraggingPlayer* (*player)();
    // Whether each lesson is played with drawings rather than cards.
    bool withDrawings[3];
    // The pupil's moves: every element placed with two of them wrong, those two put right, and
    // every element placed right.
    void (LessonRoadTest::*placeTwoWrong)(players::DraggingPlayer&);
    void (LessonRoadTest::*putTwoRight)(players::DraggingPlayer&);
    void (LessonRoadTest::*placeAllRight)(players::DraggingPlayer&);
};

struct RoadCase {
    const Road* road;
    QSize screen;
};
void PrintTo(const RoadCase& c, std::ostream* out) {
    *out << c.road->name << " at " << c.screen.width() << "x" << c.screen.height();
}
std::string roadName(const testing::TestParamInfo<RoadCase>& i) {
    return std::string(i.param.road->name) + "_" + std::to_string(i.param.screen.width());
}

class LessonRoadTest : public PlayersTest, public testing::WithParamInterface<RoadCase> {
public:
    void setsTwoWrong(players::DraggingPlayer& f) { placeAll(sets(f), 1); }
    void setsTwoRight(players::DraggingPlayer& f) {
        Feuille4& s = sets(f);
        for (int i = 0; i < 5; ++i) {
            const bool inTray = s.avecDessins() ? s.Image1[i].top() < 100 * shared.EchellePixel
                                                : s.HautCarte[i] < 100 * shared.EchellePixel;
            if (inTray) carryTo(s, i, cellOfRegion(s, s.RegionAttendue[i]));
        }
    }
    void setsAllRight(players::DraggingPlayer& f) { placeAll(sets(f)); }

    void treeTwoWrong(players::DraggingPlayer& f) { placeAll(tree(f), true); }
    void treeTwoRight(players::DraggingPlayer& f) {
        Feuille5& t = tree(f);
        carryTo(t, 0, t.FeuilleAttendue[0]);
        carryTo(t, 1, t.FeuilleAttendue[1]);
    }
    void treeAllRight(players::DraggingPlayer& f) { placeAll(tree(f)); }

    void tableTwoWrong(players::DraggingPlayer& f) { placeAll(table(f), true); }
    void tableTwoRight(players::DraggingPlayer& f) { putRight(table(f)); }
    void tableAllRight(players::DraggingPlayer& f) { placeAll(table(f)); }

private:
    static Feuille4& sets(players::DraggingPlayer& f) { return dynamic_cast<Feuille4&>(f); }
    static Feuille5& tree(players::DraggingPlayer& f) { return dynamic_cast<Feuille5&>(f); }
    static Feuille6& table(players::DraggingPlayer& f) { return dynamic_cast<Feuille6&>(f); }
};

const Road kSets{
    "Sets",
    {0, 4, 8},
    [] {
        const std::string drawings =
            setsRecord(0, true,
                       {drawingsItem(150, 1, 0, 149, 33), drawingsItem(151, 29, 3, 26, 31),
                        drawingsItem(152, 2, 4, 5, 6)});
        const SetsItem numbers{
            {{0, "3+4"}, {1, "12et5"}, {3, cp("6÷2")}, {5, "7"}, {7, "20-5"}}, "<10", "Somme>5"};
        const SetsItem solids{
            {{0, "150"}, {1, "162"}, {2, "168"}, {5, "200"}, {13, "230"}}, "faces=6", "Sommets<5"};
        return std::vector<std::tuple<int, int, std::string>>{
            {0, 1, drawings},
            {4, 2, setsRecord(4, true, {numbers, numbers, numbers})},
            {8, 3, setsRecord(8, false, {solids, solids, solids})}};
    },
    []() -> players::DraggingPlayer* { return ui::find<Feuille4>(); },
    {true, false, true},
    &LessonRoadTest::setsTwoWrong,
    &LessonRoadTest::setsTwoRight,
    &LessonRoadTest::setsAllRight,
};

const Road kTrees{
    "Trees",
    {1, 5, 9},
    [] {
        const TreeItem solids{{"Sommets<5", "X162", ""},
                              {"150", "162", "168", "200", "", "", "", ""}};
        return std::vector<std::tuple<int, int, std::string>>{
            {1, 1, treeRecord(1, ' ', {trees::kAnimals, trees::kThings})},
            {5, 2, treeRecord(5, '1', {trees::kNumbers, trees::kNumbers})},
            {9, 3, treeRecord(9, '1', {solids, solids})}};
    },
    []() -> players::DraggingPlayer* { return ui::find<Feuille5>(); },
    {true, false, true},
    &LessonRoadTest::treeTwoWrong,
    &LessonRoadTest::treeTwoRight,
    &LessonRoadTest::treeAllRight,
};

const Road kTables{
    "Tables",
    {2, 6, 10},
    [] {
        const TableItem solids{"faces#", "162", "", "X150", "*3", "*5", "", "roule",
                               "*8",     "*10", "", "",     "",   "",   ""};
        return std::vector<std::tuple<int, int, std::string>>{
            {2, 1, tableRecord(2, false, false, {tables::kAnimals, tables::kThings})},
            {6, 2, tableRecord(6, true, false, {tables::kNumbers, tables::kNumbers})},
            {10, 3, tableRecord(10, true, true, {solids, solids})}};
    },
    []() -> players::DraggingPlayer* { return ui::find<Feuille6>(); },
    {true, false, false}, // the solids' star makes cards of them
    &LessonRoadTest::tableTwoWrong,
    &LessonRoadTest::tableTwoRight,
    &LessonRoadTest::tableAllRight,
};

TEST_P(LessonRoadTest, TheThreeMaterialsPlayOneAfterTheOtherToTheEndOfTheList) {
    const Road& road = *GetParam().road;
    setScreen(GetParam().screen.width(), GetParam().screen.height());
    writeCatalogue(road.lessons());
    std::string list;
    for (int k = 0; k < 3; ++k) list += code(road.activities[k], k + 1);
    startList(list);
    for (int k = 0; k < 3; ++k) {
        const int activity = road.activities[k];
        SCOPED_TRACE(activity);
        players::DraggingPlayer* f = road.player();
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(shared.Activite, activity);
        EXPECT_EQ(f->avecDessins(), road.withDrawings[k]);
        EXPECT_TRUE(f->shown());
        (this->*road.placeTwoWrong)(*f);
        check(*f);
        EXPECT_EQ(shared.Points, 7);
        (this->*road.putTwoRight)(*f);
        advance(2100);
        check(*f);
        EXPECT_EQ(shared.NumeroItem, 1);
        (this->*road.placeAllRight)(*f);
        advance(2100);
        check(*f);
        ASSERT_NO_FATAL_FAILURE(leaveReward("7  sur  8", std::size_t(120 * activity + k), '7'));
    }
    EXPECT_EQ(lastBox(), "Tu as terminé les leçons choisies.");
    EXPECT_NE(ui::find<Feuille1>(), nullptr);
    EXPECT_EQ(shared.LeconsDuJour, 3);
    EXPECT_EQ(shared.PointsDuJour, 21);
}

std::vector<RoadCase> roads() {
    std::vector<RoadCase> cases;
    for (const Road* road : {&kSets, &kTrees, &kTables})
        for (const QSize screen : {QSize(640, 480), QSize(1024, 768)})
            cases.push_back({road, screen});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Players, LessonRoadTest, testing::ValuesIn(roads()), roadName);

} // namespace
