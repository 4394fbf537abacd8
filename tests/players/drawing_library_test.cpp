// The drawing library: every drawing number gives a picture, the library stays hidden and is
// loaded once, and a lookup shares the library's picture without taking it away.
#include "harness.h"

#include "players/drawing_library.h"

#include <QPainter>

namespace {

using players::dessins;

class DrawingLibraryTest : public harness::ScreenTest {};

// How much of a picture drawn into a small white square is not white.
int inkOf(const ui::Picture& p) {
    QImage img(40, 48, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter painter(&img);
    p.draw(painter, QRectF(0, 0, 40, 48));
    painter.end();
    int ink = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != qRgb(255, 255, 255)) ++ink;
    return ink;
}

TEST_F(DrawingLibraryTest, EveryNumberFromZeroTo310HasADrawingAndNoneBeyond) {
    for (int n : {0, 1, 149, 150, 273, 309, 310}) {
        const ui::Picture p = players::dessinBibliotheque(n);
        ASSERT_FALSE(p.isNull()) << "drawing " << n;
        EXPECT_GT(inkOf(p), 40) << "drawing " << n << " shows something";
    }
    EXPECT_TRUE(players::dessinBibliotheque(311).isNull());
    EXPECT_TRUE(players::dessinBibliotheque(-1).isNull());
    dessins* library = ui::find<dessins>();
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(library->Image1.lbound(), 0);
    EXPECT_EQ(library->Image1.ubound(), 310);
}

TEST_F(DrawingLibraryTest, StaysHiddenAndASecondLoadChangesNothing) {
    dessins& library = ui::load<dessins>();
    const ui::Picture twelve = library.Image1[12].picture();
    EXPECT_FALSE(library.shown());
    EXPECT_FALSE(library.mdiChild());
    EXPECT_EQ(library.caption(), "Form1");
    EXPECT_EQ(&ui::load<dessins>(), &library);
    EXPECT_EQ(library.Image1[12].picture(), twelve);
    EXPECT_FALSE(library.Image1[12].visible());
}

TEST_F(DrawingLibraryTest, OneDrawingShownInTwoControlsStaysInTheLibrary) {
    class TwoImages : public ui::Form {
    public:
        ui::Image a{*this};
        ui::Image b{*this};
        TwoImages() {
            moveForm(0, 0, 3000, 1500);
            setBackColor(0xFFFFFF);
            a.move(0, 0, 1245, 1335);
            b.move(1500, 0, 1245, 1335);
        }
    };
    TwoImages& f = ui::load<TwoImages>();
    f.a.setPicture(players::dessinBibliotheque(42));
    f.b.setPicture(players::dessinBibliotheque(42));
    f.show();
    const QImage shot = grab(f);
    // Both controls stretch the drawing to their own rectangle, so they look alike.
    EXPECT_EQ(shot.copy(0, 0, 83, 89), shot.copy(100, 0, 83, 89));
    EXPECT_FALSE(screen<dessins>().Image1[42].picture().isNull());
    EXPECT_EQ(f.a.picture(), screen<dessins>().Image1[42].picture());
}

} // namespace
