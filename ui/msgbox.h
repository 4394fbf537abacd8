// Message boxes. Every box of the program goes through one service, so that tests can answer
// them and record what was asked.
#pragma once

#include <functional>
#include <string>

namespace ui {

// Button sets, icons and default button, combined by adding them: 0–5 the buttons, 16–64 the
// icon, 256 and 512 the second or third button as default.
enum MsgStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

// Answers.
enum MsgAnswer : int {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7
};

struct MessageRequest {
    std::string text; // Windows-1252, lines separated by CR LF
    int style = 0;
    std::string title; // Windows-1252
};

// Shows a modal box (usable before the event loop runs) and returns the answer.
// The buttons read "OK", "Oui", "Non", "Annuler", "Réessayer". Without a title of its own, the
// box takes the program's (setApplicationNames).
int msgBox(const std::string& text, int style = vbOKOnly);
int msgBox(const std::string& text, int style, const std::string& title);

using MessageService = std::function<int(const MessageRequest&)>;
// Replaces the service (tests); an empty function puts the real boxes back.
void setMessageService(MessageService service);

} // namespace ui
