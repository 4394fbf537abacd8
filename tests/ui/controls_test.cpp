// Controls inside frames, pasted text against a filter that looks at the text, and picture
// surfaces that grow with their screen.
#include "harness.h"

#include "platform/cp1252.h"
#include "ui/scaling.h"

#include <QApplication>
#include <QFontMetrics>

namespace {

using harness::ScreenTest;

class ControlsTest : public ScreenTest {};

// A card with its own button on the form and a second one inside a frame, as screens that ask
// a question in a frame have.
struct Card : ui::Form {
    ui::TextBox Texte1{*this};
    ui::CommandButton Commande1{*this};
    ui::Frame Cadre1{*this};
    ui::CommandButton Commande2{Cadre1};
    std::vector<std::string> pressed;
    Card() {
        moveForm(0, 0, 6000, 4500);
        Texte1.move(120, 120, 3000, 360);
        Commande1.move(120, 600, 1200, 400);
        Commande1.setCaption("&OK");
        Cadre1.move(120, 1200, 4000, 2000);
        Commande2.move(120, 400, 1200, 400);
        Commande2.setCaption("&Oui");
        Commande1.Click = [this](int) { pressed.push_back("form"); };
        Commande2.Click = [this](int) { pressed.push_back("frame"); };
        // Names: a blank only after something else was typed.
        Texte1.KeyPress = [this](int, int& k) {
            if (k == ' ' && Texte1.text().empty()) k = 0;
            if (k == ',') k = 0;
        };
    }
};

TEST_F(ControlsTest, OneDefaultButtonWhetherItLiesOnTheFormOrInAFrame) {
    Card& f = ui::load<Card>();
    f.show();
    f.Commande2.setDefault(true);
    f.Commande1.setDefault(true);
    EXPECT_FALSE(f.Commande2.isDefault()) << "the frame's button gave up being the default";
    pressEnter(f.Texte1);
    EXPECT_EQ(f.pressed, std::vector<std::string>{"form"});
    f.Commande2.setDefault(true);
    EXPECT_FALSE(f.Commande1.isDefault());
    pressEnter(f.Texte1);
    EXPECT_EQ(f.pressed, (std::vector<std::string>{"form", "frame"}));
}

TEST_F(ControlsTest, PastedTextMeetsTheFilterCharacterByCharacterAsTyped) {
    Card& f = ui::load<Card>();
    f.show();
    struct Case {
        const char* pasted;
        const char* shown;
    };
    const Case cases[] = {
        {" JEAN PAUL", "JEAN PAUL"}, // only the leading blank finds the box empty
        {"A,B", "AB"},
    };
    for (const Case& c : cases) {
        f.Texte1.setText("");
        paste(f.Texte1, QString::fromUtf8(c.pasted));
        EXPECT_EQ(text(f.Texte1), c.shown) << c.pasted;
    }
}

TEST_F(ControlsTest, APictureAloneIsDrawnAgainAtItsNewSizeWhenTheScreenGrows) {
    struct Screen : ui::Form {
        ui::PictureBox Image1{*this};
        Screen() {
            moveForm(0, 0, 6000, 4500);
            Image1.move(0, 0, 600, 300); // 40 x 20 pixels
            Image1.setBorderStyle(0);
            Image1.setPicture(ui::Picture::fromData(
                "<svg xmlns='http://www.w3.org/2000/svg' width='40' height='20'>"
                "<rect width='20' height='20' fill='#ff0000'/>"
                "<rect x='20' width='20' height='20' fill='#0000ff'/></svg>",
                "halves.svg"));
        }
    };
    Screen& f = ui::load<Screen>();
    f.show();
    ASSERT_EQ(f.Image1.surface().size(), QSize(40, 20));
    ui::scaleForm(f, 2);
    const QImage& grown = f.Image1.surface();
    ASSERT_EQ(grown.size(), QSize(80, 40));
    // Where the old right half lay, the grown picture is still red.
    EXPECT_EQ(grown.pixelColor(30, 10), QColor(255, 0, 0));
    EXPECT_EQ(grown.pixelColor(70, 30), QColor(0, 0, 255));

    // Drawings still survive a change of size, at the same place.
    f.Image1.setForeColor(0x00FF00);
    f.Image1.setScaleMode(ui::vbPixels);
    f.Image1.pset(5, 5);
    ui::scaleForm(f, 1.5);
    EXPECT_EQ(f.Image1.surface().pixelColor(5, 5), QColor(0, 255, 0));
}

TEST_F(ControlsTest, AScreenShownComesWithTheFocusInItsFirstControlThatCanTakeIt) {
    struct Main : ui::MdiForm {};
    struct Screen : ui::Form {
        ui::Frame Cadre1{*this};
        ui::TextBox Texte0{Cadre1}; // in a hidden frame
        ui::TextBox Texte1{*this};
        ui::TextBox Texte2{*this};
        ui::CommandButton Commande1{*this};
        std::vector<int> got;
        Screen() {
            setMdiChild(true);
            setBorderStyle(ui::vbBSNone);
            moveForm(0, 0, 6000, 4500);
            Cadre1.move(0, 0, 3000, 1500);
            Cadre1.setVisible(false);
            Texte0.setTabIndex(0);
            Texte2.move(0, 2000, 3000, 360);
            Texte2.setTabIndex(1);
            Texte1.move(0, 2500, 3000, 360);
            Texte1.setTabIndex(2);
            Texte1.GotFocus = [this](int) { got.push_back(1); };
            Texte2.GotFocus = [this](int) { got.push_back(2); };
            Commande1.move(0, 3000, 1200, 400);
            Commande1.setTabIndex(3);
        }
    };
    struct Other : Screen {};
    ui::load<Main>().show();
    // Another screen had the focus, as the screen a user leaves for the next one.
    Other& before = ui::load<Other>();
    focus(before.Commande1);
    ui::unload<Other>();
    Screen& f = ui::load<Screen>();
    for (int i = 0; i < 3; ++i) pump();
    EXPECT_TRUE(f.Texte2.hasFocus());
    EXPECT_EQ(f.got, std::vector<int>{2});
}

} // namespace

TEST_F(ControlsTest, AListLineTooWideForItsCellIsNarrowedUntilWholeAndOnlyThen) {
    struct Screen : ui::Form {
        ui::ListBox Liste1{*this};
        Screen() {
            moveForm(0, 0, 9000, 6000);
            Liste1.move(0, 0, 2700, 1500); // 180 pixels: a scroll bar soon takes some of them
            Liste1.setFont(ui::arial(10.5));
        }
    };
    const std::string court = "ABEL ANNE";
    const std::string long1 = "DE LA FONTAINE-BEAUMONT MARIE-CHRISTINE-ELODIE";
    const std::string long2 = "DE LA FONTAINE-BEAUMONT MARIE-CHRISTINE-ELOISE";
    Screen& f = ui::load<Screen>();
    f.show();
    ui::ListBox& l = f.Liste1;
    l.addItem(court);
    l.addItem(long1);
    l.addItem(long2, 0);
    for (int i = 0; i < 20; ++i) l.addItem(court); // the vertical scroll bar comes
    pump();
    const auto expectWhole = [&](int row, bool ownFont) {
        const QFont own = l.widget()->font();
        const harness::ListLine line = shownLine(l, row);
        EXPECT_TRUE(line.whole) << line.text;
        EXPECT_EQ(line.font == own, ownFont) << line.text;
        EXPECT_EQ(QFontMetrics(line.font).height(), QFontMetrics(own).height()) << line.text;
    };
    expectWhole(0, false);
    expectWhole(1, true);
    expectWhole(2, false);
    EXPECT_NE(shownLine(l, 0).text, shownLine(l, 2).text);
    const int height = shownLine(l, 1).height;
    EXPECT_EQ(shownLine(l, 2).height, height) << "a narrowed line keeps its height";

    // A short line in its place, or a list wide enough, has the list's font back.
    l.removeItem(0);
    l.addItem(court, 0);
    expectWhole(0, true);
    l.setWidth(9000);
    pump();
    expectWhole(2, true);
    // A larger font narrows again what no longer fits; the choice stays where it was.
    l.setListIndex(2);
    l.setWidth(2700);
    l.setFont(ui::arial(14));
    pump();
    expectWhole(2, false);
    EXPECT_EQ(l.listIndex(), 2);
    EXPECT_EQ(l.list(2), long1);

    // Newspaper columns narrow a line to its column.
    l.setWidth(9000);
    l.setColumns(2);
    pump();
    expectWhole(2, false);
    l.setColumns(0);
    pump();
    expectWhole(2, true);
}
