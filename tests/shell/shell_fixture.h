// What the shell's screen tests share, over the screens fixture: a fresh shared block, a
// display-mode double, and a data folder with the files the start-up screen checks.
#pragma once

#include "screens_fixture.h"

#include "formats/lesson_catalogue.h"
#include "formats/sequence_catalogue.h"
#include "platform/cp1252.h"
#include "shell/shared_state.h"
#include "ui/screen.h"

#include <QByteArray>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace shelltest {

// Records every switch asked for; answers as told.
class DisplayDouble : public ui::DisplayMode {
public:
    bool accepts = true;
    std::vector<std::pair<int, int>> switches;
    bool change(int width, int height) override {
        switches.emplace_back(width, height);
        return accepts;
    }
};

// A placeable metafile of one dark blue rectangle over its whole frame.
inline std::string smallMetafile() {
    std::vector<std::uint16_t> words = {0xCDD7, 0x9AC6, 0, 0, 0, 1000, 800, 1440, 0, 0};
    std::uint16_t sum = 0;
    for (std::uint16_t w : words) sum ^= w;
    words.push_back(sum);
    const std::vector<std::uint16_t> body = {
        5, 0, 0x020B, 0,   0,                 // window origin
        5, 0, 0x020C, 800, 1000,              // window extent
        7, 0, 0x02FC, 0,   0x0000, 0x0080, 0, // solid brush, dark blue
        4, 0, 0x012D, 0,                      // select it
        7, 0, 0x041B, 800, 1000,   0,      0, // rectangle
        3, 0, 0};                             // end
    const std::uint32_t total = 9 + static_cast<std::uint32_t>(body.size());
    words.insert(words.end(), {1, 9, 0x0300, static_cast<std::uint16_t>(total & 0xFFFF),
                               static_cast<std::uint16_t>(total >> 16), 1, 7, 0, 0});
    words.insert(words.end(), body.begin(), body.end());
    std::string bytes;
    for (std::uint16_t w : words) {
        bytes += static_cast<char>(w & 0xFF);
        bytes += static_cast<char>(w >> 8);
    }
    return bytes;
}

class ShellTest : public screenstest::ScreensTest {
protected:
    void SetUp() override {
        ScreensTest::SetUp();
        // A case of another suite may have left forms loaded.
        ui::unloadAllForms();
        shell::resetSharedState();
        auto mode = std::make_unique<DisplayDouble>();
        display = mode.get();
        ui::setDisplayMode(std::move(mode));
    }
    void TearDown() override {
        ScreensTest::TearDown();
        ui::setDisplayMode(ui::makeNoDisplaySwitch());
        shell::resetSharedState();
    }

    // The three files the start-up screen checks: blank catalogues and a title picture.
    void writeShippedFiles() {
        writeFile("titre.wmf", smallMetafile());
        writeFile("lecons.tav", formats::blankLessonCatalogue());
        writeFile("SEQUENCE.TAV", formats::blankSequenceCatalogue());
    }
    std::string folder() const { return shell::shared.DossierDonnees; }

    DisplayDouble* display = nullptr;
};

} // namespace shelltest
