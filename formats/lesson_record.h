// The lesson record: one fixed-length, blank-padded text per lesson, laid out by the kind of
// activity and sized by its material. This is the one description of its fields; the players,
// the lesson editor and the catalogue builder all cut and build records through it.
#pragma once

#include <string>
#include <vector>

namespace formats {

enum class Kind { Sets = 0, Tree = 1, Table = 2, Grid = 3 };
enum class Material { Drawings = 0, Numbers = 1, Solids = 2 };

constexpr int kActivityCount = 12;
constexpr int kLessonsPerActivity = 120;

inline Kind kindOf(int activity) {
    return static_cast<Kind>(activity % 4);
}
inline Material materialOf(int activity) {
    return static_cast<Material>(activity / 4);
}
inline int activityIndex(Material material, Kind kind) {
    return 4 * static_cast<int>(material) + static_cast<int>(kind);
}

enum class FieldRole {
    Element,  // element slot of a set, leaf of a tree, answer cell of a table
    Title,    // set title, branch label, column or row title
    Relation, // the relation of a grid
    Mark,     // a grid cell: "X" when the relation holds, blank otherwise
};

struct Field {
    int offset; // 1-based position inside the item
    int width;
    FieldRole role;
};

struct RecordLayout {
    int activity;
    Kind kind;
    Material material;
    int recordLength;
    int optionCount; // option characters at the start of the record
    int itemCount;
    int itemLength;
    std::vector<Field> fields; // in the order they are stored inside an item

    // 1-based position of item n (from 0) in the record.
    int itemStart(int item) const { return optionCount + 1 + item * itemLength; }
    // 1-based position of a field of an item in the record.
    int fieldPosition(int item, int field) const {
        return itemStart(item) + fields.at(field).offset - 1;
    }
};

// The layout of an activity 0..11.
const RecordLayout& recordLayout(int activity);

// Field numbers inside an item, by kind.
// Sets: element slots 0..13, then the first and the second set title.
inline int setsSlot(int slot) {
    return slot;
}
inline int setsTitle(int set) {
    return 14 + set;
}
// Tree: branch labels 0..2 (levels 1..3), then leaves 0..7.
inline int treeLabel(int level) {
    return level;
}
inline int treeLeaf(int leaf) {
    return 3 + leaf;
}
// Table: cells k = 1..15 of the 4 x 4 grid in reading order (cell 0 is not stored).
inline int tableCell(int k) {
    return k - 1;
}
// Grid: cells k = 0..15; cell 0 is the relation.
inline int gridCell(int k) {
    return k;
}
// A cell k of a table or grid below the column titles and right of the row titles; the others
// but the grid's cell 0 are titles.
inline bool isAnswerCell(int k) {
    return k / 4 > 0 && k % 4 > 0;
}

// Option characters: sets: 0 = the two sets share a common area; tree: 0 = two levels;
// table and grid: 0 = two columns of answers, 1 = two rows.
enum : int {
    kOptionCommonArea = 0,
    kOptionTwoLevels = 0,
    kOptionTwoColumns = 0,
    kOptionTwoRows = 1
};

// A record of blanks of the activity's length: a lesson that does not exist.
std::string blankRecord(int activity);
// True when the record holds nothing but blanks.
bool isBlankRecord(const std::string& record);

// The text of a field of an item without its leading and trailing blanks (empty when the record
// is too short to hold it).
std::string field(const std::string& record, int activity, int item, int fieldNumber);
// The same, with its blanks (exactly the field's width).
std::string rawField(const std::string& record, int activity, int item, int fieldNumber);
// Writes a field: left-aligned, padded with blanks and cut to its width. The record is first
// brought to its activity's length.
void setField(std::string& record, int activity, int item, int fieldNumber,
              const std::string& text);

// The characters of item n (its item length), as the players cut them.
std::string itemText(const std::string& record, int activity, int item);

// The option character at index 0 or 1 (a blank when missing).
char optionChar(const std::string& record, int index);
// The players' reading: any character but a blank is "on".
bool optionOn(const std::string& record, int index);
// The editor's reading for the tree, table and grid options: exactly "1".
bool optionIsOne(const std::string& record, int index);
// Writes "1" or a blank.
void setOption(std::string& record, int activity, int index, bool on);

// A grid cell holds the mark exactly when it is "X".
inline bool isMark(const std::string& cellText) {
    return cellText == "X";
}

// The negation mark of titles: a first character "X" or "x".
inline bool hasNegationMark(const std::string& title) {
    return !title.empty() && (title[0] == 'X' || title[0] == 'x');
}

} // namespace formats
