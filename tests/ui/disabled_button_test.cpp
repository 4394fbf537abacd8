// A disabled button shows its caption greyed, as the user expects of a button he cannot press.
#include "harness.h"

namespace {

using harness::ScreenTest;

class DisabledButton : public ScreenTest {};

struct Pair : ui::Form {
    ui::CommandButton Commande1{*this};
    ui::CommandButton Commande2{*this};
    Pair() {
        moveForm(0, 0, 6000, 3000);
        for (ui::CommandButton* b : {&Commande1, &Commande2}) {
            b->setFont(ui::Font{"Arial", 12, true});
            b->setCaption("MMMMMM");
            b->setForeColor(0x000000);
        }
        Commande1.move(120, 120, 2400, 600);
        Commande2.move(120, 1200, 2400, 600);
        Commande2.setEnabled(false);
    }
};

int darkest(const QImage& image) {
    int dark = 255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) dark = std::min(dark, qGray(image.pixel(x, y)));
    return dark;
}

TEST_F(DisabledButton, CaptionIsGreyedWhileTheButtonIsOff) {
    Pair& f = ui::load<Pair>();
    f.show();
    const QRect inner(10, 10, 140, 20); // the caption, away from the button's frame
    const QImage on = f.Commande1.widget()->grab().toImage().copy(inner);
    const QImage off = f.Commande2.widget()->grab().toImage().copy(inner);
    EXPECT_LT(darkest(on), 40);
    EXPECT_GT(darkest(off), 80);
    f.Commande2.setEnabled(true);
    EXPECT_LT(darkest(f.Commande2.widget()->grab().toImage().copy(inner)), 40);
}

} // namespace
