// Picture boxes used as buttons: the pressed look covers the whole box, shows once however often
// the button is pressed, and goes away with the release that counts as the click.
#include "harness.h"

#include "ui/picture_buttons.h"

namespace {

class ButtonsScreen : public ui::Form {
public:
    ui::ControlArray<ui::PictureBox> Image5{*this};
    ui::PictureButtons boutons{Image5};
    ButtonsScreen() {
        moveForm(0, 0, 4000, 2000);
        for (int i = 0; i < 2; ++i) {
            ui::PictureBox& b = Image5.add(i);
            b.move(120 + 1500 * i, 120, 855, 975);
            b.setBackColor(0xC0C0C0);
            b.setScaleMode(ui::vbPixels);
            b.setDrawMode(ui::vbInvert);
            b.line(5, 5, 20, 20, 0x0000FF);
        }
    }
};

class PictureButtonsTest : public harness::ScreenTest {};

TEST_F(PictureButtonsTest, APressInvertsTheWholeBoxOnceAndOnlyAPressedButtonIsReleased) {
    ButtonsScreen& f = ui::load<ButtonsScreen>();
    ui::PictureBox& b = f.Image5[1];
    const QImage up = b.surface().copy();
    const QImage other = f.Image5[0].surface().copy();

    EXPECT_FALSE(f.boutons.release(1)) << "a release without a press is no click";
    EXPECT_EQ(b.surface(), up);

    f.boutons.press(1);
    const QImage pressed = b.surface().copy();
    ASSERT_EQ(pressed.size(), up.size());
    for (int y = 0; y < up.height(); ++y)
        for (int x = 0; x < up.width(); ++x)
            ASSERT_EQ(pressed.pixel(x, y) & 0xFFFFFF, ~up.pixel(x, y) & 0xFFFFFF) << x << "," << y;
    f.boutons.press(1);
    EXPECT_EQ(b.surface(), pressed) << "a second press, as a double click gives, changes nothing";
    EXPECT_EQ(f.Image5[0].surface(), other) << "the other button stays up";

    EXPECT_TRUE(f.boutons.release(1));
    EXPECT_EQ(b.surface(), up);
    EXPECT_FALSE(f.boutons.release(1));
    EXPECT_EQ(b.surface(), up);
}

} // namespace
