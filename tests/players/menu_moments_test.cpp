// The main window's menus at each moment of a lesson: the player idle, carrying an element,
// heading the answer after a third failure, once the answer is shown, and the reward screen.
#include "players_fixture.h"

#include "menu_word.h"

#include <QTimer>

namespace {

using namespace playertest;
using players::felicite;
using players::Feuille4;
using shell::fenetrePrincipale;

std::string menus() {
    return harness::menuWord(fenetrePrincipale());
}

class MenuMoments : public PlayersTest {
protected:
    // A pupil who has done a lesson already, so that the report may open.
    Feuille4& begin() {
        openMainWindow();
        shared.EtatLecons[130] = '5';
        return startLesson(
            0, setsRecord(0, true,
                          {drawingsItem(150, 1, 0, 149, 33), drawingsItem(151, 29, 3, 26, 31),
                           drawingsItem(152, 2, 4, 5, 6)}));
    }
    static int inTray(Feuille4& f) {
        for (int i = 0; i < 5; ++i)
            if (f.RegionAttendue[i] >= 0 && f.Image1[i].top() < 100 * shared.EchellePixel) return i;
        return -1;
    }
    void failOnce(Feuille4& f) {
        const int i = inTray(f);
        if (i >= 0) carryTo(f, i, cellOfRegion(f, f.RegionAttendue[i] == 0 ? 1 : 0));
        advance(2100);
    }
};

TEST_F(MenuMoments, ThePlayerTakesTheReportAwayOnlyWhileItHeadsTheAnswer) {
    Feuille4& f = begin();
    EXPECT_EQ(menus(), "QR-B--A") << "idle";
    take(f, 0);
    ASSERT_EQ(f.ObjetTenu, 0);
    EXPECT_EQ(menus(), "QR-B--A") << "carrying a drawing";
    carryTo(f, 0, cellOfRegion(f, f.RegionAttendue[0] == 0 ? 1 : 0));

    placeAll(f, 1);
    advance(2100);
    check(f);
    EXPECT_EQ(menus(), "QR-B--A") << "after a first failure";
    failOnce(f);
    check(f);
    failOnce(f);
    // The menus at the first yield once the heading has locked the board.
    std::string heading;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (heading.empty() && shared.Verrou) heading = menus();
    });
    watch.start(0);
    check(f);
    watch.stop();
    EXPECT_EQ(heading, "QR----A") << "heading the answer";
    advance(10000);
    ASSERT_TRUE(f.Command1.visible());
    EXPECT_EQ(menus(), "QR-B--A") << "the answer shown";
}

TEST_F(MenuMoments, ACarriedNumberCardLeavesTheReportAsItWas) {
    openMainWindow();
    shared.EtatLecons[130] = '5';
    Feuille4& f = startLesson(
        4, setsRecord(4, true,
                      {{{{0, "3+4"}, {1, "12"}, {3, "6"}, {5, "7"}, {7, "20"}}, "<10", ">5"}}));
    clickAt(f, QPoint(f.GaucheCarte[0] + f.LargeurCarte / 2, f.HautCarte[0] + f.HauteurCarte / 2));
    ASSERT_EQ(f.ObjetTenu, 0);
    EXPECT_EQ(menus(), "QR-B--A");
}

TEST_F(MenuMoments, TheRewardScreenTakesTheReportAndTheHelpAway) {
    Feuille4& f = begin();
    placeAll(f);
    advance(2100);
    check(f);
    ASSERT_NE(ui::find<felicite>(), nullptr);
    EXPECT_EQ(menus(), "QR-----");
}

} // namespace
