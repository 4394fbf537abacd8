// The lesson editor driven as an adult uses it: a lesson number typed in the chooser, fields
// filled in, the buttons pressed; what shows and what lands in the lesson catalogue.
#include "damaged_catalogue.h"
#include "harness.h"

#include "authoring/lesson_editor.h"
#include "formats/lesson_catalogue.h"
#include "formats/lesson_record.h"
#include "platform/cp1252.h"
#include "players/drawing_library.h"
#include "shell/main_window.h"
#include "shell/shared_state.h"
#include "signin/home_screen.h"

#include <QApplication>
#include <QClipboard>
#include <cstring>
#include <filesystem>

using authoring::feuille20;
using shell::MDI1;
using shell::shared;
using signin::Feuille1;

namespace {

class LessonEditor : public harness::ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        shell::resetSharedState();
        ASSERT_TRUE(formats::createBlankLessonCatalogue(data("lecons.tav").string()));
        ui::load<MDI1>();
        shell::resetSharedState();
    }

    std::string catalogue() const { return data("lecons.tav").string(); }

    void store(int activity, int lesson, const std::string& record) {
        ASSERT_TRUE(
            formats::writeLessonAt(catalogue(), formats::recordPosition(activity, lesson), record));
    }
    std::string stored(int activity, int lesson) {
        return formats::readLessons(catalogue(), activity, lesson).data;
    }

    // The management dispatcher's way in: the activity set, the screen loaded, its chooser run.
    feuille20& edit(int activity) {
        shared.ActiviteEditee = static_cast<shell::Integer>(activity);
        feuille20& f = ui::load<feuille20>();
        settle();
        return f;
    }
    // Types the lesson number and presses Enter (the chooser's default button).
    void open(feuille20& f, const QString& number) {
        type(f.texte1, number);
        pressEnter(f.texte1);
        settle();
    }
    void fill(ui::TextBox& field, const QString& text) {
        focus(field);
        type(field, text);
    }
    // Selects the whole text of a field and deletes it, as a user would.
    void clear(ui::TextBox& field) {
        focus(field);
        key(field, Qt::Key_A, QString(QChar(1)), Qt::ControlModifier);
        key(field, Qt::Key_Backspace, QString(QChar(8)));
    }
    // A table of solids typed in: titles "cubes", every answer a number card ("*5").
    void fillNumberCards(feuille20& f) {
        for (int item = 0; item < 2; ++item)
            for (int k = 1; k < 16; ++k) {
                const bool title = k < 4 || k % 4 == 0;
                fill(f.Text2[16 * item + k], title ? "cubes" : "*" + QString::number(k));
            }
    }
    void clickButton(feuille20& f, int index) {
        click(f.Commande1[index]);
        settle();
    }
    std::string caption() { return u8(ui::mdiParent()->caption()); }
    // The fields of the activity's kind.
    static ui::ControlArray<ui::TextBox>& fieldsOf(feuille20& f, int activity) {
        switch (formats::kindOf(activity)) {
        case formats::Kind::Sets: return f.Texte2;
        case formats::Kind::Tree: return f.Text1;
        case formats::Kind::Table:
        case formats::Kind::Grid: break;
        }
        return f.Text2;
    }
    // Does a box show nothing but its background?
    static bool blank(const QImage& image) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != image.pixel(0, 0)) return false;
        return true;
    }

    // Does the chooser's panel show something other than its blue in this rectangle of twips?
    static bool written(feuille20& f, double left, double top, double width, double height) {
        const QImage image = f.surface();
        for (int y = int(top / 15); y < int((top + height) / 15); ++y)
            for (int x = int(left / 15); x < int((left + width) / 15); ++x)
                if (x < image.width() && y < image.height() &&
                    (image.pixel(x, y) & 0xFFFFFF) != 0x0000C0)
                    return true;
        return false;
    }
    // The first column where something is written in a chooser slot.
    static int firstInk(feuille20& f, int slot) {
        const double left = 300 + (slot % 15) * 610, top = 1260 + (slot / 15) * 380;
        for (int x = int(left / 15); x < int((left + 600) / 15); ++x)
            if (written(f, x * 15, top, 15, 300)) return x - int(left / 15);
        return -1;
    }
};

// A valid sets lesson of drawings, as the editor writes it.
std::string setsRecord() {
    std::string r = formats::blankRecord(0);
    for (int item = 0; item < 3; ++item) {
        int n = 0;
        for (int s : {0, 1, 2, 5, 6})
            formats::setField(r, 0, item, s, std::to_string(10 * item + ++n));
        formats::setField(r, 0, item, 14, "X25");
        formats::setField(r, 0, item, 15, cp("élèves"));
    }
    return r;
}

} // namespace

TEST_F(LessonEditor, ChooserListsTheLessonsThatExistFifteenToARow) {
    for (int n : {1, 2, 5, 40}) store(3, n, std::string(215, 'X'));
    feuille20& f = edit(3);
    EXPECT_EQ(caption(), "Créer ou modifier une leçon de l'activité « Les dessins amis »");
    EXPECT_TRUE(seen(f.texte1));
    EXPECT_TRUE(f.texte1.hasFocus());
    for (int k = 0; k < 4; ++k) EXPECT_TRUE(written(f, 300 + k * 610, 1260, 600, 300)) << k;
    EXPECT_FALSE(written(f, 300 + 4 * 610, 1260, 600, 300));
    EXPECT_FALSE(written(f, 300, 1260 + 380, 9000, 300));
    // 1, 2 and 5 come after a blank; 40 does not.
    const int one = firstInk(f, 0), two = firstInk(f, 1), forty = firstInk(f, 3);
    EXPECT_GE(forty, 0);
    EXPECT_GT(one, forty + 2);
    EXPECT_GT(two, forty + 2);

    for (int n = 1; n <= 120; ++n) store(3, n, std::string(215, 'X'));
    click(f.Commande2);
    settle();
    EXPECT_FALSE(ui::loaded<feuille20>());
    feuille20& full = edit(3);
    EXPECT_TRUE(written(full, 300 + 14 * 610, 1260 + 7 * 380, 600, 300));
    EXPECT_FALSE(written(full, 120, 1260 + 8 * 380, 9000, 300));
}

TEST_F(LessonEditor, LessonNumberMustLieBetween1And120) {
    feuille20& f = edit(0);
    type(f.texte1, "a1b2c");
    EXPECT_EQ(text(f.texte1), "12");
    for (const char* number : {"", "0", "121", "999"}) {
        SCOPED_TRACE(number);
        f.texte1.setText("");
        const std::size_t before = boxes.size();
        open(f, number);
        ASSERT_EQ(boxes.size(), before + 1);
        EXPECT_EQ(boxes.back().text, "Écrire un nombre entre 1 et 120.");
        EXPECT_EQ(boxes.back().style, ui::vbExclamation);
        EXPECT_EQ(boxes.back().title, "Message");
        EXPECT_TRUE(seen(f.texte1));
        EXPECT_TRUE(f.texte1.hasFocus());
        EXPECT_FALSE(seen(f.Commande1[0]));
    }
}

TEST_F(LessonEditor, NewLessonsOpenEmptyWithTheDefaultOptions) {
    {
        feuille20& f = edit(0);
        open(f, "7");
        EXPECT_TRUE(seen(f.Check1));
        EXPECT_EQ(f.Check1.value(), 0);
        EXPECT_TRUE(seen(f.Texte2[0]));
        EXPECT_FALSE(seen(f.Texte2[3]));
        EXPECT_FALSE(seen(f.Texte2[11]));
        EXPECT_EQ(text(f.Texte2[14]), "");
        EXPECT_TRUE(f.Texte2[1].hasFocus());
        for (int i = 0; i < 4; ++i) EXPECT_TRUE(seen(f.Commande1[i]));
        EXPECT_FALSE(seen(f.texte1));
        click(f.Commande1[3]);
        settle();
    }
    {
        feuille20& f = edit(5);
        open(f, "12");
        EXPECT_EQ(
            caption(),
            "Créer ou modifier une leçon de l'activité « L'arbre des nombres »  --  leçon 12");
        EXPECT_TRUE(f.Option1[1].value());
        EXPECT_TRUE(seen(f.Text1[2]));
        EXPECT_TRUE(seen(f.Text1[10]));
        EXPECT_TRUE(f.Text1[0].hasFocus());
        click(f.Commande1[3]);
        settle();
    }
    for (int activity : {2, 3}) {
        feuille20& f = edit(activity);
        open(f, "120");
        EXPECT_TRUE(f.Option2[1].value());
        EXPECT_TRUE(f.Option2[3].value());
        EXPECT_TRUE(seen(f.Text2[15]));
        EXPECT_TRUE(seen(f.Picture3[0]));
        EXPECT_EQ(seen(f.Text2[0]), activity == 3);
        EXPECT_TRUE((activity == 3 ? f.Text2[0] : f.Text2[1]).hasFocus());
        click(f.Commande1[3]);
        settle();
    }
}

TEST_F(LessonEditor, TypedSetsLessonIsCheckedSavedAndListed) {
    feuille20& f = edit(0);
    open(f, "9");
    for (int item = 0; item < 3; ++item) {
        int n = 0;
        for (int s : {0, 1, 2, 5, 6})
            fill(f.Texte2[16 * item + s], QString::number(10 * item + ++n));
        fill(f.Texte2[16 * item + 14], "X25");
        fill(f.Texte2[16 * item + 15], "élèves");
    }
    clickButton(f, 0);
    EXPECT_TRUE(boxes.empty()) << lastBox();
    EXPECT_EQ(u8(f.Etiquette3.caption()), "Toutes exigences sont respectées.");
    EXPECT_TRUE(f.Commande1[1].hasFocus());
    EXPECT_TRUE(formats::isBlankRecord(stored(0, 9))) << "checking alone saves nothing";

    clickButton(f, 1);
    EXPECT_EQ(stored(0, 9), setsRecord());
    EXPECT_EQ(shared.LeconInvalide, 0);
    EXPECT_TRUE(seen(f.texte1));
    EXPECT_FALSE(seen(f.Texte2[0]));
    EXPECT_TRUE(written(f, 300, 1260, 600, 300));
    EXPECT_EQ(caption(), "Créer ou modifier une leçon de l'activité « Les ensembles de dessins »");
}

TEST_F(LessonEditor, ErrorsAreShownAndNothingIsSaved) {
    feuille20& f = edit(0);
    open(f, "4");
    for (int s : {0, 1, 2, 5}) fill(f.Texte2[s], "3");
    fill(f.Texte2[14], "les fleurs");
    fill(f.Texte2[15], "rouges");
    // The field the check will name has the focus already, and so gets no focus event.
    focus(f.Texte2[1]);
    clickButton(f, 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "Dans l'item 1, il y a 4 dessins.\nChaque item doit contenir 5 dessins.");
    EXPECT_EQ(boxes[0].style, ui::vbOKOnly);
    EXPECT_EQ(shared.LeconInvalide, 1);
    EXPECT_TRUE(f.Texte2[1].hasFocus());
    EXPECT_TRUE(seen(f.Texte2[0])) << "the lesson form stays";
    EXPECT_EQ(text(f.Texte2[0]), "3");

    // The line under the form helps with the field the check named, as a click on it would.
    EXPECT_EQ(u8(f.Etiquette3.caption()),
              "Pour chaque item, écrire le numéro de 5 dessins à l'intérieur ou à l'extérieur "
              "des deux ensembles.  Ces numéros doivent se situer entre 0 et 310.");

    // Saving and leaving an invalid lesson keeps it on the form, as typed.
    focus(f.Texte2[15]);
    clickButton(f, 2);
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes.back().text, boxes[0].text);
    EXPECT_TRUE(formats::isBlankRecord(stored(0, 4)));
    ASSERT_TRUE(ui::loaded<feuille20>());
    EXPECT_FALSE(ui::loaded<Feuille1>());
    EXPECT_TRUE(seen(f.Texte2[0]));
    EXPECT_EQ(text(f.Texte2[14]), "les fleurs");
    EXPECT_TRUE(f.Texte2[1].hasFocus());
    EXPECT_FALSE(u8(f.Etiquette3.caption()).empty());
}

TEST_F(LessonEditor, OpenedLessonIsShownAndSavedBackUnchanged) {
    store(0, 3, setsRecord());
    feuille20& f = edit(0);
    open(f, "3");
    EXPECT_EQ(text(f.Texte2[15]), "élèves");
    EXPECT_EQ(text(f.Texte2[14]), "X25");
    EXPECT_EQ(f.Image1[14].picture(), players::dessinBibliotheque(25));
    EXPECT_TRUE(seen(f.Line2[0]) && seen(f.Line2[1]));
    EXPECT_FALSE(seen(f.Line2[2]));
    EXPECT_EQ(f.Image1[1].picture(), players::dessinBibliotheque(2));
    store(0, 4, std::string(205, 'Z')); // the save goes to the lesson opened, nowhere else
    clickButton(f, 2);
    EXPECT_TRUE(boxes.empty()) << lastBox();
    EXPECT_EQ(stored(0, 3), setsRecord());
    EXPECT_EQ(stored(0, 4), std::string(205, 'Z'));
    EXPECT_FALSE(ui::loaded<feuille20>());
    EXPECT_TRUE(ui::loaded<Feuille1>());
}

TEST_F(LessonEditor, SetTitlePreviewFollowsTheNegationMark) {
    feuille20& f = edit(0);
    open(f, "1");
    fill(f.Texte2[15], "X25");
    focus(f.Texte2[0]);
    EXPECT_EQ(f.Image1[15].picture(), players::dessinBibliotheque(25));
    EXPECT_TRUE(seen(f.Line2[2]) && seen(f.Line2[3]));
    focus(f.Texte2[15]);
    key(f.Texte2[15], Qt::Key_Home);
    key(f.Texte2[15], Qt::Key_Delete);
    focus(f.Texte2[0]);
    EXPECT_EQ(text(f.Texte2[15]), "25");
    EXPECT_FALSE(seen(f.Line2[2]));
    EXPECT_EQ(f.Image1[15].picture(), players::dessinBibliotheque(25));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(LessonEditor, DrawingNumberBeyondTheLibraryIsToldOnLeaving) {
    feuille20& f = edit(0);
    open(f, "1");
    fill(f.Texte2[2], "311");
    focus(f.Texte2[5]);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Écrire un nombre plus petit que 311.");
    EXPECT_EQ(boxes[0].style, ui::vbExclamation);
    EXPECT_EQ(boxes[0].title, "Message");
    EXPECT_TRUE(f.Texte2[2].hasFocus());
    EXPECT_EQ(text(f.Texte2[2]), "311");
    EXPECT_TRUE(f.Image1[2].picture().isNull());
    // Leaving again without a change goes on; the check refuses the number later.
    focus(f.Texte2[5]);
    EXPECT_EQ(boxes.size(), 1u);
    clickButton(f, 0);
    EXPECT_EQ(lastBox(), "Dans l'item 1, un dessin porte un numéro supérieur à 310.");
    EXPECT_TRUE(f.Texte2[2].hasFocus());

    // The numbers sets test what begins with a number the same way, with no preview at all.
    click(f.Commande1[3]);
    settle();
    feuille20& n = edit(4);
    open(n, "1");
    fill(n.Texte2[0], "400");
    focus(n.Texte2[1]);
    EXPECT_EQ(lastBox(), "Écrire un nombre plus petit que 311.");
    EXPECT_FALSE(seen(n.Image1[0]));
}

TEST_F(LessonEditor, CommonAreaShowsAndDropsItsSlots) {
    feuille20& f = edit(8);
    open(f, "2");
    click(f.Check1);
    EXPECT_EQ(f.Check1.value(), 1);
    for (int item = 0; item < 3; ++item) {
        EXPECT_TRUE(seen(f.Texte2[16 * item + 3]));
        EXPECT_TRUE(seen(f.Texte2[16 * item + 10]));
        EXPECT_FALSE(seen(f.Texte2[16 * item + 11]));
        int n = 0;
        for (int s : {0, 1, 3, 4, 10}) fill(f.Texte2[16 * item + s], QString::number(++n));
        fill(f.Texte2[16 * item + 14], "les cubes");
        fill(f.Texte2[16 * item + 15], "rouges");
    }
    EXPECT_EQ(f.Shape1[1].left(), 4800);
    clickButton(f, 0);
    EXPECT_TRUE(boxes.empty()) << lastBox();

    click(f.Check1);
    EXPECT_FALSE(seen(f.Texte2[3]));
    EXPECT_EQ(f.Shape1[1].left(), 7050);
    EXPECT_TRUE(f.Texte2[1].hasFocus());
    clickButton(f, 0);
    EXPECT_EQ(lastBox(), "Dans l'item 1, il y a 2 dessins.\nChaque item doit contenir 5 dessins.");
    for (int item = 0; item < 3; ++item)
        for (int s : {2, 5, 6}) fill(f.Texte2[16 * item + s], "7");
    clickButton(f, 1);
    const std::string r = stored(8, 2);
    EXPECT_EQ(r[0], ' ');
    EXPECT_EQ(formats::field(r, 8, 0, 3), "") << "hidden slots are saved empty";
    EXPECT_EQ(formats::field(r, 8, 2, 1), "2");
    EXPECT_EQ(formats::field(r, 8, 1, 15), "rouges");
}

TEST_F(LessonEditor, KeyFiltersAndPastedText) {
    struct Case {
        int activity, field;
        const char* typed;
        bool pasted; // through the clipboard rather than key by key
        const char* kept;
    };
    const Case cases[] = {
        {4, 0, "3/4E?X", false, "3÷4ex"},               // a numbers element
        {4, 1, "12345678", false, "1234567"},           // as long as its field
        {4, 14, "Les «ÉTÉS» *", false, "Les «ÉTÉS» *"}, // a title takes any key
        {0, 0, "1a2-b3 4", true, "123"},                // a drawings element
        {0, 0, "a7", false, "7"},
        {1, 3, "a7", false, "7"},           // a leaf of the tree of drawings
        {2, 5, "a7", false, "7"},           // an answer of the table of drawings
        {3, 5, "ax", false, "X"},           // an answer of a grid
        {11, 5, "a", false, ""},            // a grid's answer takes an "X" only,
        {11, 5, "x", false, "X"},           // in upper case,
        {11, 6, "XX", false, "X"},          // and one
        {10, 1, "*cubes*", false, "cubes"}, // no number card among the titles of solids
        {10, 5, "*12a", false, "*12"},      // a number card
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.activity) + " " + c.typed);
        feuille20& f = edit(c.activity);
        open(f, "1");
        ui::TextBox& field = fieldsOf(f, c.activity)[c.field];
        if (c.pasted) {
            focus(field);
            paste(field, QString::fromUtf8(c.typed), "\x16");
        } else {
            fill(field, QString::fromUtf8(c.typed));
        }
        EXPECT_EQ(text(field), c.kept);
        clickButton(f, 3);
    }
}

TEST_F(LessonEditor, TreeLevelsMoveTheLeaves) {
    feuille20& f = edit(1);
    open(f, "1");
    for (int l = 0; l < 8; ++l) fill(f.Text1[3 + l], QString::number(100 + l));
    EXPECT_EQ(f.Text1[3].left(), 8340);
    click(f.Option1[0]);
    EXPECT_TRUE(f.Text1[0].hasFocus());
    EXPECT_FALSE(seen(f.Text1[2]));
    EXPECT_FALSE(seen(f.Text1[7]));
    EXPECT_FALSE(seen(f.Picture1[18]));
    EXPECT_FALSE(seen(f.Line3[6]));
    EXPECT_EQ(f.Text1[3].left(), 6530);
    EXPECT_EQ(f.Text1[3].top(), 400 - 140);
    EXPECT_EQ(f.Text1[6].top(), 2380 - 140);
    EXPECT_EQ(f.Picture1[14].picture(), players::dessinBibliotheque(100));
    click(f.Option1[1]);
    EXPECT_TRUE(seen(f.Text1[10]));
    EXPECT_EQ(text(f.Text1[10]), "107");
    EXPECT_EQ(f.Text1[3].left(), 8340);
}

TEST_F(LessonEditor, TwoLevelTreeIsSavedWithItsUnusedFieldsBlank) {
    feuille20& f = edit(9);
    open(f, "6");
    click(f.Option1[0]);
    for (int i = 0; i < 2; ++i) {
        fill(f.Text1[11 * i], "x12");
        fill(f.Text1[11 * i + 1], "grands");
        for (int l = 0; l < 3; ++l) fill(f.Text1[11 * i + 3 + l], QString::number(l));
    }
    clickButton(f, 0);
    EXPECT_EQ(lastBox(), "Dans l'item 1, seulement 3 branches ont un dessin.\nChacune des 4 "
                         "branches doit contenir un dessin.");
    EXPECT_TRUE(f.Text1[3].hasFocus());
    fill(f.Text1[6], "3");
    fill(f.Text1[17], "311");
    focus(f.Text1[0]);
    EXPECT_EQ(lastBox(), "Écrire un nombre plus petit que 311.");
    clear(f.Text1[17]);
    type(f.Text1[17], "3");
    clickButton(f, 2);
    const std::string r = stored(9, 6);
    EXPECT_EQ(r.substr(0, 1), "1");
    EXPECT_EQ(formats::field(r, 9, 1, 0), "x12");
    EXPECT_EQ(formats::field(r, 9, 1, 6), "3");
    EXPECT_EQ(formats::field(r, 9, 1, 7), "");
    EXPECT_EQ(r.size(), 173u);
}

TEST_F(LessonEditor, TreeLabelsAreDrawnInEveryBoxOfTheirLevel) {
    feuille20& f = edit(1);
    open(f, "1");
    fill(f.Text1[1], "X40");
    focus(f.Text1[0]);
    for (int b = 2; b < 6; ++b) EXPECT_EQ(f.Picture1[b].picture(), players::dessinBibliotheque(40));
    clear(f.Text1[1]);
    focus(f.Text1[0]);
    for (int b = 2; b < 6; ++b) EXPECT_TRUE(f.Picture1[b].picture().isNull());
    EXPECT_EQ(u8(f.Etiquette2.caption()),
              "Identifier chacune des branches en indiquant le numéro d'un dessin ou des mots.\r\n"
              "\r\nPour placer un «X» sur le dessin ou le mot, écrire un «X» à gauche de "
              "l'étiquette.\r\n\r\nLes numéros des dessins doivent se situer entre 0 et 310.");
}

TEST_F(LessonEditor, LabelPreviewsShowTheirWordsWhole) {
    // The column just past the rightmost ink of a preview, 0 when it holds none.
    const auto finEncre = [](ui::PictureBox& box) {
        const QImage image = box.surface();
        int fin = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 100) fin = std::max(fin, x + 1);
        return fin;
    };
    struct Case {
        int activity;
        int field; // the label's field; its preview box has the same index
        bool tree;
    };
    for (const QSize screen : {QSize(640, 480), QSize(1024, 768)}) {
        for (const Case& c : {Case{1, 0, true}, Case{2, 1, false}}) {
            for (const QString& word :
                 {QString::fromUtf8("véhicule"), QString::fromUtf8("vêtement")}) {
                SCOPED_TRACE(std::to_string(screen.width()) + " activity " +
                             std::to_string(c.activity) + " " + word.toStdString());
                ui::unloadAllForms();
                setScreen(screen.width(), screen.height());
                shell::CalculerEchelle();
                ui::load<MDI1>();
                feuille20& f = edit(c.activity);
                open(f, "1");
                ui::TextBox& field = c.tree ? f.Text1[c.field] : f.Text2[c.field];
                // A tree label negated, so that the lower box, which no field covers, shows it
                // without its crossing.
                fill(field, c.tree ? "x" + word : word);
                focus(c.tree ? f.Text1[2] : f.Text2[2]);
                ui::PictureBox& box = c.tree ? f.Picture1[1] : f.Picture2[c.field];
                const int fin = finEncre(box);
                const int largeur = int(box.width() / 15);
                EXPECT_GT(fin, largeur / 2) << "the word is written";
                EXPECT_LT(fin, largeur) << "its last letter stops inside the box";
                EXPECT_GE(box.fontSize(), c.tree ? 6 * shared.Echelle : 1.0);
            }
        }
    }
}

TEST_F(LessonEditor, GridEnterWrapsToTheFirstTitle) {
    feuille20& f = edit(3);
    open(f, "1");
    click(f.Option2[0]);
    EXPECT_TRUE(f.Text2[0].hasFocus()) << "the grid of drawings goes back to its relation";
    click(f.Option2[2]);
    EXPECT_FALSE(seen(f.Text2[3]));
    EXPECT_FALSE(seen(f.Text2[12]));
    focus(f.Text2[26]);
    pressEnter(f.Text2[26]);
    EXPECT_TRUE(f.Text2[1].hasFocus());
    pressEnter(f.Text2[1]);
    EXPECT_TRUE(f.Text2[2].hasFocus());
    pressEnter(f.Text2[2]);
    EXPECT_TRUE(f.Text2[4].hasFocus()) << "hidden cells are passed over";
    EXPECT_EQ(u8(f.Etiquette3.caption()),
              "Identifier chaque rangée en indiquant le numéro d'un dessin ou des mots.");
}

TEST_F(LessonEditor, GridLessonFromTheKeyboard) {
    feuille20& f = edit(7);
    open(f, "2");
    for (int item = 0; item < 2; ++item) {
        fill(f.Text2[16 * item], "est plus petit que");
        for (int k : {1, 2, 3, 4, 8, 12}) fill(f.Text2[16 * item + k], QString::number(400 + k));
    }
    fill(f.Text2[10], "x");
    clickButton(f, 1);
    EXPECT_EQ(lastBox(), "Dans l'item 2, aucune case ne contient un « X ».");
    EXPECT_TRUE(f.Text2[21].hasFocus());
    fill(f.Text2[21], "x");
    clickButton(f, 1);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(seen(f.texte1));
    const std::string r = stored(7, 2);
    EXPECT_EQ(formats::field(r, 7, 0, formats::gridCell(10)), "X");
    EXPECT_EQ(formats::field(r, 7, 1, formats::gridCell(0)), "est plus petit que");
    EXPECT_EQ(formats::field(r, 7, 1, formats::gridCell(12)), "412");
}

TEST_F(LessonEditor, TableOfSolidsRefusesMixedAnswers) {
    feuille20& f = edit(10);
    open(f, "3");
    fillNumberCards(f);
    clear(f.Text2[16 + 11]);
    type(f.Text2[16 + 11], "12");
    clickButton(f, 1);
    EXPECT_EQ(lastBox(),
              "Dans l'item 2, un ou plusieurs nombres ne sont pas précédés d'un astérisque.");
    EXPECT_TRUE(f.Text2[21].hasFocus());
    EXPECT_TRUE(formats::isBlankRecord(stored(10, 3)));
    EXPECT_FALSE(seen(f.Picture2[1])) << "the titles of the solids table have no preview";
    EXPECT_TRUE(seen(f.Picture2[5]));
}

// The key filter keeps "*" out of the solids table's titles, but a stored lesson may hold one: as
// it would turn the whole lesson into number cards, saving it back is refused as for no title.
TEST_F(LessonEditor, TableOfSolidsRefusesAStoredTitleWithAnAsterisk) {
    std::string cards;
    {
        feuille20& f = edit(10);
        open(f, "4");
        fillNumberCards(f);
        clickButton(f, 2);
        ASSERT_TRUE(boxes.empty()) << lastBox();
        cards = stored(10, 4);
    }
    for (const char* title : {"*3", "A*"}) {
        SCOPED_TRACE(title);
        boxes.clear();
        std::string record = cards;
        formats::setField(record, 10, 0, formats::tableCell(2), title);
        store(10, 4, record);
        feuille20& f = edit(10);
        open(f, "4");
        EXPECT_EQ(text(f.Text2[2]), title);
        clickButton(f, 2);
        EXPECT_EQ(lastBox(), "Dans l'item 1, une colonne ou une rangée n'a pas de titre.");
        EXPECT_TRUE(f.Text2[2].hasFocus());
        EXPECT_EQ(stored(10, 4), record) << "nothing saved";
        clickButton(f, 3);
    }
}

TEST_F(LessonEditor, ManagementMenusStayOffWhileEditing) {
    MDI1& m = screen<MDI1>();
    edit(6);
    EXPECT_FALSE(m.gestionnaire.enabled());
    EXPECT_FALSE(m.Lecons.enabled());
    EXPECT_FALSE(m.bilan.enabled());
    EXPECT_FALSE(m.aide.enabled());
    EXPECT_FALSE(m.quitte.enabled());
    EXPECT_EQ(shared.EcranCourant, shell::Ecran::EditeurLecons);
}

TEST_F(LessonEditor, ScaledScreen) {
    setScreen(1024, 768);
    shell::CalculerEchelle();
    feuille20& f = edit(2);
    EXPECT_FLOAT_EQ(shared.Echelle, 1.6f);
    EXPECT_NEAR(f.formWidth(), 9600 * 1.6, 1);
    open(f, "1");
    EXPECT_NEAR(f.Text2[5].left(), (1800 + 1920 + 420) * 1.6, 1);
    EXPECT_NEAR(f.Commande1[1].left(), 1440 * 1.6, 1);
}

// A valid lesson of every field filled: "5" everywhere, "X" in the grids.
std::string filledRecord(int activity) {
    authoring::LessonFields fields;
    fields.activity = activity;
    const bool grid = formats::kindOf(activity) == formats::Kind::Grid;
    fields.texts.assign(
        authoring::itemCount(activity),
        std::vector<std::string>(authoring::fieldsPerItem(activity), grid ? "X" : "5"));
    const authoring::LessonCheck check = authoring::checkFields(fields);
    EXPECT_TRUE(check.valid) << activity;
    return check.record;
}

TEST_F(LessonEditor, EveryCheckShowsItsResultTheFirstOneToo) {
    // The trees, tables and grids empty the help line as a field loses the focus.
    for (int activity : {5, 6, 7, 10}) {
        SCOPED_TRACE(activity);
        store(activity, 3, filledRecord(activity));
        feuille20& f = edit(activity);
        open(f, "3");
        clickButton(f, 0);
        EXPECT_TRUE(boxes.empty()) << lastBox();
        EXPECT_EQ(u8(f.Etiquette3.caption()), "Toutes exigences sont respectées.");
        EXPECT_TRUE(f.Commande1[1].hasFocus());
        clickButton(f, 0);
        EXPECT_EQ(u8(f.Etiquette3.caption()), "Toutes exigences sont respectées.");
        clickButton(f, 3);
    }
}

TEST_F(LessonEditor, AFailedSaveIsToldAndTheLessonStaysAsTyped) {
    for (const authoringtest::CatalogueDamage& c : authoringtest::kCatalogueDamages) {
        for (int button : {1, 2}) {
            SCOPED_TRACE(std::string(c.name) + ", button " + std::to_string(button));
            boxes.clear();
            ui::unload<Feuille1>();
            std::filesystem::remove_all(data("lecons.tav"));
            ASSERT_TRUE(formats::createBlankLessonCatalogue(catalogue()));
            store(6, 8, filledRecord(6));
            feuille20& f = edit(6);
            open(f, "8");
            clear(f.Text2[5]);
            type(f.Text2[5], "3+4");
            c.apply(data("lecons.tav"));
            clickButton(f, button);
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, "Impossible d'enregistrer\n" + catalogue());
            EXPECT_EQ(boxes[0].style, ui::vbExclamation);
            EXPECT_EQ(boxes[0].title, "Message");
            ASSERT_TRUE(ui::loaded<feuille20>());
            EXPECT_FALSE(ui::loaded<Feuille1>());
            EXPECT_TRUE(seen(f.Text2[5]));
            EXPECT_FALSE(seen(f.texte1)) << "the chooser does not come back";
            EXPECT_EQ(text(f.Text2[5]), "3+4");
            EXPECT_EQ(std::filesystem::is_regular_file(data("lecons.tav")), false)
                << "a save never creates the catalogue";
            clickButton(f, 3);
        }
    }
}

TEST_F(LessonEditor, TableOfSolidsRefusesAnAsteriskWithoutItsNumber) {
    for (const QString pasted : {"*", "*ab"}) {
        SCOPED_TRACE(pasted.toStdString());
        boxes.clear();
        feuille20& f = edit(10);
        open(f, "5");
        fillNumberCards(f);
        clear(f.Text2[16 + 10]);
        paste(f.Text2[16 + 10], pasted, "\x16");
        EXPECT_EQ(text(f.Text2[16 + 10]), "*");
        clickButton(f, 1);
        EXPECT_EQ(lastBox(), "Dans l'item 2, une case-réponse ne contient pas un dessin ou un "
                             "astérisque suivi d'un nombre.");
        EXPECT_TRUE(f.Text2[16 + 10].hasFocus());
        EXPECT_EQ(u8(f.Etiquette3.caption()),
                  "Écrire le numéro d'un dessin ou un nombre .\r\nPour indiquer un nombre placer "
                  "un astérisque devant (Ex. : *12).");
        EXPECT_TRUE(formats::isBlankRecord(stored(10, 5)));
        clickButton(f, 3);
    }
}

TEST_F(LessonEditor, EnterFromTheLastFieldWrapsRoundInEveryKind) {
    struct Case {
        int activity, last, first;
    };
    const Case cases[] = {{0, 47, 0}, {1, 21, 0}, {2, 31, 1}, {3, 31, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.activity);
        feuille20& f = edit(c.activity);
        open(f, "1");
        ui::ControlArray<ui::TextBox>& fields = fieldsOf(f, c.activity);
        focus(fields[c.last]);
        pressEnter(fields[c.last]);
        EXPECT_TRUE(fields[c.first].hasFocus());
        EXPECT_EQ(text(fields[c.last]), "") << "Enter is not typed";
        clickButton(f, 3);
    }
}

TEST_F(LessonEditor, ATooHighDrawingIsToldOnLeavingOnlyWhereAPreviewShowsIt) {
    struct Case {
        int activity, field;
        const char* typed;
        bool told;
    };
    const Case cases[] = {
        {1, 1, "X400", true},    // a label of the tree of drawings
        {9, 5, "311", true},     // a leaf of the tree of solids
        {5, 5, "400", false},    // the tree of numbers previews no drawing
        {2, 1, "X311", true},    // a title of the table of drawings
        {2, 5, "311", true},     // an answer of the table of drawings
        {10, 2, "311", true},    // a title of the table of solids
        {6, 5, "400", false},    // the table of numbers has no preview
        {3, 4, "311", true},     // a title of the grid of drawings
        {11, 0, "311 a", false}, // the relation of a grid has no drawing
        {7, 1, "400", false},    // the grid of numbers has no preview
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.activity) + " " + c.typed);
        boxes.clear();
        feuille20& f = edit(c.activity);
        open(f, "1");
        ui::ControlArray<ui::TextBox>& fields = fieldsOf(f, c.activity);
        // Away to the same field of the next item.
        ui::TextBox& other = fields[c.field + authoring::fieldsPerItem(c.activity)];
        fill(fields[c.field], c.typed);
        focus(other);
        if (c.told) {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, "Écrire un nombre plus petit que 311.");
            EXPECT_TRUE(fields[c.field].hasFocus());
            // Leaving again without a change goes on.
            focus(other);
            EXPECT_EQ(boxes.size(), 1u);
        } else {
            EXPECT_TRUE(boxes.empty()) << lastBox();
        }
        EXPECT_TRUE(other.hasFocus());
        EXPECT_EQ(text(fields[c.field]), c.typed);
        clickButton(f, 3);
    }
}

TEST_F(LessonEditor, TheBoxesOfAGridsAnswersStayEmpty) {
    std::string r = filledRecord(3);
    store(3, 4, r);
    feuille20& f = edit(3);
    open(f, "4");
    ASSERT_TRUE(seen(f.Picture2[5]));
    EXPECT_TRUE(blank(grab(f.Picture2[5])));
    EXPECT_FALSE(blank(grab(f.Picture2[1]))) << "a title shows what it holds";
    clear(f.Text2[6]);
    type(f.Text2[6], "x");
    focus(f.Text2[7]);
    EXPECT_TRUE(blank(grab(f.Picture2[6])));
}

TEST_F(LessonEditor, AStoredLessonOpensLaidOutByItsOptions) {
    // The sets take any option character but a blank for the common area; the other kinds "1".
    struct Case {
        int activity;
        const char* options;
        std::vector<std::pair<int, bool>> shown; // field, whether it shows
    };
    const Case cases[] = {{0, "*", {{3, true}, {10, true}, {11, false}}},
                          {0, " ", {{3, false}, {10, false}}},
                          {1, "1", {{2, false}, {7, false}, {6, true}}},
                          {5, "*", {{2, true}, {10, true}}},
                          {2, "11", {{3, false}, {12, false}, {10, true}}},
                          {7, "1 ", {{3, false}, {12, true}, {0, true}}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.activity) + " '" + c.options + "'");
        std::string r = formats::blankRecord(c.activity);
        r.replace(0, std::strlen(c.options), c.options);
        store(c.activity, 9, r);
        feuille20& f = edit(c.activity);
        open(f, "9");
        for (const auto& [field, shown] : c.shown)
            EXPECT_EQ(seen(fieldsOf(f, c.activity)[field]), shown) << field;
        clickButton(f, 3);
    }
}
