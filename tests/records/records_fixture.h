// What the registration and report tests share, over the pupils' screens fixture: the
// registration screen opened in a mode, pupil files read back, and the mouse on the lines of a
// list.
#pragma once

#include "pdf_capture.h"
#include "screens_fixture.h"

#include "records/learning_report.h"
#include "records/registration_screen.h"

#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QProcess>
#include <QString>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace recordstest {

using shell::shared;

class RecordsTest : public screenstest::PupilScreensTest {
protected:
    // The registration screen as the management menu opens it in that mode; its group choice
    // has run.
    records::inscription& open(int mode) {
        shared.CodeFonction = static_cast<shell::Integer>(mode);
        records::inscription& f = ui::load<records::inscription>();
        settle();
        return f;
    }
    // Types the group number and presses "&Ok"; the work step has run.
    void chooseGroup(records::inscription& f, const std::string& group) {
        focus(f.eleve[0]);
        type(f.eleve[0], QString::fromStdString(group));
        click(f.Commande1);
        settle();
    }

    // The pupil file as the program reads it back; fails the test when it is not whole.
    formats::PupilValues readPupil(const std::string& relative) {
        formats::PupilValues v;
        EXPECT_TRUE(exists(relative)) << relative;
        EXPECT_EQ(formats::parsePupilFile(readFile(relative), false, v),
                  formats::PupilReadStatus::Read)
            << relative;
        return v;
    }
    static std::string progressWith(std::initializer_list<std::pair<int, char>> scores) {
        std::string p(1450, '#');
        for (auto [position, score] : scores) p[static_cast<std::size_t>(position - 1)] = score;
        return p;
    }

    // --- lists: the lines a user sees, and a click on one of them
    static std::vector<std::string> lines(const ui::ListBox& l) {
        std::vector<std::string> out;
        for (int i = 0; i < l.listCount(); ++i) out.push_back(u8(l.list(i)));
        return out;
    }
    static std::vector<int> chosen(const ui::ListBox& l) {
        std::vector<int> out;
        for (int i = 0; i < l.listCount(); ++i)
            if (l.selected(i)) out.push_back(i);
        return out;
    }
    void clickLine(ui::ListBox& l, int row) {
        EXPECT_TRUE(seen(l));
        auto* w = static_cast<QListWidget*>(l.widget());
        w->scrollToItem(w->item(row));
        const QPoint p = w->visualItemRect(w->item(row)).center();
        QWidget* v = w->viewport();
        for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(t, QPointF(p), QPointF(v->mapToGlobal(p)), Qt::LeftButton,
                          t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
            QApplication::sendEvent(v, &e);
            pump();
        }
    }
};

// The printed report goes to a PDF in the test's data folder, read back with poppler.
class PrintedTest : public RecordsTest {
protected:
    void SetUp() override {
        RecordsTest::SetUp();
        pdf = data("bilan.pdf").string();
        capture_.emplace(QString::fromStdString(pdf));
    }
    void TearDown() override {
        capture_.reset();
        RecordsTest::TearDown();
    }
    static QString run(const QString& program, const QStringList& args) {
        QProcess p;
        p.start(program, args);
        if (!p.waitForFinished(30000)) return {};
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    int pages() const {
        const QString info = run("pdfinfo", {QString::fromStdString(pdf)});
        const qsizetype at = info.indexOf("Pages:");
        return at < 0 ? 0 : info.mid(at + 6).trimmed().section('\n', 0, 0).toInt();
    }
    // One page in reading order, its layout kept (columns stay on their lines).
    std::string page(int n) const {
        return run("pdftotext", {"-layout", "-f", QString::number(n), "-l", QString::number(n),
                                 QString::fromStdString(pdf), "-"})
            .toStdString();
    }

    std::string pdf;
    std::optional<harness::PdfCapture> capture_;
};

} // namespace recordstest
