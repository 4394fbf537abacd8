// What the main window, its menu bar and the message boxes look like at today's screen sizes:
// the screens' 4:3 area in the middle, the system's parts in proportion, lines that break only
// where they must.
#include "harness.h"

#include "platform/cp1252.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <cmath>

namespace {

using harness::ScreenTest;

class Main : public ui::MdiForm {
public:
    ui::MenuItem quitte{*this, "&Quitter"};
    ui::MenuItem lecons{*this, cp("&Leçons")};
    ui::MenuItem bilan{*this, "&Bilan"};
    ui::MenuItem gestionnaire{*this, "&Gestionnaire"};
    ui::MenuItem info{*this, "&Informations"};
    ui::MenuItem aide{*this, "&Aide"};
    ui::MenuItem total{*this, ""};
    Main() { total.setVisible(false); }
};

class Screen : public ui::Form {
public:
    ui::CheckBox Case1{*this};
    ui::OptionButton Option1{*this};
    ui::TextBox Texte1{*this, true};
    std::vector<std::string> mouse;
    Screen() {
        setMdiChild(true);
        setBorderStyle(ui::vbBSNone);
        setControlBox(false);
        moveForm(0, 0, 9600, 6645);
        Case1.move(600, 600, 2400, 375);
        Case1.setCaption("Case");
        Option1.move(600, 1200, 2400, 375);
        Option1.setCaption("Option");
        Texte1.move(3600, 600, 4800, 2400);
        std::string lines;
        for (int i = 0; i < 60; ++i) lines += "ligne\r\n";
        Texte1.setText(lines);
    }
    void Form_MouseDown(int, int, float x, float y) override { note("down", x, y); }
    void Form_MouseMove(int b, int, float x, float y) override {
        if (b) note("move", x, y);
    }
    void Form_MouseUp(int, int, float x, float y) override { note("up", x, y); }
    void note(const char* what, float x, float y) {
        mouse.push_back(std::string(what) + " " + std::to_string(int(x)) + "," +
                        std::to_string(int(y)));
    }
};

class ScreenSizeTest : public ScreenTest {
protected:
    // The main window as it stands on a display of `width` x `height` pixels.
    Main& mainWindowOn(int width, int height) {
        Main& m = ui::load<Main>();
        m.setWindowState(ui::vbNormal);
        m.moveForm(0, 0, width * 15.0, height * 15.0);
        m.show();
        pump();
        return m;
    }
    // A mouse action at a point of the main window, delivered to what lies under it.
    void mouseAt(Main& m, QEvent::Type type, QPoint inWindow) {
        QWidget* top = m.mainWindow();
        QWidget* target = top->childAt(inWindow);
        ASSERT_NE(target, nullptr);
        const QPoint local = target->mapFrom(top, inWindow);
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
        QMouseEvent e(type, QPointF(local), QPointF(target->mapToGlobal(local)), button, held,
                      Qt::NoModifier);
        QApplication::sendEvent(target, &e);
        pump();
    }
    // Shows a real message box and looks at it before pressing its first button.
    template <class Look> void lookAtBox(const std::string& text, Look look) {
        ui::setMessageService({});
        bool looked = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            pump();
            look(*box);
            looked = true;
            box->buttons().front()->click();
        });
        ui::msgBox(text, ui::vbExclamation, "Message");
        EXPECT_TRUE(looked) << "a box was shown";
    }
};

TEST_F(ScreenSizeTest, TheScreensAreaStandsInTheMiddleOfAWideWindowAndThePointerLandsAsBefore) {
    // A display wider than 4:3 (the headless display is 800 pixels wide).
    setScreen(640, 480);
    Main& m = mainWindowOn(800, 520);
    Screen& s = ui::load<Screen>();
    m.arrange(1);
    pump();
    const QRect bar = m.menuBar()->geometry();
    const QRect area = m.area()->viewport()->geometry().translated(m.area()->pos());
    EXPECT_EQ(area.left(), (800 - 640) / 2) << "as much surround on either side";
    EXPECT_EQ(area.width(), 640);
    const int below = m.mainWindow()->height() - area.bottom() - 1;
    EXPECT_EQ(area.height(), 480);
    EXPECT_NEAR(area.top() - bar.bottom() - 1, below, 1) << "as much above as below";
    const QPoint screenAt = s.window()->mapTo(m.mainWindow(), QPoint(0, 0));
    EXPECT_EQ(screenAt, area.topLeft()) << "a screen at 0, 0 is at the area's corner";

    // The surround, beside the screen and under it, is the main window's own colour.
    const QImage shot = m.mainWindow()->grab().toImage();
    const QColor surround = ui::qcolour(m.backColor());
    for (const QPoint p :
         {QPoint(20, 300), QPoint(780, 300), QPoint(400, 516), QPoint(400, bar.bottom() + 2)})
        EXPECT_EQ(shot.pixelColor(p), surround) << p.x() << "," << p.y();

    // A press, a drag and a release map to the screen's own twips, as they did at the corner.
    mouseAt(m, QEvent::MouseButtonPress, screenAt + QPoint(100, 50));
    mouseAt(m, QEvent::MouseMove, screenAt + QPoint(140, 60));
    mouseAt(m, QEvent::MouseButtonRelease, screenAt + QPoint(140, 60));
    EXPECT_EQ(s.mouse, (std::vector<std::string>{"down 1500,750", "move 2100,900", "up 2100,900"}));
    EXPECT_FALSE(m.area()->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(m.area()->verticalScrollBar()->isVisible());
}

class Title : public ui::Form {
public:
    ui::Label Etiquette1{*this};
    Title() {
        setWindowState(ui::vbMaximized);
        setBorderStyle(ui::vbBSNone);
        setBackColor(0x80FFFF);
        moveForm(0, 0, 9600, 7200);
    }
};

TEST_F(ScreenSizeTest, AMaximisedScreenOfItsOwnStandsInTheMiddleOnItsOwnColour) {
    setScreen(640, 480);
    Title& t = ui::load<Title>();
    t.show();
    pump();
    QWidget* window = t.window();
    const QRect screen(t.containerWidget()->mapTo(window, QPoint(0, 0)),
                       t.containerWidget()->size());
    EXPECT_EQ(screen.size(), QSize(640, 480));
    EXPECT_EQ(screen.center(), window->rect().center());
    const QImage shot = window->grab().toImage();
    EXPECT_EQ(shot.pixelColor(2, window->height() / 2), QColor(0xFF, 0xFF, 0x80));
    EXPECT_EQ(shot.pixelColor(screen.center()), QColor(0xFF, 0xFF, 0x80));
}

TEST_F(ScreenSizeTest, TheSystemsPartsGrowWithTheScreenAsTheScreensDo) {
    struct Case {
        int width, height;
        double growth;
    };
    setScreen(640, 480);
    const int font640 = QFontInfo(QApplication::font()).pixelSize();
    int bar640 = 0, indicator640 = 0, scrollBar640 = 0, button640 = 0, box640 = 0, icon640 = 0;
    for (const Case c : {Case{640, 480, 1.0}, Case{800, 600, 1.25}, Case{1024, 768, 1.6}}) {
        SCOPED_TRACE(std::to_string(c.width));
        ui::unloadAllForms();
        pump();
        setScreen(c.width, c.height);
        Main& m = mainWindowOn(std::min(c.width, 800), std::min(c.height, 800));
        Screen& s = ui::load<Screen>();
        pump();
        const int font = QFontInfo(m.menuBar()->font()).pixelSize();
        const int bar = m.menuBar()->height();
        const int indicator = s.Case1.widget()->style()->pixelMetric(QStyle::PM_IndicatorWidth,
                                                                     nullptr, s.Case1.widget());
        const int radio = s.Option1.widget()->style()->pixelMetric(
            QStyle::PM_ExclusiveIndicatorWidth, nullptr, s.Option1.widget());
        auto* edit = s.Texte1.widget()->findChild<QScrollBar*>();
        QScrollBar* vertical = nullptr;
        for (QScrollBar* b : s.Texte1.widget()->findChildren<QScrollBar*>())
            if (b->orientation() == Qt::Vertical && b->isVisible()) vertical = b;
        ASSERT_NE(edit, nullptr);
        ASSERT_NE(vertical, nullptr) << "the long text scrolls";
        const int scrollBar = vertical->width();
        int button = 0, boxFont = 0, icon = 0;
        lookAtBox("Une ligne.", [&](QMessageBox& box) {
            button = box.buttons().front()->height();
            icon = box.iconPixmap().width();
            boxFont = QFontInfo(box.findChild<QLabel*>("qt_msgbox_label")->font()).pixelSize();
        });
        if (c.width == 640) {
            bar640 = bar, indicator640 = indicator, scrollBar640 = scrollBar;
            button640 = button, box640 = boxFont, icon640 = icon;
            EXPECT_EQ(font, font640) << "the ordinary size on the smallest screen";
            EXPECT_NEAR(font, c.height / 40.0, 2);
        }
        EXPECT_NEAR(font, font640 * c.growth, 1) << "menu text";
        EXPECT_NEAR(boxFont, box640 * c.growth, 1) << "message box text";
        EXPECT_NEAR(bar, bar640 * c.growth, 3) << "menu bar";
        EXPECT_NEAR(button, button640 * c.growth, 3) << "message box button";
        EXPECT_NEAR(icon, icon640 * c.growth, 2) << "message box icon";
        EXPECT_NEAR(indicator, indicator640 * c.growth, 1) << "check box";
        EXPECT_EQ(radio, indicator) << "option button";
        EXPECT_NEAR(scrollBar, scrollBar640 * c.growth, 2) << "scroll bar";
    }
}

TEST_F(ScreenSizeTest, MessageBoxLinesBreakOnlyWhereTheyWouldPassHalfTheScreen) {
    setScreen(1024, 768);
    const int half = 512;
    const std::string longLine = cp("Une étiquette indique la caractérisque des éléments que "
                                    "chacun peut contenir, et l'élève doit cliquer sur chaque "
                                    "dessin et le placer à l'endroit qui convient.");
    const std::string text = cp("Ajouter un nombre au prénom ou au nom") + "\r\n\r\n" + longLine;
    lookAtBox(text, [&](QMessageBox& box) {
        auto* label = box.findChild<QLabel*>("qt_msgbox_label");
        ASSERT_NE(label, nullptr);
        const QFontMetrics fm = label->fontMetrics();
        const QStringList lines = label->text().split('\n');
        // What is drawn: the label lays out no more lines than it holds.
        const int drawn =
            int(std::lround(double(label->heightForWidth(label->width())) / fm.lineSpacing()));
        EXPECT_EQ(drawn, lines.size()) << label->text().toStdString();
        ASSERT_GE(lines.size(), 4);
        EXPECT_EQ(lines[0], QString::fromUtf8("Ajouter un nombre au prénom ou au nom"));
        EXPECT_EQ(lines[1], QString()) << "an explicit empty line stays";
        for (qsizetype i = 2; i < lines.size(); ++i) {
            EXPECT_LE(fm.horizontalAdvance(lines[i]), half) << lines[i].toStdString();
            // Broken only where the next word would have passed half the screen.
            if (i + 1 < lines.size()) {
                const QString next = lines[i + 1].section(' ', 0, 0);
                EXPECT_GT(fm.horizontalAdvance(lines[i] + ' ' + next), half)
                    << lines[i].toStdString();
            }
        }
        EXPECT_LT(box.width(), 1024) << "the box stays inside the screen";
    });
}

TEST_F(ScreenSizeTest, AWordLongerThanTheBoxIsBrokenAndShownWhole) {
    setScreen(640, 480);
    std::string path = "/home/ecole";
    while (path.size() < 240) path += "/dossier_des_images_de_la_classe";
    const std::string text = cp("Impossible de lire le fichier d'image : ") + path;
    lookAtBox(text, [&](QMessageBox& box) {
        auto* label = box.findChild<QLabel*>("qt_msgbox_label");
        ASSERT_NE(label, nullptr);
        const QFontMetrics fm = label->fontMetrics();
        const QStringList lines = label->text().split('\n');
        QString joined;
        for (const QString& line : lines) {
            joined += line + ' ';
            // Each line is drawn whole inside the label, and the label inside the box.
            EXPECT_LE(fm.horizontalAdvance(line), label->contentsRect().width())
                << line.toStdString();
        }
        EXPECT_LE(label->geometry().right(), box.contentsRect().right());
        // No character lost, none moved: only line ends added (at a blank or inside the word).
        QString shown = label->text();
        shown.remove('\n');
        EXPECT_EQ(shown.toStdString(),
                  QString::fromUtf8("Impossible de lire le fichier d'image :").toStdString() + path)
            << joined.toStdString();
    });
}
TEST_F(ScreenSizeTest, OnALargeScreenABoxOfLongLinesStaysWithinWhatQtShowsWhole) {
    // The 4:3 areas of a 2560 x 1440 and a 3840 x 2160 display: half of them is wider than the
    // widest box Qt shows unclipped.
    std::string text;
    for (int i = 0; i < 6; ++i)
        text +=
            cp("Une étiquette indique la caractérisque des éléments que chacun peut contenir. ");
    for (const QSize area : {QSize(1920, 1440), QSize(2880, 2160)}) {
        SCOPED_TRACE(std::to_string(area.width()));
        setScreen(area.width(), area.height());
        lookAtBox(text, [&](QMessageBox& box) {
            auto* label = box.findChild<QLabel*>("qt_msgbox_label");
            ASSERT_NE(label, nullptr);
            const QFontMetrics fm = label->fontMetrics();
            EXPECT_LE(label->geometry().right(), box.contentsRect().right());
            for (const QString& line : label->text().split('\n'))
                EXPECT_LE(fm.horizontalAdvance(line), label->contentsRect().width())
                    << line.toStdString();
        });
    }
}

TEST_F(ScreenSizeTest, BlanksThatEndALinePastHalfTheScreenMakeNoEmptyLine) {
    setScreen(640, 480);
    // A name padded to its field's width, as the pupil files hold it.
    const std::string text =
        cp("Bonjour Marie") + std::string(120, ' ') + "\r\n" + cp("Au travail !");
    lookAtBox(text, [&](QMessageBox& box) {
        auto* label = box.findChild<QLabel*>("qt_msgbox_label");
        ASSERT_NE(label, nullptr);
        const QStringList lines = label->text().split('\n');
        ASSERT_EQ(lines.size(), 2) << label->text().toStdString();
        EXPECT_EQ(lines[0].trimmed(), QString("Bonjour Marie"));
        EXPECT_EQ(lines[1], QString("Au travail !"));
    });
}

TEST_F(ScreenSizeTest, TheTotalStandsAtTheRightEndOfTheMenuBarAtEverySize) {
    const std::string caption = std::string(75, ' ') + cp("Total : 12 leçons");
    for (const QSize size : {QSize(640, 480), QSize(800, 600)}) {
        SCOPED_TRACE(std::to_string(size.width()));
        ui::unloadAllForms();
        pump();
        setScreen(size.width(), size.height());
        Main& m = mainWindowOn(size.width(), size.height());
        m.total.setCaption(caption);
        m.total.setVisible(true);
        pump();
        QMenuBar* bar = m.menuBar();
        const QRect place = bar->actionGeometry(m.total.action());
        EXPECT_FALSE(place.isEmpty());
        EXPECT_TRUE(bar->rect().contains(place)) << "wholly on the bar";
        EXPECT_LT(place.top(), bar->actionGeometry(m.quitte.action()).bottom())
            << "on the same line as the other menus";
        EXPECT_GT(place.right(), bar->width() - 30) << "at the right end";
        EXPECT_GT(place.left(), bar->actionGeometry(m.aide.action()).right());
        const QString shown = m.total.action()->text();
        EXPECT_EQ(shown, QString::fromUtf8("Total : 12 leçons"));
        auto* more = bar->findChild<QToolButton*>("qt_menubar_ext_button");
        EXPECT_TRUE(!more || !more->isVisible()) << "no overflow button";
        EXPECT_EQ(m.total.caption(), caption) << "the caption reads back as set";
        // Hidden, it takes its place away; shown again, it comes back to the right end.
        m.total.setVisible(false);
        pump();
        EXPECT_TRUE(bar->actionGeometry(m.total.action()).isEmpty());
    }
}

} // namespace
