// What the players' tests share: a fresh shared block and the main window as the start-up screen
// leaves them, lessons started from a catalogue or loaded from a record, positions in design
// pixels, the pupil's clicks on elements, the check and continue buttons, the faces and the
// reward screen, fixture records of sets, tree and table lessons and the pupil's moves on those
// boards.
#pragma once

#include "harness.h"

#include "formats/lesson_catalogue.h"
#include "formats/lesson_record.h"
#include "platform/cp1252.h"
#include "players/drawing_library.h"
#include "players/reward_screen.h"
#include "players/sets_player.h"
#include "players/table_player.h"
#include "players/tree_player.h"
#include "shell/main_window.h"
#include "shell/routines.h"
#include "shell/shared_state.h"

#include <QTimer>
#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace playertest {

using shell::shared;

// One item of a sets lesson: element slots with their texts, and the two titles.
struct SetsItem {
    std::vector<std::pair<int, std::string>> elements;
    std::string title1;
    std::string title2;
};

inline std::string setsRecord(int activity, bool common, const std::vector<SetsItem>& items) {
    std::string r = formats::blankRecord(activity);
    formats::setOption(r, activity, formats::kOptionCommonArea, common);
    for (std::size_t i = 0; i < items.size() && i < 3; ++i) {
        const int item = static_cast<int>(i);
        for (const auto& [slot, text] : items[i].elements)
            formats::setField(r, activity, item, formats::setsSlot(slot), text);
        formats::setField(r, activity, item, formats::setsTitle(0), items[i].title1);
        formats::setField(r, activity, item, formats::setsTitle(1), items[i].title2);
    }
    return r;
}

// A drawings item whose five elements lie in the five regions: drawing n0 outside (slot 0),
// n1 in the first set only (slot 1), n2 in both (slot 3), n3 in the second only (slot 5), n4
// outside (slot 7).
inline SetsItem drawingsItem(int n0, int n1, int n2, int n3, int n4, std::string t1 = "rouge",
                             std::string t2 = "animal") {
    return SetsItem{{{0, std::to_string(n0)},
                     {1, std::to_string(n1)},
                     {3, std::to_string(n2)},
                     {5, std::to_string(n3)},
                     {7, std::to_string(n4)}},
                    std::move(t1),
                    std::move(t2)};
}

struct TreeItem {
    std::array<std::string, 3> labels;
    std::array<std::string, 8> leaves;
};

// A tree record; `twoLevels` writes the option character (any non-blank one counts).
inline std::string treeRecord(int activity, char twoLevels, const std::vector<TreeItem>& items) {
    std::string r = formats::blankRecord(activity);
    r[0] = twoLevels;
    for (std::size_t i = 0; i < items.size() && i < 2; ++i) {
        const int item = static_cast<int>(i);
        for (int j = 0; j < 3; ++j)
            formats::setField(r, activity, item, formats::treeLabel(j), items[i].labels[j]);
        for (int e = 0; e < 8; ++e)
            formats::setField(r, activity, item, formats::treeLeaf(e), items[i].leaves[e]);
    }
    return r;
}

namespace trees {
// Two items of eight drawings, none in both.
inline const TreeItem kAnimals{{"animal", "X4", "rouge"},
                               {"0", "1", "2", "3", "50", "51", "52", "53"}};
inline const TreeItem kThings{{"jouet", "bleu", "grand"},
                              {"119", "120", "121", "122", "136", "137", "138", "139"}};
inline const TreeItem kNumbers{{"pair", ">10", "X<5"},
                               {"12", "3+4", "20", "7", "1", "2", "30", "44"}};
} // namespace trees

// The 15 fields of an item in reading order: 3 column titles, then each row's title and its
// three answers.
using TableItem = std::array<std::string, 15>;

inline std::string tableRecord(int activity, bool twoColumns, bool twoRows,
                               const std::vector<TableItem>& items) {
    std::string r = formats::blankRecord(activity);
    formats::setOption(r, activity, formats::kOptionTwoColumns, twoColumns);
    formats::setOption(r, activity, formats::kOptionTwoRows, twoRows);
    for (std::size_t i = 0; i < items.size() && i < 2; ++i)
        for (int k = 1; k <= 15; ++k)
            formats::setField(r, activity, int(i), formats::tableCell(k), items[i][k - 1]);
    return r;
}

namespace tables {
inline const TableItem kAnimals{"rouge", "Xbleu", "12", "animal", "0", "1", "2", "X4",
                                "3",     "4",     "5",  "xvert",  "6", "7", "8"};
inline const TableItem kThings{"jouet", "grand", "petit", "bleu", "119", "120", "121", "vert",
                               "122",   "136",   "137",   "rose", "138", "139", "140"};
// Two columns and three rows of numbers.
inline const TableItem kNumbers{
    "pair", "Somme<10", "",    "x : multiple de 3", "12", "3+4", "", "a>b", "20", "7",
    "",     "=5",       "2x3", cp("6÷2"),           ""};
} // namespace tables

class PlayersTest : public harness::ScreenTest {
protected:
    void SetUp() override {
        harness::ScreenTest::SetUp();
        ui::unloadAllForms();
        shell::resetSharedState();
    }
    void TearDown() override {
        harness::ScreenTest::TearDown();
        shell::resetSharedState();
    }

    // The main window as the start-up screen leaves it, with the scale of the test's screen.
    shell::MDI1& openMainWindow() {
        shell::MDI1& m = shell::fenetrePrincipale();
        shared.EchellePixel = shared.Echelle * shared.EchellePolice;
        return m;
    }

    void writeCatalogue(const std::vector<std::tuple<int, int, std::string>>& lessons) {
        ASSERT_TRUE(formats::createBlankLessonCatalogue(data("lecons.tav").string()));
        for (const auto& [activity, lesson, record] : lessons)
            ASSERT_TRUE(formats::writeLessonAt(data("lecons.tav").string(),
                                               formats::recordPosition(activity, lesson), record));
    }
    static std::string code(int activity, int lesson) {
        return {static_cast<char>(65 + activity), static_cast<char>(100 + lesson)};
    }
    // Plays the pupil's list from the next-lesson routine, as the lesson choice does; the
    // player of the first lesson, null when another screen came.
    template <class Player = players::Feuille4> Player* startList(const std::string& list) {
        openMainWindow();
        shared.ListeLecons = list;
        shared.PositionListe = 0;
        shared.EcranCourant = shell::Ecran::ChoixLecons;
        shell::LeconSuivante();
        settle();
        return ui::find<Player>();
    }
    // One lesson of the catalogue, played at once.
    template <class Player = players::Feuille4>
    Player& startLesson(int activity, const std::string& record, int lesson = 1) {
        writeCatalogue({{activity, lesson, record}});
        startList<Player>(code(activity, lesson));
        return screen<Player>();
    }
    // The player loaded directly with a record, as the next-lesson routine leaves it.
    template <class Player> Player& loadPlayer(int activity, const std::string& record) {
        openMainWindow();
        shared.Activite = shell::Integer(activity);
        shared.Enregistrement = record;
        return ui::load<Player>();
    }

    // --- positions in design pixels of the screen, and what a user does there ---
    static QPoint dp(double x, double y) {
        return QPoint(int(x * shared.EchellePixel + 0.5), int(y * shared.EchellePixel + 0.5));
    }
    // Screen pixels in design pixels.
    static QPoint design(double left, double top) {
        return QPoint(int(std::lround(left / shared.EchellePixel)),
                      int(std::lround(top / shared.EchellePixel)));
    }
    static QPoint designOf(const ui::Control& c) { return design(c.left(), c.top()); }
    static QPoint sizeOf(const ui::Control& c) { return design(c.width(), c.height()); }
    // Where the element of a place stands, in design pixels: its drawing, or its card.
    static QPoint where(players::DraggingPlayer& f, int place) {
        if (f.avecDessins()) return designOf(f.Image1[place]);
        return design(f.GaucheCarte[place], f.HautCarte[place]);
    }
    // Takes the element of a place with a click on its drawing, or on the middle of its card.
    void take(players::DraggingPlayer& f, int place) {
        if (f.avecDessins())
            click(f.Image1[place]);
        else
            clickAt(f, QPoint(f.GaucheCarte[place] + f.LargeurCarte / 2,
                              f.HautCarte[place] + f.HauteurCarte / 2));
    }

    // Presses and releases the check button; `probe` runs at the first yield of the check.
    void check(players::PlayerFrame& f, std::function<void()> probe = {}) {
        press(f.Image5[1]);
        if (probe) atNextYield(std::move(probe));
        release(f.Image5[1]);
    }
    // Clicks "Continuer la leçon"; `probe` runs at the first yield that follows.
    void continueLesson(players::PlayerFrame& f, std::function<void()> probe = {}) {
        press(f.Command1);
        if (probe) atNextYield(std::move(probe));
        release(f.Command1);
    }
    // Runs `probe` at the next yield to the event loop, inside the handler that yields.
    static void atNextYield(std::function<void()> probe) {
        QTimer::singleShot(0, [probe = std::move(probe)] { probe(); });
    }
    // After a check that sent the swapped elements home: the pupil, once the check button takes
    // presses again, swaps them back and checks once more.
    template <class Player> void checkSwappedBack(Player& f) {
        swapBack(f);
        advance(2100);
        check(f);
    }
    // The six faces are shown (and all of them show the happy faces, 0, or the sad ones, 1).
    static bool facesShown(players::PlayerFrame& f) {
        for (int i = 0; i <= 5; ++i)
            if (!seen(f.Image2[i])) return false;
        return true;
    }
    static bool facesShown(players::PlayerFrame& f, int face) {
        return facesShown(f) &&
               f.Image2[0].picture() == shell::fenetrePrincipale().image2[face].picture();
    }
    // The reward screen that ends a lesson: its score and the digit recorded for the lesson at
    // `state` of the progress string; then its button leads on.
    void leaveReward(const std::string& score, std::size_t state, char digit) {
        players::felicite* reward = ui::find<players::felicite>();
        ASSERT_NE(reward, nullptr);
        EXPECT_EQ(reward->Commande1.caption(), score);
        EXPECT_EQ(shared.EtatLecons[state], digit);
        click(reward->Commande1);
    }

    // Takes the element of a tray place with a click and puts it on a cell of the board (a leaf
    // of the tree) with a second one.
    template <class Board> void carryTo(Board& f, int place, int target) {
        take(f, place);
        QPoint p;
        if constexpr (std::is_same_v<Board, players::Feuille5>)
            p = leafPointer(f, target);
        else
            p = cellPointer(f, target);
        moveTo(f, p);
        clickAt(f, p);
    }

    // --- the tree ---
    // The place dealt the element of a leaf.
    static int placeOf(const players::Feuille5& f, int leaf) {
        for (int p = 0; p <= f.DerniereFeuille; ++p)
            if (f.FeuilleAttendue[p] == leaf) return p;
        return -1;
    }
    // A pointer position that snaps an element onto the leaf.
    static QPoint leafPointer(const players::Feuille5& f, int leaf) {
        return dp(f.GaucheFeuilles[leaf] + 45, f.HautFeuilles + 36);
    }
    // Every tray element on its leaf, or with the first two tray elements swapped.
    void placeAll(players::Feuille5& f, bool swapTwo = false) {
        std::vector<int> tray;
        for (int p = 0; p <= f.DernierePlaceBac; ++p)
            if (f.FeuilleAttendue[p] >= 0) tray.push_back(p);
        for (std::size_t k = 0; k < tray.size(); ++k) {
            std::size_t target = k;
            if (swapTwo && k < 2) target = 1 - k;
            carryTo(f, tray[k], f.FeuilleAttendue[tray[target]]);
        }
    }
    // The elements now in the tray put back on each other's leaves.
    void swapBack(players::Feuille5& f) {
        std::vector<int> back;
        for (int p = 0; p <= f.DernierePlaceBac; ++p)
            if (f.FeuilleAttendue[p] >= 0 && where(f, p).y() > f.HautFeuilles + 1)
                back.push_back(p);
        ASSERT_EQ(back.size(), 2u);
        carryTo(f, back[0], f.FeuilleAttendue[back[1]]);
        carryTo(f, back[1], f.FeuilleAttendue[back[0]]);
    }

    // --- the table ---
    // Where an element stands in a cell (a card 33 lower), design pixels.
    static QPoint anchor(const players::Feuille6& f, int cell, bool card = false) {
        const int r = cell / f.ColonnesTableau;
        const int c = cell % f.ColonnesTableau;
        return QPoint(f.GaucheTableau + 97 + 92 * c,
                      f.HautTableau + 77 + 102 * r + (card ? 33 : 0));
    }
    static QPoint cellPointer(const players::Feuille6& f, int cell) {
        const QPoint a = anchor(f, cell);
        return dp(a.x() + 45, a.y() + 36);
    }
    // The place dealt the element of a cell.
    static int placeOf(const players::Feuille6& f, int cell) {
        for (int p = 0; p < f.NombreCases; ++p)
            if (f.CaseAttendue[p] == cell) return p;
        return -1;
    }
    // Every element in its cell, or with the elements of cells 0 and 1 swapped.
    void placeAll(players::Feuille6& f, bool swapTwo = false) {
        for (int p = 0; p < f.NombreCases; ++p) {
            int cell = f.CaseAttendue[p];
            if (swapTwo && cell <= 1) cell = 1 - cell;
            carryTo(f, p, cell);
        }
    }
    // The elements of cells 0 and 1 put back in each other's cells.
    void swapBack(players::Feuille6& f) {
        carryTo(f, placeOf(f, 0), 1);
        carryTo(f, placeOf(f, 1), 0);
    }
    // The elements of cells 0 and 1, back from a failed check, put right.
    void putRight(players::Feuille6& f) {
        carryTo(f, placeOf(f, 0), 0);
        carryTo(f, placeOf(f, 1), 1);
    }

    // --- the sets board ---
    static int row(int cell) { return (cell - 1) / 7; }
    static int column(int cell) { return (cell - 1) % 7; }
    // A pointer position that snaps an element onto the cell.
    static QPoint cellPointer(const players::Feuille4& f, int cell) {
        double top = 108 + 96 * row(cell);
        if (!f.ZoneCommune) top = row(cell) == 0 ? 158 : 300;
        return dp(8 + 88 * column(cell) + 45, top + 36);
    }
    // The tray place that holds drawing n (or the card with that text), -1 none.
    static int placeOfDrawing(players::Feuille4& f, int n) {
        const ui::Picture p = players::dessinBibliotheque(n);
        for (int i = 0; i < 5; ++i)
            if (f.RegionAttendue[i] >= 0 && f.Image1[i].picture() == p) return i;
        return -1;
    }
    static int placeOfCard(const players::Feuille4& f, const std::string& text) {
        for (int i = 0; i < 5; ++i)
            if (f.RegionAttendue[i] >= 0 && f.TexteCarte[i] == text) return i;
        return -1;
    }
    // The first free, usable cell of each region, for putting every element right.
    static int cellOfRegion(const players::Feuille4& f, int region, int skip = 0) {
        static const std::vector<int> cells[4] = {
            {1, 8, 21}, {2, 3, 4, 5, 9}, {10, 11, 12}, {13, 17, 18, 19, 20}};
        for (int c : cells[region]) {
            if (!f.ZoneCommune && row(c) == 1) continue;
            if (f.Plateau[std::size_t(c - 1)] != ' ') continue;
            if (skip-- > 0) continue;
            return c;
        }
        return 0;
    }
    // Puts every element of the item in its region (`wrong` elements in a region of their own
    // that is not theirs).
    void placeAll(players::Feuille4& f, int wrong = 0) {
        for (int i = 0; i < 5; ++i) {
            if (f.RegionAttendue[i] < 0) continue;
            int region = f.RegionAttendue[i];
            if (wrong > 0) {
                region = region == 0 ? 1 : 0;
                if (!f.ZoneCommune && region == 2) region = 3;
                --wrong;
            }
            carryTo(f, i, cellOfRegion(f, region));
        }
    }
};

// A suite on one kind of player: its lessons started from the lesson choice, or loaded directly.
template <class Player> class PlayerTest : public PlayersTest {
protected:
    Player& start(int activity, const std::string& record, int lesson = 1) {
        return startLesson<Player>(activity, record, lesson);
    }
    Player& load(int activity, const std::string& record) {
        return loadPlayer<Player>(activity, record);
    }
    // The item played wrong three times: placed with two elements swapped, then swapped back
    // after each of the first two checks.
    void failThreeTimes(Player& f) {
        this->placeAll(f, true);
        this->advance(2100);
        this->check(f);
        for (int t = 0; t < 2; ++t) this->checkSwappedBack(f);
    }
    // "Continuer la leçon" under the last item's answer brings the reward screen at once, with no
    // faces, and the lesson recorded as failed at `state` of the progress string.
    void continueToFailedReward(Player& f, std::size_t state) {
        bool facesAfterLast = false;
        this->continueLesson(f, [&] { facesAfterLast = ui::find<Player>() != nullptr; });
        EXPECT_FALSE(facesAfterLast) << "the reward screen comes at once";
        ASSERT_NE(ui::find<players::felicite>(), nullptr);
        EXPECT_EQ(shell::shared.EtatLecons[state], '0');
    }
};

} // namespace playertest
