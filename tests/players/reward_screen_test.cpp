// The reward screen: the score recorded in the progress string and the totals before anything is
// shown, the frames and pictures of every score, the button's caption, the list entry consumed,
// and the way on: the button, Enter or Escape, or the 21st tick of its timer; the exit picture.
#include "players_fixture.h"

#include "platform/cp1252.h"
#include "signin/home_screen.h"

#include <QPainter>

namespace {

using namespace playertest;
using players::felicite;
using players::Feuille4;
using shell::fenetrePrincipale;
using signin::Feuille1;

class RewardTest : public PlayersTest {
protected:
    felicite& open(int points, int serie = 0, int activity = 0, int lesson = 1) {
        openMainWindow();
        shared.Points = shell::Integer(points);
        shared.SerieImages = shell::Integer(serie);
        shared.Activite = shell::Integer(activity);
        shared.NumeroLecon = shell::Integer(lesson);
        return ui::load<felicite>();
    }
    // Pictures are compared by what they draw.
    static QImage look(const ui::Picture& p) {
        QImage img(61, 77, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter painter(&img);
        p.draw(painter, QRectF(0, 0, 61, 77));
        return img;
    }
    static QImage designPicture(bool earned, int serie) {
        felicite design;
        return look(design.Dessin1[earned ? serie : serie + 6].picture());
    }
};

TEST_F(RewardTest, EveryScoreHasItsFramesAndItsPicturesInColumnsOfTwo) {
    const double frames[9][4] = {
        {10000, 1, 1000, 7360},  {120, 1840, 2160, 7360}, {720, 1840, 3360, 5560},
        {120, 3700, 3960, 5560}, {720, 3700, 5160, 3700}, {120, 5560, 5760, 3700},
        {720, 5560, 6960, 1840}, {120, 7360, 7560, 1840}, {1000, 7360, 10000, 1}};
    const int serie = 2;
    const QImage earned = designPicture(true, serie);
    const QImage lost = designPicture(false, serie);
    for (int score = 0; score <= 8; ++score) {
        SCOPED_TRACE(score);
        ui::unloadAllForms();
        shell::resetSharedState();
        felicite& f = open(score, serie);
        EXPECT_NEAR(f.Forme1[0].left(), frames[score][0], 0.01);
        EXPECT_NEAR(f.Forme1[0].width(), frames[score][1], 0.01);
        EXPECT_NEAR(f.Forme1[1].left(), frames[score][2], 0.01);
        EXPECT_NEAR(f.Forme1[1].width(), frames[score][3], 0.01);
        EXPECT_EQ(f.Forme1[0].top(), 360);
        EXPECT_EQ(f.Forme1[0].height(), 4695);
        EXPECT_TRUE(seen(f.Forme1[0]) && seen(f.Forme1[1]));
        for (int i = 0; i < 8; ++i) {
            const bool isEarned = i < score;
            const int rank = isEarned ? i : i - score;
            const double frameLeft = isEarned ? frames[score][0] : frames[score][2];
            ASSERT_TRUE(seen(f.Dessin1[i])) << i;
            EXPECT_NEAR(f.Dessin1[i].left(), frameLeft + (rank / 2) * 1815, 0.01) << i;
            EXPECT_EQ(f.Dessin1[i].top(), rank % 2 == 0 ? 360 : 2650) << i;
            EXPECT_EQ(f.Dessin1[i].width(), 1815);
            EXPECT_EQ(look(f.Dessin1[i].picture()), isEarned ? earned : lost) << i;
        }
        for (int i = 8; i < 12; ++i) EXPECT_FALSE(seen(f.Dessin1[i])) << i;
        EXPECT_EQ(f.Commande1.caption(), std::to_string(score) + "  sur  8");
        EXPECT_TRUE(seen(f.Commande1));
        EXPECT_EQ(shared.EtatLecons[0], char('0' + score));
    }
}

TEST_F(RewardTest, PositionsGrowWithTheScreenOnce) {
    setScreen(1024, 768);
    felicite& f = open(5, 2);
    ASSERT_FLOAT_EQ(shared.Echelle, 1.6f);
    const double lefts[8] = {120, 120, 1935, 1935, 3750, 5760, 5760, 7575};
    const double tops[8] = {360, 2650, 360, 2650, 360, 360, 2650, 360};
    for (int i = 0; i < 8; ++i) {
        EXPECT_NEAR(f.Dessin1[i].left(), lefts[i] * 1.6, 0.5) << i;
        EXPECT_NEAR(f.Dessin1[i].top(), tops[i] * 1.6, 0.5) << i;
        EXPECT_NEAR(f.Dessin1[i].width(), 1815 * 1.6, 0.5);
    }
    EXPECT_NEAR(f.Forme1[1].left(), 5760 * 1.6, 0.5);
    EXPECT_NEAR(f.formWidth(), 9600 * 1.6, 0.5);
    EXPECT_NEAR(f.Commande1.fontSize(), 24 * 1.6, 0.01);
    EXPECT_NEAR(f.Image5.left(), 120 * 1.6, 0.5);
}

TEST_F(RewardTest, TheScoreIsRecordedClampedAndAddedToTheTotals) {
    struct Case {
        int points;
        char recorded;
        const char* caption;
    };
    for (const Case& k :
         {Case{-1, '0', "0  sur  8"}, Case{9, '8', "8  sur  8"}, Case{3, '3', "3  sur  8"}}) {
        SCOPED_TRACE(k.points);
        ui::unloadAllForms();
        shell::resetSharedState();
        openMainWindow();
        shared.EtatLecons[120 * 4 + 7 - 1] = '6'; // done before with a better score
        shared.LeconsDuJour = 2;
        shared.PointsDuJour = 11;
        felicite& f = open(k.points, 0, 4, 7);
        EXPECT_EQ(shared.EtatLecons[120 * 4 + 7 - 1], k.recorded);
        EXPECT_EQ(f.Commande1.caption(), k.caption);
        EXPECT_EQ(shared.LeconsDuJour, 3);
        EXPECT_EQ(shared.PointsDuJour, 11 + (k.recorded - '0'));
        EXPECT_EQ(shared.Points, 8);
        EXPECT_EQ(shared.ItemsTermines, 0);
        EXPECT_EQ(shared.NumeroItem, 3);
        EXPECT_FALSE(fenetrePrincipale().bilan.enabled());
        EXPECT_FALSE(fenetrePrincipale().aide.enabled());
        EXPECT_TRUE(fenetrePrincipale().total.visible());
    }
}

TEST_F(RewardTest, APositionOutsideTheProgressStringRecordsNothingButTheTotals) {
    openMainWindow();
    const std::string before = shared.EtatLecons;
    felicite& f = open(6, 0, 11, 200);
    EXPECT_EQ(shared.EtatLecons, before);
    EXPECT_EQ(shared.LeconsDuJour, 1);
    EXPECT_EQ(shared.PointsDuJour, 6);
    EXPECT_EQ(f.Commande1.caption(), "6  sur  8");
    // A progress string cut short (a damaged file) is made whole before the digit goes in.
    ui::unloadAllForms();
    shell::resetSharedState();
    openMainWindow();
    shared.EtatLecons = std::string(100, '#');
    open(4, 0, 11, 120);
    ASSERT_EQ(shared.EtatLecons.size(), 1450u);
    EXPECT_EQ(shared.EtatLecons[1439], '4');
}

TEST_F(RewardTest, PictureSetsFollowOneAnotherAndABadSetCountsAsTheFirst) {
    struct Case {
        int given, used, left;
    };
    for (const Case& k : {Case{6, 0, 1}, Case{-3, 0, 1}, Case{3, 3, 4}, Case{5, 5, 6}}) {
        SCOPED_TRACE(k.given);
        ui::unloadAllForms();
        shell::resetSharedState();
        felicite& f = open(2, k.given);
        EXPECT_EQ(look(f.Dessin1[0].picture()), designPicture(true, k.used));
        EXPECT_EQ(look(f.Dessin1[2].picture()), designPicture(false, k.used));
        EXPECT_EQ(shared.SerieImages, k.left);
    }
}

TEST_F(RewardTest, TheEntryOfTheListTheLessonCameFromIsTaken) {
    openMainWindow();
    shared.PositionListe = 2;
    shared.PositionReprise = 1;
    shared.DeLaReprise = shell::kVrai;
    open(5);
    EXPECT_EQ(shared.PositionReprise, 2);
    EXPECT_EQ(shared.PositionListe, 2);
    ui::unloadAllForms();
    shell::resetSharedState();
    openMainWindow();
    shared.PositionListe = 2;
    open(5);
    EXPECT_EQ(shared.PositionListe, 3);
    EXPECT_EQ(shared.PositionReprise, 0);
}

TEST_F(RewardTest, OnTheTwentyFirstTickTheNextLessonStarts) {
    const std::string lesson =
        setsRecord(0, true,
                   {drawingsItem(150, 1, 0, 149, 33), drawingsItem(150, 1, 0, 149, 33),
                    drawingsItem(150, 1, 0, 149, 33)});
    writeCatalogue({{0, 1, lesson}, {0, 2, lesson}});
    Feuille4* player = startList(code(0, 1) + code(0, 2));
    ASSERT_NE(player, nullptr);
    placeAll(*player);
    check(*player);
    felicite* f = ui::find<felicite>();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(shared.PositionListe, 1);
    advance(20000);
    EXPECT_EQ(shared.CompteurTops, 20);
    EXPECT_EQ(ui::find<felicite>(), f) << "still there after 20 ticks";
    advance(1000);
    EXPECT_EQ(ui::find<felicite>(), nullptr);
    ASSERT_NE(ui::find<Feuille4>(), nullptr);
    EXPECT_EQ(shared.NumeroLecon, 2);
    EXPECT_EQ(shared.Points, 8);
}

TEST_F(RewardTest, TheButtonEnterAndEscapeLeadOnAtOnce) {
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        ui::unloadAllForms();
        shell::resetSharedState();
        boxes.clear();
        openMainWindow();
        shared.ListeLecons = code(0, 1); // not in the catalogue: the list ends
        felicite& f = open(7);
        if (way == 0) click(f.Commande1);
        if (way == 1) pressEnter(f.Commande1);
        if (way == 2) pressEscape(f.Commande1);
        EXPECT_EQ(ui::find<felicite>(), nullptr);
        EXPECT_EQ(lastBox(), "Tu as terminé les leçons choisies.");
        advance(30000);
        EXPECT_EQ(boxes.size(), 1u) << "the timer went with the screen";
    }
}

TEST_F(RewardTest, TheExitPictureShowsThePressedLookAndQuits) {
    shared.ListeLecons = code(0, 1); // not in the catalogue: a next lesson would end the list
    felicite& f = open(4);
    EXPECT_EQ(f.Image5.picture(), fenetrePrincipale().Image5.picture());
    EXPECT_EQ(f.Image5.backColor(), 0xC0C000u);
    const QImage before = f.Image5.surface().copy();
    press(f.Image5);
    EXPECT_NE(f.Image5.surface(), before);
    release(f.Image5);
    EXPECT_EQ(f.Image5.surface(), before);
    EXPECT_TRUE(ended);
    // The summary of the day goes with the quit.
    EXPECT_NE(lastBox().find("Aujourd'hui, tu as terminé 1 leçon."), std::string::npos);
    // The summary may stay open longer than the timer's wait: the quit leads to no next lesson.
    const std::size_t shown = boxes.size();
    advance(30000);
    EXPECT_EQ(boxes.size(), shown) << lastBox();
    EXPECT_EQ(ui::find<felicite>(), &f);
}

TEST_F(RewardTest, NoNextLessonStartsWhileTheQuitOrTheRestartSavesThePupil) {
    // The pupils' folder cannot be written: the quit's box stays up for as long as the pupil
    // looks at it, far longer than the screen's 21 seconds.
    const std::string lesson =
        setsRecord(0, true,
                   {drawingsItem(150, 1, 0, 149, 33), drawingsItem(150, 1, 0, 149, 33),
                    drawingsItem(150, 1, 0, 149, 33)});
    for (const int item : {1, 0}) { // "&Quitter le logiciel", "&Redémarrer le logiciel"
        SCOPED_TRACE(item);
        ui::unloadAllForms();
        shell::resetSharedState();
        boxes.clear();
        ended = false;
        writeCatalogue({{0, 1, lesson}, {0, 2, lesson}});
        Feuille4* player = startList(code(0, 1) + code(0, 2));
        ASSERT_NE(player, nullptr);
        shared.Prenom = "ZOE";
        shared.Nom = "MARTIN";
        shared.NumeroSequence = 2;
        shared.EleveActif = shell::kVrai;
        shared.CheminFichierEleve = data("absent").string() + "/ZOEMARTI.TXT";
        placeAll(*player);
        check(*player);
        felicite* f = ui::find<felicite>();
        ASSERT_NE(f, nullptr);
        advance(15000);

        std::vector<std::string> behindTheBoxes;
        ui::setMessageService([&](const ui::MessageRequest& r) {
            boxes.push_back(harness::Box{platform::cp1252ToUtf8(r.text), r.style, ""});
            advance(30000);
            behindTheBoxes.push_back(ui::find<Feuille4>()        ? "next lesson"
                                     : ui::find<felicite>() == f ? "reward screen"
                                                                 : "other");
            // Retry once, then give up; the summary gets its OK.
            if ((r.style & 7) != ui::vbRetryCancel) return int(ui::vbOK);
            return boxes.size() == 1 ? int(ui::vbRetry) : int(ui::vbCancel);
        });
        choose(fenetrePrincipale().quitter[item]);
        ASSERT_EQ(boxes.size(), 3u);
        EXPECT_EQ(boxes[0].text, "Impossible d'écrire sur le disque.");
        EXPECT_EQ(boxes[1].text, "Impossible d'écrire sur le disque.");
        EXPECT_NE(boxes[2].text.find("Aujourd'hui, tu as terminé 1 leçon."), std::string::npos);
        EXPECT_EQ(behindTheBoxes,
                  (std::vector<std::string>{"reward screen", "reward screen", "reward screen"}));
        EXPECT_EQ(ended, item == 1);
        EXPECT_EQ(ui::find<Feuille4>(), nullptr);
        if (item == 1) {
            EXPECT_EQ(shared.NumeroLecon, 1) << "no second lesson was dispatched";
        }
        if (item == 0) {
            // The restart goes on to the home screen, and no timer of the reward screen is left.
            EXPECT_EQ(ui::find<felicite>(), nullptr);
            EXPECT_NE(ui::find<Feuille1>(), nullptr);
            advance(30000);
            EXPECT_EQ(ui::find<Feuille4>(), nullptr);
            EXPECT_EQ(boxes.size(), 3u);
        }
    }
}

} // namespace
