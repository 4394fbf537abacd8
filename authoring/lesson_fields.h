// What each field of the lesson editor is, which keys it takes, how long it may grow and which
// help it shows. Fields are numbered inside their item as the validation numbers them
// (authoring/lesson_validation.h).
#pragma once

#include <string>

namespace authoring {

enum class FieldRole {
    SetElement,
    SetTitle,
    TreeLabel,
    TreeLeaf,
    TableTitle,
    TableAnswer,
    GridRelation,
    GridTitle,
    GridAnswer,
    Unused, // cell 0 of a table
};

FieldRole fieldRole(int activity, int field);

// The most characters a field takes: its width in the lesson record.
int fieldWidth(int activity, int field);

// The key filter of a field: the Windows-1252 code to type instead of `keyAscii`, or 0 when the
// key is refused. Enter is always refused and Backspace always passes.
int filterKey(int activity, int field, int keyAscii);

// The help the editor shows while the field has the focus.
std::string helpText(int activity, int field);

// The message of a field whose drawing number lies beyond the drawing library.
std::string drawingTooHighMessage();

} // namespace authoring
