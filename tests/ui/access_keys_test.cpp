// Alt+letter in the text boxes: an access key of a caption that a user can see and use, or
// nothing at all, never a typed letter; AltGr keeps typing the characters it gives.
#include "harness.h"

#include "platform/cp1252.h"

#include <QAbstractButton>
#include <QDeadlineTimer>
#include <QTest>

namespace {

using harness::ScreenTest;

class AccessKeys : public ScreenTest {};

// X11 gives the euro sign's key as its character.
constexpr auto kEuro = Qt::Key(0x20AC);

struct Card : ui::Form {
    ui::TextBox Texte1{*this};
    ui::TextBox Texte2{*this, true};
    ui::ComboBox Combo1{*this};
    ui::CommandButton Commande1{*this};
    ui::CommandButton Commande2{*this};
    ui::CommandButton Commande3{*this};
    std::string typed; // what reached KeyPress, from any of the three boxes
    std::vector<std::string> pressed;
    Card() {
        moveForm(0, 0, 6000, 4500);
        Texte1.move(120, 120, 3000, 360);
        Texte2.move(120, 600, 3000, 900);
        Combo1.move(120, 1600, 3000, 360);
        Commande1.move(120, 2400, 1200, 400);
        Commande1.setCaption("&Oui");
        Commande2.move(1500, 2400, 1200, 400);
        Commande2.setCaption("&Suite");
        Commande2.setVisible(false);
        Commande3.move(2900, 2400, 1200, 400);
        Commande3.setCaption("&Effacer");
        Commande3.setEnabled(false);
        Commande1.Click = [this](int) { pressed.push_back("Oui"); };
        Commande2.Click = [this](int) { pressed.push_back("Suite"); };
        Commande3.Click = [this](int) { pressed.push_back("Effacer"); };
        const auto record = [this](int, int& k) { typed += static_cast<char>(k); };
        Texte1.KeyPress = record;
        Texte2.KeyPress = record;
        Combo1.KeyPress = record;
    }
};

TEST_F(AccessKeys, AltLettersTypeNothingAndAltGrStillTypes) {
    Card& f = ui::load<Card>();
    f.show();
    struct Box {
        const char* name;
        ui::Control& control;
        std::function<std::string()> shown;
        std::function<void()> clear;
    };
    const Box fields[] = {
        {"text box", f.Texte1, [&] { return text(f.Texte1); }, [&] { f.Texte1.setText(""); }},
        {"multi-line box", f.Texte2, [&] { return text(f.Texte2); }, [&] { f.Texte2.setText(""); }},
        {"combo box's edit field", f.Combo1, [&] { return u8(f.Combo1.text()); },
         [&] { f.Combo1.setText(""); }},
    };
    struct Case {
        const char* name;
        Qt::Key key;
        const char* text; // UTF-8, as the keyboard gives it
        Qt::KeyboardModifiers modifiers;
        const char* shown; // UTF-8
        const char* pressed;
    };
    const Case cases[] = {
        {"Alt+U names no control", Qt::Key_U, "u", Qt::AltModifier, "", nullptr},
        {"Alt+Shift+U names no control", Qt::Key_U, "U", Qt::AltModifier | Qt::ShiftModifier, "",
         nullptr},
        {"Alt+S names a hidden button", Qt::Key_S, "s", Qt::AltModifier, "", nullptr},
        {"Alt+E names a disabled button", Qt::Key_E, "e", Qt::AltModifier, "", nullptr},
        {"Alt+O presses the button it names", Qt::Key_O, "o", Qt::AltModifier, "", "Oui"},
        {"a letter alone", Qt::Key_U, "u", Qt::NoModifier, "u", nullptr},
        {"AltGr without a modifier", kEuro, "€", Qt::NoModifier, "€", nullptr},
        {"AltGr as Ctrl+Alt", kEuro, "€", Qt::ControlModifier | Qt::AltModifier, "€", nullptr},
        {"AltGr as Ctrl+Alt, an at sign", Qt::Key_At, "@", Qt::ControlModifier | Qt::AltModifier,
         "@", nullptr},
    };
    auto* oui = static_cast<QAbstractButton*>(f.Commande1.widget());
    for (const Box& b : fields) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(b.name) + ": " + c.name);
            b.clear();
            f.typed.clear();
            f.pressed.clear();
            keyboardKey(b.control, c.key, QString::fromUtf8(c.text), c.modifiers);
            if (c.pressed) {
                // A button pressed by its access key shows itself down before it clicks.
                EXPECT_TRUE(oui->isDown() || !f.pressed.empty());
                for (QDeadlineTimer wait(5000); f.pressed.empty() && !wait.hasExpired();)
                    QTest::qWait(10);
                EXPECT_EQ(f.pressed, std::vector<std::string>{c.pressed});
            } else {
                EXPECT_FALSE(oui->isDown());
                EXPECT_TRUE(f.pressed.empty()) << f.pressed.front();
            }
            EXPECT_EQ(b.shown(), c.shown);
            EXPECT_EQ(u8(f.typed), c.shown) << "KeyPress hears only what is typed";
        }
    }
}

} // namespace
