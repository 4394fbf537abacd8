#include "ui/msgbox.h"

#include "ui/application.h"
#include "ui/text.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace ui {
namespace {

MessageService& service() {
    static MessageService s;
    return s;
}

int showReal(const MessageRequest& request) {
    QMessageBox box;
    box.setWindowTitle(qs(request.title));
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
