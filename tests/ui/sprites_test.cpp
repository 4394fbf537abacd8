// Sprites over a screen's windowless controls: they cover what lies under them without damaging
// it, and a screen that carries them goes away cleanly.
#include "harness.h"

namespace {

class SpriteChild : public ui::Form {
public:
    ui::Shape Forme1{*this};
    SpriteChild() {
        setMdiChild(true);
        setBorderStyle(ui::vbBSNone);
        moveForm(0, 0, 3000, 1500);
        setBackColor(0xFFFFFF);
        Forme1.setBackStyle(ui::vbOpaque);
        Forme1.setBackColor(0x0000FF);
        Forme1.move(0, 0, 1500, 1500);
    }
};

class SpriteParent : public ui::MdiForm {};

class SpritesTest : public harness::ScreenTest {};

TEST_F(SpritesTest, ASpriteLiesOverShapesAndLeavesThemIntactWhenItMoves) {
    ui::load<SpriteParent>();
    SpriteChild& f = ui::load<SpriteChild>();
    f.show();
    QImage green(20, 20, QImage::Format_ARGB32_Premultiplied);
    green.fill(QColor(0, 255, 0));
    const int id = f.addSprite(green, QPoint(10, 10));
    QImage shot = grab(static_cast<ui::Container&>(f));
    EXPECT_EQ(shot.pixelColor(15, 15), QColor(0, 255, 0));
    f.sprite(id).position = QPoint(150, 10);
    f.updateSprite(id);
    shot = grab(static_cast<ui::Container&>(f));
    EXPECT_EQ(shot.pixelColor(15, 15), QColor(255, 0, 0)) << "the shape is whole again";
    EXPECT_EQ(shot.pixelColor(155, 15), QColor(0, 255, 0));
}

TEST_F(SpritesTest, AChildScreenWithSpritesIsDestroyedWithoutTouchingItsGoneWindow) {
    ui::load<SpriteParent>();
    SpriteChild& f = ui::load<SpriteChild>();
    f.show();
    QImage dot(4, 4, QImage::Format_ARGB32_Premultiplied);
    dot.fill(Qt::black);
    f.addSprite(dot, QPoint(1, 1));
    ui::unload<SpriteChild>();
    for (int i = 0; i < 3; ++i) pump();
    EXPECT_EQ(ui::find<SpriteChild>(), nullptr);
}

} // namespace
