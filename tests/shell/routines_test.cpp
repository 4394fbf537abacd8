// The next-lesson dispatch, signing out, the quit, and the main window's caption, total line,
// report menu and summary of the day.
#include "shell_fixture.h"

#include "formats/pupil_file.h"
#include "platform/files.h"
#include "players/grid_player.h"
#include "players/reward_screen.h"
#include "players/sets_player.h"
#include "players/table_player.h"
#include "players/tree_player.h"
#include "records/learning_report.h"
#include "shell/file_routines.h"
#include "shell/main_window.h"
#include "shell/routines.h"
#include "signin/home_screen.h"
#include "signin/lesson_choice.h"

#include <QCoreApplication>
#include <csignal>
#include <filesystem>
#include <optional>

namespace {

using players::felicite;
using players::Feuille4;
using players::Feuille5;
using players::Feuille6;
using players::Feuille7;
using records::resultat;
using shell::fenetrePrincipale;
using shell::MDI1;
using shell::shared;
using shelltest::ShellTest;
using signin::Feuille1;
using signin::Feuille3;

// Which player is loaded: 0 sets, 1 tree, 2 table, 3 grid; -1 none.
int loadedPlayer() {
    if (ui::find<Feuille4>()) return 0;
    if (ui::find<Feuille5>()) return 1;
    if (ui::find<Feuille6>()) return 2;
    if (ui::find<Feuille7>()) return 3;
    return -1;
}

class Dispatch : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        writeFile("lecons.tav", formats::blankLessonCatalogue());
        shared.EcranCourant = shell::Ecran::ChoixLecons;
        ui::load<MDI1>();
    }
    // A pupil signed in with his file in the data folder's group folder.
    void signIn(const std::string& prenom, int sequence) {
        shared.Prenom = prenom;
        shared.Nom = "MARTIN";
        shared.NumeroSequence = static_cast<shell::Integer>(sequence);
        shared.EleveActif = shell::kVrai;
        std::filesystem::create_directories(data("TAVR#07"));
        shared.CheminFichierEleve = data("TAVR#07").string() + "/PUPIL.TXT";
    }
    std::string pupilFileLine(int line) {
        const auto lines = platform::readLines(shared.CheminFichierEleve);
        if (!lines || static_cast<int>(lines->size()) < line) return "<none>";
        return (*lines)[static_cast<std::size_t>(line - 1)];
    }
};

TEST_F(Dispatch, ThePlayerOfTheLessonsKindIsLoadedAtTheListsPosition) {
    for (int activity = 0; activity < 12; ++activity) {
        SCOPED_TRACE(activity);
        writeLesson(activity, 120);
        shared.ListeLecons = code(activity, 120);
        shared.PositionListe = 0;
        shared.Points = 5;
        shared.NumeroItem = 1;
        EXPECT_EQ(shell::LeconSuivante(), shell::SuiteLecon::Rien);
        EXPECT_EQ(loadedPlayer(), activity % 4);
        EXPECT_EQ(shared.Activite, activity);
        EXPECT_EQ(shared.NumeroLecon, 120);
        EXPECT_EQ(shared.PositionListe, 0) << "the reward screen moves the list on, not this";
        EXPECT_EQ(shared.Enregistrement, std::string(formats::recordLength(activity), '1'));
        EXPECT_EQ(shared.Points, 5) << "an interrupted lesson resumes with its points";
        EXPECT_EQ(shared.NumeroItem, 1);
        EXPECT_FALSE(shared.DeLaReprise);
        EXPECT_EQ(u8(fenetrePrincipale().caption()),
                  "TAVREL -- " + u8(shared.TitresActivites[activity]) + " -- Leçon 120");
        EXPECT_TRUE(boxes.empty());
        shell::FermerActivites();
    }
}

TEST_F(Dispatch, PerfectMissingAndInvalidLessonsArePassedOver) {
    writeLesson(0, 3);
    writeLesson(1, 5);
    writeLesson(2, 9);
    shared.EtatLecons[120 * 0 + 3 - 1] = '8';
    shared.EtatLecons[120 * 2 + 9 - 1] = '9'; // after "8": counts as perfect too
    shared.EtatLecons[120 * 1 + 5 - 1] = '7';
    shared.ListeLecons = code(0, 3) + std::string("M") + char(101) + code(0, 0) + code(0, 121) +
                         code(2, 9) + code(0, 4) + code(1, 5);
    shared.ItemsTermines = 1;
    shared.Points = 6;
    shared.NumeroItem = 1;
    shell::LeconSuivante();
    EXPECT_EQ(loadedPlayer(), 1);
    EXPECT_EQ(shared.Activite, 1);
    EXPECT_EQ(shared.NumeroLecon, 5);
    EXPECT_EQ(shared.PositionListe, 6);
    EXPECT_EQ(shared.Points, 8) << "a lesson passed over leaves a fresh lesson";
    EXPECT_EQ(shared.NumeroItem, 0) << "so the player starts at its first item";
    EXPECT_EQ(shared.ItemsTermines, 0);
}

TEST_F(Dispatch, TheRetakeListComesFirstAndAnInvalidEntryGivesWayWithoutMoving) {
    writeLesson(2, 2);
    writeLesson(0, 1);
    writeLesson(3, 7);
    shared.ListeReprise = code(2, 2);
    shared.ListeLecons = code(0, 1);
    shell::LeconSuivante();
    EXPECT_EQ(loadedPlayer(), 2);
    EXPECT_TRUE(shared.DeLaReprise);
    EXPECT_EQ(shared.NumeroLecon, 2);
    // The reward screen then takes the retake entry.
    shared.PositionReprise = 1;
    shell::LeconSuivante();
    EXPECT_EQ(loadedPlayer(), 0);
    EXPECT_FALSE(shared.DeLaReprise);
    EXPECT_EQ(shared.Activite, 0);
    EXPECT_EQ(shared.NumeroLecon, 1);

    for (const std::string& invalid : {std::string("M") + char(101), code(0, 0), code(0, 121)}) {
        SCOPED_TRACE(invalid);
        shared.ListeReprise = invalid + code(3, 7);
        shared.PositionReprise = 0;
        shared.PositionListe = 0;
        shell::LeconSuivante();
        EXPECT_EQ(loadedPlayer(), 0);
        EXPECT_EQ(shared.PositionReprise, 0);
        EXPECT_FALSE(shared.DeLaReprise);
    }
    // A retake lesson that is passed over moves the retake list on.
    shared.ListeReprise = code(1, 1) + code(3, 7);
    shared.PositionReprise = 0;
    shell::LeconSuivante();
    EXPECT_EQ(loadedPlayer(), 3);
    EXPECT_TRUE(shared.DeLaReprise);
    EXPECT_EQ(shared.PositionReprise, 1);
    EXPECT_EQ(shared.PositionListe, 0);
}

// A save during a retake lesson counts that lesson in the pupil's list once, however often it is
// tried, and the next retake lesson counts again.
TEST_F(Dispatch, EachRetakeLessonCountsOnceInThePupilsListAtItsSaves) {
    writeLesson(2, 2);
    writeLesson(2, 3);
    shared.ListeReprise = code(2, 2) + code(2, 3);
    shared.ListeLecons = code(0, 1) + code(0, 2) + code(0, 3);
    shell::LeconSuivante();
    ASSERT_EQ(shared.NumeroLecon, 2);
    shell::EcrireFichierEleve("");
    shell::EcrireFichierEleve("");
    EXPECT_EQ(shared.PositionListe, 1);
    // The reward screen takes the retake entry, and the next one plays.
    shared.PositionReprise = 1;
    shell::LeconSuivante();
    ASSERT_EQ(shared.NumeroLecon, 3);
    shell::EcrireFichierEleve("");
    EXPECT_EQ(shared.PositionListe, 2);
}

TEST_F(Dispatch, TheScreensOfPupilWorkAndTheHomeScreenAreClosedFirst) {
    writeLesson(0, 1);
    ui::load<Feuille1>();
    ui::load<Feuille3>();
    ui::load<resultat>();
    ui::load<felicite>();
    ui::load<Feuille6>();
    // Whatever those screens did when they loaded, the pupil's list starts afresh.
    shared.ListeLecons = code(0, 1);
    shared.PositionListe = 0;
    shared.ListeReprise.clear();
    shared.EtatLecons.assign(1450, '#');
    shared.EcranCourant = shell::Ecran::ChoixLecons;
    shell::LeconSuivante();
    EXPECT_EQ(ui::find<Feuille1>(), nullptr);
    EXPECT_EQ(ui::find<Feuille3>(), nullptr);
    EXPECT_EQ(ui::find<resultat>(), nullptr);
    EXPECT_EQ(ui::find<felicite>(), nullptr);
    EXPECT_EQ(ui::find<Feuille6>(), nullptr);
    EXPECT_EQ(loadedPlayer(), 0);
}

TEST_F(Dispatch, ListsUsedUpFromTheLessonChoiceTellThePupilAndBringTheHomeScreenBack) {
    shared.NumeroSequence = 0;
    shared.ListeLecons = code(0, 1); // not in the catalogue
    EXPECT_EQ(shell::LeconSuivante(), shell::SuiteLecon::Rien) << "the home screen did not call";
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Tu as terminé les leçons choisies."}));
    EXPECT_EQ(boxes[0].style, ui::vbOKOnly);
    EXPECT_EQ(boxes[0].title, "Message");
    EXPECT_NE(ui::find<Feuille1>(), nullptr);
    EXPECT_EQ(loadedPlayer(), -1);
    EXPECT_EQ(shared.PositionListe, 1);
}

TEST_F(Dispatch, ListsUsedUpAtSignInOfAPupilWhoChoosesHisLessons) {
    signIn("ZOE", 0);
    shared.EcranCourant = shell::Ecran::Accueil;
    EXPECT_EQ(shell::LeconSuivante(), shell::SuiteLecon::AccueilRevenu);
    EXPECT_TRUE(boxes.empty());
    EXPECT_NE(ui::find<Feuille1>(), nullptr);
    EXPECT_TRUE(shared.EleveActif) << "he stays signed in to choose lessons";
    EXPECT_EQ(pupilFileLine(1), "ZOE");
}

TEST_F(Dispatch, APupilWhoFinishesHisSequenceIsSavedAndSignedOut) {
    signIn("ZOE", 4);
    shared.EtatLecons[0] = '6';
    shared.ListeLecons = code(0, 1) + code(0, 2);
    shared.PositionListe = 2;
    shell::AfficherTotalLecons();
    shell::ActiverMenuBilan();
    fenetrePrincipale().setCaption("ZOE -- TAVREL");
    const std::string path = shared.CheminFichierEleve;
    shell::LeconSuivante();
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Tu as terminé les leçons choisies."}));
    const auto file = platform::readLines(path);
    ASSERT_TRUE(file);
    EXPECT_EQ((*file)[0], "ZOE");
    EXPECT_EQ((*file)[2], " 2 ");
    EXPECT_EQ((*file)[6][0], '6');
    // Nothing of him is left for the next person.
    EXPECT_FALSE(shared.EleveActif);
    EXPECT_EQ(shared.Prenom, "");
    EXPECT_EQ(shared.CheminFichierEleve, "");
    EXPECT_EQ(shared.EtatLecons, std::string(1450, '#'));
    MDI1& m = fenetrePrincipale();
    EXPECT_EQ(m.caption(), "TAVREL");
    EXPECT_FALSE(m.bilan.enabled());
    EXPECT_FALSE(m.total.visible());
    EXPECT_NE(ui::find<Feuille1>(), nullptr);
}

TEST_F(Dispatch, AListOfBytesNeverWrittenIsPassedOverEntryByEntry) {
    writeLesson(0, 1);
    shared.ListeLecons = std::string(800, '\0');
    shell::LeconSuivante();
    EXPECT_EQ(shared.PositionListe, 400);
    EXPECT_EQ(boxes.size(), 1u);
    // An odd list: its half entry ends it.
    boxes.clear();
    shared.ListeLecons = code(0, 1) + "A";
    shared.PositionListe = 1;
    shell::LeconSuivante();
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(shared.PositionListe, 1);
}

TEST_F(Dispatch, ALessonThatCannotBeReadNeverMovesThePupilOn) {
    // Lesson A1 (at the catalogue's start) and lesson L120 (at its end), missing, emptied or cut
    // before the lesson ends: the pupil is told, and his place waits for a mended catalogue.
    struct Case {
        const char* what;
        std::optional<std::string> catalogue;
    };
    const std::string whole = formats::blankLessonCatalogue();
    const Case cases[] = {
        {"missing", std::nullopt},
        {"emptied", ""},
        {"cut inside the last lesson", whole.substr(0, whole.size() - 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(data("lecons.tav"));
        if (c.catalogue) writeFile("lecons.tav", *c.catalogue);
        boxes.clear();
        signIn("ZOE", 1);
        shared.ListeLecons = code(0, 1) + code(0, 2) + code(11, 120) + code(5, 2);
        shared.PositionListe = 2;
        shared.EcranCourant = shell::Ecran::ChoixLecons;
        const std::string path = shared.CheminFichierEleve;
        shell::LeconSuivante();
        EXPECT_EQ(loadedPlayer(), -1);
        EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Le fichier «" + u8(folder()) +
                                                        "lecons.tav» est absent ou défectueux."}));
        EXPECT_EQ(boxes[0].style, ui::vbExclamation);
        const auto file = platform::readLines(path);
        ASSERT_TRUE(file);
        EXPECT_EQ((*file)[2], " 2 ") << "the file keeps his place in the list";
        EXPECT_NE(ui::find<Feuille1>(), nullptr);
        EXPECT_EQ(exists("lecons.tav"), c.catalogue.has_value());
        ui::unload<Feuille1>();

        // Nor the retake list.
        shared.ListeReprise = code(11, 120);
        shared.PositionReprise = 0;
        shared.ListeLecons = code(11, 120);
        shared.PositionListe = 0;
        shell::LeconSuivante();
        EXPECT_EQ(shared.PositionReprise, 0);
        EXPECT_EQ(shared.PositionListe, 0);
        EXPECT_EQ(boxes.size(), 2u);
        ui::unload<Feuille1>();
        shared.ListeReprise.clear();
    }
    // The same lessons, blank in a whole catalogue, are passed over.
    writeFile("lecons.tav", whole);
    boxes.clear();
    signIn("ZOE", 1);
    shared.ListeLecons = code(0, 1) + code(0, 2) + code(11, 120) + code(5, 2);
    shared.PositionListe = 2;
    shell::LeconSuivante();
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Tu as terminé les leçons choisies."}));
    EXPECT_EQ(shared.PositionListe, 4);
}

class SignOut : public Dispatch {};

TEST_F(SignOut, APupilWhoChoosesHisLessonsStaysSignedIn) {
    signIn("ZOE", 0);
    shared.EtatLecons[5] = '7';
    shared.ListeLecons = code(0, 1);
    shared.PositionListe = 1;
    shared.ListeReprise = code(0, 2);
    shared.PositionReprise = 1;
    shared.DeLaReprise = shell::kVrai;
    shared.Points = 3;
    shared.ItemsTermines = 1;
    shared.NumeroItem = 1;
    shared.NumeroLecon = 4;
    shared.Activite = 6;
    shared.ModeBilan = 0;
    shared.RepriseParDefaut = shell::kFaux;
    shared.RepriseAutorisee = shell::kVrai;
    shared.CheminParametres = folder() + "defaut";
    shared.TamponSequence = "x";
    ui::load<Feuille4>();
    shell::FermerEleve();
    EXPECT_EQ(loadedPlayer(), -1);
    EXPECT_TRUE(shared.EleveActif);
    EXPECT_EQ(shared.Prenom, "ZOE");
    EXPECT_NE(shared.CheminFichierEleve, "");
    EXPECT_EQ(shared.EtatLecons[5], '7');
    EXPECT_EQ(shared.ListeLecons, "");
    EXPECT_EQ(shared.PositionListe, 0);
    EXPECT_EQ(shared.ListeReprise, "");
    EXPECT_EQ(shared.PositionReprise, 0);
    EXPECT_FALSE(shared.DeLaReprise);
    EXPECT_EQ(shared.Points, 8);
    EXPECT_EQ(shared.ItemsTermines, 0);
    EXPECT_EQ(shared.NumeroItem, 3);
    EXPECT_EQ(shared.NumeroLecon, 0);
    EXPECT_EQ(shared.Activite, 0);
    EXPECT_EQ(shared.ModeBilan, 1);
    EXPECT_FALSE(shared.RepriseAutorisee);
    EXPECT_EQ(shared.CheminParametres, "");
    EXPECT_EQ(shared.TamponSequence, "");
}

TEST_F(SignOut, APupilWhoFollowsASequenceIsSignedOutAndForgotten) {
    signIn("ZOE", 12);
    shared.EtatLecons[5] = '7';
    shell::AfficherTotalLecons();
    shell::ActiverMenuBilan();
    fenetrePrincipale().setCaption("ZOE -- TAVREL");
    shell::FermerEleve();
    EXPECT_FALSE(shared.EleveActif);
    EXPECT_EQ(shared.Prenom, "");
    EXPECT_EQ(shared.Nom, "");
    EXPECT_EQ(shared.NumeroSequence, -1);
    EXPECT_EQ(shared.CheminFichierEleve, "");
    EXPECT_EQ(shared.EtatLecons, std::string(1450, '#'));
    MDI1& m = fenetrePrincipale();
    EXPECT_EQ(m.caption(), "TAVREL");
    EXPECT_FALSE(m.bilan.enabled());
    EXPECT_FALSE(m.total.visible());
}

class Quit : public Dispatch {};

TEST_F(Quit, ThePupilsFileIsWrittenTheSummaryShownAndTheProgramEnds) {
    signIn("ZOE", 2);
    shared.EtatLecons[0] = '7';
    shared.EtatLecons[1] = '5';
    shared.EtatLecons[2] = '8';
    shared.LeconsDuJour = 2;
    shared.PointsDuJour = 12;
    shell::QuitterLogiciel();
    EXPECT_TRUE(ended);
    EXPECT_EQ(pupilFileLine(1), "ZOE");
    EXPECT_EQ(pupilFileLine(7).substr(0, 4), "758#");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Aujourd'hui, tu as terminé 2 leçons.\n\nTu as obtenu 75 sur 100.\n\n"
                             "Depuis le début, tu as fait 3 leçons différentes.");
    EXPECT_EQ(boxes[0].style, ui::vbExclamation);
    EXPECT_EQ(boxes[0].title, "BILAN");
    EXPECT_TRUE(display->switches.empty());
}

TEST_F(Quit, NothingToSaveOrSay) {
    shell::QuitterLogiciel();
    EXPECT_TRUE(ended);
    EXPECT_TRUE(boxes.empty());
}

// The system stops the program (shutdown, session closed): a signal, answered on the event loop.
TEST_F(Quit, AStopByTheSystemSavesThePupilAsksNothingAndPutsTheDisplayBack) {
    signIn("ZOE", 2);
    shared.EtatLecons[0] = '6';
    shared.LeconsDuJour = 1;
    shared.PointsDuJour = 6;
    shared.ResolutionChangee = shell::kVrai;
    shared.LargeurEcranOrigine = 1024;
    shared.HauteurEcranOrigine = 768;
    ui::onTerminationSignal(shell::arreterLogiciel);
    for (const int sig : {SIGTERM, SIGHUP}) {
        SCOPED_TRACE(sig);
        ended = false;
        std::raise(sig);
        EXPECT_FALSE(ended) << "nothing happens inside the signal handler itself";
        for (int i = 0; i < 50 && !ended; ++i) QCoreApplication::processEvents();
        EXPECT_TRUE(ended);
        EXPECT_EQ(pupilFileLine(1), "ZOE");
        EXPECT_EQ(pupilFileLine(7).substr(0, 2), "6#");
        EXPECT_TRUE(boxes.empty()) << "nobody is there to answer";
        std::filesystem::remove(shared.CheminFichierEleve);
    }
    EXPECT_EQ(display->switches, (std::vector<std::pair<int, int>>{{1024, 768}}));

    // A file that cannot be written is given up at once: the program still ends.
    ended = false;
    shared.CheminFichierEleve = data("ABSENT").string() + "/PUPIL.TXT";
    std::raise(SIGTERM);
    for (int i = 0; i < 50 && !ended; ++i) QCoreApplication::processEvents();
    EXPECT_TRUE(ended);
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(std::filesystem::exists(shared.CheminFichierEleve));
    ui::onTerminationSignal(nullptr);
}

class Summary : public ShellTest {};

TEST_F(Summary, ScoresRoundHalfToEvenThenDropTheRemainder) {
    struct Case {
        int lessons, points;
        const char* text;
    };
    const Case cases[] = {
        {3, 21, "Aujourd'hui, tu as terminé 3 leçons.\n\nTu as obtenu 87 sur 100."},
        {1, 7, "Aujourd'hui, tu as terminé 1 leçon.\n\nTu as obtenu 88 sur 100."},
        {1, 5, "Aujourd'hui, tu as terminé 1 leçon.\n\nTu as obtenu 62 sur 100."},
        {2, 0, "Aujourd'hui, tu as terminé 2 leçons.\n\nTu as obtenu 0 sur 100."},
    };
    for (const Case& c : cases) {
        boxes.clear();
        shared.LeconsDuJour = static_cast<shell::Integer>(c.lessons);
        shared.PointsDuJour = static_cast<shell::Integer>(c.points);
        shell::AfficherBilanDuJour();
        EXPECT_EQ(boxTexts(), (std::vector<std::string>{c.text}));
        EXPECT_EQ(shared.LeconsDuJour, 0);
        EXPECT_EQ(shared.PointsDuJour, 0);
    }
    boxes.clear();
    shell::AfficherBilanDuJour();
    EXPECT_TRUE(boxes.empty()) << "no lesson finished, no summary";
}

TEST_F(Summary, LessonsEverDoneAreCountedWhenThereAreMoreThanToday) {
    struct Case {
        int done, today;
        bool told;
    };
    const Case cases[] = {{1, 1, false}, {2, 2, false}, {3, 2, true}, {2, 1, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.done) + " / " + std::to_string(c.today));
        boxes.clear();
        shared.EtatLecons.assign(1450, '#');
        for (int i = 0; i < c.done; ++i) shared.EtatLecons[1449 - i] = '0';
        shared.LeconsDuJour = static_cast<shell::Integer>(c.today);
        shared.PointsDuJour = 8;
        shell::AfficherBilanDuJour();
        ASSERT_EQ(boxes.size(), 1u);
        const std::string tail =
            "\n\nDepuis le début, tu as fait " + std::to_string(c.done) + " leçons différentes.";
        const bool hasTail = boxes[0].text.size() > tail.size() &&
                             boxes[0].text.substr(boxes[0].text.size() - tail.size()) == tail;
        EXPECT_EQ(hasTail, c.told) << boxes[0].text;
    }
}

class MainWindowLines : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        ui::load<MDI1>();
    }
};

TEST_F(MainWindowLines, TheTotalLineCountsTheLessonsDone) {
    MDI1& m = fenetrePrincipale();
    shell::AfficherTotalLecons();
    EXPECT_FALSE(m.total.visible());
    shared.EtatLecons[119] = '0';
    shell::AfficherTotalLecons();
    EXPECT_TRUE(m.total.visible());
    EXPECT_EQ(u8(m.total.caption()), std::string(75, ' ') + "Total : 1 leçon");
    for (int i = 0; i < 11; ++i) shared.EtatLecons[static_cast<std::size_t>(200 + i)] = '8';
    shell::AfficherTotalLecons();
    EXPECT_EQ(u8(m.total.caption()), std::string(75, ' ') + "Total : 12 leçons");
    shared.EtatLecons.assign(1450, '#');
    shell::AfficherTotalLecons();
    EXPECT_FALSE(m.total.visible());
}

TEST_F(MainWindowLines, TheCaptionNamesThePupilTheActivityAndTheLesson) {
    shared.NumeroLecon = 7;
    shared.Prenom = "ZOE";
    shell::AfficherTitreLecon(shared.TitresActivites[5]);
    EXPECT_EQ(fenetrePrincipale().caption(), "ZOE -- L'arbre des nombres -- " + cp("Leçon 7"));
    shared.Prenom = "Z";
    shell::AfficherTitreLecon(shared.TitresActivites[0]);
    EXPECT_EQ(u8(fenetrePrincipale().caption()), "TAVREL -- Les ensembles de dessins -- Leçon 7");
}

TEST_F(MainWindowLines, TheReportMenuFollowsTheProgress) {
    MDI1& m = fenetrePrincipale();
    shell::ActiverMenuBilan();
    EXPECT_FALSE(shared.MenuBilanActif);
    EXPECT_FALSE(m.bilan.enabled());
    shared.EtatLecons[1449] = '3';
    shell::ActiverMenuBilan();
    EXPECT_TRUE(shared.MenuBilanActif);
    EXPECT_TRUE(m.bilan.enabled());
}

TEST_F(MainWindowLines, InitialiserGlobalesHidesTheTotalLine) {
    shared.EtatLecons[0] = '8';
    shell::AfficherTotalLecons();
    EXPECT_TRUE(fenetrePrincipale().total.visible());
    shell::InitialiserGlobales();
    EXPECT_FALSE(fenetrePrincipale().total.visible());
}

} // namespace
