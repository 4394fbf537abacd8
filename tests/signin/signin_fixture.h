// What the sign-in tests share: the main window loaded over a fresh shared block, a data folder
// with catalogues, a pupils' folder, pupil files written as the program writes them, and a pupil
// who signs in at the card by typing and pressing Enter.
#pragma once

#include "harness.h"

#include "formats/lesson_catalogue.h"
#include "formats/pupil_file.h"
#include "formats/sequence_catalogue.h"
#include "platform/cp1252.h"
#include "players/grid_player.h"
#include "players/sets_player.h"
#include "players/table_player.h"
#include "players/tree_player.h"
#include "shell/main_window.h"
#include "shell/shared_state.h"
#include "signin/home_screen.h"
#include "signin/lesson_choice.h"

#include <QString>
#include <filesystem>
#include <string>
#include <vector>

namespace signintest {

using shell::shared;

class SignInTest : public harness::ScreenTest {
protected:
    void SetUp() override {
        harness::ScreenTest::SetUp();
        ui::unloadAllForms();
        shell::resetSharedState();
        writeFile("lecons.tav", formats::blankLessonCatalogue());
        writeFile("SEQUENCE.TAV", formats::blankSequenceCatalogue());
        std::filesystem::create_directories(data("eleves"));
        ui::load<MDI1>();
        shared.DossierEleves = data("eleves").string() + "/";
        shared.EchellePixel = shared.Echelle * shared.EchellePolice;
    }
    void TearDown() override {
        harness::ScreenTest::TearDown();
        shell::resetSharedState();
    }

    // The screen a user would see at this size, with the scale factors the start-up gives.
    void useScreen(int width, int height) {
        setScreen(width, height);
        shell::CalculerEchelle();
        shared.EchellePixel = shared.Echelle * shared.EchellePolice;
    }

    MDI1& main() { return *ui::find<MDI1>(); }
    Feuille1& home() { return ui::load<Feuille1>(); }

    // A lesson of the fixture catalogue: any text that is not all blanks makes it exist.
    void writeLesson(int activity, int lesson) {
        const std::string record(formats::recordLength(activity), '1');
        ASSERT_TRUE(formats::writeLessonAt(data("lecons.tav").string(),
                                           formats::recordPosition(activity, lesson), record));
    }
    void writeSequence(int sequence, const std::string& codes) {
        const std::string path = data("SEQUENCE.TAV").string();
        ASSERT_TRUE(formats::writeSequence(path, formats::readTitleTable(path), sequence, codes));
    }
    static std::string code(int activity, int lesson) {
        return {static_cast<char>(65 + activity), static_cast<char>(100 + lesson)};
    }

    // A pupil's file in his group folder, written as the program writes one.
    std::string pupilPath(const std::string& group, const std::string& prenom,
                          const std::string& nom) const {
        return "eleves/TAVR#" + group + "/" + formats::nomCourtEleve(cp(prenom), cp(nom));
    }
    formats::PupilValues pupil(const std::string& prenom, const std::string& nom, int sequence) {
        formats::PupilValues v;
        v.prenom = cp(prenom);
        v.nom = cp(nom);
        v.numeroSequence = static_cast<std::int16_t>(sequence);
        return v;
    }
    void writePupil(const std::string& group, const formats::PupilValues& v) {
        writeFile("eleves/TAVR#" + group + "/" + formats::nomCourtEleve(v.prenom, v.nom),
                  formats::formatPupilFile(v));
    }

    // Types the card as a pupil does: each field followed by Enter.
    void typeCard(const std::string& group, const std::string& prenom, const std::string& nom) {
        Feuille1& f = home();
        focus(f.eleve[0]);
        type(f.eleve[0], QString::fromUtf8(group.c_str()));
        pressEnter(f.eleve[0]);
        type(f.eleve[1], QString::fromUtf8(prenom.c_str()));
        pressEnter(f.eleve[1]);
        type(f.eleve[2], QString::fromUtf8(nom.c_str()));
        pressEnter(f.eleve[2]);
    }

    // Which player is loaded: 0 sets, 1 tree, 2 table, 3 grid; -1 none.
    static int loadedPlayer() {
        if (ui::find<Feuille4>()) return 0;
        if (ui::find<Feuille5>()) return 1;
        if (ui::find<Feuille6>()) return 2;
        if (ui::find<Feuille7>()) return 3;
        return -1;
    }
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> out;
        for (const auto& b : boxes) out.push_back(b.text);
        return out;
    }
};

} // namespace signintest
