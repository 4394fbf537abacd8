// What the display switch reads of xrandr's answer: the screen's current size and the modes it
// may switch to, from texts as xrandr writes them on the machines.
#include "ui/screen.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

std::string describe(const std::optional<ui::RandrQuery>& query) {
    if (!query) return "nothing";
    std::ostringstream text;
    text << query->current.width << "x" << query->current.height << ":";
    for (const auto& mode : query->modes) text << " " << mode.width << "x" << mode.height;
    return text.str();
}

struct Case {
    const char* what;
    const char* text;
    const char* read;
};

const Case kCases[] = {
    {"the test X server: one screen, one output, one mode",
     "Screen 0: minimum 1 x 1, current 1024 x 768, maximum 1024 x 768\n"
     "screen connected 1024x768+0+0 0mm x 0mm\n"
     "   1024x768       0.00* \n",
     "1024x768: 1024x768"},
    {"a school computer: one monitor, the other outputs free",
     "Screen 0: minimum 320 x 200, current 1280 x 1024, maximum 8192 x 8192\n"
     "VGA-1 connected primary 1280x1024+0+0 (normal left inverted right x axis y axis) 376mm x "
     "301mm\n"
     "   1280x1024     60.02*+  75.02  \n"
     "   1152x864      75.00  \n"
     "   1024x768      75.03    70.07    60.00  \n"
     "   800x600       72.19    75.00    60.32    56.25  \n"
     "   640x480       75.00    72.81    66.67    59.94  \n"
     "   720x400       70.08  \n"
     "HDMI-1 disconnected (normal left inverted right x axis y axis)\n"
     "DP-1 disconnected (normal left inverted right x axis y axis)\n",
     "1280x1024: 1280x1024 1152x864 1024x768 800x600 640x480 720x400"},
    {"two monitors side by side: the screen spans both, each lists its own modes",
     "Screen 0: minimum 320 x 200, current 2944 x 1080, maximum 16384 x 16384\n"
     "eDP-1 connected primary 1920x1080+0+0 (normal left inverted right x axis y axis) 344mm x "
     "194mm\n"
     "   1920x1080     60.02*+  59.97  \n"
     "   1920x1080i    60.00    50.00  \n"
     "   800x600       60.32  \n"
     "HDMI-1 connected 1024x768+1920+0 (normal left inverted right x axis y axis) 304mm x 228mm\n"
     "   1024x768      60.00*+\n"
     "   640x480       59.94  \n",
     "2944x1080: 1920x1080 800x600 1024x768 640x480"},
    {"an unplugged monitor keeps its modes; only one still placed offers them",
     "Screen 0: minimum 320 x 200, current 1024 x 768, maximum 8192 x 8192\n"
     "DVI-D-0 disconnected (normal left inverted right x axis y axis)\n"
     "   640x480       59.94  \n"
     "VGA-0 disconnected 1024x768+0+0 (normal left inverted right x axis y axis) 0mm x 0mm\n"
     "   1024x768      60.00* \n"
     "   800x600       60.32  \n",
     "1024x768: 1024x768 800x600"},
    {"a virtual machine whose output does not know its connection",
     "Screen 0: minimum 64 x 64, current 800 x 600, maximum 16384 x 16384\n"
     "Virtual1 unknown connection primary 800x600+0+0 (normal left inverted right x axis y "
     "axis) 0mm x 0mm\n"
     "   800x600       60.00*+\n"
     "   640x480       59.94  \n"
     "   800x600_60.00  59.86  \n",
     "800x600: 800x600 640x480"},
    {"a second screen: its outputs are out of reach",
     "Screen 0: minimum 8 x 8, current 1024 x 768, maximum 4096 x 4096\n"
     "default connected 1024x768+0+0 0mm x 0mm\n"
     "   1024x768       60.0* \n"
     "Screen 1: minimum 8 x 8, current 640 x 480, maximum 4096 x 4096\n"
     "default connected 640x480+0+0 0mm x 0mm\n"
     "   640x480        60.0* \n",
     "1024x768: 1024x768"},
    {"line ends of another system and no final line end",
     "Screen 0: minimum 8 x 8, current 640 x 480, maximum 4096 x 4096\r\n"
     "default connected 640x480+0+0 0mm x 0mm\r\n\r\n"
     "\t800x600 60.0\r\n"
     "   640x480       60.0*",
     "640x480: 800x600 640x480"},
    {"modes before any screen, odd words in place of sizes",
     "   640x480       60.0*\n"
     "Screen 0: minimum 8 x 8, current 800 x 600\n"
     "default connected\n"
     "   x600  60.0\n"
     "   800x  60.0\n"
     "   80ax600  60.0\n"
     "   99999999999x600  60.0\n"
     "   800x600  60.0*\n",
     "800x600: 800x600"},
    {"no answer at all", "", "nothing"},
    {"no X display", "Can't open display :0\n", "nothing"},
    {"a screen line without its current size",
     "Screen 0: minimum 8 x 8, maximum 4096 x 4096\n"
     "default connected 640x480+0+0 0mm x 0mm\n"
     "   640x480       60.0*\n",
     "nothing"},
    {"a current size beyond any number",
     "Screen 0: minimum 8 x 8, current 99999999999 x 768, maximum 4096 x 4096\n", "nothing"},
    {"a current size cut short", "Screen 0: minimum 8 x 8, current 1024 x", "nothing"},
};

TEST(RandrQuery, ReadsTheCurrentSizeAndTheModesOfTheOutputsInUse) {
    for (const Case& c : kCases) EXPECT_EQ(describe(ui::parseRandrQuery(c.text)), c.read) << c.what;
}

TEST(RandrQuery, OffersOnlyAModeListedWhole) {
    const auto query = ui::parseRandrQuery(kCases[1].text);
    ASSERT_TRUE(query);
    EXPECT_TRUE(query->offers({640, 480}));
    EXPECT_TRUE(query->offers({1280, 1024}));
    for (const ui::PixelSize other : {ui::PixelSize{640, 400}, ui::PixelSize{480, 640},
                                      ui::PixelSize{1280, 1024 + 1}, ui::PixelSize{}})
        EXPECT_FALSE(query->offers(other)) << other.width << "x" << other.height;
}

} // namespace
