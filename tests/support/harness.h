// The headless harness: real widgets offscreen, a manual clock, scripted message boxes, fixed
// screen metrics and a temporary data folder; helpers act as a user would.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/msgbox.h"
#include "ui/runtime.h"
#include "ui/screen.h"

#include <QEvent>
#include <QFont>
#include <QImage>
#include <QString>
#include <deque>
#include <filesystem>
#include <gtest/gtest.h>
#include <source_location>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <vector>

namespace harness {

// A line of a list as the list draws it.
struct ListLine {
    std::string text; // UTF-8
    QFont font;       // the line's own font over the list's
    bool whole;       // inside the visible width and not cut by the view's "…"
    int height;       // of its cell
};

struct Box {
    std::string text; // UTF-8, lines joined by "\n"
    int style = 0;
    std::string title; // UTF-8
};

// Thrown by ScreenTest::screen when the screen asked for is not loaded, to stop the test there.
struct ScreenMissing : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // --- message boxes: every box is recorded; answers are taken from the script in order,
    // and a box with no scripted answer gets its first button.
    std::vector<Box> boxes;
    std::deque<int> answers;
    void answer(int a) { answers.push_back(a); }
    // The text of the last box, or "" when none was shown.
    std::string lastBox() const { return boxes.empty() ? std::string() : boxes.back().text; }

    // --- screen metrics (640 x 480 at 15 twips per pixel unless a test sets others)
    void setScreen(int widthPx, int heightPx, double twipsPerPixel = 15);

    // --- the data folder (the current folder during the test)
    std::filesystem::path dataDir;
    std::filesystem::path data(const std::string& name) const { return dataDir / name; }
    void writeFile(const std::string& name, const std::string& bytes);
    std::string readFile(const std::string& name) const;
    bool exists(const std::string& name) const;

    // --- time
    platform::ManualClock* clock = nullptr;
    // Moves the clock forward, firing due timers; `settle` runs the deferred 1 ms steps.
    void advance(std::int64_t ms) { ui::advance(ms); }
    void settle() { ui::advance(5); }
    bool ended = false; // the program asked to end

    // --- the user's actions. Clicking a control that a user cannot see fails the test.
    void click(ui::Control& c, Qt::MouseButton button = Qt::LeftButton);
    void press(ui::Control& c, Qt::MouseButton button = Qt::LeftButton);
    void release(ui::Control& c, Qt::MouseButton button = Qt::LeftButton);
    void doubleClick(ui::Control& c);
    // At a pixel of a container (a form or a picture box), relative to its inside.
    void clickAt(ui::Container& c, QPoint pixel);
    void pressAt(ui::Container& c, QPoint pixel);
    void releaseAt(ui::Container& c, QPoint pixel);
    void moveTo(ui::Container& c, QPoint pixel);
    void doubleClickAt(ui::Container& c, QPoint pixel);
    // Gives a control the focus as a click or Tab would, and lets the focus events run.
    void focus(ui::Control& c);
    // Types text into the control with the focus (given focus first), one key press per
    // character, accented letters included.
    void type(ui::Control& c, const QString& text);
    void key(ui::Control& c, Qt::Key key, const QString& text = {},
             Qt::KeyboardModifiers m = Qt::NoModifier);
    // A key as the keyboard gives it, its modifier keys pressed around it: Qt's shortcuts (the
    // access keys of captions and menus) see it before the control with the focus does.
    void keyboardKey(ui::Control& c, Qt::Key key, const QString& text = {},
                     Qt::KeyboardModifiers m = Qt::NoModifier);
    // Pastes text with Ctrl+V, the key press carrying `keyText`.
    void paste(ui::Control& c, const QString& text, const QString& keyText = {});
    void pressEnter(ui::Control& c) { key(c, Qt::Key_Return, "\r"); }
    void pressEscape(ui::Control& c) { key(c, Qt::Key_Escape, QString(QChar(27))); }
    // Chooses a menu item as a user would (opening its menus first).
    void choose(ui::MenuItem& item);

    // --- the screens
    // The loaded screen T. Without one the test fails at the caller's line, naming the screen,
    // and stops there: ScreenMissing leaves the test body, which gtest reports as a failure
    // before it runs TearDown, so that no test goes on with a screen that is not there. Call it
    // from the test's own steps, not from a box's answer or a probe that runs inside a handler,
    // where the exception would cross Qt's event dispatch: compare ui::find<T>() with nullptr
    // there.
    template <class T>
    static T& screen(std::source_location where = std::source_location::current()) {
        if (T* f = ui::find<T>()) return *f;
        screenMissing(typeid(T), where);
    }
    [[noreturn]] static void screenMissing(const std::type_info& type,
                                           const std::source_location& where);

    // --- what the user sees
    static std::string text(const ui::TextBox& t); // UTF-8
    static std::string u8(const std::string& cp1252);
    static bool seen(const ui::Control& c); // visible on a shown screen
    // The line scrolled into view first.
    static ListLine shownLine(const ui::ListBox& l, int row);
    // The whole window of a form as drawn now.
    static QImage grab(ui::Form& f);
    static QImage grab(ui::Container& c);

    void pump() { ui::yield(); }

private:
    std::filesystem::path previousDir_;
    QWidget* widgetFor(ui::Control& c, QPoint& centre);
    // The widget that gets the keys meant for the control, which is given the focus first.
    QWidget* keyTarget(ui::Control& c);
    void mouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons buttons);
};

} // namespace harness
