// The sixteen standard colours are the ones Qt knows by the same names: a value written in the
// wrong byte order, or a name given to its neighbour's shade, shows here.
#include "ui/style.h"

#include <QColor>
#include <gtest/gtest.h>

namespace {

TEST(Palette, EachNameIsTheStandardColourOfThatName) {
    struct Case {
        const char* name;
        ui::Colour colour;
        Qt::GlobalColor standard;
    };
    const Case cases[] = {
        {"kNoir", ui::kNoir, Qt::black},
        {"kBleuFonce", ui::kBleuFonce, Qt::darkBlue},
        {"kVertFonce", ui::kVertFonce, Qt::darkGreen},
        {"kSarcelle", ui::kSarcelle, Qt::darkCyan},
        {"kRougeFonce", ui::kRougeFonce, Qt::darkRed},
        {"kViolet", ui::kViolet, Qt::darkMagenta},
        {"kOlive", ui::kOlive, Qt::darkYellow},
        {"kGris", ui::kGris, Qt::lightGray},
        {"kGrisFonce", ui::kGrisFonce, Qt::darkGray},
        {"kBleu", ui::kBleu, Qt::blue},
        {"kVert", ui::kVert, Qt::green},
        {"kCyan", ui::kCyan, Qt::cyan},
        {"kRouge", ui::kRouge, Qt::red},
        {"kMagenta", ui::kMagenta, Qt::magenta},
        {"kJaune", ui::kJaune, Qt::yellow},
        {"kBlanc", ui::kBlanc, Qt::white},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ui::qcolour(c.colour), QColor(c.standard));
    }
}

} // namespace
