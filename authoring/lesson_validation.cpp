#include "authoring/lesson_validation.h"

#include "formats/lesson_record.h"
#include "platform/cp1252.h"
#include "platform/numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace authoring {

using formats::Kind;
using formats::Material;

namespace {

const std::string kCrLf = "\r\n";

// The record's field number of an editor field (tables do not store cell 0).
int recordField(Kind kind, int field) {
    return kind == Kind::Table ? formats::tableCell(field) : field;
}

std::string drawingRuleError() {
    return cp(", un dessin porte un numéro supérieur à") + " " + std::to_string(kDrawingNumberMax) +
           ".";
}

// A value that cannot be held in 16 bits lies beyond every drawing number.
bool breaksDrawingRule(const std::string& text) {
    const auto value = numberValue(text);
    return !value || *value > kDrawingNumberMax;
}

std::string plural(int n) {
    return n > 1 ? "s" : "";
}

std::string setsCountError(Material material, int n) {
    const std::string count = " " + std::to_string(n);
    if (material == Material::Numbers)
        return cp(", il y a") + count + " nombre" + plural(n) + cp(" ou opération") + plural(n) +
               cp(" à l'intérieur ou à l'extérieur des ensembles.") + kCrLf +
               cp("Chaque item doit contenir 5 nombres ou opérations.");
    return cp(", il y a") + count + " dessin" + plural(n) + "." + kCrLf +
           cp("Chaque item doit contenir 5 dessins.");
}

std::string treeCountError(Material material, int n, int expected) {
    const std::string what = material == Material::Numbers ? "un nombre." : "un dessin.";
    return cp(", seulement") + " " + std::to_string(n) + " branche" + (n <= 1 ? " a " : "s ont ") +
           what + kCrLf + "Chacune des" + " " + std::to_string(expected) +
           " branches doit contenir " + what;
}

std::string missingTitleError() {
    return cp(", une colonne ou une rangée n'a pas de titre.");
}

std::string emptyAnswerError(Material material) {
    if (material == Material::Numbers) return cp(", une case-réponse ne contient pas de nombre.");
    return cp(", une case-réponse ne contient pas un dessin ou un astérisque suivi d'un nombre.");
}

// An answer of a table of solids played with number cards: "*" and one or two digits.
bool isCardNumber(const std::string& cell) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return (cell.size() == 2 || cell.size() == 3) && cell[0] == '*' &&
           std::all_of(cell.begin() + 1, cell.end(), digit);
}

// The walk of one item: the first error found, or nothing.
struct ItemError {
    int field;
    std::string error;
};

class Walker {
public:
    explicit Walker(const LessonFields& fields)
        : fields_(fields), kind_(formats::kindOf(fields.activity)),
          material_(formats::materialOf(fields.activity)) {}

    // The text the check sees: blanks removed, empty when the field is hidden.
    std::string text(int item, int field) const {
        if (!shown(field)) return "";
        if (item >= static_cast<int>(fields_.texts.size())) return "";
        const auto& texts = fields_.texts[item];
        if (field >= static_cast<int>(texts.size())) return "";
        return trimmed(texts[field]);
    }

    std::optional<ItemError> checkItem(int item) const {
        switch (kind_) {
        case Kind::Sets: return checkSets(item);
        case Kind::Tree: return checkTree(item);
        case Kind::Table: return checkTable(item);
        case Kind::Grid: return checkGrid(item);
        }
        return std::nullopt;
    }

private:
    bool shown(int field) const { return fieldShown(fields_.activity, fields_.options, field); }

    // Outside the sets, the numbers activities have no drawing rule.
    bool breaksDrawingRuleOfItsMaterial(const std::string& t) const {
        return material_ != Material::Numbers && !t.empty() && breaksDrawingRule(t);
    }

    std::optional<ItemError> checkSets(int item) const {
        int elements = 0;
        for (int s = 0; s < 16; ++s) {
            std::string t = text(item, s);
            const bool title = s >= 14;
            if (title && t.empty()) t = "X";
            if (!t.empty()) {
                t = withoutNegationMark(t);
                if (!title) {
                    ++elements;
                } else if (t.empty()) {
                    return ItemError{s, cp(", un ensemble n'a pas de titre.")};
                }
                if (breaksDrawingRule(t)) return ItemError{s, drawingRuleError()};
            }
        }
        if (elements != 5)
            return ItemError{formats::setsSlot(1), setsCountError(material_, elements)};
        return std::nullopt;
    }

    std::optional<ItemError> checkTree(int item) const {
        const bool twoLevels = fields_.options[0];
        const int expected = twoLevels ? 4 : 8;
        int leaves = 0;
        for (int k = 0; k < 11; ++k) {
            std::string t = text(item, k);
            const bool label = k < 3;
            if (label && t.empty()) t = "X";
            if (!t.empty()) {
                t = withoutNegationMark(t);
                if (!label) {
                    ++leaves;
                } else if (t.empty() && shown(k)) {
                    return ItemError{k, cp(", une des branches n'est pas indentifiée.")};
                }
                if (breaksDrawingRuleOfItsMaterial(t)) return ItemError{k, drawingRuleError()};
            }
        }
        if (leaves != expected)
            return ItemError{formats::treeLeaf(0), treeCountError(material_, leaves, expected)};
        return std::nullopt;
    }

    std::optional<ItemError> checkTable(int item) const {
        const int columns = fields_.options[0] ? 2 : 3;
        const int rows = fields_.options[1] ? 2 : 3;
        const int answers = columns * rows;
        int asterisks = 0;
        std::optional<ItemError> found;
        // A number card without its number is told only when the item's cards are otherwise
        // consistent, so the item's remaining cards are still counted after it.
        bool carteSansNombre = false;
        for (int k = 1; k < 16; ++k) {
            std::string t = text(item, k);
            const char first = t.empty() ? '\0' : t[0];
            const bool titleCell = !isAnswerCell(k);
            // Only an answer is a number card: the asterisk marks what the pupil places.
            const bool carte = material_ == Material::Solids && first == '*' && !titleCell;
            if (carteSansNombre) {
                if (carte) ++asterisks;
                continue;
            }
            // An asterisk anywhere in a title would have the player play the whole lesson with
            // cards, drawings or not; a title is a word or a drawing, so it is no title at all.
            if (material_ == Material::Solids && titleCell && t.find('*') != std::string::npos) {
                found = ItemError{k, missingTitleError()};
                break;
            }
            t = withoutNegationMark(t);
            if (shown(k) && t.empty()) {
                if (titleCell)
                    found = ItemError{k, missingTitleError()};
                else
                    found = ItemError{k, emptyAnswerError(material_)};
                break;
            }
            if (carte) {
                ++asterisks;
                // The card shows the digits after the asterisk: without them the cell holds
                // nothing a pupil could place.
                if (!isCardNumber(t)) {
                    found = ItemError{k, emptyAnswerError(material_)};
                    carteSansNombre = true;
                }
            } else if (material_ == Material::Solids && !titleCell &&
                       text(item, k).find('*') != std::string::npos) {
                // An asterisk elsewhere makes neither a drawing nor a card, yet the player would
                // play the whole lesson with cards for it.
                found = ItemError{k, emptyAnswerError(material_)};
                break;
            } else if (breaksDrawingRuleOfItsMaterial(t)) {
                found = ItemError{k, drawingRuleError()};
                break;
            }
        }
        // Mixing number cards and drawings in one item cannot be played: this error wins over
        // whatever else the item holds.
        if (asterisks > 0 && asterisks != answers)
            return ItemError{5, cp(", un ou plusieurs nombres ne sont pas précédés d'un "
                                   "astérisque.")};
        return found;
    }

    std::optional<ItemError> checkGrid(int item) const {
        int marks = 0;
        for (int k = 0; k < 16; ++k) {
            const std::string t = text(item, k);
            if (isAnswerCell(k)) {
                if (!t.empty()) ++marks;
            } else if (shown(k) && t.empty()) {
                if (k == 0)
                    return ItemError{k, cp(", la relation entre les éléments des colonnes et des "
                                           "rangées n'est pas définie.")};
                return ItemError{k, missingTitleError()};
            }
            if (breaksDrawingRuleOfItsMaterial(t)) return ItemError{k, drawingRuleError()};
        }
        if (marks == 0) return ItemError{5, cp(", aucune case ne contient un « X ».")};
        return std::nullopt;
    }

    const LessonFields& fields_;
    Kind kind_;
    Material material_;
};

std::string buildRecord(const LessonFields& fields, const Walker& walker) {
    const int activity = fields.activity;
    const formats::RecordLayout& layout = formats::recordLayout(activity);
    std::string record = formats::blankRecord(activity);
    for (int o = 0; o < layout.optionCount; ++o)
        formats::setOption(record, activity, o, fields.options[o]);
    const int first = layout.kind == Kind::Table ? 1 : 0;
    for (int item = 0; item < layout.itemCount; ++item)
        for (int f = first; f < fieldsPerItem(activity); ++f)
            formats::setField(record, activity, item, recordField(layout.kind, f),
                              walker.text(item, f));
    return record;
}

template <class T> std::optional<T> valueIn(const std::string& text) {
    std::string digits;
    for (char c : text)
        if (c != ' ') digits += c;
    const double value = platform::val(digits);
    if (!std::isfinite(value)) return std::nullopt;
    // Beyond this the rounding could not matter and the value fits no integer of ours.
    if (std::fabs(value) > 4.0e9) return std::nullopt;
    const long long rounded = platform::roundHalfEven(value);
    if (rounded < std::numeric_limits<T>::min() || rounded > std::numeric_limits<T>::max())
        return std::nullopt;
    return static_cast<T>(rounded);
}

} // namespace

int fieldsPerItem(int activity) {
    return formats::kindOf(activity) == Kind::Tree ? 11 : 16;
}

int itemCount(int activity) {
    return formats::recordLayout(activity).itemCount;
}

bool fieldShown(int activity, const std::array<bool, 2>& options, int field) {
    switch (formats::kindOf(activity)) {
    case Kind::Sets:
        if (field == 11) return false;
        if (field == 3 || field == 4 || field == 10) return options[0];
        return field >= 0 && field < 16;
    case Kind::Tree:
        if (!options[0]) return field >= 0 && field < 11;
        return field >= 0 && field < 7 && field != 2;
    case Kind::Table:
    case Kind::Grid: {
        if (field < 0 || field > 15) return false;
        if (field == 0) return formats::kindOf(activity) == Kind::Grid;
        const int columns = options[0] ? 2 : 3;
        const int rows = options[1] ? 2 : 3;
        return field % 4 <= columns && field / 4 <= rows;
    }
    }
    return false;
}

LessonCheck checkFields(const LessonFields& fields) {
    const Walker walker(fields);
    LessonCheck result;
    result.record = buildRecord(fields, walker);
    for (int item = 0; item < itemCount(fields.activity); ++item) {
        if (auto error = walker.checkItem(item)) {
            result.valid = false;
            result.item = item + 1;
            result.field = error->field;
            result.error = error->error;
            result.message = "Dans l'item " + std::to_string(item + 1) + error->error;
            break;
        }
    }
    return result;
}

LessonFields fieldsFromRecord(int activity, const std::string& record) {
    const formats::RecordLayout& layout = formats::recordLayout(activity);
    LessonFields fields;
    fields.activity = activity;
    if (layout.kind == Kind::Sets) {
        fields.options[0] = formats::optionOn(record, formats::kOptionCommonArea);
    } else {
        fields.options[0] = formats::optionIsOne(record, 0);
        if (layout.optionCount > 1) fields.options[1] = formats::optionIsOne(record, 1);
    }
    const int first = layout.kind == Kind::Table ? 1 : 0;
    fields.texts.assign(layout.itemCount, std::vector<std::string>(fieldsPerItem(activity)));
    for (int item = 0; item < layout.itemCount; ++item)
        for (int f = first; f < fieldsPerItem(activity); ++f)
            fields.texts[item][f] =
                formats::field(record, activity, item, recordField(layout.kind, f));
    return fields;
}

LessonCheck checkLesson(int activity, const std::string& record) {
    return checkFields(fieldsFromRecord(activity, record));
}

std::optional<std::int16_t> numberValue(const std::string& text) {
    return valueIn<std::int16_t>(text);
}

std::optional<std::int32_t> numberValue32(const std::string& text) {
    return valueIn<std::int32_t>(text);
}

std::string withoutNegationMark(const std::string& text) {
    if (!formats::hasNegationMark(text)) return text;
    return trimmed(text.substr(1));
}

} // namespace authoring
