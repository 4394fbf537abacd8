// A disabled button shows its caption greyed, as the user expects of a button he cannot press,
// wherever it lies: on the screen, or in a picture box or a frame whatever colour the container
// gives its own text.
#include "harness.h"

namespace {

using harness::ScreenTest;

class DisabledButton : public ScreenTest {};

struct Places : ui::Form {
    ui::PictureBox Image1{*this};
    ui::Frame Cadre1{*this};
    ui::CommandButton Commande1{*this};
    ui::CommandButton Commande2{Image1};
    ui::CommandButton Commande3{Cadre1};
    Places() {
        moveForm(0, 0, 6000, 5600);
        Image1.move(0, 1000, 3000, 1500);
        Image1.setForeColor(0x000000);
        Cadre1.move(0, 3000, 3000, 1500);
        Cadre1.setForeColor(0x000000);
        Commande1.move(120, 120, 2400, 600);
        for (ui::CommandButton* b : {&Commande2, &Commande3}) b->move(120, 300, 2400, 600);
        for (ui::CommandButton* b : {&Commande1, &Commande2, &Commande3}) {
            b->setFont(ui::arial(12));
            b->setCaption("MMMMMM");
            b->setForeColor(0x000000);
            b->setEnabled(false);
        }
    }
};

// The darkest grey of the caption, away from the button's frame.
int darkestOfCaption(ui::CommandButton& b) {
    const QImage image = b.widget()->grab().toImage().copy(QRect(10, 10, 140, 20));
    int dark = 255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) dark = std::min(dark, qGray(image.pixel(x, y)));
    return dark;
}

TEST_F(DisabledButton, CaptionIsGreyedWhileTheButtonIsOff) {
    struct Case {
        const char* where;
        ui::CommandButton Places::*button;
    };
    const Case cases[] = {{"on the screen", &Places::Commande1},
                          {"in a picture box", &Places::Commande2},
                          {"in a frame", &Places::Commande3}};
    Places& f = ui::load<Places>();
    f.show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        ui::CommandButton& b = f.*c.button;
        EXPECT_GT(darkestOfCaption(b), 80);
        b.setEnabled(true);
        EXPECT_LT(darkestOfCaption(b), 40);
        b.setEnabled(false);
        EXPECT_GT(darkestOfCaption(b), 80);
    }
}

} // namespace
