// The menus as drawn on a small and on a large screen: the submenu arrow, the check mark and the
// room around the text grow by the factor the rest of the system's parts grow by.
#include "harness.h"

#include "platform/cp1252.h"
#include "ui/system_scale.h"

#include <QMenu>

namespace {

using harness::ScreenTest;

class Main : public ui::MdiForm {
public:
    ui::MenuItem gestionnaire{*this, "&Gestionnaire"};
    ui::MenuItem inscrire{gestionnaire, "&Inscrire des utilisateurs"};
    ui::MenuItem coche{gestionnaire, "&Afficher le total"};
    ui::MenuItem lecons{gestionnaire, cp("Modifier des &leçons")};
    ui::MenuItem ensembles{lecons, "Les &ensembles"};
    ui::MenuItem sequence{gestionnaire, cp("&Créer une séquence de leçons")};
    Main() { coche.setChecked(true); }
};

// Anything drawn on the menu's light background, edges that antialiasing greys included.
bool drawn(QRgb p) {
    return qGray(p) < 200;
}

// The shapes drawn in an item, from left to right, each as its bounding box; shapes closer than
// `join` pixels are one (the letters of a text).
std::vector<QRect> shapes(const QImage& menu, QRect item, int join) {
    item &= menu.rect().adjusted(1, 1, -1, -1); // the menu's border is no shape of the item
    std::vector<QRect> found;
    int gap = join + 1;
    for (int x = item.left(); x <= item.right(); ++x) {
        int top = -1, bottom = -1;
        for (int y = item.top(); y <= item.bottom(); ++y) {
            if (!drawn(menu.pixel(x, y))) continue;
            if (top < 0) top = y;
            bottom = y;
        }
        if (top < 0) {
            ++gap;
            continue;
        }
        const QRect column(x, top, 1, bottom - top + 1);
        if (gap > join || found.empty())
            found.push_back(column);
        else
            found.back() |= column;
        gap = 0;
    }
    return found;
}

class MenuScale : public ScreenTest {
protected:
    struct Look {
        QImage image;
        int width = 0;
        QRect submenu, widest, checked; // the items' rectangles
        int textHeight = 0;
    };
    // The management menu opened on a screen of the given size.
    Look openedMenu(int width, int height) {
        ui::unloadAllForms();
        pump();
        setScreen(width, height);
        Main& m = ui::load<Main>();
        m.show();
        pump();
        QMenu* menu = m.gestionnaire.submenu();
        menu->popup(QPoint(0, 0));
        pump();
        Look look;
        look.image = menu->grab().toImage().convertToFormat(QImage::Format_RGB32);
        look.width = menu->width();
        look.submenu = menu->actionGeometry(m.lecons.action());
        look.widest = menu->actionGeometry(m.sequence.action());
        look.checked = menu->actionGeometry(m.coche.action());
        look.textHeight = QFontMetrics(menu->font()).height();
        menu->hide();
        pump();
        return look;
    }
};

TEST_F(MenuScale, ArrowsChecksAndMarginsGrowWithTheScreen) {
    const Look small = openedMenu(640, 480);
    const Look large = openedMenu(1920, 1080);
    ASSERT_EQ(ui::screenGrowth(), 3.0);
    const double growth = 3.0;
    struct Measured {
        int arrowHeight, arrowToBorder, textToBorder, textLeft, checkHeight;
    };
    const auto measure = [](const Look& l, const char* name) {
        SCOPED_TRACE(name);
        Measured m{};
        const int join = l.textHeight / 3;
        const std::vector<QRect> sub = shapes(l.image, l.submenu, join);
        EXPECT_GE(sub.size(), 2u) << "the text and its arrow";
        if (sub.size() >= 2) {
            m.arrowHeight = sub.back().height();
            m.arrowToBorder = l.width - 1 - sub.back().right();
        }
        const std::vector<QRect> widest = shapes(l.image, l.widest, join);
        EXPECT_FALSE(widest.empty());
        if (!widest.empty()) {
            m.textToBorder = l.width - 1 - widest.back().right();
            m.textLeft = widest.front().left();
        }
        const std::vector<QRect> checked = shapes(l.image, l.checked, join);
        EXPECT_GE(checked.size(), 2u) << "the check mark and the text";
        if (checked.size() >= 2) m.checkHeight = checked.front().height();
        return m;
    };
    const Measured s = measure(small, "640 x 480");
    const Measured l = measure(large, "1920 x 1080");
    struct Case {
        const char* what;
        int small, large;
    };
    const Case cases[] = {
        {"submenu arrow's height", s.arrowHeight, l.arrowHeight},
        {"room between the arrow and the border", s.arrowToBorder, l.arrowToBorder},
        {"room after the widest item's text", s.textToBorder, l.textToBorder},
        {"room before the text", s.textLeft, l.textLeft},
        {"check mark's height", s.checkHeight, l.checkHeight},
    };
    for (const Case& c : cases) {
        EXPECT_GT(c.small, 0) << c.what;
        EXPECT_NEAR(c.large, c.small * growth, c.small * growth * 0.25)
            << c.what << " at 640 x 480: " << c.small;
    }
    // Beside the text, as on the small screen.
    EXPECT_NEAR(double(l.arrowHeight) / large.textHeight, double(s.arrowHeight) / small.textHeight,
                0.1);
}

} // namespace
