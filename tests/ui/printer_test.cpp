#include "pdf_capture.h"
#include "platform/cp1252.h"
#include "ui/printer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <optional>

namespace {

bool succeeds(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

QString run(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(30000)) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct Word {
    int page = 0;
    QString text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0; // points from the page's top left
};

// Every word of the document with its box, as poppler reads it back.
std::vector<Word> words(const QString& pdf) {
    const QString html = run("pdftotext", {"-bbox", pdf, "-"});
    std::vector<Word> out;
    int page = 0;
    static const QRegularExpression tag(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith("<page")) {
            ++page;
            continue;
        }
        out.push_back({page, m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                       m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    return out;
}

std::optional<Word> find(const std::vector<Word>& all, const QString& text) {
    for (const Word& w : all)
        if (w.text == text) return w;
    return std::nullopt;
}

QString pageText(const QString& pdf, int page) {
    return run("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
}

class PrinterToPdf : public testing::Test {
protected:
    QTemporaryDir dir_;
    harness::PdfCapture capture_{dir_.filePath("rapport.pdf")};
    QString pdf_ = capture_.path();
};

TEST_F(PrinterToPdf, TwoPagesOfAccentedTextInOrder) {
    {
        ui::Printer printer;
        ASSERT_TRUE(printer.ok());
        EXPECT_EQ(printer.pdfPath(), pdf_.toStdString());
        printer.print(cp("Bilan des apprentissages — élève Zoé"));
        printer.print(cp("Lecture : acquis"));
        printer.newPage();
        EXPECT_EQ(printer.currentY(), 0);
        printer.print(cp("Deuxième page : calcul à revoir"));
        EXPECT_TRUE(printer.endDoc());
    }
    EXPECT_TRUE(run("pdfinfo", {pdf_}).contains(QRegularExpression("Pages:\\s+2\\b")));
    const QString first = pageText(pdf_, 1);
    const QString second = pageText(pdf_, 2);
    const qsizetype title =
        first.indexOf(QString::fromUtf8("Bilan des apprentissages — élève Zoé"));
    const qsizetype next = first.indexOf("Lecture : acquis");
    EXPECT_GE(title, 0) << first.toStdString();
    EXPECT_GT(next, title) << first.toStdString();
    EXPECT_FALSE(first.contains("Deuxième"));
    EXPECT_TRUE(second.contains(QString::fromUtf8("Deuxième page : calcul à revoir")))
        << second.toStdString();
    EXPECT_FALSE(second.contains("Bilan"));
}

TEST_F(PrinterToPdf, PositionsAreTwipsAndTheCurrentYIsTheTopOfTheLine) {
    {
        ui::Printer printer;
        printer.print("Origine");
        printer.setCurrentX(2880); // two inches
        printer.setCurrentY(1440); // one inch
        printer.print("Repere", false);
        // A larger font on the same line keeps the same top, not the same baseline.
        printer.setFontSize(30);
        printer.setCurrentX(7200);
        printer.setCurrentY(1440);
        printer.print("Grand");
        ASSERT_TRUE(printer.endDoc());
    }
    const auto all = words(pdf_);
    const auto origin = find(all, "Origine"), mark = find(all, "Repere"), big = find(all, "Grand");
    ASSERT_TRUE(origin && mark && big);
    EXPECT_NEAR(mark->xMin - origin->xMin, 144, 1.5);
    EXPECT_NEAR(mark->yMin - origin->yMin, 72, 1.5);
    EXPECT_NEAR(big->xMin - origin->xMin, 360, 1.5);
    EXPECT_NEAR(big->yMin, mark->yMin, 2.0);
    EXPECT_GT(big->yMax - mark->yMax, 15);
}

TEST_F(PrinterToPdf, PrintMovesTheCurrentPosition) {
    ui::Printer printer;
    const double height = printer.textHeight("A");
    EXPECT_GT(height, 0);
    printer.setCurrentX(500);
    printer.print("A");
    EXPECT_EQ(printer.currentX(), 0);
    EXPECT_DOUBLE_EQ(printer.currentY(), height);
    printer.print("Bonjour", false);
    EXPECT_NEAR(printer.currentX(), printer.textWidth("Bonjour"), 0.01);
    EXPECT_DOUBLE_EQ(printer.currentY(), height);
    printer.print(" !", false);
    EXPECT_NEAR(printer.currentX(), printer.textWidth("Bonjour !"), 1.0);

    EXPECT_EQ(printer.textWidth(""), 0);
    EXPECT_DOUBLE_EQ(printer.textHeight("un\r\ndeux"), 2 * height);
    EXPECT_DOUBLE_EQ(printer.textWidth("un\r\ndeux"), printer.textWidth("deux"));
    EXPECT_GT(printer.textWidth("WWW"), printer.textWidth("iii"));
    printer.endDoc();
}

TEST_F(PrinterToPdf, TabColumnsLineUpAndAPassedColumnGoesToTheNextLine) {
    double column2 = 0, column20 = 0;
    {
        ui::Printer printer;
        printer.tab(2);
        column2 = printer.currentX();
        printer.setCurrentX(0);
        printer.tab(20);
        column20 = printer.currentX();
        EXPECT_GT(column2, 0);
        EXPECT_NEAR(column20, 19 * column2, 0.01);

        printer.setCurrentX(0);
        printer.print("Nom", false);
        printer.tab(20);
        printer.print("Note");
        const double lineTop = printer.currentY();
        printer.print(cp("Une phrase assez longue pour dépasser la colonne"), false);
        printer.tab(2);
        EXPECT_DOUBLE_EQ(printer.currentY(), 2 * lineTop);
        EXPECT_DOUBLE_EQ(printer.currentX(), column2);
        printer.print("Suite");
        ASSERT_TRUE(printer.endDoc());
    }
    const auto all = words(pdf_);
    const auto name = find(all, "Nom"), mark = find(all, "Note"), phrase = find(all, "Une"),
               after = find(all, "Suite");
    ASSERT_TRUE(name && mark && phrase && after);
    EXPECT_GT(mark->xMin, name->xMax);
    EXPECT_NEAR(mark->xMin - name->xMin, column20 / 20, 1.5);
    EXPECT_NEAR(mark->yMin, name->yMin, 0.5);
    EXPECT_GT(after->yMin, phrase->yMax - 1);
    EXPECT_NEAR(after->xMin - name->xMin, column2 / 20, 1.5);
}

TEST_F(PrinterToPdf, FontsResolveToLiberationAndColoursAreBgr) {
    {
        ui::Printer printer;
        EXPECT_TRUE(printer.setFontName("Times New Roman"));
        EXPECT_EQ(printer.fontName(), "Times New Roman");
        EXPECT_FALSE(printer.setFontName("Police Qui N'existe Nulle Part"));
        EXPECT_EQ(printer.fontName(), "Times New Roman");
        printer.print("Serif");
        EXPECT_TRUE(printer.setFontName("Arial"));
        printer.setFontBold(true);
        printer.setFontSize(48);
        printer.setForeColor(0x0000FF); // red
        printer.print("MMMM");
        ASSERT_TRUE(printer.endDoc());
    }
    const QString fonts = run("pdffonts", {pdf_});
    EXPECT_TRUE(fonts.contains("LiberationSerif")) << fonts.toStdString();
    EXPECT_TRUE(fonts.contains("LiberationSans-Bold")) << fonts.toStdString();

    ASSERT_TRUE(succeeds("pdftoppm",
                         {"-r", "40", "-png", "-f", "1", "-l", "1", pdf_, dir_.filePath("page")}));
    QImage page(dir_.filePath("page-1.png"));
    ASSERT_FALSE(page.isNull());
    int red = 0, blue = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 80 && c.blue() < 80) ++red;
            if (c.blue() > 200 && c.green() < 80 && c.red() < 80) ++blue;
        }
    }
    EXPECT_GT(red, 50);
    EXPECT_EQ(blue, 0);
}

TEST_F(PrinterToPdf, FractionalSizesAndPageSize) {
    ui::Printer printer;
    printer.setFontSize(10);
    const double ten = printer.textHeight("x");
    printer.setFontSize(11);
    const double eleven = printer.textHeight("x");
    printer.setFontSize(10.5);
    EXPECT_EQ(printer.fontSize(), 10.5);
    EXPECT_GT(printer.textHeight("x"), ten);
    EXPECT_LT(printer.textHeight("x"), eleven);

    // The printable area of an A4 sheet, in twips.
    EXPECT_GT(printer.scaleWidth(), 9000);
    EXPECT_LE(printer.scaleWidth(), 11906);
    EXPECT_GT(printer.scaleHeight(), 14000);
    EXPECT_LE(printer.scaleHeight(), 16838);
}

TEST_F(PrinterToPdf, NothingPrintedWritesNothing) {
    ui::Printer printer;
    EXPECT_FALSE(printer.endDoc());
    EXPECT_FALSE(QFileInfo::exists(pdf_));
}

TEST_F(PrinterToPdf, AFileThatCannotBeWrittenMakesEveryCallHarmless) {
    const QString where = dir_.filePath("dossier_absent/rapport.pdf");
    capture_.redirect(where);
    ui::Printer printer;
    EXPECT_FALSE(printer.ok());
    printer.print("Rien");
    printer.tab(10);
    printer.line(0, 0, 1000, 1000);
    printer.newPage();
    EXPECT_EQ(printer.currentX(), 0);
    EXPECT_EQ(printer.currentY(), 0);
    EXPECT_FALSE(printer.endDoc());
    EXPECT_FALSE(QFileInfo::exists(where));
}

TEST_F(PrinterToPdf, LinesAreDrawnAndMoveTheCurrentPosition) {
    {
        ui::Printer printer;
        printer.line(0, 2880, 5760, 2880, 0x0000FF);
        EXPECT_EQ(printer.currentX(), 5760);
        EXPECT_EQ(printer.currentY(), 2880);
        ASSERT_TRUE(printer.endDoc());
    }
    ASSERT_TRUE(succeeds("pdftoppm", {"-r", "72", "-png", pdf_, dir_.filePath("ligne")}));
    const QImage page(dir_.filePath("ligne-1.png"));
    ASSERT_FALSE(page.isNull());
    int red = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixelColor(x, y).red() > 150 && page.pixelColor(x, y).green() < 150) ++red;
    EXPECT_GT(red, 200); // four inches of line at 72 dpi
}

// Without a printer and without TAVREL_PDF the document lands in the current folder.
TEST_F(PrinterToPdf, WithoutAPrinterItWritesImpressionPdfHere) {
    if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "a printer is installed";
    capture_.unset();
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    {
        ui::Printer printer;
        EXPECT_TRUE(printer.ok());
        printer.print("Essai");
        EXPECT_TRUE(printer.endDoc());
        EXPECT_EQ(printer.pdfPath(), dir_.filePath("impression.pdf").toStdString());
    }
    QDir::setCurrent(before);
    EXPECT_TRUE(pageText(dir_.filePath("impression.pdf"), 1).contains("Essai"));
}

} // namespace
