// The forms runtime as screens use it: lifetimes, event order, keys, timers, drawing.
#include "harness.h"

#include "platform/cp1252.h"
#include "ui/scaling.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>

namespace {

using harness::ScreenTest;

struct Log {
    std::vector<std::string> events;
    void add(const std::string& e) { events.push_back(e); }
};
Log* logTo = nullptr;
void note(const std::string& e) {
    if (logTo) logTo->add(e);
}

// A small screen with one control of each tier.
class TestForm : public ui::Form {
public:
    ui::Shape Forme1{*this};
    ui::Image Dessin1{*this};
    ui::Label Etiquette1{*this};
    ui::CommandButton Commande1{*this};
    ui::TextBox Texte1{*this};
    ui::Timer Minuterie1{*this};
    ui::ControlArray<ui::Label> Etiquette2{*this};
    int loads = 0;

    TestForm() {
        moveForm(0, 0, 6000, 4500);
        setBackColor(0xC0C000);
        setBorderStyle(ui::vbBSNone);
        Forme1.move(0, 0, 3000, 3000);
        Forme1.setFillStyle(0);
        Forme1.setFillColor(0x0000FF);
        Dessin1.move(3000, 0, 1500, 1500);
        Etiquette1.move(3000, 1500, 1500, 600);
        Etiquette1.setCaption("Etiquette");
        Commande1.move(1500, 1500, 1500, 600);
        Commande1.setCaption("&OK");
        Texte1.move(0, 3300, 3000, 450);
        Etiquette2.add(0).move(4500, 0, 900, 300);
        Etiquette2[0].setCaption("zero");
        Minuterie1.setInterval(1);
        Minuterie1.setEnabled(false);
        Minuterie1.Tick = [this](int) { Minuterie1_Timer(); };
        Commande1.Click = [this](int) { Commande1_Click(); };
        Dessin1.MouseDown = [](int, int, int, float, float) { note("image down"); };
        Dessin1.MouseUp = [](int, int, int, float, float) { note("image up"); };
        Dessin1.Click = [](int) { note("image click"); };
        Dessin1.DblClick = [](int) { note("image dblclick"); };
    }
    ~TestForm() override { note("destroyed"); }

    void Form_Load() override { ++loads; }
    void Form_Unload(int&) override { note("unload"); }
    void Form_MouseDown(int, int, float x, float y) override {
        note("form down " + std::to_string(int(x)) + "," + std::to_string(int(y)));
    }
    void Form_Click() override { note("form click"); }
    void Minuterie1_Timer() {
        Minuterie1.setEnabled(false);
        note("tick");
    }
    std::function<void()> onClick;
    void Commande1_Click() {
        note("button click");
        if (onClick) onClick();
    }
};

class FormsTest : public ScreenTest {
protected:
    Log log;
    void SetUp() override {
        ScreenTest::SetUp();
        logTo = &log;
    }
    void TearDown() override {
        ScreenTest::TearDown();
        logTo = nullptr;
    }
};

TEST_F(FormsTest, LoadIsOncePerFormAndUnloadMakesAFreshOneNextTime) {
    TestForm& a = ui::load<TestForm>();
    EXPECT_EQ(&ui::load<TestForm>(), &a);
    EXPECT_EQ(a.loads, 1);
    ui::unload<TestForm>();
    EXPECT_EQ(ui::find<TestForm>(), nullptr);
    ui::unload<TestForm>(); // not loaded: nothing happens
    TestForm& b = ui::load<TestForm>();
    EXPECT_EQ(b.loads, 1);
    EXPECT_TRUE(b.loaded());
}

TEST_F(FormsTest, FormUnloadedInsideItsOwnHandlerLivesUntilTheHandlerReturns) {
    TestForm& f = ui::load<TestForm>();
    f.show();
    bool stillUsable = false;
    f.onClick = [&] {
        ui::unload<TestForm>();
        // The handler goes on after the unload; its controls are still there to touch.
        f.Etiquette1.setCaption("after");
        stillUsable = f.Etiquette1.caption() == "after" && !f.loaded();
        TestForm& fresh = ui::load<TestForm>();
        EXPECT_NE(&fresh, &f);
        note("handler end");
    };
    click(f.Commande1);
    pump();
    EXPECT_TRUE(stillUsable);
    const auto& e = log.events;
    const auto end = std::find(e.begin(), e.end(), "handler end");
    const auto destroyed = std::find(e.begin(), e.end(), "destroyed");
    ASSERT_NE(end, e.end());
    ASSERT_NE(destroyed, e.end());
    EXPECT_LT(end - e.begin(), destroyed - e.begin());
}

TEST_F(FormsTest, ShapesLetTheMouseThroughWhileImagesTakeItDownUpClickThenDoubleClick) {
    TestForm& f = ui::load<TestForm>();
    f.show();
    // Inside the red shape: the form gets the press, in twips.
    clickAt(f, QPoint(20, 20));
    EXPECT_EQ(log.events, (std::vector<std::string>{"form down 300,300", "form click"}));
    log.events.clear();
    // On the image: down, up, click, then the second press of a double click is only a
    // double click.
    doubleClickAt(f, QPoint(250, 50));
    EXPECT_EQ(log.events, (std::vector<std::string>{"image down", "image up", "image click",
                                                    "image dblclick", "image up"}));
}

TEST_F(FormsTest, WindowlessControlsPaintOverTheSurfaceAndUnderWindowedOnes) {
    TestForm& f = ui::load<TestForm>();
    f.show();
    f.setForeColor(0x00FF00);
    f.line(0, 0, 5990, 4490, -1, ui::Container::Box::Filled); // green everywhere
    f.Commande1.move(1000, 1000, 1500, 600);                  // over the red shape
    const QImage shot = grab(f);
    EXPECT_EQ(shot.pixelColor(10, 10), QColor(255, 0, 0)) << "the shape lies over the drawing";
    EXPECT_EQ(shot.pixelColor(390, 280), QColor(0, 255, 0))
        << "the drawing shows where nothing covers it";
    const QColor onButton = shot.pixelColor(100, 85);
    EXPECT_NE(onButton, QColor(255, 0, 0)) << "the button lies over the shape";
}

// A form with nothing on it but its colour, as the title screen is before its picture.
class BareForm : public ui::Form {
public:
    BareForm() {
        moveForm(0, 0, 3000, 1500);
        setBorderStyle(ui::vbBSNone);
        setBackColor(0x80FFFF);
    }
};

TEST_F(FormsTest, TheSurfaceImageIsMadeOnlyOnceSomethingIsDrawnAndClsDropsIt) {
    BareForm& f = ui::load<BareForm>();
    f.show();
    const QColor yellow(0xFF, 0xFF, 0x80);
    EXPECT_EQ(grab(f).pixelColor(100, 50), yellow);
    EXPECT_FALSE(f.hasSurfaceImage()) << "painting the colour alone allocates nothing";
    f.setBackColor(0xC0C000);
    EXPECT_FALSE(f.hasSurfaceImage());
    EXPECT_EQ(grab(f).pixelColor(100, 50), QColor(0x00, 0xC0, 0xC0));

    f.setForeColor(0x0000FF);
    f.line(0, 0, 1500, 750, -1, ui::Container::Box::Filled);
    EXPECT_TRUE(f.hasSurfaceImage());
    const QImage drawn = grab(f);
    EXPECT_EQ(drawn.pixelColor(50, 25), QColor(255, 0, 0)) << "the drawing shows";
    EXPECT_EQ(drawn.pixelColor(150, 75), QColor(0x00, 0xC0, 0xC0)) << "and the colour beside it";

    f.cls();
    EXPECT_FALSE(f.hasSurfaceImage());
    EXPECT_EQ(grab(f).pixelColor(50, 25), QColor(0x00, 0xC0, 0xC0)) << "Cls wipes the drawing";
    EXPECT_EQ(f.point(50 * 15, 25 * 15), 0xC0C000) << "reading a wiped surface sees its colour";
}

TEST_F(FormsTest, APaintCopiesOnlyTheAreaBeingRepainted) {
    BareForm& f = ui::load<BareForm>();
    f.show();
    f.setForeColor(0x0000FF);
    f.line(0, 0, 2985, 1485, -1, ui::Container::Box::Filled); // red everywhere
    const QSize size = f.surface().size();
    const QRect area(20, 10, 30, 15);
    for (bool drawn : {true, false}) {
        if (!drawn) f.cls();
        QImage target(size, QImage::Format_RGB32);
        target.fill(Qt::magenta);
        {
            QPainter p(&target);
            f.paintContents(p, area);
        }
        const QColor inside = drawn ? QColor(255, 0, 0) : QColor(0xFF, 0xFF, 0x80);
        EXPECT_EQ(target.pixelColor(area.center()), inside) << drawn;
        EXPECT_EQ(target.pixelColor(area.topLeft()), inside) << drawn;
        EXPECT_EQ(target.pixelColor(area.bottomRight()), inside) << drawn;
        for (const QPoint outside : {QPoint(19, 10), QPoint(50, 24), QPoint(20, 25), QPoint(0, 0)})
            EXPECT_EQ(target.pixelColor(outside), QColor(Qt::magenta))
                << drawn << " " << outside.x();
    }
}

TEST_F(FormsTest, InvertingTwiceRestoresTheSurfaceExactly) {
    TestForm& f = ui::load<TestForm>();
    f.setForeColor(0x123456);
    f.circle(1500, 1500, 600);
    f.print("Bonjour");
    const QImage before = f.surface().copy();
    f.setDrawMode(ui::vbInvert);
    f.line(300, 300, 2700, 2100, -1, ui::Container::Box::Outline);
    EXPECT_NE(f.surface(), before);
    f.line(300, 300, 2700, 2100, -1, ui::Container::Box::Outline);
    EXPECT_EQ(f.surface(), before);
}

TEST_F(FormsTest, OneMillisecondTimerRunsOnlyAfterTheCurrentHandlerEvenThroughAPause) {
    // On the real clock: the handler pauses well past the timer's interval, and a pause handles
    // no event, so the deferred step still comes after the handler.
    ui::useSystemClock();
    TestForm& f = ui::load<TestForm>();
    f.show();
    f.onClick = [&] {
        f.Minuterie1.setEnabled(true);
        ui::pause(0.03);
        note("handler end");
    };
    click(f.Commande1);
    for (int i = 0; i < 50 && log.events.size() < 3; ++i) {
        platform::clock().sleepMs(2);
        pump();
    }
    EXPECT_EQ(log.events, (std::vector<std::string>{"button click", "handler end", "tick"}));
}

TEST_F(FormsTest, PauseAcrossMidnightEnds) {
    clock->advance(std::int64_t((86400.0 - 10 * 3600.0 - 1.0) * 1000)); // 23:59:59
    EXPECT_GT(ui::timeOfDay(), 86398.0f);
    ui::pause(2.0);
    EXPECT_LT(ui::timeOfDay(), 2.0f);
}

TEST_F(FormsTest, MessageBoxesAreAnsweredByTheScript) {
    answer(ui::vbNo);
    EXPECT_EQ(ui::msgBox(cp("Désirez-vous effacer?"),
                         ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2, "Message"),
              ui::vbNo);
    EXPECT_EQ(ui::msgBox("Suite", ui::vbRetryCancel), ui::vbRetry);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Désirez-vous effacer?");
    EXPECT_EQ(boxes[0].title, "Message");
}

TEST_F(FormsTest, KeyPressFiltersTypedAndPastedTextAlike) {
    TestForm& f = ui::load<TestForm>();
    f.show();
    // Upper-case every letter, refuse digits.
    f.Texte1.KeyPress = [](int, int& k) {
        if (k >= '0' && k <= '9')
            k = 0;
        else if (k != 8)
            k = platform::upper1252(static_cast<unsigned char>(k));
    };
    type(f.Texte1, QString::fromUtf8("zoé2"));
    EXPECT_EQ(text(f.Texte1), "ZOÉ");
    paste(f.Texte1, QString::fromUtf8("à 9 ł"));
    EXPECT_EQ(text(f.Texte1), "ZOÉÀ  ")
        << "pasted text passes the same filter; ł is not Windows-1252";
    key(f.Texte1, Qt::Key_Backspace, QString(QChar(8)));
    EXPECT_EQ(text(f.Texte1), "ZOÉÀ ");
}

TEST_F(FormsTest, EnterGoesToTheDefaultButtonOnlyWhileItIsUsable) {
    TestForm& f = ui::load<TestForm>();
    f.show();
    int keyDowns = 0;
    f.Texte1.KeyDown = [&](int, int& code, int) {
        if (code == 13) ++keyDowns;
    };
    f.Commande1.setDefault(true);
    pressEnter(f.Texte1);
    EXPECT_EQ(log.events, std::vector<std::string>{"button click"});
    EXPECT_EQ(keyDowns, 0);
    f.Commande1.setEnabled(false);
    pressEnter(f.Texte1);
    EXPECT_EQ(log.events.size(), 1u);
    EXPECT_EQ(keyDowns, 1) << "with the default button off, the text box gets Enter";
}

TEST_F(FormsTest, LostFocusComesBeforeGotFocusAndMayTakeTheFocusBack) {
    TestForm& f = ui::load<TestForm>();
    f.show();
    f.Texte1.GotFocus = [](int) { note("text got"); };
    f.Texte1.LostFocus = [&](int) {
        note("text lost");
        if (log.events.size() < 4) f.Texte1.setFocus();
    };
    f.Commande1.GotFocus = [](int) { note("button got"); };
    focus(f.Texte1);
    focus(f.Commande1);
    pump();
    ASSERT_GE(log.events.size(), 2u);
    EXPECT_EQ(log.events[0], "text got");
    EXPECT_EQ(log.events[1], "text lost");
    EXPECT_TRUE(f.Texte1.hasFocus()) << "the handler took the focus back";
}

TEST_F(FormsTest, ClonedArrayElementsAreHiddenCopiesWithTheirOwnIndex) {
    TestForm& f = ui::load<TestForm>();
    int clicked = -1;
    f.Etiquette2[0].Click = [&](int i) { clicked = i; };
    f.Etiquette2[0].setFontBold(true);
    ui::Label& copy = f.Etiquette2.load(3);
    EXPECT_FALSE(copy.visible());
    EXPECT_EQ(copy.caption(), "zero");
    EXPECT_TRUE(copy.fontBold());
    EXPECT_EQ(copy.index(), 3);
    f.show();
    copy.move(0, 4000, 900, 300);
    copy.setVisible(true);
    clickAt(f, copy.pixelRect().center());
    EXPECT_EQ(clicked, 3);
    EXPECT_EQ(f.Etiquette2.ubound(), 3);
}

TEST_F(FormsTest, OptionButtonsAreExclusivePerContainerAndSettingOneFiresClick) {
    struct Options : ui::Form {
        ui::Frame Cadre1{*this};
        ui::ControlArray<ui::OptionButton> Option1{*this};
        ui::OptionButton Seule{*this};
        std::vector<int> clicks;
        Options() {
            Cadre1.move(0, 0, 3000, 2000);
            for (int i = 0; i < 3; ++i) {
                Option1.add(i, Cadre1).move(100, 300 + 400 * i, 2000, 300);
                Option1[i].Click = [this](int index) { clicks.push_back(index); };
            }
            Seule.move(3500, 300, 1500, 300);
        }
    };
    Options& f = ui::load<Options>();
    f.Seule.setValue(true);
    f.Option1[1].setValue(true);
    f.Option1[1].setValue(true); // already selected: Click again
    f.Option1[2].setValue(true);
    EXPECT_EQ(f.clicks, (std::vector<int>{1, 1, 2}));
    EXPECT_FALSE(f.Option1[1].value());
    EXPECT_TRUE(f.Seule.value()) << "another container keeps its own choice";
}

TEST_F(FormsTest, ScalingMultipliesGeometryAndFontsButNotTimers) {
    TestForm& f = ui::load<TestForm>();
    f.Etiquette1.setFontSize(10.5);
    f.Minuterie1.setInterval(4000);
    ui::scaleForm(f, 1.6);
    EXPECT_DOUBLE_EQ(f.formWidth(), 9600);
    EXPECT_DOUBLE_EQ(f.Commande1.left(), 2400);
    EXPECT_DOUBLE_EQ(f.Commande1.width(), 2400);
    EXPECT_DOUBLE_EQ(f.Etiquette1.fontSize(), 16.8);
    EXPECT_EQ(f.Minuterie1.interval(), 4000);
}

TEST_F(FormsTest, PixelScaleAndUserScaleMapToTheSamePlaces) {
    TestForm& f = ui::load<TestForm>();
    f.setScaleMode(ui::vbPixels);
    f.Commande1.move(10, 20, 100, 40);
    EXPECT_EQ(f.Commande1.pixelRect(), QRect(10, 20, 100, 40));
    EXPECT_DOUBLE_EQ(f.Commande1.twipsRect().left(), 150);
    f.setScaleWidth(f.innerPixelSize().width() * 2.0);
    f.setScaleHeight(f.innerPixelSize().height() * 2.0);
    EXPECT_DOUBLE_EQ(f.Commande1.left(), 20);
}

} // namespace
