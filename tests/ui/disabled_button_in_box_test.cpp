// A disabled button inside a picture box or a frame shows its caption greyed too, whatever
// colour the container gives its own text.
#include "harness.h"

namespace {

using harness::ScreenTest;

class DisabledButtonInBox : public ScreenTest {};

struct Boxes : ui::Form {
    ui::PictureBox Image1{*this};
    ui::Frame Cadre1{*this};
    ui::CommandButton Commande1{Image1};
    ui::CommandButton Commande2{Cadre1};
    Boxes() {
        moveForm(0, 0, 6000, 4000);
        Image1.move(0, 0, 3000, 1500);
        Image1.setForeColor(0x000000);
        Cadre1.move(0, 2000, 3000, 1500);
        Cadre1.setForeColor(0x000000);
        for (ui::CommandButton* b : {&Commande1, &Commande2}) {
            b->setFont(ui::Font{"Arial", 12, true});
            b->setCaption("MMMMMM");
            b->move(120, 300, 2400, 600);
            b->setEnabled(false);
        }
    }
};

int darkest(const QImage& image) {
    int dark = 255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) dark = std::min(dark, qGray(image.pixel(x, y)));
    return dark;
}

TEST_F(DisabledButtonInBox, CaptionIsGreyedWhileTheButtonIsOff) {
    Boxes& f = ui::load<Boxes>();
    f.show();
    const QRect inner(10, 10, 140, 20); // the caption, away from the button's frame
    for (ui::CommandButton* b : {&f.Commande1, &f.Commande2}) {
        EXPECT_GT(darkest(b->widget()->grab().toImage().copy(inner)), 80);
        b->setEnabled(true);
        EXPECT_LT(darkest(b->widget()->grab().toImage().copy(inner)), 40);
    }
}

} // namespace
