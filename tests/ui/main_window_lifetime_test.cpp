// The main window as a top-level window, window icons, and a child screen that outlives the main
// window while one of its handlers still runs.
#include "harness.h"

#include <QIcon>
#include <QMainWindow>
#include <QTimer>

namespace {

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

bool handlerSawItsUnload = false;

class Busy : public ui::Form {
public:
    ui::CommandButton Commande1{*this};
    ui::Label Etiquette1{*this};
    std::function<void()> duringYield;
    Busy() {
        setMdiChild(true);
        moveForm(0, 0, 6000, 4000);
        Commande1.move(100, 100, 1500, 400);
        Commande1.Click = [this](int) {
            QTimer::singleShot(0, duringYield);
            ui::yield();
            if (!ui::isLoaded(this)) {
                handlerSawItsUnload = true;
                return;
            }
            Etiquette1.setCaption("encore là");
        };
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
    Busy& b = ui::load<Busy>();
    b.duringYield = [&m] { ui::unloadForm(&m); };
    handlerSawItsUnload = false;
    click(b.Commande1);
    pump();
    pump();
    EXPECT_TRUE(handlerSawItsUnload);
    EXPECT_EQ(ui::find<Busy>(), nullptr);
    EXPECT_EQ(ui::find<Main>(), nullptr);
}

} // namespace
