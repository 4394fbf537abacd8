#include "tools/catalogue_builder_rules.h"

#include "platform/cp1252.h"

#include <cstdlib>

namespace catalogue {

// A rule as a small tree: "ou" of "et" of atoms, each atom possibly under "non".
struct Rule::Node {
    enum class Kind {
        Or,
        And,
        Not,
        // drawings and solids
        AttributeIs,
        AttributeIsNot,
        AttributeCompare,
        // numbers
        Even,
        Odd,
        MultipleOf,
        DivisorOf,
        ValueCompare,
        Between,
        Addition,
        Subtraction,
        Multiplication,
        Division,
        Plain,
        DigitCount,
        Units,
        Tens,
    };
    Kind kind = Kind::Or;
    std::vector<std::shared_ptr<const Node>> children;
    std::string attribute;
    std::string value;
    std::string op; // "<", ">", "=", "<=", ">=", "!="
    long long a = 0, b = 0;
};

namespace {

using Node = Rule::Node;
using NodePtr = std::shared_ptr<const Node>;

// Lower case without accents, so that "arêtes" finds the column "aretes" and "véhicule" the
// value "vehicule".
std::string folded(const std::string& text) {
    static const std::string from = cp("àâäéèêëîïôöûùüç");
    static const std::string to = "aaaeeeeiioouuuc";
    std::string out = lower(text);
    for (char& c : out) {
        const std::size_t at = from.find(c);
        if (at != std::string::npos) c = to[at];
    }
    return out;
}

std::vector<std::string> tokens(const std::string& text) {
    std::vector<std::string> out;
    std::string word;
    const auto flush = [&] {
        if (!word.empty()) out.push_back(folded(word));
        word.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' || c == '\t') {
            flush();
        } else if (c == '<' || c == '>' || c == '=' || c == '!') {
            flush();
            if (i + 1 < text.size() && text[i + 1] == '=' && c != '=') {
                out.push_back(std::string(1, c) + "=");
                ++i;
            } else {
                out.push_back(std::string(1, c));
            }
        } else {
            word += c;
        }
    }
    flush();
    return out;
}

bool isComparison(const std::string& t) {
    return t == "<" || t == ">" || t == "=" || t == "<=" || t == ">=" || t == "!=";
}

bool compare(long long left, const std::string& op, long long right) {
    if (op == "<") return left < right;
    if (op == ">") return left > right;
    if (op == "<=") return left <= right;
    if (op == ">=") return left >= right;
    if (op == "!=") return left != right;
    return left == right;
}

std::optional<long long> integerToken(const std::string& t) {
    if (t.empty() || t.size() > 9) return std::nullopt;
    for (char c : t)
        if (c < '0' || c > '9') return std::nullopt;
    return std::atoll(t.c_str());
}

class Parser {
public:
    Parser(std::vector<std::string> tokens, bool numbers, const DrawingTable& table)
        : t_(std::move(tokens)), numbers_(numbers), table_(table) {}

    NodePtr parse(std::string& reason) {
        if (t_.empty()) {
            reason = cp("règle absente");
            return nullptr;
        }
        NodePtr root = disjunction();
        if (root && pos_ < t_.size()) fail(cp("mot inattendu « ") + t_[pos_] + cp(" »"));
        reason = reason_;
        return reason_.empty() ? root : nullptr;
    }

private:
    bool at(const std::string& word) const { return pos_ < t_.size() && t_[pos_] == word; }
    std::string next() { return pos_ < t_.size() ? t_[pos_++] : std::string(); }
    void fail(const std::string& why) {
        if (reason_.empty()) reason_ = why;
    }

    NodePtr disjunction() {
        std::vector<NodePtr> parts{conjunction()};
        while (reason_.empty() && at("ou")) {
            ++pos_;
            parts.push_back(conjunction());
        }
        if (parts.size() == 1) return parts[0];
        auto node = std::make_shared<Node>();
        node->kind = Node::Kind::Or;
        node->children = parts;
        return node;
    }

    NodePtr conjunction() {
        std::vector<NodePtr> parts{unary()};
        while (reason_.empty() && at("et")) {
            ++pos_;
            parts.push_back(unary());
        }
        if (parts.size() == 1) return parts[0];
        auto node = std::make_shared<Node>();
        node->kind = Node::Kind::And;
        node->children = parts;
        return node;
    }

    NodePtr unary() {
        if (at("non")) {
            ++pos_;
            auto node = std::make_shared<Node>();
            node->kind = Node::Kind::Not;
            node->children = {unary()};
            return node;
        }
        return numbers_ ? numberAtom() : attributeAtom();
    }

    long long number(const std::string& after) {
        const std::string t = next();
        const std::optional<long long> n = integerToken(t);
        if (!n) fail(cp("un nombre est attendu après « ") + after + cp(" »"));
        return n.value_or(0);
    }

    NodePtr attributeAtom() {
        auto node = std::make_shared<Node>();
        const std::string column = next();
        if (!table_.hasAttribute(column)) {
            fail(cp("caractéristique inconnue « ") + column + cp(" »"));
            return node;
        }
        node->attribute = column;
        const std::string op = next();
        if (!isComparison(op)) {
            fail(cp("« =, !=, <, >, <= ou >= » est attendu après « ") + column + cp(" »"));
            return node;
        }
        const std::string value = next();
        if (value.empty()) {
            fail(cp("valeur absente après « ") + op + cp(" »"));
            return node;
        }
        node->op = op;
        if (op == "=" || op == "!=") {
            if (!table_.hasValue(column, value)) {
                fail(cp("aucun dessin n'a « ") + value + cp(" » comme ") + column);
                return node;
            }
            node->kind = op == "=" ? Node::Kind::AttributeIs : Node::Kind::AttributeIsNot;
            node->value = value;
        } else {
            const std::optional<long long> n = integerToken(value);
            if (!n) fail(cp("un nombre est attendu après « ") + op + cp(" »"));
            node->kind = Node::Kind::AttributeCompare;
            node->a = n.value_or(0);
        }
        return node;
    }

    NodePtr numberAtom() {
        auto node = std::make_shared<Node>();
        const std::string word = next();
        using K = Node::Kind;
        if (word == "pair") {
            node->kind = K::Even;
        } else if (word == "impair") {
            node->kind = K::Odd;
        } else if (word == "multiple" || word == "diviseur") {
            node->kind = word == "multiple" ? K::MultipleOf : K::DivisorOf;
            if (next() != "de") fail(cp("« de » est attendu après « ") + word + cp(" »"));
            node->a = number("de");
            if (node->a == 0) fail(cp("diviser par 0 n'a pas de sens"));
        } else if (isComparison(word)) {
            node->kind = K::ValueCompare;
            node->op = word;
            node->a = number(word);
        } else if (word == "entre") {
            node->kind = K::Between;
            node->a = number("entre");
            if (next() != "et") fail(cp("« entre N et M » est attendu"));
            node->b = number("et");
        } else if (word == "addition") {
            node->kind = K::Addition;
        } else if (word == "soustraction") {
            node->kind = K::Subtraction;
        } else if (word == "multiplication") {
            node->kind = K::Multiplication;
        } else if (word == "division") {
            node->kind = K::Division;
        } else if (word == "nombre") {
            node->kind = K::Plain;
        } else if (word == "chiffres" || word == "unites" || word == "dizaines") {
            node->kind = word == "chiffres" ? K::DigitCount : word == "unites" ? K::Units : K::Tens;
            const std::string op = next();
            if (!isComparison(op))
                fail(cp("« =, <, > ... » est attendu après « ") + word + cp(" »"));
            node->op = op;
            node->a = number(op);
        } else {
            fail(cp("règle de nombres inconnue « ") + word + cp(" »"));
        }
        return node;
    }

    std::vector<std::string> t_;
    std::size_t pos_ = 0;
    bool numbers_;
    const DrawingTable& table_;
    std::string reason_;
};

bool evaluate(const Node& node, const Subject& s) {
    using K = Node::Kind;
    switch (node.kind) {
    case K::Or:
        for (const NodePtr& c : node.children)
            if (evaluate(*c, s)) return true;
        return false;
    case K::And:
        for (const NodePtr& c : node.children)
            if (!evaluate(*c, s)) return false;
        return true;
    case K::Not: return !evaluate(*node.children[0], s);
    case K::AttributeIs:
    case K::AttributeIsNot: {
        const std::optional<std::string> v =
            s.drawing ? s.drawing->attribute(node.attribute) : std::nullopt;
        const bool is = v && *v == node.value;
        return node.kind == K::AttributeIs ? is : !is;
    }
    case K::AttributeCompare: {
        const std::optional<int> v =
            s.drawing ? s.drawing->numericAttribute(node.attribute) : std::nullopt;
        return v && compare(*v, node.op, node.a);
    }
    case K::Even: return s.value % 2 == 0;
    case K::Odd: return s.value % 2 != 0;
    case K::MultipleOf: return s.value % node.a == 0;
    case K::DivisorOf: return s.value != 0 && node.a % s.value == 0;
    case K::ValueCompare: return compare(s.value, node.op, node.a);
    case K::Between: return s.value >= node.a && s.value <= node.b;
    case K::Addition: return s.text.find('+') != std::string::npos;
    case K::Subtraction: return s.text.find('-') != std::string::npos;
    case K::Multiplication: return s.text.find('x') != std::string::npos;
    case K::Division: return s.text.find('\xF7') != std::string::npos;
    case K::Plain: return s.text.find_first_not_of("0123456789") == std::string::npos;
    case K::DigitCount:
        return compare(static_cast<long long>(std::to_string(s.value).size()), node.op, node.a);
    case K::Units: return compare(s.value % 10, node.op, node.a);
    case K::Tens: return compare(s.value / 10 % 10, node.op, node.a);
    }
    return false;
}

} // namespace

std::optional<long long> evaluateNumber(const std::string& text, std::string& reason) {
    // Terms and the operators between them; "x" and "÷" bind first.
    std::vector<long long> values;
    std::vector<char> ops;
    std::size_t i = 0;
    const auto readNumber = [&]() -> std::optional<long long> {
        const std::size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        if (i == start || i - start > 9) return std::nullopt;
        return std::atoll(text.substr(start, i - start).c_str());
    };
    std::optional<long long> first = readNumber();
    if (!first) {
        reason = cp("un nombre ou une opération est attendu");
        return std::nullopt;
    }
    values.push_back(*first);
    while (i < text.size()) {
        const char op = text[i++];
        if (op != '+' && op != '-' && op != 'x' && op != '\xF7') {
            reason = cp("seuls les signes +, -, x et ÷ sont permis");
            return std::nullopt;
        }
        const std::optional<long long> n = readNumber();
        if (!n) {
            reason = cp("un nombre est attendu après chaque signe");
            return std::nullopt;
        }
        if (op == 'x' || op == '\xF7') {
            long long& left = values.back();
            if (op == 'x') {
                left *= *n;
            } else {
                if (*n == 0 || left % *n != 0) {
                    reason = cp("une division doit tomber juste");
                    return std::nullopt;
                }
                left /= *n;
            }
        } else {
            ops.push_back(op);
            values.push_back(*n);
        }
    }
    long long result = values[0];
    for (std::size_t k = 0; k < ops.size(); ++k) {
        result = ops[k] == '+' ? result + values[k + 1] : result - values[k + 1];
        if (result < 0) {
            reason = cp("le résultat d'une opération ne doit pas être négatif");
            return std::nullopt;
        }
    }
    return result;
}

std::optional<Rule> Rule::parse(const std::string& text, bool numbers, const DrawingTable& table,
                                std::string& reason) {
    Parser parser(tokens(text), numbers, table);
    NodePtr root = parser.parse(reason);
    if (!root) return std::nullopt;
    Rule rule;
    rule.root_ = root;
    rule.text_ = text;
    return rule;
}

bool Rule::holds(const Subject& subject) const {
    return root_ && evaluate(*root_, subject);
}

std::optional<Relation> Relation::parse(const std::string& text, bool numbers,
                                        const DrawingTable& table, std::string& reason) {
    // "autant d'arêtes" reads as "autant de aretes".
    std::vector<std::string> t;
    for (const std::string& word : tokens(text)) {
        if (word.size() > 2 && word.rfind("d'", 0) == 0) {
            t.push_back("de");
            t.push_back(word.substr(2));
        } else {
            t.push_back(word);
        }
    }
    Relation r;
    r.text_ = text;
    r.numbers_ = numbers;
    const auto is = [&](std::initializer_list<const char*> words) {
        if (t.size() != words.size()) return false;
        std::size_t k = 0;
        for (const char* w : words)
            if (t[k++] != w) return false;
        return true;
    };
    // The attribute may be written in several words: "angles droits" is the column
    // "angles_droits".
    const auto attributeAfter = [&](std::size_t k) {
        if (t.size() <= k) return false;
        std::string column = t[k];
        for (std::size_t j = k + 1; j < t.size(); ++j) column += "_" + t[j];
        if (!table.hasAttribute(column)) return false;
        r.attribute_ = column;
        return true;
    };
    if (is({"plus", "grand"})) {
        r.kind_ = Kind::Bigger;
    } else if (is({"plus", "petit"})) {
        r.kind_ = Kind::Smaller;
    } else if (!numbers) {
        if (!t.empty() && t[0] == "meme" && attributeAfter(1)) {
            r.kind_ = Kind::SameAttribute;
        } else if (!t.empty() && t[0] == "autre" && attributeAfter(1)) {
            r.kind_ = Kind::OtherAttribute;
        } else if (t.size() > 1 && t[0] == "autant" && t[1] == "de" && attributeAfter(2)) {
            r.kind_ = Kind::SameAttribute;
        } else if (t.size() > 1 && t[0] == "plus" && t[1] == "de" && attributeAfter(2)) {
            r.kind_ = Kind::MoreAttribute;
        } else if (t.size() > 1 && t[0] == "moins" && t[1] == "de" && attributeAfter(2)) {
            r.kind_ = Kind::LessAttribute;
        } else {
            reason = cp("relation inconnue : « même, autre, autant de, plus de, moins de » suivi "
                        "d'une caractéristique, ou « plus grand », « plus petit »");
            return std::nullopt;
        }
    } else if (is({"egal"})) {
        r.kind_ = Kind::Equal;
    } else if (is({"different"})) {
        r.kind_ = Kind::Different;
    } else if (is({"multiple"})) {
        r.kind_ = Kind::MultipleOf;
    } else if (is({"diviseur"})) {
        r.kind_ = Kind::DivisorOf;
    } else if (is({"double"})) {
        r.kind_ = Kind::DoubleOf;
    } else if (is({"moitie"})) {
        r.kind_ = Kind::HalfOf;
    } else if (t.size() == 3 && integerToken(t[0]) && t[1] == "de" &&
               (t[2] == "plus" || t[2] == "moins")) {
        r.kind_ = t[2] == "plus" ? Kind::MoreBy : Kind::LessBy;
        r.amount_ = *integerToken(t[0]);
    } else if (t.size() == 2 && t[0] == "somme" && integerToken(t[1])) {
        r.kind_ = Kind::SumIs;
        r.amount_ = *integerToken(t[1]);
    } else {
        reason = cp("relation de nombres inconnue : plus grand, plus petit, égal, différent, "
                    "multiple, diviseur, double, moitié, N de plus, N de moins, somme N");
        return std::nullopt;
    }
    return r;
}

bool Relation::holds(const Subject& row, const Subject& column) const {
    const auto attribute = [&](const Subject& s) {
        return s.drawing ? s.drawing->attribute(attribute_) : std::nullopt;
    };
    const auto numeric = [&](const Subject& s) {
        return s.drawing ? s.drawing->numericAttribute(attribute_) : std::nullopt;
    };
    switch (kind_) {
    case Kind::SameAttribute: {
        const auto a = attribute(row), b = attribute(column);
        return a && b && *a == *b;
    }
    case Kind::OtherAttribute: {
        const auto a = attribute(row), b = attribute(column);
        return a && b && *a != *b;
    }
    case Kind::MoreAttribute:
    case Kind::LessAttribute: {
        const auto a = numeric(row), b = numeric(column);
        if (!a || !b) return false;
        return kind_ == Kind::MoreAttribute ? *a > *b : *a < *b;
    }
    case Kind::Bigger:
    case Kind::Smaller: {
        if (numbers_)
            return kind_ == Kind::Bigger ? row.value > column.value : row.value < column.value;
        const auto size = [](const Subject& s) -> int {
            const auto g = s.drawing ? s.drawing->attribute("grandeur") : std::nullopt;
            return !g ? -1 : *g == "grand" ? 1 : 0;
        };
        const int a = size(row), b = size(column);
        if (a < 0 || b < 0) return false;
        return kind_ == Kind::Bigger ? a > b : a < b;
    }
    case Kind::Equal: return row.value == column.value;
    case Kind::Different: return row.value != column.value;
    case Kind::MultipleOf: return column.value != 0 && row.value % column.value == 0;
    case Kind::DivisorOf: return row.value != 0 && column.value % row.value == 0;
    case Kind::DoubleOf: return row.value == 2 * column.value;
    case Kind::HalfOf: return 2 * row.value == column.value;
    case Kind::MoreBy: return row.value == column.value + amount_;
    case Kind::LessBy: return row.value + amount_ == column.value;
    case Kind::SumIs: return row.value + column.value == amount_;
    }
    return false;
}

} // namespace catalogue
