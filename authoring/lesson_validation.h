// The rules a lesson must meet before it is saved, and the building of its record. They are the
// guarantees the players rely on: the right number of elements per item, no empty title, drawing
// numbers within the drawing library, a consistent table of solids, at least one "X" in each item
// of a relation grid. The lesson editor checks what its fields show through checkFields; a lesson
// record (a shipped lesson, say) is checked through checkLesson, which reads it as the editor
// would show it. Nothing here needs a screen.
#pragma once

#include "formats/lesson_record.h"
#include "platform/strings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace authoring {

// The highest drawing number of the drawing library.
constexpr int kDrawingNumberMax = 310;

// Fields of one item as the editor numbers them: sets 16 (element slots 0..13, set titles 14
// and 15), tree 11 (branch labels 0..2, leaves 3..10), table and grid 16 (cell k of the 4 x 4
// grid, row k / 4, column k % 4; cell 0 is the grid's relation and is not used by tables).
int fieldsPerItem(int activity);
int itemCount(int activity);
using formats::isAnswerCell;

// What the editor's fields show for one lesson.
struct LessonFields {
    int activity = 0;
    // Sets: [0] the two sets share a common area. Tree: [0] two levels (otherwise three).
    // Table and grid: [0] two columns of answers, [1] two rows (otherwise three of each).
    std::array<bool, 2> options{false, false};
    // texts[item][field], blanks at both ends removed; a missing entry is an empty field.
    std::vector<std::vector<std::string>> texts;
};

// Whether the editor shows that field of an item with these options. A field it hides counts as
// empty whatever it holds, and is saved empty.
bool fieldShown(int activity, const std::array<bool, 2>& options, int field);

struct LessonCheck {
    bool valid = true;
    int item = 0;      // 1..3: the item of the first error; 0 when valid
    int field = -1;    // the field the user is sent to, numbered inside the item as above
    std::string error; // the error text, beginning with ", " (Windows-1252)
    // What the message box shows: "Dans l'item", a blank, the item number and the error text.
    std::string message;
    // The record built from the fields, at the activity's record length: option characters, then
    // every field at its place and width, hidden fields left blank. For a record checked with
    // checkLesson it equals the record given exactly when the editor would save it unchanged.
    std::string record;
};

// Checks the fields item by item, field by field in record order, and stops at the first error.
LessonCheck checkFields(const LessonFields& fields);

// Reads a record as the editor shows it when the lesson is opened (sets: any option character
// but a blank is "on"; tree, table and grid: exactly "1"; every field without its blanks).
LessonFields fieldsFromRecord(int activity, const std::string& record);

// checkFields(fieldsFromRecord(activity, record)).
LessonCheck checkLesson(int activity, const std::string& record);

// The value of a text read as a number: blanks removed, read from its start as far as it forms a
// number (sign, digits, decimal point, exponent), rounded half to even; 0 when it does not begin
// with a number. Nothing when the value does not fit a 16-bit integer.
std::optional<std::int16_t> numberValue(const std::string& text);
// The same in 32 bits, as the fields read a drawing number when they lose the focus.
std::optional<std::int32_t> numberValue32(const std::string& text);

// A text with its negation mark ("X" or "x" first) dropped and its blanks removed again.
std::string withoutNegationMark(const std::string& text);
// Text without blanks at either end.
using platform::trimmed;

} // namespace authoring
