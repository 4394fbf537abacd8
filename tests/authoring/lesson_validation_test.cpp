// The lesson rules on records and on field contents, without any screen.
#include "authoring/lesson_validation.h"
#include "formats/lesson_record.h"
#include "platform/cp1252.h"

#include <gtest/gtest.h>

using namespace authoring;

namespace {

// A record built field by field; table cells are given by their grid number k (1..15).
struct Lesson {
    int activity;
    std::string record;

    explicit Lesson(int a) : activity(a), record(formats::blankRecord(a)) {}
    Lesson& option(int index, bool on = true) {
        formats::setOption(record, activity, index, on);
        return *this;
    }
    Lesson& set(int item, int field, const std::string& text) {
        const int f =
            formats::kindOf(activity) == formats::Kind::Table ? formats::tableCell(field) : field;
        formats::setField(record, activity, item, f, text);
        return *this;
    }
    LessonCheck check() const { return checkLesson(activity, record); }
};

// A sets lesson whose three items are valid: five elements outside the common area, two titles.
Lesson validSets(int activity) {
    Lesson l(activity);
    for (int item = 0; item < 3; ++item) {
        for (int s : {0, 1, 2, 5, 6}) l.set(item, s, std::to_string(10 + s));
        l.set(item, 14, "40");
        l.set(item, 15, "X41");
    }
    return l;
}

// A tree of three levels (or two) with every label and leaf filled.
Lesson validTree(int activity, bool twoLevels = false) {
    Lesson l(activity);
    l.option(0, twoLevels);
    for (int item = 0; item < 2; ++item) {
        for (int k = 0; k < (twoLevels ? 2 : 3); ++k) l.set(item, k, "x" + std::to_string(20 + k));
        for (int j = 0; j < (twoLevels ? 4 : 8); ++j) l.set(item, 3 + j, std::to_string(100 + j));
    }
    return l;
}

// A table of 3 columns and 3 rows with titles and drawing answers (or "*" numbers).
Lesson validTable(int activity, bool asterisks = false) {
    Lesson l(activity);
    for (int item = 0; item < 2; ++item)
        for (int k = 1; k < 16; ++k) {
            const bool title = k < 4 || k % 4 == 0;
            l.set(item, k,
                  title ? "T" + std::to_string(k) : (asterisks ? "*" : "") + std::to_string(k));
        }
    return l;
}

// A grid of 3 columns and 3 rows with its relation, titles and one mark per item.
Lesson validGrid(int activity) {
    Lesson l(activity);
    for (int item = 0; item < 2; ++item) {
        l.set(item, 0, "est plus grand que");
        for (int k : {1, 2, 3, 4, 8, 12}) l.set(item, k, std::to_string(k));
        l.set(item, 10, "X");
    }
    return l;
}

void expectError(const LessonCheck& c, int item, int field, const std::string& utf8Error) {
    EXPECT_FALSE(c.valid);
    EXPECT_EQ(c.item, item);
    EXPECT_EQ(c.field, field);
    EXPECT_EQ(platform::cp1252ToUtf8(c.error), utf8Error);
    EXPECT_EQ(platform::cp1252ToUtf8(c.message), "Dans l'item " + std::to_string(item) + utf8Error);
}

const std::string kDrawingError = ", un dessin porte un numéro supérieur à 310.";

} // namespace

TEST(LessonValidation, ValidLessonsOfEveryActivityPassAndRebuildTheirRecord) {
    const Lesson lessons[] = {validSets(0),         validSets(4), validSets(8),  validTree(1),
                              validTree(5, true),   validTree(9), validTable(2), validTable(6),
                              validTable(10, true), validGrid(3), validGrid(7),  validGrid(11),
                              validTable(10)};
    for (const Lesson& l : lessons) {
        SCOPED_TRACE(l.activity);
        const LessonCheck c = l.check();
        EXPECT_TRUE(c.valid) << platform::cp1252ToUtf8(c.message);
        EXPECT_EQ(c.item, 0);
        EXPECT_TRUE(c.message.empty());
        EXPECT_EQ(c.record, l.record);
    }
}

TEST(LessonValidation, SetsCountFiveElementsPerItem) {
    Lesson four = validSets(0);
    four.set(0, 6, "");
    expectError(four.check(), 1, 1, ", il y a 4 dessins.\r\nChaque item doit contenir 5 dessins.");

    Lesson none = validSets(8);
    for (int s : {0, 1, 2, 5, 6}) none.set(1, s, "");
    expectError(none.check(), 2, 1, ", il y a 0 dessin.\r\nChaque item doit contenir 5 dessins.");

    Lesson six = validSets(4);
    six.set(2, 12, "3+4");
    expectError(six.check(), 3, 1,
                ", il y a 6 nombres ou opérations à l'intérieur ou à l'extérieur des ensembles."
                "\r\nChaque item doit contenir 5 nombres ou opérations.");

    Lesson one = validSets(4);
    for (int s : {1, 2, 5, 6}) one.set(0, s, "");
    expectError(one.check(), 1, 1,
                ", il y a 1 nombre ou opération à l'intérieur ou à l'extérieur des ensembles."
                "\r\nChaque item doit contenir 5 nombres ou opérations.");

    // A lone negation mark in an element slot still counts as an element.
    Lesson mark = validSets(4);
    mark.set(0, 6, "x");
    EXPECT_TRUE(mark.check().valid);
}

TEST(LessonValidation, SetsHiddenSlotsCountAsEmptyAndAreDropped) {
    // Without the common area, slots 3, 4 and 10 are hidden; slot 11 is never shown.
    Lesson hidden = validSets(0);
    hidden.set(0, 3, "7").set(0, 4, "8").set(0, 10, "9").set(0, 11, "12");
    LessonCheck c = hidden.check();
    EXPECT_TRUE(c.valid);
    EXPECT_EQ(c.record, validSets(0).record);

    // With the common area the same slots count, except 11.
    Lesson common = validSets(0);
    common.option(0).set(0, 11, "12");
    EXPECT_TRUE(common.check().valid);
    common.set(0, 3, "7");
    expectError(common.check(), 1, 1,
                ", il y a 6 dessins.\r\nChaque item doit contenir 5 dessins.");
    // Any option character but a blank means the common area.
    Lesson odd = validSets(0);
    odd.record[0] = '*';
    odd.set(0, 6, "").set(0, 3, "7");
    c = odd.check();
    EXPECT_TRUE(c.valid);
    EXPECT_EQ(c.record[0], '1');
}

TEST(LessonValidation, SetTitles) {
    for (const char* title : {"", "X", "x", "  x  "}) {
        SCOPED_TRACE(title);
        Lesson l = validSets(0);
        l.set(1, 15, title);
        expectError(l.check(), 2, 15, ", un ensemble n'a pas de titre.");
    }
    Lesson words = validSets(8);
    words.set(0, 14, "x les cubes");
    EXPECT_TRUE(words.check().valid);
}

TEST(LessonValidation, DrawingRuleInSets) {
    struct Case {
        int activity, slot;
        const char* text;
        bool valid;
    };
    const Case cases[] = {
        {0, 0, "310", true},          {0, 0, "311", false},         {4, 1, "400", false},
        {4, 1, "310", true},          {4, 2, "-5", true},           {4, 2, "40000", false},
        {4, 2, "-40000", false},      {4, 14, "400 grands", false}, {4, 15, "x400", false},
        {4, 15, "plus de 400", true}, {0, 14, "99999 mots", false}, {8, 15, "X 311", false},
        {4, 5, "310.6", false},       {4, 5, "310.5", true},        {4, 5, "3e2", true},
        {4, 5, "4e2", false},         {4, 5, "1 000", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.activity) + " " + c.text);
        Lesson l = validSets(c.activity);
        l.set(0, c.slot, c.text);
        const LessonCheck r = l.check();
        if (c.valid) {
            EXPECT_TRUE(r.valid) << platform::cp1252ToUtf8(r.message);
        } else {
            expectError(r, 1, c.slot, kDrawingError);
        }
    }
}

TEST(LessonValidation, TreeCountsItsLeaves) {
    Lesson three = validTree(1, true);
    three.set(1, 6, "");
    expectError(three.check(), 2, 3,
                ", seulement 3 branches ont un dessin.\r\nChacune des 4 branches doit contenir "
                "un dessin.");

    Lesson one = validTree(5);
    for (int j = 1; j < 8; ++j) one.set(0, 3 + j, "");
    expectError(one.check(), 1, 3,
                ", seulement 1 branche a un nombre.\r\nChacune des 8 branches doit contenir "
                "un nombre.");

    // With two levels, leaves 4 to 7 and the third label are hidden: whatever they hold is
    // neither counted nor checked, and the record keeps them blank.
    Lesson hidden = validTree(9, true);
    hidden.set(0, 2, "999").set(0, 7, "5").set(1, 10, "6");
    const LessonCheck c = hidden.check();
    EXPECT_TRUE(c.valid);
    EXPECT_EQ(c.record, validTree(9, true).record);
}

TEST(LessonValidation, TreeLabelsAndDrawingNumbers) {
    for (const char* label : {"", "X", "x "}) {
        SCOPED_TRACE(label);
        Lesson l = validTree(1);
        l.set(1, 2, label);
        expectError(l.check(), 2, 2, ", une des branches n'est pas indentifiée.");
    }
    Lesson leaf = validTree(1);
    leaf.set(0, 10, "311");
    expectError(leaf.check(), 1, 10, kDrawingError);
    leaf.set(0, 10, "310");
    EXPECT_TRUE(leaf.check().valid);

    Lesson label = validTree(9);
    label.set(0, 1, "X400");
    expectError(label.check(), 1, 1, kDrawingError);

    // The numbers tree has no drawing rule.
    Lesson numbers = validTree(5);
    numbers.set(0, 0, "400 et plus").set(1, 4, "9999999");
    EXPECT_TRUE(numbers.check().valid);
}

TEST(LessonValidation, TableCells) {
    Lesson title = validTable(2);
    title.set(0, 8, "x");
    expectError(title.check(), 1, 8, ", une colonne ou une rangée n'a pas de titre.");

    Lesson drawing = validTable(2);
    drawing.set(1, 14, "");
    expectError(drawing.check(), 2, 14,
                ", une case-réponse ne contient pas un dessin ou un astérisque suivi d'un nombre.");

    Lesson number = validTable(6);
    number.set(0, 5, "");
    expectError(number.check(), 1, 5, ", une case-réponse ne contient pas de nombre.");

    // Numbers tables have no drawing rule, even for values beyond 16 bits.
    Lesson big = validTable(6);
    big.set(0, 6, "40000").set(0, 1, "99999 pommes");
    EXPECT_TRUE(big.check().valid);

    Lesson titleNumber = validTable(2);
    titleNumber.set(0, 2, "X311");
    expectError(titleNumber.check(), 1, 2, kDrawingError);

    // Two columns and two rows: column 3 and row 3 are hidden and saved blank.
    Lesson small(2);
    small.option(0).option(1);
    for (int item = 0; item < 2; ++item)
        for (int k : {1, 2, 4, 5, 6, 8, 9, 10}) small.set(item, k, std::to_string(k));
    Lesson extra = small;
    extra.set(0, 3, "").set(0, 15, "999").set(1, 12, "");
    const LessonCheck c = extra.check();
    EXPECT_TRUE(c.valid);
    EXPECT_EQ(c.record, small.record);
}

TEST(LessonValidation, TableOfSolidsAsteriskCells) {
    EXPECT_TRUE(validTable(10, true).check().valid);

    Lesson mixed = validTable(10, true);
    mixed.set(1, 11, "12");
    expectError(mixed.check(), 2, 5,
                ", un ou plusieurs nombres ne sont pas précédés d'un astérisque.");

    // The asterisk error takes the place of an error found later in the same item...
    Lesson empty = validTable(10, true);
    empty.set(0, 9, "");
    expectError(empty.check(), 1, 5,
                ", un ou plusieurs nombres ne sont pas précédés d'un astérisque.");
    // ...but counts only the cells read before the walk stopped.
    Lesson early = validTable(10, true);
    early.set(0, 4, "");
    expectError(early.check(), 1, 4, ", une colonne ou une rangée n'a pas de titre.");

    // Asterisk cells escape the drawing rule; other cells do not.
    Lesson big = validTable(10, true);
    big.set(0, 5, "*999");
    EXPECT_TRUE(big.check().valid);
    Lesson drawings = validTable(10);
    drawings.set(0, 5, "311");
    expectError(drawings.check(), 1, 5, kDrawingError);

    // A 2 x 2 table needs exactly 4 asterisk cells.
    Lesson small(10);
    small.option(0).option(1);
    for (int item = 0; item < 2; ++item) {
        for (int k : {1, 2, 4, 8}) small.set(item, k, "T");
        for (int k : {5, 6, 9, 10}) small.set(item, k, "*" + std::to_string(k));
    }
    EXPECT_TRUE(small.check().valid);
}

TEST(LessonValidation, TableOfSolidsNumberCardsAreAnAsteriskAndOneOrTwoDigits) {
    struct Case {
        const char* cell;
        bool valid;
    };
    const Case cases[] = {{"*1", true},  {"*12", true},  {"*", false},   {"*ab", false},
                          {"**", false}, {"*1a", false}, {"* 1", false}, {"*+5", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell);
        Lesson l = validTable(10, true);
        l.set(1, 10, c.cell);
        if (c.valid)
            EXPECT_TRUE(l.check().valid) << platform::cp1252ToUtf8(l.check().message);
        else
            expectError(l.check(), 2, 10,
                        ", une case-réponse ne contient pas un dessin ou un astérisque suivi "
                        "d'un nombre.");
    }
    // An asterisk after a drawing number makes neither a drawing nor a card.
    Lesson late = validTable(10);
    late.set(0, 6, "12*");
    expectError(late.check(), 1, 6,
                ", une case-réponse ne contient pas un dessin ou un astérisque suivi d'un nombre.");
    // Every answer "*" alone: the count of asterisk cells is right, the cells are not.
    Lesson bare(10);
    for (int item = 0; item < 2; ++item)
        for (int k = 1; k < 16; ++k) bare.set(item, k, k < 4 || k % 4 == 0 ? "T" : "*");
    expectError(bare.check(), 1, 5,
                ", une case-réponse ne contient pas un dessin ou un astérisque suivi d'un nombre.");
    // In a mixed item the asterisk error still wins.
    Lesson mixed = validTable(10, true);
    mixed.set(0, 5, "*").set(0, 6, "7");
    expectError(mixed.check(), 1, 5,
                ", un ou plusieurs nombres ne sont pas précédés d'un astérisque.");
}

TEST(LessonValidation, GridRelationTitlesAndMarks) {
    Lesson noMark = validGrid(3);
    noMark.set(1, 10, "");
    expectError(noMark.check(), 2, 5, ", aucune case ne contient un « X ».");

    Lesson relation = validGrid(7);
    relation.set(0, 0, "").set(0, 10, "");
    expectError(relation.check(), 1, 0,
                ", la relation entre les éléments des colonnes et des rangées n'est pas définie.");

    Lesson title = validGrid(11);
    title.set(1, 12, "");
    expectError(title.check(), 2, 12, ", une colonne ou une rangée n'a pas de titre.");

    // Grid titles have no negation mark.
    Lesson x = validGrid(3);
    x.set(0, 1, "X");
    EXPECT_TRUE(x.check().valid);

    // Only the numbers grid goes without the drawing rule.
    Lesson numbers = validGrid(7);
    numbers.set(0, 4, "400").set(0, 0, "400 de plus que");
    EXPECT_TRUE(numbers.check().valid);
    Lesson drawings = validGrid(3);
    drawings.set(0, 4, "400");
    expectError(drawings.check(), 1, 4, kDrawingError);
    Lesson solids = validGrid(11);
    solids.set(1, 0, "311 a");
    expectError(solids.check(), 2, 0, kDrawingError);

    // A mark in a hidden column does not count.
    Lesson hidden = validGrid(3);
    hidden.option(0).set(0, 10, "").set(0, 7, "X");
    expectError(hidden.check(), 1, 5, ", aucune case ne contient un « X ».");
}

TEST(LessonValidation, CheckingFieldsTrimsAndBuildsTheRecord) {
    LessonFields fields;
    fields.activity = 3;
    fields.options = {true, true};
    fields.texts.assign(2, std::vector<std::string>(16));
    for (auto& item : fields.texts) {
        item[0] = "  est sur  ";
        item[1] = " 5";
        item[2] = "6 ";
        item[4] = "7";
        item[8] = "8";
        item[5] = "X";
        item[3] = "ignored: hidden column";
    }
    const LessonCheck c = checkFields(fields);
    ASSERT_TRUE(c.valid) << platform::cp1252ToUtf8(c.message);
    Lesson expected(3);
    expected.option(0).option(1);
    for (int item = 0; item < 2; ++item)
        expected.set(item, 0, "est sur")
            .set(item, 1, "5")
            .set(item, 2, "6")
            .set(item, 4, "7")
            .set(item, 8, "8")
            .set(item, 5, "X");
    EXPECT_EQ(c.record, expected.record);
    EXPECT_EQ(c.record.size(), 215u);
}

TEST(LessonValidation, NumberValues) {
    struct Case {
        const char* text;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"12", 12},
        {"3+4", 3},
        {"1 000", 1000},
        {"abc", 0},
        {"", 0},
        {"x12", 0},
        {"2.5", 2},
        {"3.5", 4},
        {"-7", -7},
        {"2et3", 2},
        {"1e3", 1000},
        {"32767", 32767},
        {"-32768", -32768},
        {"32768", std::nullopt},
        {"40000", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto v = numberValue(c.text);
        ASSERT_EQ(v.has_value(), c.value.has_value());
        if (v) {
            EXPECT_EQ(*v, *c.value);
        }
    }
    EXPECT_EQ(numberValue32("40000"), 40000);
    EXPECT_EQ(numberValue32("99999999999"), std::nullopt);
    EXPECT_EQ(withoutNegationMark("X  25 "), "25");
    EXPECT_EQ(withoutNegationMark("Y25"), "Y25");
}
