// A multi-line box that must fit a fixed-width field: no scroll bar, wrapped lines, a maximum
// length that typing and pasting both respect, line ends counting as two characters.
#include "harness.h"

#include <QApplication>
#include <QPlainTextEdit>

namespace {

class Field : public ui::Form {
public:
    ui::TextBox Text2{*this, true};
    Field() {
        moveForm(0, 0, 6000, 3000);
        Text2.move(100, 100, 1500, 900);
        Text2.setScrollBars(0);
        Text2.setMaxLength(6);
    }
};

class MultiLineLimits : public harness::ScreenTest {};

TEST_F(MultiLineLimits, TypingAndPastingStopAtTheMaximumLength) {
    Field& f = ui::load<Field>();
    f.show();
    type(f.Text2, "abcd");
    pressEnter(f.Text2);
    type(f.Text2, "xyz");
    EXPECT_EQ(f.Text2.text(), "abcd\r\n") << "a line end counts as two characters";
    f.Text2.setText("ab");
    f.Text2.setSelStart(2);
    paste(f.Text2, "123456");
    EXPECT_EQ(f.Text2.text(), "ab1234");
    auto* edit = static_cast<QPlainTextEdit*>(f.Text2.widget());
    EXPECT_EQ(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

TEST_F(MultiLineLimits, CopiesStayMultiLineAndAFullBoxStillHearsEnter) {
    struct Cells : ui::Form {
        ui::ControlArray<ui::TextBox> Text2{*this};
        int enters = 0;
        Cells() {
            moveForm(0, 0, 6000, 3000);
            ui::TextBox& model = Text2.add(0, *this, true);
            model.move(100, 100, 1200, 600);
            model.setScrollBars(0);
            model.setMaxLength(3);
            model.KeyDown = [this](int, int& code, int) {
                if (code == 13) ++enters;
            };
        }
    };
    Cells& f = ui::load<Cells>();
    ui::TextBox& copy = f.Text2.load(5);
    EXPECT_TRUE(copy.multiLine());
    EXPECT_NE(dynamic_cast<QPlainTextEdit*>(copy.widget()), nullptr);
    f.show();
    copy.setVisible(true);
    type(copy, "abc");
    pressEnter(copy);
    EXPECT_EQ(f.enters, 1) << "the key events come before the maximum length";
    EXPECT_EQ(copy.text(), "abc");
}

} // namespace
