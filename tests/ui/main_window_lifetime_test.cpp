// The main window as a top-level window, window icons, and a child screen that outlives the main
// window while one of its handlers still runs.
#include "busy_screen.h"
#include "harness.h"

#include <QIcon>
#include <QMainWindow>

namespace {

using harness::BusyScreen;
using harness::ScreenTest;

ui::Picture square() {
    const QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'>"
                           "<rect width='10' height='10' fill='#c00000'/></svg>";
    return ui::Picture::fromData(svg, "carre.svg");
}

class Main : public ui::MdiForm {
public:
    ui::PictureBox store{*this};
    ui::MenuItem quitte{*this, "&Quitter"};
    Main() {
        setCaption("Principale");
        setIcon(square());
        store.setVisible(false);
    }
};

class MainWindowLifetime : public ScreenTest {};

TEST_F(MainWindowLifetime, TheMainWindowShowsItsOwnWindowWithItsIcon) {
    Main& m = ui::load<Main>();
    m.show();
    EXPECT_TRUE(m.mainWindow()->isVisible());
    EXPECT_EQ(m.window(), m.mainWindow());
    EXPECT_EQ(m.mainWindow()->windowTitle(), QString("Principale"));
    EXPECT_FALSE(m.mainWindow()->windowIcon().isNull());
    EXPECT_FALSE(m.containerWidget()->isVisible()) << "the picture stores stay hidden";
}

TEST_F(MainWindowLifetime, AChildWhoseHandlerRunsOutlivesTheMainWindowUnloadedMeanwhile) {
    Main& m = ui::load<Main>();
    m.show();
    BusyScreen& b = ui::load<BusyScreen>();
    b.duringYield = [&m] { ui::unloadForm(&m); };
    BusyScreen::sawItsUnload = false;
    click(b.Commande1);
    pump();
    pump();
    EXPECT_TRUE(BusyScreen::sawItsUnload);
    EXPECT_EQ(ui::find<BusyScreen>(), nullptr);
    EXPECT_EQ(ui::find<Main>(), nullptr);
}

} // namespace
