// The lesson choice as a pupil uses it: the grid of existing lessons marked by his progress,
// picking and cancelling cells, and the three buttons.
#include "signin_fixture.h"

#include "records/learning_report.h"

namespace {

using records::resultat;
using shell::shared;
using signin::Feuille1;
using signin::Feuille3;
using signintest::SignInTest;

class LessonChoice : public SignInTest {
protected:
    Feuille3& open(int activity) {
        shared.Activite = static_cast<shell::Integer>(activity);
        Feuille3& f = ui::load<Feuille3>();
        settle();
        return f;
    }
    void writeLessons(int activity, int first, int last) {
        for (int l = first; l <= last; ++l) writeLesson(activity, l);
    }
    // The visible cells, tall then short, as the pupil reads them.
    std::vector<std::string> shownNumbers(Feuille3& f) {
        std::vector<std::string> out;
        for (int k = 0; k < 120; ++k) {
            ui::Label& c = k < 60 ? f.Etiquette3[k] : f.Etiquette2[k - 60];
            if (!seen(c)) continue;
            std::string caption = c.caption();
            out.push_back(caption.substr(caption.find_last_of('\n') + 1));
        }
        return out;
    }
    // The pupil presses on a cell with the mouse: under its icon, where its number is.
    void pick(Feuille3& f, ui::Label& cell) {
        const QRect r = cell.pixelRect();
        pressAt(f, QPoint(r.center().x(), r.bottom() - 4));
        releaseAt(f, QPoint(r.center().x(), r.bottom() - 4));
    }
    void pick(Feuille3& f, ui::Image& icon) {
        pressAt(f, icon.pixelRect().center());
        releaseAt(f, icon.pixelRect().center());
    }
};

TEST_F(LessonChoice, TheGridTakesOneOfThreeLayoutsByTheNumberOfLessons) {
    struct Case {
        int lessons;
        int title;
        std::vector<int> tallRows;
        std::vector<int> shortRows;
    };
    const Case cases[] = {
        {12, 15, {55}, {}},
        {60, 15, {55, 126, 197, 268}, {}},
        {90, 15, {55, 126, 197, 268}, {339, 376}},
        {91, 8, {42, 105, 168, 231}, {294, 323, 352}},
        {120, 3, {30, 91, 152, 213}, {274, 301, 328, 355}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lessons);
        writeFile("lecons.tav", formats::blankLessonCatalogue());
        writeLessons(2, 1, c.lessons);
        Feuille3& f = open(2);
        EXPECT_EQ(f.Etiquette1.pixelRect().top(), c.title);
        std::vector<int> tall, low;
        for (int k = 0; k < 60; ++k) {
            if (!seen(f.Etiquette3[k])) continue;
            const QRect r = f.Etiquette3[k].pixelRect();
            EXPECT_EQ(r.left(), 76 + (k % 15) * 37);
            EXPECT_EQ(r.size(), QSize(33, 55));
            if (k % 15 == 0) tall.push_back(r.top());
        }
        for (int j = 0; j < 60; ++j) {
            if (!seen(f.Etiquette2[j])) continue;
            const QRect r = f.Etiquette2[j].pixelRect();
            EXPECT_EQ(r.size(), QSize(33, 20));
            if (j % 15 == 0) low.push_back(r.top());
        }
        EXPECT_EQ(tall, c.tallRows);
        EXPECT_EQ(low, c.shortRows);
        EXPECT_EQ(shownNumbers(f).size(), static_cast<std::size_t>(c.lessons));
        ui::unload<Feuille3>();
    }
}

TEST_F(LessonChoice, TheLessonsChosenStartAtTheirFirstItemWithNoItemFinished) {
    writeLessons(1, 1, 12);
    // A pupil who left in the middle of a lesson comes back to choose others.
    shared.Points = 5;
    shared.NumeroItem = 1;
    shared.ItemsTermines = 1;
    open(1);
    EXPECT_EQ(shared.Points, 8);
    EXPECT_EQ(shared.NumeroItem, 3);
    EXPECT_EQ(shared.ItemsTermines, 0);
}

TEST_F(LessonChoice, TallCellsShowTheirNumberUnderAnIconSharedByThree) {
    writeLessons(0, 1, 12);
    Feuille3& f = open(0);
    const std::vector<std::string> expected = {"1", "2", "3", "4",  "5",  "6",
                                               "7", "8", "9", "10", "11", "12"};
    EXPECT_EQ(shownNumbers(f), expected);
    for (int k = 0; k < 12; ++k) {
        SCOPED_TRACE(k);
        EXPECT_TRUE(seen(f.Dessin1[k]));
        EXPECT_EQ(f.Dessin1[k].picture(), f.Dessin1[3 * (k / 3)].picture());
        EXPECT_EQ(f.Dessin1[k].pixelRect().top(), 58);
        EXPECT_GT(f.Dessin1[k].pixelRect().left(), f.Etiquette3[k].pixelRect().left());
    }
    EXPECT_NE(f.Dessin1[0].picture(), f.Dessin1[3].picture());
    EXPECT_FALSE(seen(f.Dessin1[12]));
    EXPECT_FALSE(seen(f.Etiquette3[12]));
    EXPECT_EQ(u8(main().caption()), "TAVREL -- Les ensembles de dessins");
    EXPECT_EQ(shared.EcranCourant, shell::Ecran::ChoixLecons);
    EXPECT_FALSE(main().Lecons.enabled());
    EXPECT_TRUE(main().aide.enabled());
}

TEST_F(LessonChoice, NumbersShowNeverDoneDoneAndSucceededAtEachCriterion) {
    writeLessons(1, 1, 65); // lessons 61 to 65 are short cells, under the same rule
    shared.EtatLecons.assign(1450, '#');
    const char scores[] = {'#', '3', '4', '5', '8'};
    for (int i = 0; i < 5; ++i) {
        shared.EtatLecons[120 + 1 + i - 1] = scores[i];
        shared.EtatLecons[120 + 61 + i - 1] = scores[i];
    }
    enum Look { Yellow, Black, Red };
    struct Case {
        int criterion;
        Look looks[5];
    };
    const Case cases[] = {
        {0, {Yellow, Red, Red, Red, Black}},     // 7/8
        {1, {Yellow, Red, Red, Red, Black}},     // 6/8
        {2, {Yellow, Red, Red, Black, Black}},   // 5/8
        {3, {Yellow, Red, Black, Black, Black}}, // 4/8
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.criterion);
        shared.CritereReussite = static_cast<shell::Integer>(c.criterion);
        Feuille3& f = open(1);
        for (int i = 0; i < 5; ++i) {
            for (ui::Label* cell : {&f.Etiquette3[i], &f.Etiquette2[i]}) {
                switch (c.looks[i]) {
                case Yellow: EXPECT_EQ(cell->foreColor(), 0x00FFFFu) << i; break;
                case Black: EXPECT_EQ(cell->foreColor(), 0x000000u) << i; break;
                case Red: EXPECT_EQ(cell->foreColor(), 0x0000FFu) << i; break;
                }
                EXPECT_EQ(cell->font().underline, c.looks[i] == Red) << i;
            }
        }
        ui::unload<Feuille3>();
    }
}

TEST_F(LessonChoice, CellsOfLessonsWithGapsGiveTheirOwnLessonCodes) {
    for (int l : {1, 2, 5}) writeLesson(3, l);
    shared.EtatLecons[3 * 120 + 5 - 1] = '2';
    Feuille3& f = open(3);
    EXPECT_EQ(shownNumbers(f), (std::vector<std::string>{"1", "2", "5"}));
    EXPECT_EQ(f.Etiquette3[2].foreColor(), 0x0000FFu) << "lesson 5's progress colours it";
    pick(f, f.Etiquette3[2]);
    pick(f, f.Etiquette3[0]);
    click(f.Image5[0]);
    EXPECT_EQ(shared.ListeLecons, code(3, 1) + code(3, 5));
}

TEST_F(LessonChoice, PressingACellPicksItAndPressingItOrItsIconAgainCancels) {
    writeLessons(0, 1, 70);
    Feuille3& f = open(0);
    const ui::Colour teal = 0x808000, purple = 0xC000C0;
    pick(f, f.Etiquette3[4]);
    EXPECT_EQ(f.Etiquette3[4].backColor(), purple);
    pick(f, f.Dessin1[4]);
    EXPECT_EQ(f.Etiquette3[4].backColor(), teal) << "the icon belongs to its cell";
    pick(f, f.Dessin1[7]);
    EXPECT_EQ(f.Etiquette3[7].backColor(), purple);
    pick(f, f.Etiquette2[3]);
    EXPECT_EQ(f.Etiquette2[3].backColor(), purple);
    // Picked in any order, played in the order of the grid.
    pick(f, f.Etiquette3[1]);
    click(f.Image5[0]);
    EXPECT_EQ(shared.ListeLecons, code(0, 2) + code(0, 8) + code(0, 64));
    EXPECT_EQ(ui::find<Feuille3>(), nullptr);
    EXPECT_EQ(loadedPlayer(), 0);
    EXPECT_EQ(shared.NumeroLecon, 2);
}

TEST_F(LessonChoice, ContinueWithNothingPickedExplainsHowToChoose) {
    writeLessons(0, 1, 3);
    Feuille3& f = open(0);
    doubleClick(f.Image5[0]);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes[0].text, "Pour choisir une leçon, il faut pointer avec la souris.\n\n"
                             "Pour annuler une leçon déjà choisie, il suffit de la sélectionner "
                             "une seconde fois.\n\nOn peut effectuer plusieurs choix.\n\n"
                             "Pour faire les exercices choisis, cliquer sur le bouton CONTINUE "
                             "avec la souris.");
    EXPECT_EQ(boxes[0].style, ui::vbInformation);
    EXPECT_EQ(ui::find<Feuille3>(), &f);
    EXPECT_EQ(loadedPlayer(), -1);
}

TEST_F(LessonChoice, AnActivityWithoutLessonsGivesAnEmptyGrid) {
    Feuille3& f = open(7);
    EXPECT_TRUE(f.LeconsExistantes.empty());
    EXPECT_TRUE(shownNumbers(f).empty());
    click(f.Image5[0]);
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(LessonChoice, AnnuleGoesBackToTheHomeScreen) {
    writeLessons(0, 1, 3);
    Feuille3& f = open(0);
    pick(f, f.Etiquette3[0]);
    click(f.Image5[1]);
    pump();
    EXPECT_EQ(ui::find<Feuille3>(), nullptr);
    Feuille1* home = ui::find<Feuille1>();
    ASSERT_NE(home, nullptr);
    EXPECT_TRUE(seen(home->eleve[0]));
    EXPECT_EQ(shared.EcranCourant, shell::Ecran::Accueil);
    EXPECT_TRUE(shared.ListeLecons.empty());
}

TEST_F(LessonChoice, TheExitDoorEndsTheProgram) {
    Feuille3& f = open(0);
    EXPECT_FALSE(f.Image5[2].picture().isNull());
    EXPECT_EQ(f.Image5[2].picture(), main().Image5.picture());
    click(f.Image5[2]);
    EXPECT_TRUE(ended);
    EXPECT_EQ(ui::find<Feuille3>(), nullptr);
}

TEST_F(LessonChoice, AListOfLessonsThatCannotBePlayedEndsAtTheHomeScreen) {
    writeLessons(0, 1, 2);
    shared.EtatLecons[0] = '8';
    shared.EtatLecons[1] = '8';
    Feuille3& f = open(0);
    pick(f, f.Etiquette3[0]);
    pick(f, f.Etiquette3[1]);
    click(f.Image5[0]);
    pump();
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Tu as terminé les leçons choisies."});
    EXPECT_NE(ui::find<Feuille1>(), nullptr);
    EXPECT_EQ(ui::find<Feuille3>(), nullptr);
    EXPECT_EQ(loadedPlayer(), -1);
}

TEST_F(LessonChoice, APlayerBorrowsTheContinuePictureFromAnEmptyScreen) {
    writeLessons(0, 1, 12);
    for (shell::Ecran screen : {shell::Ecran::Ensembles, shell::Ecran::Arbre, shell::Ecran::Tableau,
                                shell::Ecran::Amis}) {
        SCOPED_TRACE(static_cast<int>(screen));
        shared.EcranCourant = screen;
        shared.ListeLecons = code(0, 1);
        shared.PositionListe = 1;
        Feuille3& f = ui::load<Feuille3>();
        EXPECT_FALSE(f.Image5[0].picture().isNull());
        EXPECT_TRUE(f.LeconsExistantes.empty());
        EXPECT_FALSE(f.Etiquette3.exists(1));
        EXPECT_EQ(shared.EcranCourant, screen);
        EXPECT_EQ(shared.PositionListe, 1) << "the lesson state is left alone";
        ui::unload<Feuille3>();
    }
}

TEST_F(LessonChoice, AClickOnTheScreenTakesTheReportAwayAndRewritesTheButtons) {
    writeLessons(0, 1, 3);
    Feuille3& f = open(0);
    const QImage written = f.Image5[1].surface().copy();
    f.Image5[1].cls();
    ui::load<resultat>();
    shared.ResultatAffiche = 1;
    clickAt(f, QPoint(630, 435));
    EXPECT_EQ(shared.ResultatAffiche, 0);
    EXPECT_EQ(ui::find<resultat>(), nullptr);
    settle();
    EXPECT_EQ(f.Image5[1].surface(), written) << "\"Annule\" is written again";

    ui::load<resultat>();
    shared.ResultatAffiche = 99;
    moveTo(f, QPoint(630, 435));
    EXPECT_EQ(shared.ResultatAffiche, 0);
    EXPECT_EQ(ui::find<resultat>(), nullptr);
}

TEST_F(LessonChoice, TheButtonsLookPressedUntilReleased) {
    writeLessons(0, 1, 3);
    Feuille3& f = open(0);
    const QImage before = f.Image5[1].surface().copy();
    press(f.Image5[1]);
    EXPECT_NE(f.Image5[1].surface(), before);
    EXPECT_NE(ui::find<Feuille3>(), nullptr);
    release(f.Image5[1]);
    pump();
    EXPECT_EQ(ui::find<Feuille3>(), nullptr);
}

TEST_F(LessonChoice, TheGridGrowsWithTheScreen) {
    useScreen(1024, 768);
    writeLessons(0, 1, 120);
    Feuille3& f = open(0);
    const double e = shared.EchellePixel; // 1.6
    EXPECT_NEAR(f.Etiquette3[16].pixelRect().left(), (76 + 37) * e, 1);
    EXPECT_NEAR(f.Etiquette3[16].pixelRect().top(), (30 + 61) * e, 1);
    EXPECT_NEAR(f.Etiquette2[0].pixelRect().top(), 274 * e, 1);
    EXPECT_NEAR(f.Etiquette3[0].pixelRect().width(), 33 * e, 1);
    EXPECT_DOUBLE_EQ(f.Etiquette3[0].fontSize(), 10.5 * shared.Echelle);
    EXPECT_NEAR(f.Image5[0].pixelRect().width(), 57 * e, 1);
}

} // namespace
