// The lesson rules on records and on field contents, without any screen.
#include "authoring/lesson_validation.h"
#include "formats/lesson_record.h"
#include "platform/cp1252.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <ostream>
#include <utility>
#include <vector>

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
    Lesson& clear(int item, std::initializer_list<int> fields) {
        for (int f : fields) set(item, f, "");
        return *this;
    }
    // A raw character of the record, where no field or option writes it.
    Lesson& character(std::size_t at, char c) {
        record.at(at) = c;
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

namespace {

const std::string kSetTitleError = ", un ensemble n'a pas de titre.";
const std::string kBranchError = ", une des branches n'est pas indentifiée.";
const std::string kTitleError = ", une colonne ou une rangée n'a pas de titre.";
const std::string kCardOrDrawingError =
    ", une case-réponse ne contient pas un dessin ou un astérisque suivi d'un nombre.";
const std::string kAsteriskError =
    ", un ou plusieurs nombres ne sont pas précédés d'un astérisque.";
const std::string kMarkError = ", aucune case ne contient un « X ».";

// A valid lesson with a change, and what the check says of it.
struct RuleCase {
    std::string name;
    Lesson lesson;
    // Where the error is (item 1..3) and what it says; item 0 for a lesson that passes.
    int item = 0;
    int field = -1;
    std::string error;
    // The record a passing lesson is saved as, where it drops what the lesson holds.
    std::optional<std::string> record;
};

void PrintTo(const RuleCase& c, std::ostream* os) {
    *os << c.name;
}

RuleCase passes(std::string name, const Lesson& lesson) {
    return {std::move(name), lesson, 0, -1, "", std::nullopt};
}
RuleCase savedAs(std::string name, const Lesson& lesson, const Lesson& saved) {
    return {std::move(name), lesson, 0, -1, "", saved.record};
}
RuleCase fails(std::string name, const Lesson& lesson, int item, int field, std::string error) {
    return {std::move(name), lesson, item, field, std::move(error), std::nullopt};
}

// Two columns and two rows of drawings (their titles drawing numbers too).
Lesson smallTableOfDrawings() {
    Lesson l(2);
    l.option(0).option(1);
    for (int item = 0; item < 2; ++item)
        for (int k : {1, 2, 4, 5, 6, 8, 9, 10}) l.set(item, k, std::to_string(k));
    return l;
}

// Two columns and two rows of solids, every answer a number card.
Lesson smallTableOfSolids() {
    Lesson l(10);
    l.option(0).option(1);
    for (int item = 0; item < 2; ++item) {
        for (int k : {1, 2, 4, 8}) l.set(item, k, "T");
        for (int k : {5, 6, 9, 10}) l.set(item, k, "*" + std::to_string(k));
    }
    return l;
}

// A table of solids whose every answer is a bare "*".
Lesson bareAsterisks() {
    Lesson l(10);
    for (int item = 0; item < 2; ++item)
        for (int k = 1; k < 16; ++k) l.set(item, k, k < 4 || k % 4 == 0 ? "T" : "*");
    return l;
}

std::vector<RuleCase> setsCases() {
    const std::string fiveDrawings = "\r\nChaque item doit contenir 5 dessins.";
    const std::string fiveNumbers = " à l'intérieur ou à l'extérieur des ensembles.\r\nChaque "
                                    "item doit contenir 5 nombres ou opérations.";
    std::vector<RuleCase> cases = {
        fails("FourDrawings", validSets(0).set(0, 6, ""), 1, 1,
              ", il y a 4 dessins." + fiveDrawings),
        fails("NoSolidAtAll", validSets(8).clear(1, {0, 1, 2, 5, 6}), 2, 1,
              ", il y a 0 dessin." + fiveDrawings),
        fails("SixNumbers", validSets(4).set(2, 12, "3+4"), 3, 1,
              ", il y a 6 nombres ou opérations" + fiveNumbers),
        fails("OneNumber", validSets(4).clear(0, {1, 2, 5, 6}), 1, 1,
              ", il y a 1 nombre ou opération" + fiveNumbers),
        // A lone negation mark in an element slot still counts as an element.
        passes("LoneNegationMarkIsAnElement", validSets(4).set(0, 6, "x")),

        // Without the common area, slots 3, 4 and 10 are hidden; slot 11 is never shown.
        savedAs("HiddenSlotsAreDropped",
                validSets(0).set(0, 3, "7").set(0, 4, "8").set(0, 10, "9").set(0, 11, "12"),
                validSets(0)),
        // With the common area the same slots count, except 11.
        passes("CommonAreaStillHidesSlot11", validSets(0).option(0).set(0, 11, "12")),
        fails("CommonAreaCountsSlot3", validSets(0).option(0).set(0, 11, "12").set(0, 3, "7"), 1, 1,
              ", il y a 6 dessins." + fiveDrawings),
        // Any option character but a blank means the common area.
        savedAs("AnyOptionCharacterMeansTheCommonArea",
                validSets(0).character(0, '*').set(0, 6, "").set(0, 3, "7"),
                validSets(0).option(0).set(0, 6, "").set(0, 3, "7")),

        fails("EmptyTitle", validSets(0).set(1, 15, ""), 2, 15, kSetTitleError),
        fails("TitleOfTheNegationMarkAlone", validSets(0).set(1, 15, "X"), 2, 15, kSetTitleError),
        fails("TitleOfTheLowerNegationMarkAlone", validSets(0).set(1, 15, "x"), 2, 15,
              kSetTitleError),
        fails("TitleOfTheNegationMarkInBlanks", validSets(0).set(1, 15, "  x  "), 2, 15,
              kSetTitleError),
        passes("NegatedTitleOfWords", validSets(8).set(0, 14, "x les cubes")),
    };
    // The drawing rule, element slots and titles alike, in every material.
    struct Drawing {
        const char* name;
        int activity, slot;
        const char* text;
        bool valid;
    };
    const Drawing drawings[] = {
        {"DrawingElement310", 0, 0, "310", true},
        {"DrawingElement311", 0, 0, "311", false},
        {"NumberElement400", 4, 1, "400", false},
        {"NumberElement310", 4, 1, "310", true},
        {"NegativeNumberElement", 4, 2, "-5", true},
        {"NumberElementBeyond16Bits", 4, 2, "40000", false},
        {"NegativeNumberElementBeyond16Bits", 4, 2, "-40000", false},
        {"NumberTitleBeginningWith400", 4, 14, "400 grands", false},
        {"NegatedNumberTitle400", 4, 15, "x400", false},
        {"NumberTitleEndingWith400", 4, 15, "plus de 400", true},
        {"DrawingTitleBeginningBeyond16Bits", 0, 14, "99999 mots", false},
        {"NegatedSolidTitle311AfterABlank", 8, 15, "X 311", false},
        {"DecimalRoundedUpTo311", 4, 5, "310.6", false},
        {"DecimalRoundedHalfToEven310", 4, 5, "310.5", true},
        {"Exponent300", 4, 5, "3e2", true},
        {"Exponent400", 4, 5, "4e2", false},
        {"ThousandWithABlank", 4, 5, "1 000", false},
    };
    for (const Drawing& d : drawings) {
        const Lesson l = validSets(d.activity).set(0, d.slot, d.text);
        cases.push_back(d.valid ? passes(d.name, l) : fails(d.name, l, 1, d.slot, kDrawingError));
    }
    return cases;
}

std::vector<RuleCase> treeCases() {
    return {
        fails("TwoLevelsWithThreeLeaves", validTree(1, true).set(1, 6, ""), 2, 3,
              ", seulement 3 branches ont un dessin.\r\nChacune des 4 branches doit contenir "
              "un dessin."),
        fails("ThreeLevelsWithOneNumberLeaf", validTree(5).clear(0, {4, 5, 6, 7, 8, 9, 10}), 1, 3,
              ", seulement 1 branche a un nombre.\r\nChacune des 8 branches doit contenir "
              "un nombre."),
        // With two levels, leaves 4 to 7 and the third label are hidden: whatever they hold is
        // neither counted nor checked, and the record keeps them blank.
        savedAs("TwoLevelsDropTheHiddenFields",
                validTree(9, true).set(0, 2, "999").set(0, 7, "5").set(1, 10, "6"),
                validTree(9, true)),

        fails("EmptyLabel", validTree(1).set(1, 2, ""), 2, 2, kBranchError),
        fails("LabelOfTheNegationMarkAlone", validTree(1).set(1, 2, "X"), 2, 2, kBranchError),
        fails("LabelOfTheNegationMarkAndABlank", validTree(1).set(1, 2, "x "), 2, 2, kBranchError),
        fails("Leaf311", validTree(1).set(0, 10, "311"), 1, 10, kDrawingError),
        passes("Leaf310", validTree(1).set(0, 10, "310")),
        fails("NegatedLabel400", validTree(9).set(0, 1, "X400"), 1, 1, kDrawingError),
        // The numbers tree has no drawing rule.
        passes("NumbersTreeHasNoDrawingRule",
               validTree(5).set(0, 0, "400 et plus").set(1, 4, "9999999")),
    };
}

std::vector<RuleCase> tableCases() {
    std::vector<RuleCase> cases = {
        fails("TitleOfTheNegationMarkAlone", validTable(2).set(0, 8, "x"), 1, 8, kTitleError),
        fails("EmptyDrawingAnswer", validTable(2).set(1, 14, ""), 2, 14, kCardOrDrawingError),
        fails("EmptyNumberAnswer", validTable(6).set(0, 5, ""), 1, 5,
              ", une case-réponse ne contient pas de nombre."),
        // Numbers tables have no drawing rule, even for values beyond 16 bits.
        passes("NumbersTableHasNoDrawingRule",
               validTable(6).set(0, 6, "40000").set(0, 1, "99999 pommes")),
        fails("NegatedTitle311", validTable(2).set(0, 2, "X311"), 1, 2, kDrawingError),
        // Two columns and two rows: column 3 and row 3 are hidden and saved blank.
        savedAs("TwoByTwoDropsTheHiddenCells",
                smallTableOfDrawings().set(0, 3, "").set(0, 15, "999").set(1, 12, ""),
                smallTableOfDrawings()),

        passes("SolidsOfNumberCardsOnly", validTable(10, true)),
        fails("SolidsMixingCardsAndDrawings", validTable(10, true).set(1, 11, "12"), 2, 5,
              kAsteriskError),
        // The asterisk error takes the place of an error found later in the same item...
        fails("SolidsAsteriskErrorBeforeAnEmptyAnswer", validTable(10, true).set(0, 9, ""), 1, 5,
              kAsteriskError),
        // ...but counts only the cells read before the walk stopped.
        fails("SolidsEmptyTitleBeforeTheCards", validTable(10, true).set(0, 4, ""), 1, 4,
              kTitleError),
        // Asterisk cells escape the drawing rule; other cells do not.
        passes("SolidsCardBeyondTheLibrary", validTable(10, true).set(0, 5, "*999")),
        fails("SolidsDrawing311", validTable(10).set(0, 5, "311"), 1, 5, kDrawingError),
        // A 2 x 2 table needs exactly 4 asterisk cells.
        passes("SolidsTwoByTwoOfFourCards", smallTableOfSolids()),

        // An asterisk after a drawing number makes neither a drawing nor a card.
        fails("SolidsAsteriskAfterTheDigits", validTable(10).set(0, 6, "12*"), 1, 6,
              kCardOrDrawingError),
        // Every answer "*" alone: the count of asterisk cells is right, the cells are not.
        fails("SolidsOfBareAsterisks", bareAsterisks(), 1, 5, kCardOrDrawingError),
        // In a mixed item the asterisk error still wins.
        fails("SolidsBareAsteriskAmongDrawings", validTable(10, true).set(0, 5, "*").set(0, 6, "7"),
              1, 5, kAsteriskError),
        // A title is no number card: an asterisk in it, first or not, is no title at all, and
        // it neither completes nor spoils the count of an item's cards.
        fails("SolidsTitleOfACard", validTable(10, true).set(0, 2, "*3"), 1, 2, kTitleError),
        fails("SolidsTitleWithAnAsteriskInside", validTable(10).set(1, 8, "X*"), 2, 8, kTitleError),
        fails("SolidsTitleCompletingAMixedItem",
              smallTableOfSolids().set(0, 10, "12").set(0, 4, "*A"), 1, 4, kTitleError),
        fails("SolidsCardsBeforeATitleOfAnAsterisk", validTable(10, true).set(0, 12, "A*"), 1, 5,
              kAsteriskError),
        // Elsewhere an asterisk in a title plays no part.
        passes("DrawingsTitleWithAnAsterisk", validTable(2).set(0, 1, "A*B")),
        passes("NumbersTitleWithAnAsterisk", validTable(6).set(0, 1, "3*4")),
    };
    // A number card is an asterisk and one or two digits.
    struct Card {
        const char* name;
        const char* cell;
        bool valid;
    };
    const Card cards[] = {
        {"CardOfOneDigit", "*1", true},      {"CardOfTwoDigits", "*12", true},
        {"CardWithoutDigits", "*", false},   {"CardOfLetters", "*ab", false},
        {"CardOfTwoAsterisks", "**", false}, {"CardEndingInALetter", "*1a", false},
        {"CardWithABlank", "* 1", false},    {"CardWithASign", "*+5", false}};
    for (const Card& c : cards) {
        const Lesson l = validTable(10, true).set(1, 10, c.cell);
        cases.push_back(c.valid ? passes(c.name, l) : fails(c.name, l, 2, 10, kCardOrDrawingError));
    }
    return cases;
}

std::vector<RuleCase> gridCases() {
    return {
        fails("ItemWithoutAMark", validGrid(3).set(1, 10, ""), 2, 5, kMarkError),
        // An empty relation is told before the missing mark.
        fails("EmptyRelation", validGrid(7).set(0, 0, "").set(0, 10, ""), 1, 0,
              ", la relation entre les éléments des colonnes et des rangées n'est pas définie."),
        fails("EmptyTitle", validGrid(11).set(1, 12, ""), 2, 12, kTitleError),
        // Grid titles have no negation mark.
        passes("TitleOfTheNegationMarkAlone", validGrid(3).set(0, 1, "X")),
        // Only the numbers grid goes without the drawing rule.
        passes("NumbersGridHasNoDrawingRule",
               validGrid(7).set(0, 4, "400").set(0, 0, "400 de plus que")),
        fails("DrawingTitle400", validGrid(3).set(0, 4, "400"), 1, 4, kDrawingError),
        fails("SolidsRelationBeginningWith311", validGrid(11).set(1, 0, "311 a"), 2, 0,
              kDrawingError),
        // A mark in a hidden column does not count.
        fails("MarkInAHiddenColumn", validGrid(3).option(0).set(0, 10, "").set(0, 7, "X"), 1, 5,
              kMarkError),
    };
}

// Every case, its name prefixed with the kind of lesson it changes.
std::vector<RuleCase> ruleCases() {
    std::vector<RuleCase> all;
    const std::pair<const char*, std::vector<RuleCase>> kinds[] = {{"Sets", setsCases()},
                                                                   {"Tree", treeCases()},
                                                                   {"Table", tableCases()},
                                                                   {"Grid", gridCases()}};
    for (const auto& [kind, cases] : kinds)
        for (RuleCase c : cases) {
            c.name = kind + c.name;
            all.push_back(std::move(c));
        }
    return all;
}

class LessonRule : public testing::TestWithParam<RuleCase> {};

} // namespace

TEST_P(LessonRule, PassesOrNamesItsFirstError) {
    const RuleCase& c = GetParam();
    const LessonCheck r = c.lesson.check();
    if (c.item == 0) {
        EXPECT_TRUE(r.valid) << platform::cp1252ToUtf8(r.message);
        if (c.record) {
            EXPECT_EQ(r.record, *c.record);
        }
    } else {
        expectError(r, c.item, c.field, c.error);
    }
}

INSTANTIATE_TEST_SUITE_P(LessonValidation, LessonRule, testing::ValuesIn(ruleCases()),
                         [](const testing::TestParamInfo<RuleCase>& rule) {
                             return rule.param.name;
                         });

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
