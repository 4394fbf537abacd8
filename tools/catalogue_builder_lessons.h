// The lessons of one activity as a teacher writes them: each item names its titles with the rule
// each title stands for, and lists the elements to classify; the builder works out where each
// element belongs (the region of the sets, the leaf of the tree, the cell of the table, the marks
// of the grid) and writes the lesson record through the record layouts of formats/.
//
//   activité A : Les ensembles de dessins
//   leçon 1 : Les animaux et les fruits
//   aire commune : non
//   item
//   ensemble 1 : « animaux » genre = animal
//   ensemble 2 : « fruits » genre = fruit
//   dessins : 0 chien, 52 pomme rouge, 4 cheval, 57 banane, 142 chaise
//
// The other kinds use "niveaux : 2" with "niveau 1 : ..." (tree), "taille : 2 colonnes et
// 3 rangées" with "colonne 1 : ..." and "rangée 1 : ..." (table), and "relation : « ... » rule"
// with "colonnes : ..." and "rangées : ..." (grid). Numbers lessons list "nombres : 12, 3+4".
#pragma once

#include "tools/catalogue_builder_drawings.h"
#include "tools/catalogue_builder_rules.h"
#include "tools/catalogue_builder_source.h"

#include <optional>
#include <string>
#include <vector>

namespace catalogue {

// The twelve activity titles, by activity index.
const std::string& activityTitle(int activity);
// "A" to "L".
inline char activityLetter(int activity) {
    return static_cast<char>('A' + activity);
}

struct TitleSpec {
    int line = 0;
    std::string stored; // the field as stored, negation mark included
    bool negated = false;
    std::optional<int> drawing; // a title shown as that drawing
    const Drawing* drawingEntry = nullptr;
    std::optional<Rule> rule;   // what the title stands for (before its negation)
    std::string countAttribute; // a solids table played with number cards: "compte faces"

    // Whether an element belongs under this title, the negation mark taken into account.
    bool describes(const Subject& subject) const;
};

struct ElementSpec {
    int line = 0;
    std::string stored; // the field as stored: drawing number, number or operation
    Subject subject;
};

struct ItemSpec {
    int line = 0;
    // Sets: the two set titles. Tree: the labels of levels 1 to 3. Table: columns 1 to 3, then
    // rows 1 to 3. A title a lesson does not use stays empty.
    std::vector<std::optional<TitleSpec>> titles;
    std::vector<ElementSpec> elements;
    // Grid.
    std::string relationText;
    std::optional<Relation> relation;
    std::vector<ElementSpec> columns, rows;
};

struct LessonSource {
    std::string file;
    int line = 0;
    int activity = 0;
    int number = 0;
    std::string description;
    bool commonArea = false; // sets
    int levels = 0;          // tree: 2 or 3
    int columns = 0;         // table and grid: 2 or 3
    int rows = 0;
    std::vector<ItemSpec> items;
};

struct ActivitySource {
    int activity = -1;
    std::vector<LessonSource> lessons;
};

// Reads the lessons of an activity file; every error goes to the diagnostics.
ActivitySource parseActivity(const std::vector<SourceLine>& lines, const std::string& file,
                             const DrawingTable& table, Diagnostics& diagnostics);

// The record of a lesson, built by the record layouts; nothing when the lesson breaks one of the
// rules a lesson must meet (errors in the diagnostics).
std::optional<std::string> buildRecord(const LessonSource& lesson, Diagnostics& diagnostics);

// The leaf of a tree element (0 to 3 or 0 to 7): the first branch of each pair carries the label
// as written; the negation mark swaps the branches.
int treeLeafOf(const LessonSource& lesson, const ItemSpec& item, const Subject& subject);
// The region of a sets element: 0 outside both sets, 1 in the first only, 2 in both, 3 in the
// second only.
int setsRegionOf(const ItemSpec& item, const Subject& subject);

} // namespace catalogue
