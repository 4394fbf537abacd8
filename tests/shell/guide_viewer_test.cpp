// The guide viewer: its documents on screen, and their printed page layout.
#include "pdf_capture.h"
#include "shell_fixture.h"
#include <QMdiArea>
#include <QScrollBar>
#include <algorithm>

#include "shell/document_layout.h"
#include "shell/guide_viewer.h"
#include "shell/main_window.h"
#include "signin/home_screen.h"

#include <QProcess>
#include <QTemporaryDir>
#include <filesystem>

namespace {

using shell::document;
using shell::MDI1;
using shell::shared;
using shelltest::ShellTest;
using signin::Feuille1;

// Every character is 100 twips wide; pages of 5000 twips hold 20 characters a line, and pages
// of 3600 twips five lines (900 to 1860; the last allowed is 1900).
class Recorder : public shell::SortieImpression {
public:
    struct Piece {
        int page;
        double x, y;
        std::string text;
    };
    std::vector<Piece> pieces;
    int pages = 1;
    int starts = 0;
    bool ended = false;
    void debutPage() override { ++starts; }
    void texte(double x, double y, const std::string& t) override {
        pieces.push_back({pages, x, y, t});
    }
    double largeur(const std::string& t) override { return 100.0 * static_cast<double>(t.size()); }
    void nouvellePage() override { ++pages; }
    void fin() override { ended = true; }
    // The printed lines, page by page, as "page:y:text".
    std::vector<std::string> lines() const {
        std::vector<std::string> out;
        for (const Piece& p : pieces)
            out.push_back(std::to_string(p.page) + ":" + std::to_string(int(p.y)) + ":" + p.text);
        return out;
    }
};

std::vector<std::string> layOut(const std::string& text, Recorder& r, double height = 3600) {
    shell::mettreEnPages(text, 5000, height, r);
    EXPECT_TRUE(r.ended);
    EXPECT_EQ(r.starts, r.pages);
    return r.lines();
}

TEST(DocumentLayout, AParagraphWrapsAtBlanksAndAnIndentedLineKeepsItsIndent) {
    Recorder r;
    const auto lines = layOut("un deux trois quatre cinq six sept\r\n   retrait\r\nfin", r);
    EXPECT_EQ(lines, (std::vector<std::string>{"1:900:un deux trois ", "1:1140:quatre cinq six ",
                                               "1:1380:sept", "1:1620:   retrait", "1:1860:fin"}));
    EXPECT_EQ(r.pages, 1) << "one page, no number";
}

TEST(DocumentLayout, PagesAreNumberedFromTheSecondOn) {
    Recorder r;
    const auto lines = layOut("a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng", r);
    EXPECT_EQ(r.pages, 2);
    EXPECT_EQ(lines, (std::vector<std::string>{"1:900:a", "1:1140:b", "1:1380:c", "1:1620:d",
                                               "1:1860:e", "2:900:f", "2:1140:g", "2:2300: 2"}));
    EXPECT_EQ(r.pieces.back().x, 2400) << "(5000 div 2) - 100";
}

TEST(DocumentLayout, AnUnderscoreLineStartsANewPageAndIsNotPrinted) {
    Recorder r;
    const auto lines = layOut("a\r\n  ____\r\nb", r);
    EXPECT_EQ(lines, (std::vector<std::string>{"1:900:a", "2:900:b", "2:2300: 2"}));
}

// A paragraph of "motNN ____" pairs: wrapped lines that start with "____" are text, and every
// word of the paragraph is printed, on one page.
std::string pairedParagraph(int words) {
    std::string text;
    for (int i = 1; i <= words; ++i)
        text += "mot" + std::string(i < 10 ? "0" : "") + std::to_string(i) + " ____ ";
    text.pop_back();
    return text;
}

TEST(DocumentLayout, OnlyALineOfTheFileThatStartsWithAnUnderscoreBreaksThePage) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> lines;
    };
    const std::string wrapped = "mot01 mot02 ____ mot03 ____ mot04";
    const Case cases[] = {
        {"a wrapped line starting with ____ is printed where it falls",
         "mot01 mot02 mot03 ____ mot04",
         {"1:900:mot01 mot02 mot03 ", "1:1140:____ mot04"}},
        {"words after the mark of a line of the file start the next page",
         "a\r\n____ Chapitre 2\r\nb",
         {"1:900:a", "2:900:Chapitre 2", "2:1140:b", "2:4700: 2"}},
        {"an indented mark with a word glued to it",
         "a\r\n  __Suite\r\nb",
         {"1:900:a", "2:900:Suite", "2:1140:b", "2:4700: 2"}},
        {"a mark line followed by a wrapped paragraph",
         "____\r\n" + wrapped,
         {"2:900:mot01 mot02 ____ ", "2:1140:mot03 ____ mot04", "2:4700: 2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Recorder r;
        EXPECT_EQ(layOut(c.text, r, 6000), c.lines);
    }

    Recorder r;
    layOut(pairedParagraph(40), r, 6000);
    std::string printed;
    for (const auto& piece : r.pieces) printed += piece.text;
    for (int i = 1; i <= 40; ++i) {
        const std::string word = "mot" + std::string(i < 10 ? "0" : "") + std::to_string(i);
        EXPECT_NE(printed.find(word), std::string::npos) << word;
    }
    EXPECT_EQ(r.pages, 2) << "the pairs run on from page 1 to page 2 with no break of their own";
}

TEST(DocumentLayout, AnEmptyLineNearTheBottomStartsTheNextPageAndTakesNoRoomThere) {
    Recorder r;
    // Lines at 900 and 1140: an empty line at 1380 (above 1900 - 720) moves on.
    const auto lines = layOut("a\r\nb\r\n\r\nc", r);
    EXPECT_EQ(lines, (std::vector<std::string>{"1:900:a", "1:1140:b", "2:900:c", "2:2300: 2"}));
    // Higher up an empty line is printed as a line.
    Recorder high;
    EXPECT_EQ(layOut("a\r\n\r\nb", high, 6000),
              (std::vector<std::string>{"1:900:a", "1:1140:", "1:1380:b"}));
}

TEST(DocumentLayout, TabsMoveToTheNextStopStrictlyToTheRight) {
    Recorder r;
    layOut("\tX\r\nabcdefghijkl\tY\r\nfin", r, 6000);
    std::vector<std::string> placed;
    for (const auto& p : r.pieces)
        if (p.text == "X" || p.text == "Y") placed.push_back(p.text + std::to_string(int(p.x)));
    EXPECT_EQ(placed, (std::vector<std::string>{"X2700", "Y3900"}));
}

TEST(DocumentLayout, TooWideTextIsPrintedWholeAndThePrintAlwaysEnds) {
    Recorder r;
    const std::string wide(30, 'w');
    const auto lines = layOut(wide + "\r\n" + wide + " fin de texte", r, 6000);
    EXPECT_EQ(lines, (std::vector<std::string>{"1:900:" + wide, "1:1140:" + wide + " ",
                                               "1:1380:fin de texte"}));
    // The last word is never wrapped, however long the line before it.
    Recorder last;
    EXPECT_EQ(layOut("mot " + wide, last), (std::vector<std::string>{"1:900:mot " + wide}));
}

class GuideViewer : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        writeFile("tavrel.txt", "Le guide\r\n\r\nPremier chapitre.");
        writeFile("annexes.txt", cp("Annexe 1 : les activités"));
        ui::load<MDI1>().show();
    }
    document& open() {
        document& d = ui::load<document>();
        settle();
        return d;
    }
};

TEST_F(GuideViewer, TheGuideIsShownAtLoadAndEitherDocumentOnItsOption) {
    shared.Echelle = 1.25f;
    document& d = open();
    EXPECT_TRUE(seen(d.Texte1));
    EXPECT_EQ(d.Texte1.text(), "Le guide\r\n\r\nPremier chapitre.");
    EXPECT_TRUE(d.Option1[0].value());
    EXPECT_TRUE(d.Texte1.hasFocus());
    EXPECT_EQ(d.Texte1.font().name, "Arial");
    EXPECT_DOUBLE_EQ(d.Texte1.fontSize(), 11 * 1.25);
    EXPECT_NEAR(d.formWidth(), 9600 * 1.25, 1);
    focus(d.Option1[1]);
    EXPECT_EQ(u8(d.Texte1.text()), "Annexe 1 : les activités");
    EXPECT_TRUE(d.Option1[1].value());
    EXPECT_TRUE(d.Texte1.hasFocus());
    // Choosing the same document again reloads it.
    writeFile("annexes.txt", "Annexe 2");
    focus(d.Option1[1]);
    EXPECT_EQ(d.Texte1.text(), "Annexe 2");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(GuideViewer, FitsTheMainWindowAndOnlyItsTextScrolls) {
    std::string guide;
    for (int i = 0; i < 200; ++i) guide += "Une ligne du guide.\r\n";
    writeFile("tavrel.txt", guide);
    for (const QSize size : {QSize(640, 480), QSize(800, 600)}) {
        SCOPED_TRACE(std::to_string(size.width()));
        ui::unloadAllForms();
        setScreen(size.width(), size.height());
        shared.Echelle = float(size.width() / 640.0);
        // The main window as it stands maximised on that display.
        MDI1& m = ui::load<MDI1>();
        m.setWindowState(ui::vbNormal);
        m.moveForm(0, 0, size.width() * 15.0, size.height() * 15.0);
        m.show();
        document& d = open();
        const QRect area(QPoint(0, 0), m.area()->viewport()->size());
        const QRect viewer(d.window()->pos(), d.window()->size());
        EXPECT_TRUE(area.contains(viewer)) << viewer.width() << "x" << viewer.height() << " in "
                                           << area.width() << "x" << area.height();
        EXPECT_FALSE(m.area()->horizontalScrollBar()->isVisible());
        EXPECT_FALSE(m.area()->verticalScrollBar()->isVisible());
        const QRect box = d.Texte1.widget()->geometry();
        EXPECT_TRUE(QRect(QPoint(0, 0), d.containerWidget()->size()).contains(box));
        const auto bars = d.Texte1.widget()->findChildren<QScrollBar*>();
        EXPECT_TRUE(std::any_of(bars.begin(), bars.end(), [](QScrollBar* b) {
            return b->orientation() == Qt::Vertical && b->isVisible();
        })) << "the text box scrolls";
        for (QWidget* w : {d.Commande1[0].widget(), d.Commande1[1].widget(), d.Option1[1].widget()})
            EXPECT_TRUE(QRect(QPoint(0, 0), d.containerWidget()->size()).contains(w->geometry()));
    }
}

TEST_F(GuideViewer, AMissingDocumentIsNamedAndTheBoxKeepsWhatItHeld) {
    std::filesystem::remove(data("annexes.txt"));
    document& d = open();
    focus(d.Option1[1]);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Le fichier « " + folder() + "annexes.txt » est absent ou défecteux.");
    EXPECT_EQ(boxes[0].style, ui::vbOKOnly);
    EXPECT_EQ(boxes[0].title, "TAVREL");
    EXPECT_EQ(d.Texte1.text(), "Le guide\r\n\r\nPremier chapitre.");
    EXPECT_TRUE(d.Option1[1].value());
}

TEST_F(GuideViewer, QuitBringsTheHomeScreenBack) {
    document& d = open();
    click(d.Commande1[1]);
    EXPECT_EQ(ui::find<document>(), nullptr);
    EXPECT_NE(ui::find<Feuille1>(), nullptr);
}

TEST_F(GuideViewer, APrintedParagraphOfUnderscoresKeepsEveryWord) {
    writeFile("tavrel.txt", "Le guide\r\n" + pairedParagraph(40) + "\r\nFin du guide");
    QTemporaryDir dir;
    const QString pdf = dir.filePath("guide.pdf");
    const harness::PdfCapture capture(pdf);
    document& d = open();
    click(d.Commande1[0]);
    QProcess p;
    p.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString printed = QString::fromUtf8(p.readAllStandardOutput());
    for (int i = 1; i <= 40; ++i) {
        const QString word = QString("mot%1").arg(i, 2, 10, QChar('0'));
        EXPECT_TRUE(printed.contains(word)) << word.toStdString();
    }
    EXPECT_TRUE(printed.contains("Fin du guide"));
    EXPECT_EQ(printed.count(QChar('\f')), 1) << "the whole guide fits one page";
}

TEST_F(GuideViewer, PrintsWhatTheBoxHolds) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("guide.pdf");
    const harness::PdfCapture capture(pdf);
    document& d = open();
    d.Texte1.setText(cp("Texte écrit à l'écran"));
    click(d.Commande1[0]);
    QProcess p;
    p.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardOutput()).contains("Texte écrit à l'écran"));
    EXPECT_TRUE(d.Texte1.hasFocus());
}

} // namespace
