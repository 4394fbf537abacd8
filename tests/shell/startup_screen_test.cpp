// The start-up screen as the program shows it: the title, the checks of the shipped files, the
// settings and their copy, the first use, and the display switch.
#include "shell_fixture.h"

#include "formats/settings.h"
#include "platform/files.h"
#include "players/drawing_library.h"
#include "shell/main_window.h"
#include "shell/routines.h"
#include "shell/settings_screen.h"
#include "shell/startup_screen.h"
#include "signin/home_screen.h"

#include <QImage>
#include <QWidget>
#include <filesystem>
#include <optional>

namespace {

using players::dessins;
using shell::depart;
using shell::MDI1;
using shell::parametre;
using shell::shared;
using shelltest::ShellTest;
using signin::Feuille1;

std::string settingsText(const std::string& folder, int criterion = 2) {
    formats::Settings s;
    s.dossierEleves = folder;
    s.critereReussite = static_cast<std::int16_t>(criterion);
    return formats::formatSettings(s);
}

// A title picture of 50 000 ellipses far wider than its frame, drawn with a wide pen: it would
// keep the title painting for minutes.
std::string heavyTitle() {
    std::vector<std::uint16_t> words = {0xCDD7, 0x9AC6, 0, 0, 0, 9750, 7100, 1440, 0, 0};
    std::uint16_t sum = 0;
    for (std::uint16_t w : words) sum ^= w;
    words.push_back(sum);
    words.insert(words.end(), {1, 9, 0x0300, 0, 0, 0, 8, 0, 0});
    words.insert(words.end(), {8, 0, 0x02FA, 0, 2000, 0, 0, 0}); // pen
    words.insert(words.end(), {4, 0, 0x012D, 0});                // selected
    for (int i = 0; i < 50000; ++i)
        words.insert(words.end(), {7, 0, 0x0418, 32767, 32767, 32768, 32768});
    words.insert(words.end(), {3, 0, 0});
    std::string bytes;
    for (std::uint16_t w : words) {
        bytes += static_cast<char>(w & 0xFF);
        bytes += static_cast<char>(w >> 8);
    }
    return bytes;
}

class StartupScreen : public ShellTest {
protected:
    depart& start() { return ui::load<depart>(); }
    // The first tick, then the four seconds of the title.
    void holdTitle() {
        settle();
        advance(4000);
    }
};

TEST_F(StartupScreen, AMissingOrDamagedFileIsNamedAndTheProgramEndsAtOnce) {
    struct Case {
        const char* missing;
        std::optional<std::string> damagedWith;
        const char* named;
    };
    const std::string lessons = formats::blankLessonCatalogue();
    const std::string sequences = formats::blankSequenceCatalogue();
    // A catalogue of any other size than its own is refused like a missing one.
    const Case cases[] = {
        {"titre.wmf", std::nullopt, "titre.wmf"},
        {"titre.wmf", "pas une image", "titre.wmf"},
        {"titre.wmf", heavyTitle(), "titre.wmf"},
        {"lecons.tav", std::nullopt, "LECONS.tav"},
        {"lecons.tav", "", "LECONS.tav"},
        {"lecons.tav", lessons.substr(1), "LECONS.tav"},
        {"lecons.tav", lessons + " ", "LECONS.tav"},
        {"SEQUENCE.TAV", std::nullopt, "SEQUENCE.TAV"},
        {"SEQUENCE.TAV", "", "SEQUENCE.TAV"},
        {"SEQUENCE.TAV", sequences.substr(1), "SEQUENCE.TAV"},
        {"SEQUENCE.TAV", sequences + " ", "SEQUENCE.TAV"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.missing) + " of " +
                     (c.damagedWith ? std::to_string(c.damagedWith->size()) : "none"));
        writeShippedFiles();
        std::filesystem::remove(data(c.missing));
        if (c.damagedWith) writeFile(c.missing, *c.damagedWith);
        boxes.clear();
        ended = false;

        depart& d = start();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text,
                  u8(cp("Le fichier «") + folder() + c.named + cp("» est absent ou défectueux.")));
        EXPECT_EQ(boxes[0].style, ui::vbExclamation);
        EXPECT_EQ(boxes[0].title, "Message");
        EXPECT_TRUE(ended);
        EXPECT_FALSE(d.shown());
        // No title for four seconds and nothing after it.
        advance(5000);
        EXPECT_EQ(ui::find<dessins>(), nullptr);
        EXPECT_EQ(ui::find<Feuille1>(), nullptr);
        EXPECT_EQ(boxes.size(), 1u);
        if (std::string(c.missing) == "lecons.tav" && !c.damagedWith) {
            EXPECT_FALSE(exists("lecons.tav")) << "the check never creates the catalogue";
        }
        ui::unloadAllForms();
        shell::resetSharedState();
    }
}

TEST_F(StartupScreen, TheTitleStaysFourSecondsThenTheMainWindowAndTheHomeScreen) {
    writeShippedFiles();
    writeFile("defaut", settingsText("/srv/ecole/eleves", 3));
    depart& d = start();
    EXPECT_TRUE(d.shown());
    EXPECT_FALSE(d.Dessin1.picture().isNull());
    EXPECT_TRUE(seen(d.Etiquette2) && seen(d.Etiquette3) && seen(d.Etiquette4));
    EXPECT_FALSE(seen(d.Etiquette1) || seen(d.Commande1) || seen(d.Forme1));
    const QImage shown = grab(static_cast<ui::Container&>(d));
    EXPECT_EQ(shown.pixelColor(30, 20), QColor(0, 0, 128)) << "the title picture is shown";
    EXPECT_EQ(ui::find<MDI1>(), nullptr) << "the title comes before the main window is made";
    EXPECT_EQ(ui::find<dessins>(), nullptr);

    settle();
    EXPECT_NE(ui::find<dessins>(), nullptr) << "the first tick loads the drawing library";
    MDI1* m = ui::find<MDI1>();
    ASSERT_NE(m, nullptr) << "and makes the main window behind the title";
    EXPECT_FALSE(m->shown());
    advance(3990);
    EXPECT_TRUE(ui::isLoaded(&d)) << "four seconds of title";
    EXPECT_EQ(ui::find<Feuille1>(), nullptr);
    advance(20);
    EXPECT_EQ(ui::find<depart>(), nullptr);
    EXPECT_NE(ui::find<Feuille1>(), nullptr);
    EXPECT_EQ(ui::find<MDI1>(), m) << "the main window loaded at start is the one shown";
    EXPECT_TRUE(m->shown());
    EXPECT_EQ(shared.DossierEleves, "/srv/ecole/eleves/");
    EXPECT_EQ(shared.CritereReussite, 3);
    EXPECT_EQ(shared.CheminParametres, folder() + "defaut");
    EXPECT_EQ(shared.CheminMotsDePasse, folder() + "motpasse");
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(ended);
}

TEST_F(StartupScreen, PasswordsAndRightsAreReadBeforeTheTitleShows) {
    writeShippedFiles();
    writeFile("defaut", settingsText("/eleves/"));
    writeFile("motpasse", std::string("120000000000000\r\n") + char('A' + 53) + "\r\n\r\n");
    start();
    EXPECT_EQ(shared.DroitsMenus, "120000000000000");
    EXPECT_EQ(shared.MotDePasseEnseignant, "A");
    EXPECT_EQ(shared.MotDePasseGestionnaire, "");
}

TEST_F(StartupScreen, TheCopyStandsInForAMissingOrShortSettingsFileAndRewritesIt) {
    for (const char* broken : {"", "short"}) {
        SCOPED_TRACE(broken);
        writeShippedFiles();
        std::filesystem::remove(data("defaut"));
        const std::string copy = settingsText("/copie/eleves/", 1);
        writeFile("defaut1", copy);
        if (std::string(broken) == "short") writeFile("defaut", "/abimee/\r\n");
        start();
        holdTitle();
        EXPECT_EQ(shared.DossierEleves, "/copie/eleves/");
        EXPECT_EQ(shared.CritereReussite, 1);
        EXPECT_EQ(readFile("defaut"), copy) << "defaut is written again, byte for byte";
        EXPECT_NE(ui::find<Feuille1>(), nullptr);
        ui::unloadAllForms();
        shell::resetSharedState();
    }
}

TEST_F(StartupScreen, AFolderReadBeforeAFailureStillCounts) {
    writeShippedFiles();
    writeFile("defaut", "/partiel/\r");
    start();
    holdTitle();
    EXPECT_EQ(shared.DossierEleves, "/partiel/");
    EXPECT_NE(ui::find<Feuille1>(), nullptr) << "not a first use";
}

TEST_F(StartupScreen, PupilsFolderIsMadeWhole) {
    const std::pair<const char*, const char*> cases[] = {
        {"/srv/eleves", "/srv/eleves/"}, {"B:/ECOLE/ELEVES/", "B:/"},  {"A:", "A:/"},
        {"a:/eleves", "a:/eleves/"},     {"C:/ELEVES/", "C:/ELEVES/"},
    };
    for (const auto& [read, kept] : cases) {
        SCOPED_TRACE(read);
        writeShippedFiles();
        writeFile("defaut", settingsText(read));
        start();
        holdTitle();
        EXPECT_EQ(shared.DossierEleves, kept);
        ui::unloadAllForms();
        shell::resetSharedState();
    }
}

TEST_F(StartupScreen, FirstUseAsksForTheOptionsAndContinuesToTheSettings) {
    writeShippedFiles();
    depart& d = start();
    holdTitle();
    EXPECT_TRUE(ui::isLoaded(&d));
    EXPECT_EQ(shared.CodeFonction, -99);
    std::string here = platform::currentFolder();
    EXPECT_EQ(shared.DossierEleves, here + "/");
    EXPECT_FALSE(seen(d.Etiquette2) || seen(d.Etiquette3) || seen(d.Etiquette4));
    EXPECT_TRUE(seen(d.Forme1) && seen(d.Etiquette1) && seen(d.Commande1));
    EXPECT_FALSE(d.Dessin1.picture().isNull()) << "the title picture stays";
    EXPECT_EQ(u8(d.Etiquette1.caption()),
              "Comme vous utilisez TAVREL pour la première fois, nous allons vous demander de "
              "définir certaines options du logiciel.\r\n\r\nVous pourrez toujours modifier ces "
              "choix.");
    EXPECT_EQ(u8(d.Commande1.caption()), "&Continuer");
    EXPECT_TRUE(d.Commande1.hasFocus());
    EXPECT_FALSE(exists("defaut")) << "nothing is written before the options are chosen";
    // The timer has stopped: nothing more happens until the button.
    advance(10000);
    EXPECT_TRUE(ui::isLoaded(&d));
    EXPECT_EQ(ui::find<Feuille1>(), nullptr);

    click(d.Commande1);
    EXPECT_EQ(ui::find<depart>(), nullptr);
    MDI1* m = ui::find<MDI1>();
    ASSERT_NE(m, nullptr);
    EXPECT_TRUE(m->shown());
    EXPECT_NE(ui::find<parametre>(), nullptr);
    EXPECT_EQ(ui::find<Feuille1>(), nullptr);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(StartupScreen, ClosingTheTitleWindowQuits) {
    writeShippedFiles();
    writeFile("defaut", settingsText("/eleves/"));
    depart& d = start();
    d.window()->close();
    settle();
    EXPECT_TRUE(ended);
    EXPECT_EQ(ui::find<depart>(), nullptr);
}

TEST_F(StartupScreen, ScaleFactorsAndTheScreenScaledToThem) {
    struct Case {
        int width, height;
        double twipsPerPixel;
        float echelle, police, pixel;
    };
    const Case cases[] = {
        {640, 480, 15, 1.0f, 1.0f, 1.0f},    {800, 600, 15, 1.25f, 1.0f, 1.25f},
        {1024, 768, 15, 1.6f, 1.0f, 1.6f},   {2048, 1536, 15, 3.2f, 1.0f, 3.2f},
        {2560, 1920, 15, 3.2f, 1.0f, 3.2f},  {512, 384, 15, 1.0f, 1.0f, 1.0f},
        {1024, 768, 12, 1.28f, 1.25f, 1.6f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " at " + std::to_string(c.twipsPerPixel));
        setScreen(c.width, c.height, c.twipsPerPixel);
        writeShippedFiles();
        depart& d = start();
        EXPECT_FLOAT_EQ(shared.Echelle, c.echelle);
        EXPECT_FLOAT_EQ(shared.EchellePolice, c.police);
        EXPECT_FLOAT_EQ(shared.EchellePixel, c.pixel);
        EXPECT_EQ(shared.LargeurEcranOrigine, c.width);
        EXPECT_EQ(shared.HauteurEcranOrigine, c.height);
        EXPECT_NEAR(d.Dessin1.twipsRect().width(), 9750 * c.echelle, 1);
        EXPECT_NEAR(d.Commande1.twipsRect().top(), 4800 * c.echelle, 1);
        EXPECT_NEAR(d.Etiquette3.fontSize(), 18 * c.echelle, 0.01);
        EXPECT_TRUE(display->switches.empty()) << "no marker, no switch";
        ui::unloadAllForms();
        shell::resetSharedState();
    }
}

TEST_F(StartupScreen, TheMarkerSwitchesAWideScreenTo640x480UntilTheQuit) {
    setScreen(1024, 768);
    writeShippedFiles();
    writeFile("Tail640.oui", "");
    start();
    ASSERT_EQ(display->switches, (std::vector<std::pair<int, int>>{{640, 480}}));
    EXPECT_TRUE(shared.ResolutionChangee);
    EXPECT_FLOAT_EQ(shared.Echelle, 1.0f);
    EXPECT_FLOAT_EQ(shared.EchellePixel, 1.0f);
    // The way back does not depend on the marker any more.
    std::filesystem::remove(data("Tail640.oui"));
    shell::QuitterLogiciel();
    EXPECT_EQ(display->switches.back(), std::make_pair(1024, 768));
    EXPECT_TRUE(ended);
}

TEST_F(StartupScreen, NoSwitchWithoutTheMarkerOnNarrowOrSmallFontScreensOrWhenRefused) {
    struct Case {
        int width;
        double twipsPerPixel;
        bool marker, accepts;
        float echelle;
    };
    const Case cases[] = {
        {1024, 15, false, true, 1.6f},
        {640, 15, true, true, 1.0f},
        {1024, 12, true, true, 1.28f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        setScreen(c.width, c.width * 3 / 4, c.twipsPerPixel);
        writeShippedFiles();
        if (c.marker) writeFile("Tail640.oui", "");
        display->accepts = c.accepts;
        start();
        EXPECT_TRUE(display->switches.empty());
        EXPECT_FALSE(shared.ResolutionChangee);
        EXPECT_FLOAT_EQ(shared.Echelle, c.echelle);
        shell::QuitterLogiciel();
        EXPECT_TRUE(display->switches.empty()) << "nothing to put back";
        ui::unloadAllForms();
        shell::resetSharedState();
    }
    // A display that refuses the mode keeps the scale of the screen.
    setScreen(1024, 768);
    writeShippedFiles();
    writeFile("Tail640.oui", "");
    display->accepts = false;
    start();
    EXPECT_EQ(display->switches.size(), 1u);
    EXPECT_FALSE(shared.ResolutionChangee);
    EXPECT_FLOAT_EQ(shared.Echelle, 1.6f);
    shell::QuitterLogiciel();
    EXPECT_EQ(display->switches.size(), 1u);
}

} // namespace
