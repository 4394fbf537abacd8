// Command buttons show a caption too wide for them on several centred lines, broken at its blanks.
#include "harness.h"

#include <QFontMetrics>

namespace {

class ButtonForm : public ui::Form {
public:
    ui::CommandButton Commande1{*this};
    ButtonForm() {
        moveForm(0, 0, 3000, 1500);
        setBorderStyle(ui::vbBSNone);
        Commande1.move(0, 0, 1335, 855);
        Commande1.setFont(ui::arial(12));
    }
};

class ButtonCaptionTest : public harness::ScreenTest {
protected:
    // The rows of the button's inside that hold dark pixels of its caption.
    static std::pair<int, int> inkRows(const QImage& img) {
        int top = img.height(), bottom = -1;
        for (int y = 4; y < img.height() - 4; ++y)
            for (int x = 4; x < img.width() - 4; ++x)
                if (qGray(img.pixel(x, y)) < 80) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        return {top, bottom};
    }
};

TEST_F(ButtonCaptionTest, ALongCaptionWrapsAndAShortOneStaysOnOneLine) {
    ButtonForm& f = ui::load<ButtonForm>();
    f.show();
    const int line = QFontMetrics(ui::qfont(f.Commande1.font())).height();

    f.Commande1.setCaption("Continuer la leon");
    auto [top, bottom] = inkRows(f.Commande1.widget()->grab().toImage());
    ASSERT_GE(bottom, top);
    EXPECT_GT(bottom - top, line) << "two lines of text";

    f.Commande1.setCaption("&OK");
    std::tie(top, bottom) = inkRows(f.Commande1.widget()->grab().toImage());
    ASSERT_GE(bottom, top);
    EXPECT_LT(bottom - top, line);
}

} // namespace
