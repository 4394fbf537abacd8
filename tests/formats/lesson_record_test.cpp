#include "formats/lesson_record.h"
#include "platform/cp1252.h"

#include <gtest/gtest.h>

using namespace formats;

namespace {

// Offsets inside an item, as the layouts were drawn up, for drawings / numbers / solids.
struct Offsets {
    Kind kind;
    std::vector<int> byMaterial[3];
};

std::vector<int> setsOffsets(int step, int first, int second) {
    std::vector<int> v;
    for (int s = 0; s < 14; ++s) v.push_back(1 + step * s);
    v.push_back(first);
    v.push_back(second);
    return v;
}

std::vector<int> treeOffsets(int labelStep, int leafStart, int leafStep) {
    std::vector<int> v;
    for (int k = 0; k < 3; ++k) v.push_back(1 + labelStep * k);
    for (int j = 0; j < 8; ++j) v.push_back(leafStart + leafStep * j);
    return v;
}

} // namespace

TEST(LessonRecord, LayoutsOfTheTwelveActivities) {
    struct Expected {
        int activity, length, options, items, itemLength, used;
    };
    const Expected table[] = {
        {0, 205, 1, 3, 66, 199},  {4, 405, 1, 3, 134, 403}, {8, 250, 1, 3, 82, 247},
        {1, 125, 1, 2, 60, 121},  {5, 225, 1, 2, 110, 221}, {9, 173, 1, 2, 84, 169},
        {2, 205, 2, 2, 99, 200},  {6, 345, 2, 2, 171, 344}, {10, 301, 2, 2, 147, 296},
        {3, 215, 2, 2, 105, 212}, {7, 259, 2, 2, 127, 256}, {11, 319, 2, 2, 157, 316},
    };
    for (const Expected& e : table) {
        const RecordLayout& l = recordLayout(e.activity);
        EXPECT_EQ(l.recordLength, e.length) << e.activity;
        EXPECT_EQ(l.optionCount, e.options) << e.activity;
        EXPECT_EQ(l.itemCount, e.items) << e.activity;
        EXPECT_EQ(l.itemLength, e.itemLength) << e.activity;
        EXPECT_EQ(l.optionCount + l.itemCount * l.itemLength, e.used) << e.activity;
        EXPECT_EQ(l.kind, kindOf(e.activity));
        EXPECT_EQ(l.material, materialOf(e.activity));
    }
    EXPECT_EQ(activityIndex(Material::Solids, Kind::Grid), 11);
}

TEST(LessonRecord, FieldOffsetsAndWidths) {
    const Offsets all[] = {
        {Kind::Sets, {setsOffsets(3, 43, 55), setsOffsets(7, 99, 117), setsOffsets(3, 43, 63)}},
        {Kind::Tree, {treeOffsets(12, 37, 3), treeOffsets(18, 55, 7), treeOffsets(20, 61, 3)}},
        {Kind::Table,
         {{1, 13, 25, 37, 49, 52, 55, 58, 70, 73, 76, 79, 91, 94, 97},
          {1, 19, 37, 55, 73, 80, 87, 94, 112, 119, 126, 133, 151, 158, 165},
          {1, 21, 41, 61, 81, 84, 87, 90, 110, 113, 116, 119, 139, 142, 145}}},
        {Kind::Grid,
         {{1, 25, 37, 49, 61, 73, 74, 75, 76, 88, 89, 90, 91, 103, 104, 105},
          {1, 29, 44, 59, 74, 89, 90, 91, 92, 107, 108, 109, 110, 125, 126, 127},
          {1, 29, 49, 69, 89, 109, 110, 111, 112, 132, 133, 134, 135, 155, 156, 157}}},
    };
    for (const Offsets& o : all) {
        for (int m = 0; m < 3; ++m) {
            const int activity = activityIndex(static_cast<Material>(m), o.kind);
            const RecordLayout& l = recordLayout(activity);
            ASSERT_EQ(l.fields.size(), o.byMaterial[m].size()) << activity;
            for (std::size_t f = 0; f < l.fields.size(); ++f)
                EXPECT_EQ(l.fields[f].offset, o.byMaterial[m][f])
                    << "activity " << activity << " field " << f;
            // The last field ends the item.
            EXPECT_EQ(l.fields.back().offset + l.fields.back().width - 1, l.itemLength);
        }
    }
    // Widths by role: an element of numbers is 7 wide, a grid title of numbers 15, a relation 28.
    EXPECT_EQ(recordLayout(4).fields[setsSlot(0)].width, 7);
    EXPECT_EQ(recordLayout(8).fields[setsTitle(1)].width, 20);
    EXPECT_EQ(recordLayout(7).fields[gridCell(1)].width, 15);
    EXPECT_EQ(recordLayout(3).fields[gridCell(0)].width, 24);
    EXPECT_EQ(recordLayout(11).fields[gridCell(0)].role, FieldRole::Relation);
    EXPECT_EQ(recordLayout(11).fields[gridCell(5)].role, FieldRole::Mark);
    EXPECT_EQ(recordLayout(10).fields[tableCell(8)].role, FieldRole::Title);
    EXPECT_EQ(recordLayout(10).fields[tableCell(9)].role, FieldRole::Element);
}

TEST(LessonRecord, FieldsAreWrittenPaddedAndCutAndReadTrimmed) {
    std::string record; // too short: brought to the record length first
    setField(record, 0, 1, setsSlot(2), "12");
    setField(record, 0, 1, setsTitle(0), "  une cloche trop longue");
    ASSERT_EQ(record.size(), 205u);
    // Item 1 of a sets lesson of drawings starts at 2 + 66; slot 2 sits 6 further.
    EXPECT_EQ(record.substr(2 + 66 + 6 - 1, 3), "12 ");
    EXPECT_EQ(rawField(record, 0, 1, setsTitle(0)), "  une cloche");
    EXPECT_EQ(field(record, 0, 1, setsTitle(0)), "une cloche");
    EXPECT_EQ(field(record, 0, 1, setsSlot(2)), "12");
    EXPECT_EQ(field(record, 0, 0, setsSlot(2)), "");
    EXPECT_EQ(field("", 0, 2, setsTitle(1)), "");

    std::string numbers = blankRecord(6);
    setField(numbers, 6, 1, tableCell(15), cp("20÷5"));
    // Item 1 starts at 3 + 171 = 174, cell 15 at offset 165 inside it: position 338.
    EXPECT_EQ(numbers.substr(337, 7), cp("20÷5   "));
    EXPECT_EQ(static_cast<unsigned char>(numbers[339]), 0xF7);
    EXPECT_EQ(itemText(numbers, 6, 1).substr(164, 7), cp("20÷5   "));

    EXPECT_THROW(setField(numbers, 6, 2, 0, "x"), std::out_of_range); // tables have 2 items
    EXPECT_THROW(recordLayout(12), std::out_of_range);
}

TEST(LessonRecord, LastFieldOfTheLastItemEndsBeforeTheTrailingBlanks) {
    std::string r = blankRecord(11);
    setField(r, 11, 1, gridCell(15), "X");
    EXPECT_EQ(r[315], 'X'); // position 316, the last character used
    EXPECT_EQ(r.substr(316), "   ");
    EXPECT_TRUE(isMark(field(r, 11, 1, gridCell(15))));
    EXPECT_FALSE(isMark("x"));
}

TEST(LessonRecord, OptionsAndBlankRecords) {
    std::string r = blankRecord(2);
    EXPECT_TRUE(isBlankRecord(r));
    EXPECT_FALSE(optionOn(r, kOptionTwoColumns));
    setOption(r, 2, kOptionTwoRows, true);
    EXPECT_EQ(r.substr(0, 2), " 1");
    EXPECT_TRUE(optionIsOne(r, kOptionTwoRows));
    EXPECT_FALSE(isBlankRecord(r));
    r[0] = 'o'; // the players take any character but a blank as on; the editor only "1"
    EXPECT_TRUE(optionOn(r, kOptionTwoColumns));
    EXPECT_FALSE(optionIsOne(r, kOptionTwoColumns));
    EXPECT_THROW(setOption(r, 0, 1, true), std::out_of_range); // sets have one option
    EXPECT_TRUE(isBlankRecord(""));
    EXPECT_EQ(optionChar("", 1), ' ');
}

TEST(LessonRecord, NegationMark) {
    EXPECT_TRUE(hasNegationMark("X12"));
    EXPECT_TRUE(hasNegationMark("xrouge"));
    EXPECT_FALSE(hasNegationMark("12"));
    EXPECT_FALSE(hasNegationMark(""));
}
