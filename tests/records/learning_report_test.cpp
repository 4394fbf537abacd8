// The learning report: the pupil's grid of lessons with the retake of his failed lessons, and the
// teacher's table of percentages over the chosen pupils, browsed and printed.
#include "records_fixture.h"

#include "players/tree_player.h"
#include "shell/routines.h"
#include "shell/shades.h"
#include "signin/home_screen.h"

#include <QDate>
#include <QLocale>
#include <sstream>

namespace {

using players::Feuille5;
using records::inscription;
using records::resultat;
using recordstest::PrintedTest;
using recordstest::RecordsTest;
using shell::MDI1;
using shell::shared;
using signin::Feuille1;

using namespace ui::palette;
using namespace shell::shades;

class PupilReport : public RecordsTest {
protected:
    // The signed-in pupil opens his report from the main window's menu.
    resultat& openReport(int activity, const std::string& progress) {
        shared.Activite = static_cast<shell::Integer>(activity);
        shared.EtatLecons = progress;
        shared.ModeBilan = 1;
        shell::ActiverMenuBilan();
        choose(screen<MDI1>().bilan);
        settle();
        return screen<resultat>();
    }
    // The captions of the cells shown, in order.
    static std::vector<std::string> cells(resultat& r) {
        std::vector<std::string> out;
        for (int i = 0; i < 120; ++i)
            if (r.Etiquette4[i].visible()) out.push_back(r.Etiquette4[i].caption());
        return out;
    }
};

TEST_F(PupilReport, EachExistingLessonHasACellColouredByItsLastScore) {
    for (int lesson : {1, 2, 3, 10}) writeLesson(2, lesson);
    writeLesson(3, 4);
    resultat& r = openReport(2, progressWith({{241, '5'}, {242, '4'}, {250, '8'}, {364, '1'}}));
    EXPECT_EQ(u8(r.caption()), "Bilan des apprentissages  ----  Activité : Le tableau des dessins");
    EXPECT_EQ(shared.ResultatAffiche, 1);
    EXPECT_EQ(cells(r), (std::vector<std::string>{"1", "2", "3", "10"}));
    const ui::Colour colours[] = {kCyan, kRouge, kJauneClair, kCyan};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(r.Etiquette4[i].backColor(), colours[i]);
        EXPECT_EQ(r.Etiquette4[i].font().underline, i == 1);
        EXPECT_NEAR(r.Etiquette4[i].left(), 240 + 440 * i, 1);
        EXPECT_NEAR(r.Etiquette4[i].top(), 1080, 1);
    }
    EXPECT_FALSE(seen(r.Etiquette1[0])) << "no name in the pupil's own report";
    EXPECT_EQ(u8(r.Etiquette2[1].caption()), "2");
    EXPECT_EQ(u8(r.Etiquette2[2].caption()), "3");
    EXPECT_EQ(u8(r.Etiquette2[3].caption()), "5/8 et +");
    EXPECT_EQ(r.RepriseProposee, code(2, 2));
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(seen(r.Etiquette5[i]));
    EXPECT_TRUE(seen(r.Commande2));
    EXPECT_TRUE(r.Commande2.isDefault());
    EXPECT_EQ(u8(r.Commande1[2].caption()), "&Reprendre les leçons qui ne sont pas réussies");
    EXPECT_FALSE(seen(r.Commande1[3]));
}

TEST_F(PupilReport, TheCriterionDecidesWhatIsSucceeded) {
    writeLesson(0, 1);
    writeLesson(0, 2);
    struct Case {
        int setting;
        char score;
        ui::Colour colour;
        const char* label;
    };
    const Case cases[] = {{2, '5', kCyan, "5/8 et +"},
                          {2, '4', kRouge, "5/8 et +"},
                          {0, '6', kRouge, "7/8 et +"},
                          {0, '7', kCyan, "7/8 et +"},
                          {3, '4', kCyan, "4/8 et +"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.score);
        shared.CritereReussite = static_cast<shell::Integer>(c.setting);
        resultat& r = openReport(0, progressWith({{1, c.score}}));
        EXPECT_EQ(r.Etiquette4[0].backColor(), c.colour);
        EXPECT_EQ(r.Etiquette4[1].backColor(), kJauneClair);
        EXPECT_EQ(u8(r.Etiquette2[3].caption()), c.label);
        ui::unload<resultat>();
    }
}

TEST_F(PupilReport, TwentyLessonsFillARowAndAHalf) {
    for (int lesson = 1; lesson <= 20; ++lesson) writeLesson(9, lesson * 3);
    // Done in another activity only: the menu is on, the activity shows nothing done.
    resultat& r = openReport(9, progressWith({{1, '6'}}));
    ASSERT_EQ(cells(r).size(), 20u);
    EXPECT_EQ(r.Etiquette4[18].caption(), "57");
    EXPECT_NEAR(r.Etiquette4[18].left(), 240 + 18 * 440, 1);
    EXPECT_EQ(r.Etiquette4[19].caption(), "60");
    EXPECT_NEAR(r.Etiquette4[19].left(), 240, 1);
    EXPECT_NEAR(r.Etiquette4[19].top(), 1380, 1);
    EXPECT_EQ(u8(r.Etiquette2[1].caption()), "0");
    EXPECT_EQ(u8(r.Etiquette2[2].caption()), "0");
}

TEST_F(PupilReport, TheActivitiesGoRoundBothWays) {
    writeLesson(0, 5);
    writeLesson(11, 7);
    resultat& r = openReport(11, progressWith({{2, '6'}}));
    EXPECT_EQ(cells(r), std::vector<std::string>{"7"});
    click(r.Commande1[0]);
    settle();
    EXPECT_EQ(u8(r.caption()),
              "Bilan des apprentissages  ----  Activité : Les ensembles de dessins");
    EXPECT_EQ(cells(r), std::vector<std::string>{"5"});
    click(r.Commande1[1]);
    settle();
    EXPECT_EQ(u8(r.caption()), "Bilan des apprentissages  ----  Activité : Les solides amis");
    EXPECT_EQ(u8(r.Commande1[0].caption()), "Lire l'activité &suivante");
    EXPECT_EQ(u8(r.Commande1[1].caption()), "Lire l'activité &précédente");
}

TEST_F(PupilReport, TheLessonInProgressKeepsItsRecord) {
    writeLesson(3, 1);
    shared.NumeroLecon = 7;
    shared.Enregistrement = "la lecon en cours";
    openReport(3, progressWith({{2, '6'}}));
    EXPECT_EQ(shared.NumeroLecon, 7);
    EXPECT_EQ(shared.Enregistrement, "la lecon en cours");
}

TEST_F(PupilReport, TheRetakePlaysTheFailedLessonsOfTheActivity) {
    for (int lesson : {1, 2, 5}) writeLesson(1, lesson);
    shared.RepriseAutorisee = shell::kVrai;
    shared.Points = 3;
    shared.ItemsTermines = 1;
    resultat& r = openReport(1, progressWith({{121, '7'}, {122, '2'}, {125, '3'}}));
    click(r.Commande1[2]);
    settle();
    EXPECT_EQ(ui::find<resultat>(), nullptr);
    EXPECT_EQ(shared.ListeReprise, code(1, 2) + code(1, 5));
    EXPECT_EQ(shared.PositionReprise, 0);
    EXPECT_EQ(shared.Points, 8);
    EXPECT_EQ(shared.ItemsTermines, 0) << "the retake starts with no item finished";
    EXPECT_EQ(shared.ResultatAffiche, 0);
    EXPECT_NE(ui::find<Feuille5>(), nullptr) << "the tree player";
    EXPECT_EQ(shared.NumeroLecon, 2);
    EXPECT_NE(shared.DeLaReprise, 0);
}

TEST_F(PupilReport, NothingToRetakeClosesTheReportAndARetakeRefusedHasNoButton) {
    writeLesson(1, 1);
    shared.RepriseAutorisee = shell::kVrai;
    resultat& r = openReport(1, progressWith({{121, '7'}}));
    click(r.Commande1[2]);
    settle();
    EXPECT_EQ(ui::find<resultat>(), nullptr);
    EXPECT_EQ(shared.ListeReprise, "");
    EXPECT_EQ(ui::find<Feuille5>(), nullptr);

    shared.RepriseAutorisee = shell::kFaux;
    resultat& s = openReport(1, progressWith({{121, '2'}}));
    EXPECT_FALSE(seen(s.Commande1[2]));
    EXPECT_TRUE(seen(s.Commande1[0]));
}

TEST_F(PupilReport, ContinueOrTheSpaceBarCloseItAndANumbersActivityIsTold) {
    writeLesson(5, 1);
    struct Case {
        int activity;
        bool space;
        int mark;
    };
    for (const Case& c : {Case{5, false, 99}, Case{2, true, 0}, Case{7, true, 99}}) {
        SCOPED_TRACE(c.activity);
        resultat& r = openReport(c.activity, progressWith({{601, '6'}}));
        if (c.space)
            key(r.Commande2, Qt::Key_Space, " ");
        else
            click(r.Commande2);
        settle();
        EXPECT_EQ(ui::find<resultat>(), nullptr);
        EXPECT_EQ(shared.ResultatAffiche, c.mark);
    }
}

TEST_F(PupilReport, AClickOnTheHomeScreenTakesItAway) {
    Feuille1& home = ui::load<Feuille1>();
    settle();
    openReport(0, progressWith({{1, '6'}}));
    clickAt(home, QPoint(5, 5));
    EXPECT_EQ(ui::find<resultat>(), nullptr);
    EXPECT_EQ(shared.ResultatAffiche, 0);
}

// --- teacher mode -----------------------------------------------------------------------------

// The printed names stand two blanks apart, which the text read back from the page gives as one.
class TeacherReport : public PrintedTest {
protected:
    void SetUp() override {
        PrintedTest::SetUp();
        formats::PupilValues a = pupil("ANNE", "ABEL");
        // Activity 0: 5 in the first ten, 7 in the second; activity 1: 5 and 8; activity 2:
        // 8; activity 3: 4 (failed with the default criterion).
        a.etatLecons =
            progressWith({{1, '5'}, {15, '7'}, {121, '5'}, {130, '8'}, {241, '8'}, {361, '4'}});
        writePupil("07", a);
        formats::PupilValues b = pupil("BOB", "BRUN");
        b.etatLecons = progressWith({{1, '8'}});
        writePupil("07", b);
        formats::PupilValues c = pupil("CLÉO", "CYR");
        c.etatLecons = progressWith({{1200, '6'}});
        writePupil("07", c);
    }
    // The results mode on group 7 with these lines chosen, then the report on them.
    resultat& openReport(const std::vector<int>& rows) {
        inscription& f = open(3);
        chooseGroup(f, "7");
        for (int row : rows) clickLine(f.Liste3, row);
        click(f.Commande3[0]);
        settle();
        return screen<resultat>();
    }
    inscription& registration() { return screen<inscription>(); }
    // The line of a page that holds `text`, or "".
    static std::string lineWith(const std::string& page, const std::string& text) {
        std::istringstream in(page);
        for (std::string l; std::getline(in, l);)
            if (l.find(text) != std::string::npos) return l;
        return "";
    }
    static int count(const std::string& page, const std::string& text) {
        int n = 0;
        for (auto p = page.find(text); p != std::string::npos; p = page.find(text, p + 1)) ++n;
        return n;
    }
};

TEST_F(TeacherReport, TheChosenPupilsAreBrowsedInListOrder) {
    resultat& r = openReport({0, 2});
    EXPECT_EQ(u8(r.caption()), "Bilan des apprentissages");
    EXPECT_EQ(u8(r.Etiquette2[0].caption()), "ANNE  ABEL");
    EXPECT_EQ(u8(r.Etiquette2[1].caption()), "5");
    EXPECT_EQ(u8(r.Etiquette2[2].caption()), "6");
    EXPECT_EQ(u8(r.Etiquette2[3].caption()), "5/8 et +");
    EXPECT_TRUE(r.Commande1[0].enabled());
    EXPECT_FALSE(r.Commande1[1].enabled());
    EXPECT_TRUE(r.Commande1[0].hasFocus());
    EXPECT_TRUE(r.Commande1[3].enabled());
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(seen(r.Etiquette5[i]));
    EXPECT_FALSE(seen(r.Commande2));

    click(r.Commande1[0]);
    settle();
    EXPECT_EQ(u8(r.Etiquette2[0].caption()), "CLÉO  CYR");
    EXPECT_EQ(u8(r.Etiquette2[1].caption()), "1");
    EXPECT_FALSE(r.Commande1[0].enabled());
    EXPECT_TRUE(r.Commande1[1].enabled());
    EXPECT_TRUE(r.Commande1[1].hasFocus());
    key(r.Commande1[1], Qt::Key_PageUp);
    settle();
    EXPECT_EQ(u8(r.Etiquette2[0].caption()), "ANNE  ABEL");
    key(r.Commande1[0], Qt::Key_PageUp);
    settle();
    EXPECT_EQ(u8(r.Etiquette2[0].caption()), "ANNE  ABEL") << "nothing before the first";
    key(r.Commande1[0], Qt::Key_PageDown);
    settle();
    EXPECT_EQ(u8(r.Etiquette2[0].caption()), "CLÉO  CYR");
}

TEST_F(TeacherReport, TheColumnLinesStopAtTheTableEnd) {
    for (const QSize screen : {QSize(640, 480), QSize(1024, 768), QSize(1440, 1080)}) {
        SCOPED_TRACE(screen.width());
        ui::unloadAllForms();
        ui::load<MDI1>();
        useScreen(screen.width(), screen.height());
        resultat& r = openReport({0});
        const QImage surface = r.surface();
        const double e = shared.Echelle;
        // The line under the last material, and the buttons' row under the table.
        const int fin = int(std::lround((1000 + 500 + 12 * 255) * e / 15));
        const int boutons = int(r.Commande1[0].top() / 15);
        ASSERT_LT(fin + 3, boutons);
        // A white pixel on the column line, whichever way its position was rounded.
        const auto ligne = [&](int x, int y) {
            for (int dx = -1; dx <= 1; ++dx)
                if ((surface.pixel(x + dx, y) & 0xFFFFFF) == 0xFFFFFF) return true;
            return false;
        };
        for (int c = 0; c <= 12; ++c) {
            SCOPED_TRACE(c);
            const int x = int((400 + 2600 + c * 450) * e / 15);
            EXPECT_TRUE(ligne(x, fin - 3)) << "the line down the table";
            for (int y = fin + 2; y < boutons; ++y)
                ASSERT_FALSE(ligne(x, y)) << "below the table at " << y;
        }
    }
}

TEST_F(TeacherReport, OnePupilAloneLeavesOnlyTheWayBack) {
    resultat& r = openReport({1});
    EXPECT_EQ(u8(r.Etiquette2[0].caption()), "BOB  BRUN");
    EXPECT_FALSE(r.Commande1[0].enabled());
    EXPECT_FALSE(r.Commande1[1].enabled());
    EXPECT_TRUE(r.Commande1[2].hasFocus());
    EXPECT_TRUE(r.Commande1[3].enabled()) << "the group has other pupils";
}

TEST_F(TeacherReport, AOnePupilGroupCannotChooseOtherRegistrations) {
    writePupil("09", pupil("ZOÉ", "MARTIN"));
    inscription& f = open(3);
    chooseGroup(f, "9");
    click(f.Commande3[1]);
    settle();
    resultat* r = ui::find<resultat>();
    ASSERT_NE(r, nullptr);
    EXPECT_FALSE(r->Commande1[3].enabled());
}

TEST_F(TeacherReport, AFileThatCannotBeReadIsSaidAndShowsNothing) {
    inscription& f = open(3);
    chooseGroup(f, "7");
    std::filesystem::remove(data(pupilPath("07", "ANNE", "ABEL")));
    writeFile(pupilPath("07", "BOB", "BRUN"), "BOB\r\nBRUN\r\nxx\r\n");
    click(f.Commande3[1]);
    settle();
    resultat& r = screen<resultat>();
    EXPECT_EQ(u8(r.Etiquette2[0].caption()), "?  ?");
    EXPECT_EQ(u8(r.Etiquette2[2].caption()), "0");
    EXPECT_EQ(lastBox(), "Le fichier de cet utilisateur est abîmé.");
    EXPECT_EQ(boxes.back().style, ui::vbExclamation);
    boxes.clear();
    click(r.Commande1[0]);
    settle();
    EXPECT_EQ(u8(r.Etiquette2[0].caption()), "BOB  BRUN");
    EXPECT_EQ(u8(r.Etiquette2[2].caption()), "0");
    EXPECT_EQ(lastBox(), "Le fichier de cet utilisateur est abîmé.");
    // Leaving both screens writes nothing over it.
    click(r.Commande1[6]);
    settle();
    EXPECT_EQ(readFile(pupilPath("07", "BOB", "BRUN")), "BOB\r\nBRUN\r\nxx\r\n");
}

TEST_F(TeacherReport, APupilWhoseFileIsDamagedIsNeverPrintedAsHavingDoneNothing) {
    writeFile(pupilPath("07", "BOB", "BRUN"), "BOB\r\nBRUN\r\nxx\r\n");
    resultat& r = openReport({0, 1});
    click(r.Commande1[0]);
    settle();
    ASSERT_EQ(u8(r.Etiquette2[0].caption()), "BOB  BRUN");
    boxes.clear();
    click(r.Commande1[4]);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Le fichier de cet utilisateur est abîmé."});
    EXPECT_FALSE(exists("bilan.pdf")) << "no page with his name and no lesson done";
    // The pupil before him, whose file reads whole, still prints.
    click(r.Commande1[1]);
    settle();
    ASSERT_EQ(u8(r.Etiquette2[0].caption()), "ANNE  ABEL");
    click(r.Commande1[4]);
    ASSERT_EQ(pages(), 1);
    EXPECT_NE(page(1).find("Nom : ANNE ABEL"), std::string::npos);
}

TEST_F(TeacherReport, ThePrintedReportHasItsHeaderCountsAndPercentages) {
    resultat& r = openReport({0, 1});
    click(r.Commande1[4]);
    EXPECT_TRUE(boxes.empty()) << lastBox();
    ASSERT_EQ(pages(), 1);
    const std::string p = page(1);
    const std::string header = lineWith(p, "TAVREL (");
    EXPECT_NE(header.find("TAVREL (10/12/2026)"), std::string::npos) << header;
    EXPECT_NE(header.find("Groupe 07"), std::string::npos) << header;
    EXPECT_NE(p.find("Nom : ANNE ABEL"), std::string::npos) << p;
    const std::string counts = lineWith(p, "Leçons réussies");
    EXPECT_NE(counts.find("Leçons réussies : 5"), std::string::npos) << counts;
    EXPECT_NE(counts.find("Leçons terminées : 6"), std::string::npos) << counts;
    EXPECT_NE(counts.find("Critère de réussite : 5/8 et +"), std::string::npos) << counts;
    EXPECT_EQ(count(p, "BOB"), 0) << "the pupil shown alone";

    struct Row {
        const char* title;
        std::vector<std::string> percentages;
    };
    const Row rows[] = {{"Les ensembles de dessins", {"62%", "88%", "75%"}},
                        {"L'arbre des dessins", {"81%", "81%"}},
                        {"Le tableau des dessins", {"100%", "100%"}},
                        {"Les dessins amis", {"50%", "50%"}},
                        {"Les ensembles de nombres", {}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.title);
        const std::string line = lineWith(p, row.title);
        ASSERT_NE(line, "");
        std::istringstream words(line.substr(line.find(row.title) + std::string(row.title).size()));
        std::vector<std::string> seenWords;
        for (std::string w; words >> w;) seenWords.push_back(w);
        EXPECT_EQ(seenWords, row.percentages);
    }
    const std::string headings = lineWith(p, "1-10");
    for (const char* h : {"1-10", "11-", "21-", "81-", "91-", "101-", "111-", "Total"})
        EXPECT_NE(headings.find(h), std::string::npos) << h << " in " << headings;
    const std::string second = lineWith(p, "110");
    for (const char* h : {" 20", " 90", "100", "110", "120"})
        EXPECT_NE(second.find(h), std::string::npos) << h << " in " << second;
}

TEST_F(TeacherReport, ThePrintedDateIsDayMonthYearInEveryLanguage) {
    struct Case {
        platform::Clock::Date date;
        const char* locale;
        const char* printed;
    };
    const Case cases[] = {{{2027, 1, 5}, "C", "05/01/2027"},
                          {{2026, 12, 31}, "en_US", "31/12/2026"},
                          {{2026, 3, 9}, "fr_FR", "09/03/2026"}};
    const QLocale before;
    resultat& r = openReport({0});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.printed);
        QLocale::setDefault(QLocale(c.locale));
        clock->setToday(c.date);
        click(r.Commande1[4]);
        EXPECT_NE(lineWith(page(1), "TAVREL (").find(std::string("TAVREL (") + c.printed + ")"),
                  std::string::npos)
            << page(1);
    }
    QLocale::setDefault(before);
}

TEST_F(TeacherReport, PrintingEveryChosenPupilPutsTwoOnAPage) {
    resultat& r = openReport({0, 1, 2});
    click(r.Commande1[5]);
    EXPECT_TRUE(boxes.empty()) << lastBox();
    ASSERT_EQ(pages(), 2);
    const std::string first = page(1);
    EXPECT_EQ(count(first, "Groupe 07"), 2);
    EXPECT_NE(first.find("Nom : ANNE ABEL"), std::string::npos);
    EXPECT_NE(first.find("Nom : BOB BRUN"), std::string::npos);
    EXPECT_LT(first.find("ANNE ABEL"), first.find("BOB BRUN"));
    EXPECT_NE(page(2).find("Nom : CLÉO CYR"), std::string::npos);
    EXPECT_FALSE(seen(r.Etiquette3)) << "the notice is gone once printed";
    for (int i = 0; i <= 6; ++i) EXPECT_TRUE(seen(r.Commande1[i]));

    // The screen still shows the first pupil, and printing it alone prints that one.
    EXPECT_EQ(u8(r.Etiquette2[0].caption()), "ANNE  ABEL");
    click(r.Commande1[4]);
    ASSERT_EQ(pages(), 1);
    EXPECT_NE(page(1).find("Nom : ANNE ABEL"), std::string::npos);
    EXPECT_EQ(count(page(1), "CLÉO"), 0);
}

TEST_F(TeacherReport, TwoPupilsFillOnePageAndUnreadableFilesAreSkipped) {
    resultat& r = openReport({0, 1, 2});
    std::filesystem::remove(data(pupilPath("07", "BOB", "BRUN")));
    click(r.Commande1[5]);
    EXPECT_TRUE(boxes.empty()) << lastBox();
    ASSERT_EQ(pages(), 1);
    const std::string p = page(1);
    EXPECT_NE(p.find("ANNE ABEL"), std::string::npos);
    EXPECT_NE(p.find("CLÉO CYR"), std::string::npos);
    EXPECT_EQ(count(p, "BRUN"), 0);
}

TEST_F(TeacherReport, TheNoticeShowsWhileMoreThanTwoPupilsPrint) {
    resultat& r = openReport({0, 1, 2});
    // A printer that cannot be opened: nothing prints, the notice has shown and is gone.
    capture_->redirect(QString::fromStdString(data("absent/bilan.pdf").string()));
    click(r.Commande1[5]);
    EXPECT_EQ(lastBox(), "Impossible d'imprimer le bilan.");
    EXPECT_EQ(u8(r.Etiquette3.caption()), "\r\nImpression du bilan\r\ndes 3 inscriptions choisies");
    EXPECT_FALSE(seen(r.Etiquette3));
    EXPECT_TRUE(seen(r.Commande1[0]));
}

TEST_F(TeacherReport, TheWaysBackToTheRegistrationScreen) {
    resultat& r = openReport({0, 2});
    click(r.Commande1[3]);
    settle();
    EXPECT_EQ(ui::find<resultat>(), nullptr);
    EXPECT_TRUE(chosen(registration().Liste3).empty());
    EXPECT_TRUE(registration().Liste3.hasFocus());
    EXPECT_EQ(registration().Liste3.listCount(), 3);

    clickLine(registration().Liste3, 1);
    click(registration().Commande3[0]);
    settle();
    resultat& again = screen<resultat>();
    EXPECT_EQ(u8(again.Etiquette2[0].caption()), "BOB  BRUN");
    click(again.Commande1[2]);
    settle();
    EXPECT_EQ(ui::find<resultat>(), nullptr);
    EXPECT_EQ(registration().Liste3.listCount(), 0);
    EXPECT_TRUE(registration().Commande1.enabled()) << "the group choice";

    chooseGroup(registration(), "7");
    click(registration().Commande3[1]);
    settle();
    click(screen<resultat>().Commande1[6]);
    settle();
    EXPECT_EQ(ui::find<resultat>(), nullptr);
    EXPECT_EQ(ui::find<inscription>(), nullptr);
    EXPECT_NE(ui::find<Feuille1>(), nullptr);
    EXPECT_EQ(shared.Prenom, "");
    EXPECT_EQ(shared.NumeroSequence, -1);
}

} // namespace
