#include "ui/msgbox.h"

#include "ui/application.h"
#include "ui/screen.h"
#include "ui/system_scale.h"
#include "ui/text.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <algorithm>
#include <limits>

namespace ui {
namespace {

MessageService& service() {
    static MessageService s;
    return s;
}

// Each line of `text` broken at blanks where it would pass `limit` pixels; explicit line ends
// stay where they are, and a word longer than the limit is cut inside.
QStringList brokenLines(const QString& text, const QFontMetrics& metrics, int limit) {
    QStringList out;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        QString current;
        qsizetype start = 0;
        while (start <= line.size()) {
            // The next word with the blanks before it.
            qsizetype end = start;
            while (end < line.size() && line[end] == QLatin1Char(' ')) ++end;
            while (end < line.size() && line[end] != QLatin1Char(' ')) ++end;
            const QString piece = line.mid(start, end - start);
            const bool passes =
                !current.trimmed().isEmpty() && metrics.horizontalAdvance(current + piece) > limit;
            if (passes && piece.trimmed().isEmpty()) {
                // Blanks that end a line show nothing there, and make no empty line after it.
            } else if (passes) {
                out << current;
                current = piece.trimmed();
            } else {
                current += piece;
            }
            // A word wider than the limit (a path, say) is cut where it reaches it: the box
            // could not grow to hold it, and would clip it.
            while (current.size() > 1 && metrics.horizontalAdvance(current) > limit) {
                qsizetype fit = 1;
                while (fit + 1 < current.size() &&
                       metrics.horizontalAdvance(current.left(fit + 1)) <= limit)
                    ++fit;
                out << current.left(fit);
                current = current.mid(fit);
            }
            if (end >= line.size()) break;
            start = end;
        }
        out << current;
    }
    return out;
}

// The widest a message box may be on its screen, by Qt's own rule.
int widestBox(const QMessageBox& box) {
    const QScreen* screen = box.screen();
    if (!screen) return std::numeric_limits<int>::max();
    const int width = screen->availableGeometry().width();
    return width <= 1024 ? width : std::min(width - 480, 1000);
}

int showReal(const MessageRequest& request) {
    followScreenSize();
    QMessageBox box;
    box.setWindowTitle(qs(request.title));
    box.setTextFormat(Qt::PlainText);
    box.setText(toWidgetLines(qs(request.text)));
    switch (request.style & 0x70) {
    case vbCritical: box.setIcon(QMessageBox::Critical); break;
    case vbQuestion: box.setIcon(QMessageBox::Question); break;
    case vbExclamation: box.setIcon(QMessageBox::Warning); break;
    case vbInformation: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    struct Choice {
        const char* caption;
        int answer;
        QMessageBox::ButtonRole role;
    };
    std::vector<Choice> choices;
    switch (request.style & 0x7) {
    case vbOKCancel:
        choices = {{"OK", vbOK, QMessageBox::AcceptRole},
                   {"Annuler", vbCancel, QMessageBox::RejectRole}};
        break;
    case vbAbortRetryIgnore:
        choices = {{"Abandonner", vbAbort, QMessageBox::RejectRole},
                   {"Réessayer", vbRetry, QMessageBox::AcceptRole},
                   {"Ignorer", vbIgnore, QMessageBox::AcceptRole}};
        break;
    case vbYesNoCancel:
        choices = {{"Oui", vbYes, QMessageBox::YesRole},
                   {"Non", vbNo, QMessageBox::NoRole},
                   {"Annuler", vbCancel, QMessageBox::RejectRole}};
        break;
    case vbYesNo:
        choices = {{"Oui", vbYes, QMessageBox::YesRole}, {"Non", vbNo, QMessageBox::NoRole}};
        break;
    case vbRetryCancel:
        choices = {{"Réessayer", vbRetry, QMessageBox::AcceptRole},
                   {"Annuler", vbCancel, QMessageBox::RejectRole}};
        break;
    default: choices = {{"OK", vbOK, QMessageBox::AcceptRole}}; break;
    }
    std::vector<QPushButton*> buttons;
    for (const Choice& c : choices)
        buttons.push_back(box.addButton(QString::fromUtf8(c.caption), c.role));
    const std::size_t def = (request.style & vbDefaultButton3)   ? 2
                            : (request.style & vbDefaultButton2) ? 1
                                                                 : 0;
    if (def < buttons.size()) box.setDefaultButton(buttons[def]);
    // Closing the box with its close button or Escape answers like its cancelling choice.
    int escape = choices.size() == 1 ? choices[0].answer : -1;
    for (const Choice& c : choices)
        if (c.answer == vbCancel || c.answer == vbNo) escape = c.answer;
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (choices[i].answer == escape) box.setEscapeButton(buttons[i]);
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        // A line breaks only where it would pass half the screen's width; the box is made as
        // wide as its longest line, so that it never breaks the lines again in a narrower box.
        // Qt clips a box wider than its own limit, which a large screen's half passes.
        box.ensurePolished();
        const int others =
            box.layout()->totalMinimumSize().width() - label->minimumSizeHint().width();
        const int limit = std::min(int(screenMetrics().widthTwips / 15.0 / 2.0),
                                   widestBox(box) - std::max(0, others) - 1);
        const QStringList lines = brokenLines(label->text(), label->fontMetrics(), limit);
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
        box.setText(lines.join(QLatin1Char('\n')));
        label->setMinimumWidth(widest + 1);
    }
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i]) return choices[i].answer;
    return escape >= 0 ? escape : choices.front().answer;
}

} // namespace

int msgBox(const std::string& text, int style) {
    return msgBox(text, style, applicationNames().title);
}

int msgBox(const std::string& text, int style, const std::string& title) {
    MessageRequest request{text, style, title};
    if (service()) return service()(request);
    return showReal(request);
}

void setMessageService(MessageService s) {
    service() = std::move(s);
}

} // namespace ui
