// The catalogue builder reads lessons described by what they classify and works out where each
// element goes; a lesson that cannot be built as written is refused with its file and line.
#include "formats/lesson_record.h"
#include "platform/cp1252.h"
#include "tools/catalogue_builder_drawings.h"
#include "tools/catalogue_builder_lessons.h"
#include "tools/catalogue_builder_rules.h"
#include "tools/catalogue_builder_sequences.h"
#include "tools/catalogue_builder_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const catalogue::DrawingTable& drawings() {
    static const catalogue::DrawingTable table = [] {
        catalogue::DrawingTable t;
        catalogue::Diagnostics d;
        t.load(std::string(TAVREL_SOURCE_DIR) + "/assets/drawings.tsv", d);
        return t;
    }();
    return table;
}

struct Built {
    std::vector<std::string> records; // one per lesson that built
    std::string errors;               // "file:line: message" lines, UTF-8
};

Built build(const std::string& utf8) {
    catalogue::Diagnostics d;
    const auto lines = catalogue::sourceLinesOf(utf8, "essai.txt", d);
    const catalogue::ActivitySource a = catalogue::parseActivity(lines, "essai.txt", drawings(), d);
    Built b;
    for (const catalogue::LessonSource& l : a.lessons)
        if (const auto record = catalogue::buildRecord(l, d)) b.records.push_back(*record);
    b.errors = d.report();
    return b;
}

std::string field(const std::string& record, int activity, int item, int f) {
    return formats::field(record, activity, item, f);
}

const std::string kSetsHeader = "activité A : Les ensembles de dessins\nleçon 1 : essai\n";
// Two more items that build, so that a case only has to write its first item.
const std::string kTwoSetsItems = "item\nensemble 1 : « animaux » genre = animal\n"
                                  "ensemble 2 : « fruits » genre = fruit\n"
                                  "dessins : 0 chien, 1 chat, 52 pomme rouge, 53 pomme verte, 142 "
                                  "chaise\n";

TEST(CatalogueBuilder, SetsElementsGoToTheRegionTheirTitlesGiveThem) {
    const Built b = build(kSetsHeader +
                          "aire commune : oui\n"
                          "item\n"
                          "ensemble 1 : « animaux » genre = animal\n"
                          "ensemble 2 : « X rouge » couleur = rouge\n"
                          "dessins : 29 oiseau rouge, 0 chien, 52 pomme rouge, "
                          "53 pomme verte, 33 poisson bleu\n" +
                          kTwoSetsItems + kTwoSetsItems);
    ASSERT_EQ(b.errors, "");
    ASSERT_EQ(b.records.size(), 1u);
    const std::string& r = b.records[0];
    EXPECT_EQ(formats::optionChar(r, 0), '1');
    // Outside both sets: the red apple (not an animal, red); first set only: the red bird;
    // both: the dog and the blue fish (animals, not red); second only: the green apple.
    EXPECT_EQ(field(r, 0, 0, formats::setsSlot(0)), "52");
    EXPECT_EQ(field(r, 0, 0, formats::setsSlot(1)), "29");
    EXPECT_EQ(field(r, 0, 0, formats::setsSlot(3)), "0");
    EXPECT_EQ(field(r, 0, 0, formats::setsSlot(4)), "33");
    EXPECT_EQ(field(r, 0, 0, formats::setsSlot(5)), "53");
    EXPECT_EQ(field(r, 0, 0, formats::setsTitle(1)), "X rouge");
}

TEST(CatalogueBuilder, TreeLeavesFollowTheBranchesAndTheNegationMark) {
    const Built b = build("activité B : L'arbre des dessins\nleçon 4 : essai\nniveaux : 2\n"
                          "item\n"
                          "niveau 1 : « animal » genre = animal\n"
                          "niveau 2 : « rouge » couleur = rouge\n"
                          "dessins : 139 livre, 52 pomme rouge, 0 chien, 29 oiseau rouge\n"
                          "item\n"
                          "niveau 1 : « X animal » genre = animal\n"
                          "niveau 2 : « rouge » couleur = rouge\n"
                          "dessins : 139 livre, 52 pomme rouge, 0 chien, 29 oiseau rouge\n");
    ASSERT_EQ(b.errors, "");
    const std::string& r = b.records.at(0);
    EXPECT_EQ(formats::optionChar(r, 0), '1');
    const std::vector<std::string> first = {"29", "0", "52", "139"};
    const std::vector<std::string> negated = {"52", "139", "29", "0"};
    for (int leaf = 0; leaf < 4; ++leaf) {
        EXPECT_EQ(field(r, 1, 0, formats::treeLeaf(leaf)), first[leaf]);
        EXPECT_EQ(field(r, 1, 1, formats::treeLeaf(leaf)), negated[leaf]);
    }
    EXPECT_EQ(field(r, 1, 0, formats::treeLabel(2)), "");
}

TEST(CatalogueBuilder, TablesOfSolidsPlayedWithCardsCountFromTheDrawingTable) {
    const Built b = build("activité K : Le tableau des solides\nleçon 1 : essai\n"
                          "taille : 2 colonnes et 2 rangées\n"
                          "item\n"
                          "colonne 1 : « 150 » (grand cube rouge)\n"
                          "colonne 2 : « 168 »\n"
                          "rangée 1 : « faces » compte faces\n"
                          "rangée 2 : « arêtes » compte arêtes\n"
                          "item\n"
                          "colonne 1 : « sommets » compte sommets\n"
                          "colonne 2 : « faces » compte faces\n"
                          "rangée 1 : « 162 »\n"
                          "rangée 2 : « 174 »\n");
    ASSERT_EQ(b.errors, "");
    const std::string& r = b.records.at(0);
    // Cube: 6 faces, 12 edges; triangular pyramid: 4 faces, 6 edges.
    EXPECT_EQ(field(r, 10, 0, formats::tableCell(5)), "*6");
    EXPECT_EQ(field(r, 10, 0, formats::tableCell(6)), "*4");
    EXPECT_EQ(field(r, 10, 0, formats::tableCell(9)), "*12");
    EXPECT_EQ(field(r, 10, 0, formats::tableCell(10)), "*6");
    // Square pyramid: 5 vertices, 5 faces; triangular prism: 6 vertices, 5 faces.
    EXPECT_EQ(field(r, 10, 1, formats::tableCell(5)), "*5");
    EXPECT_EQ(field(r, 10, 1, formats::tableCell(9)), "*6");
    EXPECT_EQ(field(r, 10, 1, formats::tableCell(10)), "*5");
}

TEST(CatalogueBuilder, GridMarksAreReadFromTheRowToTheColumn) {
    const Built b = build("activité H : Les nombres amis\nleçon 1 : essai\n"
                          "taille : 2 colonnes et 2 rangées\n"
                          "item\n"
                          "relation : « est un multiple de » multiple\n"
                          "colonnes : 3, 5\n"
                          "rangées : 15, 3x3\n"
                          "item\n"
                          "relation : « fait 10 avec » somme 10\n"
                          "colonnes : 4, 20÷4\n"
                          "rangées : 6, 5\n");
    ASSERT_EQ(b.errors, "");
    const std::string& r = b.records.at(0);
    EXPECT_EQ(field(r, 7, 0, formats::gridCell(5)), "X");  // 15 multiple of 3
    EXPECT_EQ(field(r, 7, 0, formats::gridCell(6)), "X");  // 15 multiple of 5
    EXPECT_EQ(field(r, 7, 0, formats::gridCell(9)), "X");  // 9 multiple of 3
    EXPECT_EQ(field(r, 7, 0, formats::gridCell(10)), "");  // 9 not a multiple of 5
    EXPECT_EQ(field(r, 7, 1, formats::gridCell(5)), "X");  // 6 + 4
    EXPECT_EQ(field(r, 7, 1, formats::gridCell(10)), "X"); // 5 + 20÷4
    EXPECT_EQ(field(r, 7, 1, formats::gridCell(2)), cp("20÷4"));
}

struct Refused {
    const char* what;
    std::string source;
    std::string message; // part of the error, UTF-8, with its line
};

TEST(CatalogueBuilder, LessonsThatCannotBeBuiltAsWrittenAreRefused) {
    const std::string two = kTwoSetsItems + kTwoSetsItems;
    const std::vector<Refused> cases = {
        {"an element of both sets without a common area",
         kSetsHeader +
             "aire commune : non\nitem\nensemble 1 : « animaux » genre = animal\n"
             "ensemble 2 : « rouge » couleur = rouge\n"
             "dessins : 29 oiseau rouge, 0 chien, 52 pomme rouge, 53 pomme verte, 1 chat\n" +
             two,
         "essai.txt:7: « 29 » va dans les deux ensembles"},
        {"a drawing whose name is not its number's",
         kSetsHeader +
             "aire commune : non\nitem\nensemble 1 : « animaux » genre = animal\n"
             "ensemble 2 : « fruits » genre = fruit\n"
             "dessins : 0 chat, 1 chat, 52 pomme rouge, 53 pomme verte, 142 chaise\n" +
             two,
         "essai.txt:7: le dessin 0 est « chien », pas « chat »"},
        {"four elements",
         kSetsHeader +
             "aire commune : non\nitem\nensemble 1 : « a » genre = animal\n"
             "ensemble 2 : « b » genre = fruit\n"
             "dessins : 0 chien, 1 chat, 52 pomme rouge, 142 chaise\n" +
             two,
         "essai.txt:4: chaque item contient 5 éléments"},
        {"too many outside",
         kSetsHeader +
             "aire commune : non\nitem\nensemble 1 : « animaux » genre = animal\n"
             "ensemble 2 : « fruits » genre = fruit\n"
             "dessins : 142 chaise, 143 lit, 144 parapluie violet, 0 chien, 52 pomme rouge\n" +
             two,
         "trop d'éléments à l'extérieur des ensembles"},
        {"a title too long for its field",
         kSetsHeader +
             "aire commune : non\nitem\nensemble 1 : « les animaux du zoo » genre = animal\n"
             "ensemble 2 : « fruits » genre = fruit\n"
             "dessins : 0 chien, 1 chat, 52 pomme rouge, 53 pomme verte, 142 chaise\n" +
             two,
         "essai.txt:5: le titre dépasse 12 caractères"},
        {"a title shown as a drawing number",
         kSetsHeader +
             "aire commune : non\nitem\nensemble 1 : « 4 pattes » pattes = 4\n"
             "ensemble 2 : « fruits » genre = fruit\n"
             "dessins : 0 chien, 1 chat, 52 pomme rouge, 53 pomme verte, 142 chaise\n" +
             two,
         "essai.txt:5: un titre qui commence par un chiffre est le numéro d'un dessin"},
        {"an attribute value no drawing has",
         kSetsHeader +
             "aire commune : non\nitem\nensemble 1 : « animaux » genre = animaux\n"
             "ensemble 2 : « fruits » genre = fruit\n"
             "dessins : 0 chien, 1 chat, 52 pomme rouge, 53 pomme verte, 142 chaise\n" +
             two,
         "essai.txt:5: aucun dessin n'a « animaux » comme genre"},
        {"two items only", kSetsHeader + "aire commune : non\n" + two,
         "essai.txt:2: une leçon de cette activité a 3 items"},
        {"two elements on one leaf",
         "activité B : L'arbre des dessins\nleçon 1 : essai\nniveaux : 2\nitem\n"
         "niveau 1 : « animal » genre = animal\nniveau 2 : « rouge » couleur = rouge\n"
         "dessins : 0 chien, 1 chat, 52 pomme rouge, 139 livre\n",
         "essai.txt:7: « 1 » et « 0 » iraient sur la même feuille"},
        {"an element that fits two columns",
         "activité C : Le tableau des dessins\nleçon 1 : essai\n"
         "taille : 2 colonnes et 2 rangées\nitem\n"
         "colonne 1 : « animal » genre = animal\ncolonne 2 : « X rouge » couleur = rouge\n"
         "rangée 1 : « grand » grandeur = grand\nrangée 2 : « petit » grandeur = petit\n"
         "dessins : 0 chien, 291 petit chien, 78 voiture rouge, 285 petite voiture rouge\n",
         "essai.txt:9: « 0 » convient à plus d'une colonne"},
        {"a relation true nowhere",
         "activité D : Les dessins amis\nleçon 1 : essai\ntaille : 2 colonnes et 2 rangées\nitem\n"
         "relation : « a plus de pattes que » plus de pattes\n"
         "colonnes : 43 abeille, 50 araignée\nrangées : 0 chien, 20 coq\n",
         "essai.txt:4: la relation n'est vraie dans aucune case"},
        {"a division that is not exact",
         "activité E : Les ensembles de nombres\nleçon 1 : essai\naire commune : non\nitem\n"
         "ensemble 1 : « nombres pairs » pair\nensemble 2 : « nombres impairs » impair\n"
         "nombres : 7÷2, 1, 2, 3, 4\n",
         "essai.txt:7: « 7÷2 » : une division doit tomber juste"},
        {"a number the lesson editor refuses in a set",
         "activité E : Les ensembles de nombres\nleçon 1 : essai\naire commune : non\nitem\n"
         "ensemble 1 : « 500 » = 500\nensemble 2 : « nombres impairs » impair\n"
         "nombres : 500, 1, 2, 3, 4\n",
         "essai.txt:5: un titre qui commence par un nombre plus grand que 310"},
        {"a number the lesson editor refuses in a set, as an element",
         "activité E : Les ensembles de nombres\nleçon 1 : essai\naire commune : non\nitem\n"
         "ensemble 1 : « nombres pairs » pair\nensemble 2 : « nombres impairs » impair\n"
         "nombres : 400, 1, 2, 3, 4\n",
         "essai.txt:7: « 400 » : l'éditeur de leçons refuse dans les ensembles"},
        {"an X that a numbers tree would not cross out",
         "activité F : L'arbre des nombres\nleçon 1 : essai\nniveaux : 2\nitem\n"
         "niveau 1 : « X pair » pair\nniveau 2 : « plus de 10 » > 10\nnombres : 1, 2, 11, 12\n",
         "essai.txt:5: dans les nombres, un titre qui commence par X ne serait pas barré"},
        {"a lesson number used twice",
         "activité A : Les ensembles de dessins\nleçon 1 : a\naire commune : non\nleçon 1 : b\n",
         "essai.txt:4: la leçon 1 existe déjà"},
        {"the wrong title for the activity letter", "activité A : L'arbre des dessins\n",
         "essai.txt:1: l'activité A s'appelle « Les ensembles de dessins »"},
    };
    for (const Refused& c : cases) {
        const Built b = build(c.source);
        EXPECT_NE(b.errors.find(c.message), std::string::npos) << c.what << "\nerrors:\n"
                                                               << b.errors;
    }
}

TEST(CatalogueBuilder, NumbersAndOperationsAreValuedWithTheUsualPriorities) {
    struct Case {
        const char* text;
        long long value;
    };
    for (const Case& c : std::vector<Case>{
             {"12", 12}, {"3+4", 7}, {"2+3x4", 14}, {"20-8÷2", 16}, {"10-3-2", 5}, {"6x7", 42}}) {
        std::string reason;
        EXPECT_EQ(catalogue::evaluateNumber(cp(c.text), reason), c.value) << c.text;
    }
    for (const char* bad : {"", "3+", "x3", "5-7", "7÷0", "3 + 4", "3*4"}) {
        std::string reason;
        EXPECT_FALSE(catalogue::evaluateNumber(cp(bad), reason)) << bad;
        EXPECT_FALSE(reason.empty()) << bad;
    }
}

TEST(CatalogueBuilder, SequencesExpandRunsAndNameOnlyExistingLessons) {
    catalogue::Diagnostics d;
    const auto lines = catalogue::sourceLinesOf(
        "# a comment\nséquence 3 : Premiers pas\nA1-A3 b2\nL120\nséquence 4 : Vide\n"
        "séquence 5 : Un titre bien trop long pour tenir\nA9\n",
        "seq.txt", d);
    const auto exists = [](int activity, int lesson) { return activity != 0 || lesson != 9; };
    const std::vector<catalogue::SequenceSource> s =
        catalogue::parseSequences(lines, "seq.txt", exists, d);
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0].number, 3);
    EXPECT_EQ(s[0].title, "Premiers pas");
    EXPECT_EQ(s[0].codes, std::string("A") + char(101) + "A" + char(102) + "A" + char(103) + "B" +
                              char(102) + "L" + char(220));
    const std::string errors = d.report();
    EXPECT_NE(errors.find("seq.txt:5: la séquence ne contient aucune leçon"), std::string::npos);
    EXPECT_NE(errors.find("seq.txt:6: le titre d'une séquence a au plus 25 caractères"),
              std::string::npos);
    EXPECT_NE(errors.find("seq.txt:7: la leçon A9 n'existe pas"), std::string::npos);
}

TEST(CatalogueBuilder, TextsAreShippedInWindows1252WithCrLfAndTheirListsFilledIn) {
    catalogue::Diagnostics d;
    const auto guide = catalogue::guideText("Une ligne accentuée : é\n\nFin\n", "g", d);
    ASSERT_TRUE(guide);
    EXPECT_EQ(*guide, cp("Une ligne accentuée : é\r\n\r\nFin\r\n"));

    const auto tooLong = catalogue::guideText(std::string(65, 'a') + "\n", "g", d);
    EXPECT_FALSE(tooLong);
    EXPECT_NE(d.report().find("g:1: ligne de plus de 64 caractères"), std::string::npos);

    catalogue::Diagnostics d2;
    catalogue::ActivitySource a;
    a.activity = 1;
    catalogue::LessonSource lesson;
    lesson.number = 2;
    lesson.description = cp("Un arbre");
    a.lessons.push_back(lesson);
    catalogue::SequenceSource s;
    s.number = 7;
    s.title = "Essai";
    s.written = {"B2"};
    const auto annexes = catalogue::annexesText("Annexe\n@leçons\n@séquences\n@dessins\n_\n", "a",
                                                {a}, {s}, drawings(), d2);
    ASSERT_TRUE(annexes) << d2.report();
    EXPECT_NE(annexes->find(cp("B - L'arbre des dessins\r\n\r\n   B2 : Un arbre\r\n")),
              std::string::npos);
    EXPECT_NE(annexes->find(cp("Séquence 7 : Essai (1 leçon)\r\n   B2\r\n")), std::string::npos);
    EXPECT_NE(annexes->find(cp("Les animaux\r\n   0 chien, 1 chat,")), std::string::npos);
    EXPECT_EQ(annexes->substr(annexes->size() - 3), "_\r\n");

    catalogue::Diagnostics d3;
    EXPECT_FALSE(catalogue::annexesText("@leçons\n", "a", {a}, {s}, drawings(), d3));
    EXPECT_FALSE(d3.empty());
}

} // namespace
