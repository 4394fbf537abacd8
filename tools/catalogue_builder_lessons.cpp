#include "tools/catalogue_builder_lessons.h"

#include "formats/lesson_record.h"
#include "platform/cp1252.h"

#include <array>
#include <map>
#include <set>

namespace catalogue {

using formats::Kind;
using formats::Material;

namespace {

constexpr char kOpenQuote = '\xAB';  // «
constexpr char kCloseQuote = '\xBB'; // »
constexpr int kDrawingNumberMax = 310;
// The tree and table players show at most this many characters of a title after its mark.
constexpr int kShownTitleLength = 15;

const char* const kTitles[formats::kActivityCount] = {
    "Les ensembles de dessins", "L'arbre des dessins",      "Le tableau des dessins",
    "Les dessins amis",         "Les ensembles de nombres", "L'arbre des nombres",
    "Le tableau des nombres",   "Les nombres amis",         "Les ensembles de solides",
    "L'arbre des solides",      "Le tableau des solides",   "Les solides amis"};

int fieldWidth(int activity, int field) {
    return formats::recordLayout(activity).fields.at(field).width;
}

// Titles that the players show crossed out when they begin with "X".
bool titlesNegate(int activity) {
    const Kind kind = formats::kindOf(activity);
    const Material material = formats::materialOf(activity);
    if (kind == Kind::Sets) return true;
    if (kind == Kind::Grid) return false;
    return material != Material::Numbers;
}

// Titles that the players show as a drawing when they begin with a digit.
bool titlesShowDrawings(int activity) {
    return formats::materialOf(activity) != Material::Numbers;
}

std::string drawingNameMismatch(const Drawing& d, const std::string& written) {
    return cp("le dessin ") + std::to_string(d.number) + cp(" est « ") + d.name + cp(" », pas « ") +
           written + cp(" »");
}

bool sameName(const std::string& a, const std::string& b) {
    return lower(trim(a)) == lower(trim(b));
}

// The number a text begins with, read as the lesson editor reads it for its drawing rule.
long long leadingNumber(const std::string& text) {
    long long value = 0;
    std::size_t i = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && value < 100000)
        value = value * 10 + (text[i++] - '0');
    return value;
}

class ActivityParser {
public:
    ActivityParser(const std::string& file, const DrawingTable& table, Diagnostics& diagnostics)
        : file_(file), table_(table), d_(diagnostics) {}

    ActivitySource run(const std::vector<SourceLine>& lines) {
        for (const SourceLine& line : lines) handle(line);
        finishLesson();
        if (result_.activity < 0) error(0, cp("la ligne « activité X : titre » manque"));
        return result_;
    }

private:
    void error(int line, const std::string& message) { d_.error(file_, line, message); }

    Kind kind() const { return formats::kindOf(result_.activity); }
    Material material() const { return formats::materialOf(result_.activity); }
    bool numbers() const { return material() == Material::Numbers; }

    void handle(const SourceLine& line) {
        const std::string text = line.text;
        const std::string low = lower(text);
        if (low == "item" || low.rfind("item ", 0) == 0) {
            startItem(line);
            return;
        }
        const std::optional<KeyValue> kv = keyValue(text);
        if (!kv) {
            error(line.number, cp("ligne incomprise (« clé : valeur » attendu)"));
            return;
        }
        if (kv->key.rfind(cp("activité"), 0) == 0) {
            activityLine(line, *kv);
            return;
        }
        if (result_.activity < 0) {
            error(line.number, cp("la ligne « activité X : titre » doit venir en premier"));
            return;
        }
        if (kv->key.rfind(cp("leçon"), 0) == 0) {
            startLesson(line, *kv);
            return;
        }
        if (!lesson_) {
            error(line.number, cp("cette ligne doit suivre « leçon N : description »"));
            return;
        }
        if (!item_) {
            optionLine(line, *kv);
            return;
        }
        itemLine(line, *kv);
    }

    void activityLine(const SourceLine& line, const KeyValue& kv) {
        const std::string letter = trim(kv.key.substr(std::string(cp("activité")).size()));
        if (result_.activity >= 0 || letter.size() != 1 || letter[0] < 'a' || letter[0] > 'l') {
            error(line.number, cp("« activité A : titre » à « activité L : titre », une fois"));
            return;
        }
        result_.activity = letter[0] - 'a';
        if (kv.value != activityTitle(result_.activity))
            error(line.number,
                  cp("l'activité ") + std::string(1, activityLetter(result_.activity)) +
                      cp(" s'appelle « ") + activityTitle(result_.activity) + cp(" »"));
    }

    void startLesson(const SourceLine& line, const KeyValue& kv) {
        finishLesson();
        const std::optional<int> number =
            wholeNumber(trim(kv.key.substr(std::string(cp("leçon")).size())));
        if (!number || *number < 1 || *number > formats::kLessonsPerActivity) {
            error(line.number, cp("le numéro d'une leçon va de 1 à 120"));
            return;
        }
        if (!numbersSeen_.insert(*number).second)
            error(line.number, cp("la leçon ") + std::to_string(*number) + cp(" existe déjà"));
        if (kv.value.empty()) error(line.number, cp("la leçon doit être décrite en quelques mots"));
        lesson_ = LessonSource();
        lesson_->file = file_;
        lesson_->line = line.number;
        lesson_->activity = result_.activity;
        lesson_->number = *number;
        lesson_->description = kv.value;
    }

    void finishItem() {
        if (item_ && lesson_) lesson_->items.push_back(std::move(*item_));
        item_.reset();
    }

    void finishLesson() {
        finishItem();
        if (!lesson_) return;
        const bool optionsGiven = kind() == Kind::Sets   ? commonAreaGiven_
                                  : kind() == Kind::Tree ? lesson_->levels != 0
                                                         : lesson_->columns != 0;
        if (!optionsGiven)
            error(lesson_->line, kind() == Kind::Sets
                                     ? cp("« aire commune : oui » ou « non » manque")
                                 : kind() == Kind::Tree ? cp("« niveaux : 2 » ou « 3 » manque")
                                                        : cp("« taille : C colonnes et R rangées » "
                                                             "manque"));
        result_.lessons.push_back(std::move(*lesson_));
        lesson_.reset();
        commonAreaGiven_ = false;
    }

    void optionLine(const SourceLine& line, const KeyValue& kv) {
        const std::string value = lower(kv.value);
        if (kind() == Kind::Sets && kv.key == "aire commune") {
            if (value != "oui" && value != "non")
                error(line.number, cp("« aire commune : oui » ou « non »"));
            lesson_->commonArea = value == "oui";
            commonAreaGiven_ = true;
        } else if (kind() == Kind::Tree && kv.key == "niveaux") {
            if (value != "2" && value != "3") error(line.number, cp("« niveaux : 2 » ou « 3 »"));
            lesson_->levels = value == "2" ? 2 : 3;
        } else if ((kind() == Kind::Table || kind() == Kind::Grid) && kv.key == "taille") {
            // "2 colonnes et 3 rangées"
            std::vector<std::string> words;
            for (const std::string& w : splitTrimmed(value, ' '))
                if (!w.empty()) words.push_back(w);
            int columns = 0, rows = 0;
            if (words.size() == 5 && words[1] == "colonnes" && words[2] == "et" &&
                words[4] == cp("rangées")) {
                columns = wholeNumber(words[0]).value_or(0);
                rows = wholeNumber(words[3]).value_or(0);
            }
            if ((columns != 2 && columns != 3) || (rows != 2 && rows != 3)) {
                error(line.number, cp("« taille : 2 colonnes et 3 rangées » (2 ou 3 de chaque)"));
                columns = rows = 3;
            }
            lesson_->columns = columns;
            lesson_->rows = rows;
        } else {
            error(line.number, cp("option inconnue pour cette activité, ou ligne placée avant "
                                  "« item »"));
        }
    }

    void startItem(const SourceLine& line) {
        if (!lesson_) {
            error(line.number, cp("« item » doit suivre « leçon N : description »"));
            return;
        }
        finishItem();
        const std::string rest = trim(line.text.substr(4));
        const int expected = static_cast<int>(lesson_->items.size()) + 1;
        if (!rest.empty() && wholeNumber(rest) != expected)
            error(line.number, cp("cet item est l'item ") + std::to_string(expected));
        item_ = ItemSpec();
        item_->line = line.number;
        item_->titles.resize(kind() == Kind::Sets ? 2 : kind() == Kind::Tree ? 3 : 6);
    }

    // "ensemble 2" gives 2 when the key starts with the word.
    static std::optional<int> indexAfter(const std::string& key, const std::string& word) {
        if (key.rfind(word + " ", 0) != 0) return std::nullopt;
        return wholeNumber(trim(key.substr(word.size() + 1)));
    }

    void itemLine(const SourceLine& line, const KeyValue& kv) {
        const std::string elementsKey = numbers() ? "nombres" : "dessins";
        if (kind() != Kind::Grid && kv.key == elementsKey) {
            if (!item_->elements.empty()) error(line.number, cp("les éléments sont déjà donnés"));
            item_->elements = elementList(line.number, kv.value, elementWidth());
            return;
        }
        std::optional<int> index;
        int slot = -1;
        if (kind() == Kind::Sets && (index = indexAfter(kv.key, "ensemble"))) {
            if (*index == 1 || *index == 2) slot = *index - 1;
        } else if (kind() == Kind::Tree && (index = indexAfter(kv.key, "niveau"))) {
            if (*index >= 1 && *index <= 3) slot = *index - 1;
        } else if (kind() == Kind::Table && (index = indexAfter(kv.key, "colonne"))) {
            if (*index >= 1 && *index <= 3) slot = *index - 1;
        } else if (kind() == Kind::Table && (index = indexAfter(kv.key, cp("rangée")))) {
            if (*index >= 1 && *index <= 3) slot = 2 + *index;
        } else if (kind() == Kind::Grid) {
            gridLine(line, kv);
            return;
        } else {
            error(line.number, cp("ligne inconnue pour cette activité"));
            return;
        }
        if (slot < 0) {
            error(line.number, cp("numéro hors des limites"));
            return;
        }
        if (item_->titles[slot]) error(line.number, cp("ce titre est déjà donné"));
        item_->titles[slot] = title(line.number, kv.value, titleWidth());
    }

    void gridLine(const SourceLine& line, const KeyValue& kv) {
        if (kv.key == "relation") {
            std::string text, rest;
            if (!quoted(line.number, kv.value, text, rest)) return;
            item_->relationText = text;
            if (static_cast<int>(text.size()) > fieldWidth(result_.activity, 0))
                error(line.number, cp("la relation dépasse ") +
                                       std::to_string(fieldWidth(result_.activity, 0)) +
                                       cp(" caractères"));
            if (text.empty()) error(line.number, cp("la relation est vide"));
            std::string reason;
            item_->relation = Relation::parse(rest, numbers(), table_, reason);
            if (!item_->relation) error(line.number, reason);
        } else if (kv.key == "colonnes") {
            item_->columns = elementList(line.number, kv.value, fieldWidth(result_.activity, 1));
        } else if (kv.key == cp("rangées")) {
            item_->rows = elementList(line.number, kv.value, fieldWidth(result_.activity, 1));
        } else {
            error(line.number, cp("ligne inconnue pour une grille (relation, colonnes, rangées)"));
        }
    }

    int elementWidth() const {
        const int first = kind() == Kind::Tree    ? formats::treeLeaf(0)
                          : kind() == Kind::Table ? formats::tableCell(5)
                                                  : formats::setsSlot(0);
        return fieldWidth(result_.activity, first);
    }
    int titleWidth() const {
        const int first = kind() == Kind::Tree    ? formats::treeLabel(0)
                          : kind() == Kind::Table ? formats::tableCell(1)
                                                  : formats::setsTitle(0);
        return fieldWidth(result_.activity, first);
    }

    // « text » and what follows it.
    bool quoted(int line, const std::string& value, std::string& text, std::string& rest) {
        if (value.empty() || value[0] != kOpenQuote) {
            error(line, cp("le titre s'écrit entre « et »"));
            return false;
        }
        const std::size_t close = value.find(kCloseQuote, 1);
        if (close == std::string::npos) {
            error(line, cp("« sans »"));
            return false;
        }
        text = trim(value.substr(1, close - 1));
        rest = trim(value.substr(close + 1));
        return true;
    }

    std::optional<TitleSpec> title(int line, const std::string& value, int width) {
        TitleSpec t;
        t.line = line;
        std::string rest;
        if (!quoted(line, value, t.stored, rest)) return t;
        if (static_cast<int>(t.stored.size()) > width)
            error(line, cp("le titre dépasse ") + std::to_string(width) + cp(" caractères"));
        std::string shown = t.stored;
        if (titlesNegate(result_.activity) && formats::hasNegationMark(shown)) {
            t.negated = true;
            shown = trim(shown.substr(1));
        } else if (!numbers() && formats::hasNegationMark(shown) && kind() != Kind::Grid) {
            // A solids table played with number cards: a leading "X" would be shown as written.
            error(line, cp("ce titre ne peut pas commencer par X"));
        } else if (numbers() && formats::hasNegationMark(shown)) {
            error(line, cp("dans les nombres, un titre qui commence par X ne serait pas barré"));
        }
        if (shown.empty()) error(line, cp("le titre est vide"));
        if (kind() == Kind::Tree || kind() == Kind::Table) {
            if (static_cast<int>(shown.size()) > kShownTitleLength)
                error(line, cp("le joueur ne montre que 15 caractères du titre"));
        }
        if (titlesShowDrawings(result_.activity) && !shown.empty() && shown[0] >= '0' &&
            shown[0] <= '9') {
            const std::optional<int> n = wholeNumber(shown);
            const Drawing* d = n ? table_.find(*n) : nullptr;
            if (!d || *n > kDrawingNumberMax) {
                error(line, cp("un titre qui commence par un chiffre est le numéro d'un dessin "
                               "(0 à 310) et ne contient rien d'autre"));
                return t;
            }
            t.drawing = *n;
            t.drawingEntry = d;
            if (!rest.empty() && rest[0] == '(') {
                const std::size_t close = rest.find(')');
                const std::string name =
                    close == std::string::npos ? rest.substr(1) : rest.substr(1, close - 1);
                if (!sameName(name, d->name)) error(line, drawingNameMismatch(*d, trim(name)));
                rest = close == std::string::npos ? std::string() : trim(rest.substr(close + 1));
            }
        }
        if (numbers() && leadingNumber(shown) > kDrawingNumberMax && kind() == Kind::Sets)
            error(line, cp("un titre qui commence par un nombre plus grand que 310 est refusé par "
                           "l'éditeur de leçons"));
        const std::string low = lower(rest);
        if (low.rfind("compte ", 0) == 0) {
            t.countAttribute = trim(rest.substr(7));
            const std::string folded = lower(t.countAttribute);
            // Written with or without accents.
            static const std::map<std::string, std::string> spelled = {
                {cp("arêtes"), "aretes"},
                {cp("côtés"), "cotes"},
                {"angles droits", "angles_droits"}};
            const auto it = spelled.find(folded);
            t.countAttribute = it == spelled.end() ? folded : it->second;
            if (!table_.hasAttribute(t.countAttribute))
                error(line, cp("caractéristique inconnue « ") + t.countAttribute + cp(" »"));
            if (!(kind() == Kind::Table && material() == Material::Solids))
                error(line, cp("« compte » ne sert que dans le tableau des solides"));
            if (t.negated) error(line, cp("un titre à compter ne peut pas être barré"));
            return t;
        }
        if (rest.empty()) {
            // Only the drawing titles of a table played with number cards stand without a rule.
            if (!(t.drawing && kind() == Kind::Table && material() == Material::Solids))
                error(line, cp("la règle du titre manque"));
            return t;
        }
        std::string reason;
        t.rule = Rule::parse(rest, numbers(), table_, reason);
        if (!t.rule) error(line, reason);
        return t;
    }

    std::vector<ElementSpec> elementList(int line, const std::string& value, int width) {
        std::vector<ElementSpec> list;
        for (const std::string& part : splitTrimmed(value, ',')) {
            ElementSpec e;
            e.line = line;
            if (part.empty()) {
                error(line, cp("élément vide dans la liste"));
                continue;
            }
            if (numbers()) {
                std::string text;
                for (char c : part)
                    if (c != ' ') text += c == '/' ? '\xF7' : c == 'X' ? 'x' : c;
                std::string reason;
                const std::optional<long long> v = evaluateNumber(text, reason);
                if (!v) error(line, cp("« ") + part + cp(" » : ") + reason);
                if (static_cast<int>(text.size()) > width)
                    error(line, cp("« ") + part + cp(" » dépasse ") + std::to_string(width) +
                                    cp(" caractères"));
                if (kind() == Kind::Sets && leadingNumber(text) > kDrawingNumberMax)
                    error(line, cp("« ") + part +
                                    cp(" » : l'éditeur de leçons refuse dans les ensembles un "
                                       "nombre plus grand que 310"));
                e.stored = text;
                e.subject.text = text;
                e.subject.value = v.value_or(0);
            } else {
                std::size_t digits = 0;
                while (digits < part.size() && part[digits] >= '0' && part[digits] <= '9') ++digits;
                const std::optional<int> n = wholeNumber(part.substr(0, digits));
                const Drawing* d = n ? table_.find(*n) : nullptr;
                if (!d) {
                    error(line, cp("« ") + part +
                                    cp(" » : un numéro de dessin (0 à 310) suivi "
                                       "de son nom est attendu"));
                    continue;
                }
                const std::string name = trim(part.substr(digits));
                if (!sameName(name, d->name)) error(line, drawingNameMismatch(*d, name));
                e.stored = std::to_string(*n);
                e.subject.drawing = d;
            }
            list.push_back(std::move(e));
        }
        return list;
    }

    std::string file_;
    const DrawingTable& table_;
    Diagnostics& d_;
    ActivitySource result_;
    std::optional<LessonSource> lesson_;
    std::optional<ItemSpec> item_;
    bool commonAreaGiven_ = false;
    std::set<int> numbersSeen_;
};

class RecordBuilder {
public:
    RecordBuilder(const LessonSource& lesson, Diagnostics& diagnostics)
        : l_(lesson), d_(diagnostics), record_(formats::blankRecord(lesson.activity)) {}

    std::optional<std::string> run() {
        const Kind kind = formats::kindOf(l_.activity);
        const int expectedItems = kind == Kind::Sets ? 3 : 2;
        if (static_cast<int>(l_.items.size()) != expectedItems)
            error(l_.line, cp("une leçon de cette activité a ") + std::to_string(expectedItems) +
                               cp(" items"));
        // Every item is still built, so that all its errors are told at once.
        for (std::size_t i = 0; i < l_.items.size() && static_cast<int>(i) < expectedItems; ++i) {
            const ItemSpec& item = l_.items[i];
            switch (kind) {
            case Kind::Sets: sets(static_cast<int>(i), item); break;
            case Kind::Tree: tree(static_cast<int>(i), item); break;
            case Kind::Table: table(static_cast<int>(i), item); break;
            case Kind::Grid: grid(static_cast<int>(i), item); break;
            }
        }
        if (kind == Kind::Table && formats::materialOf(l_.activity) == Material::Solids) {
            if (cardItems_ != 0 && cardItems_ != expectedItems)
                error(l_.line, cp("une leçon jouée avec des nombres l'est pour ses deux items"));
        }
        if (failed_) return std::nullopt;
        return record_;
    }

private:
    void error(int line, const std::string& message) {
        d_.error(l_.file, line, message);
        failed_ = true;
    }
    void set(int item, int field, const std::string& text) {
        formats::setField(record_, l_.activity, item, field, text);
    }
    bool titlesPresent(const ItemSpec& item, int from, int count) {
        bool ok = true;
        for (int k = from; k < from + count; ++k) {
            if (!item.titles[k]) {
                error(item.line, cp("un titre manque dans cet item"));
                ok = false;
            }
        }
        return ok;
    }
    void titlesAbsent(const ItemSpec& item, int from, int count) {
        for (int k = from; k < from + count; ++k)
            if (item.titles[k]) error(item.titles[k]->line, cp("ce titre n'est pas utilisé"));
    }

    void sets(int i, const ItemSpec& item) {
        formats::setOption(record_, l_.activity, formats::kOptionCommonArea, l_.commonArea);
        if (!titlesPresent(item, 0, 2)) return;
        if (item.elements.size() != 5) {
            error(item.line, cp("chaque item contient 5 éléments"));
            return;
        }
        // The slots of each region, in the order they are filled.
        static const std::array<std::vector<int>, 4> slots = {
            std::vector<int>{0, 7}, {1, 2, 8, 9}, {3, 4, 10}, {5, 6, 12, 13}};
        std::array<std::size_t, 4> used{};
        static const char* const names[4] = {
            "à l'extérieur des ensembles", "dans le premier ensemble seulement",
            "dans les deux ensembles", "dans le second ensemble seulement"};
        for (const ElementSpec& e : item.elements) {
            const int region = setsRegionOf(item, e.subject);
            if (region == 2 && !l_.commonArea) {
                error(e.line, cp("« ") + e.stored +
                                  cp(" » va dans les deux ensembles, mais ils n'ont pas d'aire "
                                     "commune"));
                continue;
            }
            if (used[region] == slots[region].size()) {
                error(e.line, cp("trop d'éléments ") + cp(names[region]));
                continue;
            }
            set(i, formats::setsSlot(slots[region][used[region]++]), e.stored);
        }
        set(i, formats::setsTitle(0), item.titles[0]->stored);
        set(i, formats::setsTitle(1), item.titles[1]->stored);
    }

    void tree(int i, const ItemSpec& item) {
        formats::setOption(record_, l_.activity, formats::kOptionTwoLevels, l_.levels == 2);
        if (!titlesPresent(item, 0, l_.levels)) return;
        titlesAbsent(item, l_.levels, 3 - l_.levels);
        const std::size_t leaves = l_.levels == 2 ? 4 : 8;
        if (item.elements.size() != leaves) {
            error(item.line, cp("cet arbre a ") + std::to_string(leaves) +
                                 cp(" feuilles : un élément par feuille"));
            return;
        }
        std::vector<const ElementSpec*> atLeaf(leaves, nullptr);
        for (const ElementSpec& e : item.elements) {
            const int leaf = treeLeafOf(l_, item, e.subject);
            if (atLeaf[leaf]) {
                error(e.line, cp("« ") + e.stored + cp(" » et « ") + atLeaf[leaf]->stored +
                                  cp(" » iraient sur la même feuille"));
                continue;
            }
            atLeaf[leaf] = &e;
        }
        for (int level = 0; level < l_.levels; ++level)
            set(i, formats::treeLabel(level), item.titles[level]->stored);
        for (std::size_t leaf = 0; leaf < leaves; ++leaf)
            if (atLeaf[leaf])
                set(i, formats::treeLeaf(static_cast<int>(leaf)), atLeaf[leaf]->stored);
    }

    void table(int i, const ItemSpec& item) {
        formats::setOption(record_, l_.activity, formats::kOptionTwoColumns, l_.columns == 2);
        formats::setOption(record_, l_.activity, formats::kOptionTwoRows, l_.rows == 2);
        if (!titlesPresent(item, 0, l_.columns) || !titlesPresent(item, 3, l_.rows)) return;
        titlesAbsent(item, l_.columns, 3 - l_.columns);
        titlesAbsent(item, 3 + l_.rows, 3 - l_.rows);
        for (int c = 0; c < l_.columns; ++c)
            set(i, formats::tableCell(1 + c), item.titles[c]->stored);
        for (int r = 0; r < l_.rows; ++r)
            set(i, formats::tableCell(4 * (r + 1)), item.titles[3 + r]->stored);
        bool cards = false;
        for (const auto& t : item.titles)
            if (t && !t->countAttribute.empty()) cards = true;
        if (cards) {
            cardTable(i, item);
            return;
        }
        const std::size_t cells = static_cast<std::size_t>(l_.columns * l_.rows);
        if (item.elements.size() != cells) {
            error(item.line,
                  cp("ce tableau a ") + std::to_string(cells) + cp(" cases : un élément par case"));
            return;
        }
        std::map<int, const ElementSpec*> atCell;
        for (const ElementSpec& e : item.elements) {
            const int column = only(item, e, 0, l_.columns, cp("colonne"));
            const int row = only(item, e, 3, l_.rows, cp("rangée"));
            if (column < 0 || row < 0) continue;
            const int k = 4 * (row + 1) + column + 1;
            if (atCell.count(k)) {
                error(e.line, cp("« ") + e.stored + cp(" » et « ") + atCell[k]->stored +
                                  cp(" » iraient dans la même case"));
                continue;
            }
            atCell[k] = &e;
            set(i, formats::tableCell(k), e.stored);
        }
    }

    // The one title among `count` from `from` that describes the element; -1 (reported) when
    // none or several do.
    int only(const ItemSpec& item, const ElementSpec& e, int from, int count,
             const std::string& what) {
        int found = -1;
        for (int k = 0; k < count; ++k) {
            if (!item.titles[from + k]->rule) return -1; // already reported
            if (!item.titles[from + k]->describes(e.subject)) continue;
            if (found >= 0) {
                error(e.line, cp("« ") + e.stored + cp(" » convient à plus d'une ") + what);
                return -1;
            }
            found = k;
        }
        if (found < 0) error(e.line, cp("« ") + e.stored + cp(" » ne convient à aucune ") + what);
        return found;
    }

    void cardTable(int i, const ItemSpec& item) {
        ++cardItems_;
        if (!item.elements.empty())
            error(item.line, cp("un tableau joué avec des nombres calcule ses cases : pas de "
                                "liste d'éléments"));
        for (int r = 0; r < l_.rows; ++r) {
            for (int c = 0; c < l_.columns; ++c) {
                const TitleSpec& column = *item.titles[c];
                const TitleSpec& row = *item.titles[3 + r];
                const TitleSpec* drawing = column.drawing ? &column : row.drawing ? &row : nullptr;
                const TitleSpec* count = !column.countAttribute.empty() ? &column
                                         : !row.countAttribute.empty()  ? &row
                                                                        : nullptr;
                if (!drawing || !count || drawing == count) {
                    error(item.line, cp("chaque case croise un dessin et une caractéristique à "
                                        "compter"));
                    return;
                }
                const std::optional<int> value =
                    drawing->drawingEntry->numericAttribute(count->countAttribute);
                if (!value || *value < 0 || *value > 99) {
                    error(drawing->line, cp("le dessin ") + std::to_string(*drawing->drawing) +
                                             cp(" n'a pas de nombre de ") + count->countAttribute);
                    return;
                }
                set(i, formats::tableCell(4 * (r + 1) + c + 1), "*" + std::to_string(*value));
            }
        }
    }

    void grid(int i, const ItemSpec& item) {
        formats::setOption(record_, l_.activity, formats::kOptionTwoColumns, l_.columns == 2);
        formats::setOption(record_, l_.activity, formats::kOptionTwoRows, l_.rows == 2);
        if (!item.relation) {
            error(item.line, cp("la relation manque"));
            return;
        }
        if (static_cast<int>(item.columns.size()) != l_.columns ||
            static_cast<int>(item.rows.size()) != l_.rows) {
            error(item.line, cp("il faut ") + std::to_string(l_.columns) + cp(" colonnes et ") +
                                 std::to_string(l_.rows) + cp(" rangées"));
            return;
        }
        set(i, formats::gridCell(0), item.relationText);
        for (int c = 0; c < l_.columns; ++c)
            set(i, formats::gridCell(1 + c), item.columns[c].stored);
        int marks = 0;
        for (int r = 0; r < l_.rows; ++r) {
            set(i, formats::gridCell(4 * (r + 1)), item.rows[r].stored);
            for (int c = 0; c < l_.columns; ++c) {
                if (!item.relation->holds(item.rows[r].subject, item.columns[c].subject)) continue;
                set(i, formats::gridCell(4 * (r + 1) + c + 1), "X");
                ++marks;
            }
        }
        if (marks == 0) error(item.line, cp("la relation n'est vraie dans aucune case"));
    }

    const LessonSource& l_;
    Diagnostics& d_;
    std::string record_;
    bool failed_ = false;
    int cardItems_ = 0;
};

} // namespace

const std::string& activityTitle(int activity) {
    static const std::vector<std::string> titles = [] {
        std::vector<std::string> t;
        for (const char* s : kTitles) t.push_back(cp(s));
        return t;
    }();
    return titles.at(activity);
}

bool TitleSpec::describes(const Subject& subject) const {
    const bool holds = rule && rule->holds(subject);
    return negated ? !holds : holds;
}

int setsRegionOf(const ItemSpec& item, const Subject& subject) {
    const bool first = item.titles[0] && item.titles[0]->describes(subject);
    const bool second = item.titles[1] && item.titles[1]->describes(subject);
    return first && second ? 2 : first ? 1 : second ? 3 : 0;
}

int treeLeafOf(const LessonSource& lesson, const ItemSpec& item, const Subject& subject) {
    int leaf = 0;
    for (int level = 0; level < lesson.levels; ++level) {
        const bool first = item.titles[level] && item.titles[level]->describes(subject);
        leaf = 2 * leaf + (first ? 0 : 1);
    }
    return leaf;
}

ActivitySource parseActivity(const std::vector<SourceLine>& lines, const std::string& file,
                             const DrawingTable& table, Diagnostics& diagnostics) {
    return ActivityParser(file, table, diagnostics).run(lines);
}

std::optional<std::string> buildRecord(const LessonSource& lesson, Diagnostics& diagnostics) {
    return RecordBuilder(lesson, diagnostics).run();
}

} // namespace catalogue
