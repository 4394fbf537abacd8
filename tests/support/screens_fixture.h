// What the program's screen tests share. Every one: the message boxes in the order they were
// shown, lessons of the fixture catalogue and their codes. The screens of the pupils (sign-in,
// registration, report) also: the main window over a fresh shared block, a data folder with
// catalogues and a pupils' folder, sequences, and pupil files written as the program writes them.
#pragma once

#include "harness.h"

#include "formats/lesson_catalogue.h"
#include "formats/pupil_file.h"
#include "formats/sequence_catalogue.h"
#include "platform/cp1252.h"
#include "shell/main_window.h"
#include "shell/shared_state.h"
#include "signin/home_screen.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace screenstest {

class ScreensTest : public harness::ScreenTest {
protected:
    // A lesson of the fixture catalogue: any text that is not all blanks makes it exist.
    void writeLesson(int activity, int lesson) {
        const std::string record(formats::recordLength(activity), '1');
        ASSERT_TRUE(formats::writeLessonAt(data("lecons.tav").string(),
                                           formats::recordPosition(activity, lesson), record));
    }
    // The two characters of a lesson code.
    static std::string code(int activity, int lesson) {
        return {static_cast<char>(65 + activity), static_cast<char>(100 + lesson)};
    }
    // The box texts in the order they were shown.
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> out;
        for (const auto& b : boxes) out.push_back(b.text);
        return out;
    }
};

class PupilScreensTest : public ScreensTest {
protected:
    // A text typed or pasted into a field of a pupil's card, and what the field then shows.
    struct CardEntry {
        int field;
        const char* typed;
        const char* shown;
        bool pasted;
    };
    // Each entry into its field of the card, emptied first.
    void expectCardEntries(ui::ControlArray<ui::TextBox>& card,
                           std::span<const CardEntry> entries) {
        for (const CardEntry& c : entries) {
            SCOPED_TRACE(c.typed);
            ui::TextBox& t = card[c.field];
            t.setText("");
            if (c.pasted)
                paste(t, QString::fromUtf8(c.typed));
            else
                type(t, QString::fromUtf8(c.typed));
            EXPECT_EQ(text(t), c.shown);
        }
    }

    // Types the home screen's card as a pupil does: each field followed by Enter.
    void typeCard(const std::string& group, const std::string& prenom, const std::string& nom) {
        signin::Feuille1& f = ui::load<signin::Feuille1>();
        focus(f.eleve[0]);
        type(f.eleve[0], QString::fromUtf8(group.c_str()));
        pressEnter(f.eleve[0]);
        type(f.eleve[1], QString::fromUtf8(prenom.c_str()));
        pressEnter(f.eleve[1]);
        type(f.eleve[2], QString::fromUtf8(nom.c_str()));
        pressEnter(f.eleve[2]);
    }

    void SetUp() override {
        ScreensTest::SetUp();
        ui::unloadAllForms();
        shell::resetSharedState();
        writeFile("lecons.tav", formats::blankLessonCatalogue());
        writeFile("SEQUENCE.TAV", formats::blankSequenceCatalogue());
        std::filesystem::create_directories(data("eleves"));
        ui::load<shell::MDI1>();
        shell::shared.DossierEleves = data("eleves").string() + "/";
        shell::shared.EchellePixel = shell::shared.Echelle * shell::shared.EchellePolice;
    }
    void TearDown() override {
        ScreensTest::TearDown();
        shell::resetSharedState();
    }

    // The screen a user would see at this size, with the scale factors the start-up gives.
    void useScreen(int width, int height, double twipsPerPixel = 15) {
        setScreen(width, height, twipsPerPixel);
        shell::CalculerEchelle();
        shell::shared.EchellePixel = shell::shared.Echelle * shell::shared.EchellePolice;
    }

    // A sequence of the fixture catalogue, with the title it has or with a new one.
    void writeSequence(int sequence, const std::string& codes) {
        const std::string path = data("SEQUENCE.TAV").string();
        ASSERT_TRUE(formats::writeSequence(path, formats::readTitleTable(path), sequence, codes));
    }
    void writeSequence(int sequence, const std::string& title, const std::string& codes) {
        const std::string path = data("SEQUENCE.TAV").string();
        std::string titles = formats::readTitleTable(path);
        formats::setTitle(titles, sequence, cp(title));
        ASSERT_TRUE(formats::writeSequence(path, titles, sequence, codes));
    }

    // A pupil's file in his group folder, written as the program writes one.
    static std::string fileName(const std::string& prenom, const std::string& nom) {
        return formats::nomCourtEleve(cp(prenom), cp(nom));
    }
    static std::string pupilPath(const std::string& group, const std::string& prenom,
                                 const std::string& nom) {
        return "eleves/TAVR#" + group + "/" + fileName(prenom, nom);
    }
    static formats::PupilValues pupil(const std::string& prenom, const std::string& nom,
                                      int sequence = 0) {
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
};

} // namespace screenstest
