// A control array whose elements are a one-line box and a multi-line box, and text pasted into a
// multi-line box against a filter that looks at the character before the caret.
#include "harness.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>

namespace {

using harness::ScreenTest;

class MultiLineArray : public ScreenTest {};

struct Sheet : ui::Form {
    ui::ControlArray<ui::TextBox> Texte1{*this};
    std::vector<int> changed;
    Sheet() {
        moveForm(0, 0, 6000, 4500);
        Texte1.add(0).move(120, 120, 3000, 360);
        Texte1.add(1, *this, true).move(120, 600, 3000, 1500);
        Texte1[0].Change = [this](int i) { changed.push_back(i); };
        Texte1[1].Change = [this](int i) { changed.push_back(i); };
        // Letters and digits, a digit never first and never right after a blank.
        Texte1[1].KeyPress = [this](int, int& k) {
            const std::string t = Texte1[1].text();
            const int at = Texte1[1].selStart();
            const char before = at > 0 ? t[at - 1] : '\0';
            if (k >= '0' && k <= '9' && (before == '\0' || before == ' ')) k = 0;
        };
    }
};

TEST_F(MultiLineArray, ElementsKeepTheirOwnKindAndIndex) {
    Sheet& f = ui::load<Sheet>();
    f.show();
    EXPECT_FALSE(f.Texte1[0].multiLine());
    EXPECT_TRUE(f.Texte1[1].multiLine());
    EXPECT_NE(qobject_cast<QPlainTextEdit*>(f.Texte1[1].widget()), nullptr);
    type(f.Texte1[1], "A1");
    EXPECT_EQ(text(f.Texte1[1]), "A1");
    ASSERT_FALSE(f.changed.empty());
    EXPECT_EQ(f.changed.back(), 1);
}

TEST_F(MultiLineArray, PastedTextMeetsTheFilterCharacterByCharacter) {
    Sheet& f = ui::load<Sheet>();
    f.show();
    QApplication::clipboard()->setText("A10 B20 7");
    focus(f.Texte1[1]);
    key(f.Texte1[1], Qt::Key_V, {}, Qt::ControlModifier);
    EXPECT_EQ(text(f.Texte1[1]), "A10 B20 ");
}

} // namespace
