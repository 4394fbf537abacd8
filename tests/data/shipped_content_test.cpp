// The content the program ships, read back from the data folder the build lays out: every lesson
// of the lesson catalogue keeps the rules of its record layout, passes the lesson editor's check,
// and holds its elements where the drawing table's attributes (or the value of a number) say
// they belong; every sequence names existing lessons; the guide and its annexes are texts the
// guide viewer can show and print.
#include "authoring/lesson_validation.h"
#include "formats/lesson_catalogue.h"
#include "formats/lesson_record.h"
#include "formats/sequence_catalogue.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "tools/catalogue_builder_drawings.h"
#include "tools/catalogue_builder_lessons.h"
#include "tools/catalogue_builder_sequences.h"
#include "tools/catalogue_builder_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

using catalogue::Drawing;
using formats::Kind;
using formats::Material;

const std::string kSource = TAVREL_SOURCE_DIR;
const std::string kData = std::string(TAVREL_SHIPPED_DATA_DIR) + "/";

std::string where(int activity, int lesson) {
    return std::string(1, catalogue::activityLetter(activity)) + std::to_string(lesson);
}

// The sources and the shipped files, read once for every test.
struct Shipped {
    catalogue::DrawingTable drawings;
    std::map<int, catalogue::ActivitySource> sources; // by activity
    std::vector<catalogue::SequenceSource> sequences;
    std::string sourceErrors;
    // Non-blank records of the shipped catalogue, by activity and lesson.
    std::map<std::pair<int, int>, std::string> records;

    Shipped() {
        catalogue::Diagnostics d;
        drawings.load(kSource + "/assets/drawings.tsv", d);
        const auto files = platform::listFiles(kSource + "/data/lessons");
        for (const std::string& name : files.value_or(std::vector<std::string>())) {
            if (name.size() < 4 || name.substr(name.size() - 4) != ".txt") continue;
            const auto lines =
                catalogue::readSourceLines(kSource + "/data/lessons/" + name, name, d);
            if (!lines) continue;
            catalogue::ActivitySource a = catalogue::parseActivity(*lines, name, drawings, d);
            sources[a.activity] = std::move(a);
        }
        for (int activity = 0; activity < formats::kActivityCount; ++activity) {
            const formats::LessonRead block =
                formats::readLessons(kData + formats::kLessonCatalogueName, activity, 0);
            for (int lesson = 1; lesson <= formats::kLessonsPerActivity; ++lesson) {
                const std::string record =
                    block.data.substr(static_cast<std::size_t>((lesson - 1) * block.length),
                                      static_cast<std::size_t>(block.length));
                if (!formats::isBlankRecord(record)) records[{activity, lesson}] = record;
            }
        }
        if (const auto lines =
                catalogue::readSourceLines(kSource + "/data/sequences.txt", "sequences.txt", d))
            sequences = catalogue::parseSequences(
                *lines, "sequences.txt",
                [&](int activity, int lesson) {
                    return records.count({activity, lesson}) > 0;
                },
                d);
        sourceErrors = d.report();
    }
};

const Shipped& shipped() {
    static const Shipped s;
    return s;
}

const catalogue::LessonSource* sourceOf(int activity, int lesson) {
    const auto it = shipped().sources.find(activity);
    if (it == shipped().sources.end()) return nullptr;
    for (const catalogue::LessonSource& l : it->second.lessons)
        if (l.number == lesson) return &l;
    return nullptr;
}

// What a pupil is shown for an element field: the drawing or the number, as the rules see it.
catalogue::Subject subjectOf(int activity, const std::string& text) {
    catalogue::Subject s;
    if (formats::materialOf(activity) == Material::Numbers) {
        std::string reason;
        s.text = text;
        s.value = catalogue::evaluateNumber(text, reason).value_or(-1);
    } else {
        s.drawing = shipped().drawings.find(catalogue::wholeNumber(text).value_or(-1));
    }
    return s;
}

std::string field(const std::string& record, int activity, int item, int f) {
    return formats::field(record, activity, item, f);
}

TEST(ShippedContent, SourcesReadWithoutErrorAndFillEveryActivity) {
    EXPECT_EQ(shipped().sourceErrors, "");
    EXPECT_EQ(platform::fileLength(kData + formats::kLessonCatalogueName),
              formats::kLessonCatalogueSize);
    EXPECT_EQ(platform::fileLength(kData + formats::kSequenceCatalogueName),
              formats::kSequenceCatalogueSize);
    for (int activity = 0; activity < formats::kActivityCount; ++activity) {
        int lessons = 0;
        for (const auto& [key, record] : shipped().records)
            if (key.first == activity) ++lessons;
        EXPECT_GE(lessons, 20) << catalogue::activityLetter(activity);
    }
    // The catalogue holds exactly the lessons the sources describe.
    std::set<std::pair<int, int>> described;
    for (const auto& [activity, source] : shipped().sources)
        for (const catalogue::LessonSource& l : source.lessons)
            described.insert({activity, l.number});
    std::set<std::pair<int, int>> stored;
    for (const auto& [key, record] : shipped().records) stored.insert(key);
    EXPECT_EQ(stored, described);
}

// The invariants the players rely on, read straight from the record.
void expectRecordLayoutRules(int activity, int lesson, const std::string& record) {
    SCOPED_TRACE(where(activity, lesson));
    ASSERT_EQ(static_cast<int>(record.size()), formats::recordLength(activity));
    const formats::RecordLayout& layout = formats::recordLayout(activity);
    const auto optionOk = [&](int i) { return record[i] == '1' || record[i] == ' '; };
    for (int i = 0; i < layout.optionCount; ++i) EXPECT_TRUE(optionOk(i));
    EXPECT_EQ(record.substr(layout.itemStart(layout.itemCount) - 1),
              std::string(record.size() - (layout.itemStart(layout.itemCount) - 1), ' '))
        << "blanks after the items";
    const bool negates = formats::kindOf(activity) == Kind::Sets ||
                         (formats::kindOf(activity) != Kind::Grid &&
                          formats::materialOf(activity) != Material::Numbers);
    const auto shownTitle = [&](const std::string& t) {
        return negates && formats::hasNegationMark(t) ? authoring::trimmed(t.substr(1)) : t;
    };
    for (int item = 0; item < layout.itemCount; ++item) {
        SCOPED_TRACE("item " + std::to_string(item + 1));
        switch (formats::kindOf(activity)) {
        case Kind::Sets: {
            int elements = 0;
            for (int s = 0; s < 14; ++s)
                if (!field(record, activity, item, formats::setsSlot(s)).empty()) ++elements;
            EXPECT_EQ(elements, 5);
            EXPECT_EQ(field(record, activity, item, formats::setsSlot(11)), "");
            if (!formats::optionOn(record, formats::kOptionCommonArea)) {
                for (int s : {3, 4, 10}) EXPECT_EQ(field(record, activity, item, s), "");
            }
            for (int t = 0; t < 2; ++t)
                EXPECT_NE(shownTitle(field(record, activity, item, formats::setsTitle(t))), "");
            break;
        }
        case Kind::Tree: {
            const bool two = formats::optionIsOne(record, formats::kOptionTwoLevels);
            for (int level = 0; level < 3; ++level) {
                const std::string label = field(record, activity, item, formats::treeLabel(level));
                if (two && level == 2)
                    EXPECT_EQ(label, "");
                else
                    EXPECT_NE(shownTitle(label), "");
            }
            for (int leaf = 0; leaf < 8; ++leaf)
                EXPECT_EQ(field(record, activity, item, formats::treeLeaf(leaf)).empty(),
                          two && leaf >= 4)
                    << "leaf " << leaf;
            break;
        }
        case Kind::Table:
        case Kind::Grid: {
            const bool grid = formats::kindOf(activity) == Kind::Grid;
            const int columns = formats::optionIsOne(record, formats::kOptionTwoColumns) ? 2 : 3;
            const int rows = formats::optionIsOne(record, formats::kOptionTwoRows) ? 2 : 3;
            int marks = 0;
            for (int k = grid ? 0 : 1; k < 16; ++k) {
                const int f = grid ? formats::gridCell(k) : formats::tableCell(k);
                const std::string text = field(record, activity, item, f);
                const bool used = k % 4 <= columns && k / 4 <= rows;
                const bool answer = k % 4 > 0 && k / 4 > 0;
                if (!used) {
                    EXPECT_EQ(text, "") << "cell " << k;
                } else if (grid && answer) {
                    EXPECT_TRUE(text.empty() || text == "X") << "cell " << k;
                    if (text == "X") ++marks;
                } else {
                    EXPECT_NE(answer ? text : shownTitle(text), "") << "cell " << k;
                }
            }
            if (grid) {
                EXPECT_GE(marks, 1);
            }
            break;
        }
        }
    }
}

TEST(ShippedContent, EveryLessonKeepsTheRulesOfItsRecordLayout) {
    for (const auto& [key, record] : shipped().records)
        expectRecordLayoutRules(key.first, key.second, record);
}

TEST(ShippedContent, EveryLessonPassesTheLessonEditorsCheckUnchanged) {
    for (const auto& [key, record] : shipped().records) {
        const authoring::LessonCheck check = authoring::checkLesson(key.first, record);
        EXPECT_TRUE(check.valid) << where(key.first, key.second) << ": "
                                 << platform::cp1252ToUtf8(check.message);
        EXPECT_EQ(check.record, record) << where(key.first, key.second);
    }
}

// Each stored element, decoded the way the players cut the record, stands where the rules of
// its titles put it, and the record holds exactly the source's titles and elements.
void expectElementsWhereTheyBelong(int activity, int lesson, const std::string& record) {
    SCOPED_TRACE(where(activity, lesson));
    const catalogue::LessonSource* source = sourceOf(activity, lesson);
    ASSERT_NE(source, nullptr);
    for (std::size_t i = 0; i < source->items.size(); ++i) {
        const int item = static_cast<int>(i);
        const catalogue::ItemSpec& described = source->items[i];
        SCOPED_TRACE("item " + std::to_string(item + 1));
        std::multiset<std::string> stored, listed;
        for (const catalogue::ElementSpec& e : described.elements) listed.insert(e.stored);
        const auto subject = [&](const std::string& text) {
            const catalogue::Subject s = subjectOf(activity, text);
            EXPECT_TRUE(s.drawing || formats::materialOf(activity) == Material::Numbers) << text;
            return s;
        };
        switch (formats::kindOf(activity)) {
        case Kind::Sets: {
            static const int kRegionOfColumn[7] = {0, 1, 1, 2, 2, 3, 3};
            for (int s = 0; s < 14; ++s) {
                const std::string text = field(record, activity, item, formats::setsSlot(s));
                if (text.empty()) continue;
                stored.insert(text);
                EXPECT_EQ(catalogue::setsRegionOf(described, subject(text)), kRegionOfColumn[s % 7])
                    << text << " in slot " << s;
            }
            for (int t = 0; t < 2; ++t)
                EXPECT_EQ(field(record, activity, item, formats::setsTitle(t)),
                          described.titles[t]->stored);
            break;
        }
        case Kind::Tree:
            for (int leaf = 0; leaf < (source->levels == 2 ? 4 : 8); ++leaf) {
                const std::string text = field(record, activity, item, formats::treeLeaf(leaf));
                stored.insert(text);
                EXPECT_EQ(catalogue::treeLeafOf(*source, described, subject(text)), leaf) << text;
            }
            for (int level = 0; level < source->levels; ++level)
                EXPECT_EQ(field(record, activity, item, formats::treeLabel(level)),
                          described.titles[level]->stored);
            break;
        case Kind::Table:
            for (int r = 0; r < source->rows; ++r) {
                const catalogue::TitleSpec& row = *described.titles[3 + r];
                EXPECT_EQ(field(record, activity, item, formats::tableCell(4 * (r + 1))),
                          row.stored);
                for (int c = 0; c < source->columns; ++c) {
                    const catalogue::TitleSpec& column = *described.titles[c];
                    const std::string text =
                        field(record, activity, item, formats::tableCell(4 * (r + 1) + c + 1));
                    if (!text.empty() && text[0] == '*') {
                        // A number card: the count of the drawing that heads its column or row.
                        const catalogue::TitleSpec& drawn = column.drawing ? column : row;
                        const catalogue::TitleSpec& count = column.drawing ? row : column;
                        const Drawing* d = shipped().drawings.find(*drawn.drawing);
                        ASSERT_NE(d, nullptr);
                        EXPECT_EQ(text,
                                  "*" +
                                      std::to_string(
                                          d->numericAttribute(count.countAttribute).value_or(-1)));
                        continue;
                    }
                    stored.insert(text);
                    const catalogue::Subject s = subject(text);
                    for (int k = 0; k < source->columns; ++k)
                        EXPECT_EQ(described.titles[k]->describes(s), k == c)
                            << text << " column " << k;
                    for (int k = 0; k < source->rows; ++k)
                        EXPECT_EQ(described.titles[3 + k]->describes(s), k == r)
                            << text << " row " << k;
                }
            }
            for (int c = 0; c < source->columns; ++c)
                EXPECT_EQ(field(record, activity, item, formats::tableCell(1 + c)),
                          described.titles[c]->stored);
            break;
        case Kind::Grid:
            ASSERT_TRUE(described.relation);
            EXPECT_EQ(field(record, activity, item, formats::gridCell(0)), described.relationText);
            for (int r = 0; r < source->rows; ++r) {
                const std::string rowText =
                    field(record, activity, item, formats::gridCell(4 * (r + 1)));
                EXPECT_EQ(rowText, described.rows[r].stored);
                for (int c = 0; c < source->columns; ++c) {
                    const std::string columnText =
                        field(record, activity, item, formats::gridCell(1 + c));
                    EXPECT_EQ(columnText, described.columns[c].stored);
                    const bool holds =
                        described.relation->holds(subject(rowText), subject(columnText));
                    EXPECT_EQ(field(record, activity, item, formats::gridCell(4 * (r + 1) + c + 1)),
                              holds ? "X" : "")
                        << rowText << " / " << columnText;
                }
            }
            break;
        }
        EXPECT_EQ(stored, listed);
    }
}

TEST(ShippedContent, EveryElementStandsWhereTheDrawingTableSaysItBelongs) {
    for (const auto& [key, record] : shipped().records)
        expectElementsWhereTheyBelong(key.first, key.second, record);
}

// A few placements worked out by hand, so that the rules themselves are checked too.
TEST(ShippedContent, HandCheckedPlacements) {
    const auto& records = shipped().records;
    // A1, item 1: "animaux" and "fruits" without a common area; the dolphin (37) is an animal.
    const std::string a1 = records.at({0, 1});
    std::map<std::string, int> slotOf;
    for (int s = 0; s < 14; ++s) slotOf[field(a1, 0, 0, formats::setsSlot(s))] = s;
    EXPECT_EQ(field(a1, 0, 0, formats::setsTitle(0)), "animaux");
    ASSERT_TRUE(slotOf.count("37"));
    EXPECT_TRUE(slotOf["37"] % 7 == 1 || slotOf["37"] % 7 == 2); // first set only
    // K13 is played with number cards: the cube (150) has 6 faces and 8 vertices.
    const std::string k13 = records.at({10, 13});
    EXPECT_EQ(field(k13, 10, 0, formats::tableCell(1)), "150");
    EXPECT_EQ(field(k13, 10, 0, formats::tableCell(5)), "*6");
    EXPECT_EQ(field(k13, 10, 0, formats::tableCell(9)), "*8");
    // H1, item 1: "est plus grand que", read from the row to the column.
    const std::string h1 = records.at({7, 1});
    EXPECT_EQ(field(h1, 7, 0, formats::gridCell(0)), cp("est plus grand que"));
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) {
            const int row = std::stoi(field(h1, 7, 0, formats::gridCell(4 * (r + 1))));
            const int column = std::stoi(field(h1, 7, 0, formats::gridCell(1 + c)));
            EXPECT_EQ(field(h1, 7, 0, formats::gridCell(4 * (r + 1) + c + 1)),
                      row > column ? "X" : "");
        }
}

TEST(ShippedContent, SequencesAreTitledAndNameExistingLessons) {
    const std::string path = kData + formats::kSequenceCatalogueName;
    const std::string titles = formats::readTitleTable(path);
    std::map<int, const catalogue::SequenceSource*> bySource;
    for (const catalogue::SequenceSource& s : shipped().sequences) bySource[s.number] = &s;
    EXPECT_GE(bySource.size(), 10u);
    for (int n = 1; n <= formats::kSequenceCount; ++n) {
        SCOPED_TRACE("sequence " + std::to_string(n));
        const std::string list = formats::readSequenceList(path, n);
        const std::string title = formats::titleOf(titles, n);
        if (!bySource.count(n)) {
            EXPECT_EQ(title, "");
            EXPECT_EQ(list, std::string(800, ' '));
            continue;
        }
        // The shipped sequences are the ones the sequence editor protects.
        EXPECT_LE(n, 30);
        EXPECT_FALSE(title.empty());
        EXPECT_LE(title.size(), 25u);
        EXPECT_EQ(title, bySource[n]->title);
        const std::string codes = authoring::trimmed(list);
        EXPECT_EQ(codes, bySource[n]->codes);
        ASSERT_EQ(codes.size() % 2, 0u);
        EXPECT_LE(codes.size(), 800u);
        EXPECT_GT(codes.size(), 0u);
        for (std::size_t i = 0; i < codes.size(); i += 2) {
            const int activity = codes[i] - 'A';
            const int lesson = static_cast<unsigned char>(codes[i + 1]) - 100;
            ASSERT_TRUE(activity >= 0 && activity < 12 && lesson >= 1 && lesson <= 120)
                << "entry " << i / 2;
            EXPECT_TRUE(shipped().records.count({activity, lesson})) << where(activity, lesson);
        }
    }
}

// The lines of a shipped text, which must end each with CR LF.
std::vector<std::string> shippedLines(const std::string& name) {
    const std::optional<std::string> text = platform::readWholeFile(kData + name);
    EXPECT_TRUE(text.has_value()) << name;
    std::vector<std::string> lines;
    if (!text) return lines;
    std::size_t start = 0;
    while (start < text->size()) {
        const std::size_t end = text->find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << name << ": the last line has no CR LF";
        if (end == std::string::npos) break;
        lines.push_back(text->substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(ShippedContent, GuideAndAnnexesAreWindows1252TextsTheViewerCanShow) {
    for (const char* name : {"tavrel.txt", "annexes.txt"}) {
        SCOPED_TRACE(name);
        const std::vector<std::string> lines = shippedLines(name);
        EXPECT_GT(lines.size(), 100u);
        for (const std::string& line : lines) {
            EXPECT_LE(static_cast<int>(line.size()), catalogue::kTextLineLength) << line;
            EXPECT_EQ(line.find_first_of("\r\n\t"), std::string::npos) << line;
            // No UTF-8 left over: "é" is one byte.
            EXPECT_EQ(line.find("\xC3"), std::string::npos) << line;
            // A line starting with "_" is a page break, and nothing else.
            const std::string t = authoring::trimmed(line);
            if (!t.empty() && t[0] == '_') {
                EXPECT_EQ(t, "_");
            }
        }
    }
    const std::vector<std::string> guide = shippedLines("tavrel.txt");
    // The settings screen sends its readers to this section.
    const bool settingsSection =
        std::any_of(guide.begin(), guide.end(), [](const std::string& line) {
            return platform::lower1252(line).find(cp("modifier les paramètres")) !=
                       std::string::npos &&
                   line.find(cp("«")) == std::string::npos && line[0] >= '0' && line[0] <= '9';
        });
    EXPECT_TRUE(settingsSection);
}

TEST(ShippedContent, AnnexOneListsEveryShippedLessonAndSequence) {
    const std::vector<std::string> lines = shippedLines("annexes.txt");
    std::set<std::string> listed;
    for (const std::string& line : lines) {
        const std::string t = authoring::trimmed(line);
        const std::size_t blank = t.find(' ');
        listed.insert(t.substr(0, blank));
    }
    for (const auto& [key, record] : shipped().records)
        EXPECT_TRUE(listed.count(where(key.first, key.second))) << where(key.first, key.second);
    for (const catalogue::SequenceSource& s : shipped().sequences) {
        const std::string heading = cp("Séquence ") + std::to_string(s.number) + " : " + s.title;
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.rfind(heading, 0) == 0;
        })) << s.number;
    }
}

} // namespace
