// A multi-line box that must fit a fixed-width field: no scroll bar, wrapped lines, a maximum
// length that typing and pasting both respect, line ends counting as two characters.
#include "harness.h"

#include <QApplication>
#include <QClipboard>
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
    QApplication::clipboard()->setText("123456");
    key(f.Text2, Qt::Key_V, {}, Qt::ControlModifier);
    EXPECT_EQ(f.Text2.text(), "ab1234");
    auto* edit = static_cast<QPlainTextEdit*>(f.Text2.widget());
    EXPECT_EQ(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

} // namespace
