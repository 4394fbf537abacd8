// What a title means. A lesson source gives, after each title, the rule that says which elements
// the title describes: a test of the drawing table's attributes ("couleur = rouge", "pattes > 2")
// for drawings and solids, a test of the value for numbers and operations ("pair",
// "multiple de 5", "< 10"), joined by "et", "ou" and "non". A grid gives the relation between
// the element of a row and the element of a column ("autant de pattes", "multiple").
// The catalogue builder places every element by these rules, so a lesson cannot put an element
// where its title says it does not belong.
#pragma once

#include "tools/catalogue_builder_drawings.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace catalogue {

// The value of a number or an operation of a numbers lesson ("12", "3+4", "20÷5", "6x7"):
// multiplication and division before addition and subtraction. Nothing, with the reason, when
// the text is not one, a division is not exact or a result is negative.
std::optional<long long> evaluateNumber(const std::string& text, std::string& reason);

// What a rule is tested on: a drawing, or a number or operation with its value.
struct Subject {
    const Drawing* drawing = nullptr;
    std::string text;    // numbers: the element as stored
    long long value = 0; // numbers: its value
};

class Rule {
public:
    // Parses the rule of a title. `numbers` chooses the numbers tests over the attribute tests.
    // Nothing, with the reason, when the text is not a rule.
    static std::optional<Rule> parse(const std::string& text, bool numbers,
                                     const DrawingTable& table, std::string& reason);
    bool holds(const Subject& subject) const;
    // The rule as written, for messages.
    const std::string& text() const { return text_; }

    struct Node;

private:
    std::shared_ptr<const Node> root_;
    std::string text_;
};

class Relation {
public:
    static std::optional<Relation> parse(const std::string& text, bool numbers,
                                         const DrawingTable& table, std::string& reason);
    // Whether the relation holds from the element of a row to the element of a column: the
    // grid is read "row title, relation, column title".
    bool holds(const Subject& row, const Subject& column) const;
    const std::string& text() const { return text_; }

private:
    enum class Kind {
        SameAttribute,
        OtherAttribute,
        MoreAttribute,
        LessAttribute,
        Bigger,
        Smaller,
        Equal,
        Different,
        MultipleOf,
        DivisorOf,
        DoubleOf,
        HalfOf,
        MoreBy,
        LessBy,
        SumIs,
    };
    Kind kind_ = Kind::Equal;
    std::string attribute_;
    long long amount_ = 0;
    bool numbers_ = false;
    std::string text_;
};

} // namespace catalogue
