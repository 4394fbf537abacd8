// Builds the shipped data of the program from its readable sources: the lesson catalogue
// "lecons.tav", the sequence catalogue "SEQUENCE.TAV", the guide "tavrel.txt" and its annexes
// "annexes.txt". Run by the build:
//
//   catalogue_builder --drawings assets/drawings.tsv --sequences data/sequences.txt
//       --guide data/guide/tavrel.txt --annexes data/guide/annexes.txt --out <folder>
//       --lessons data/lessons/a_....txt ... (one file per activity)
//
// Nothing is written unless every source is sound; the errors name the file and the line.
#include "formats/lesson_catalogue.h"
#include "formats/lesson_record.h"
#include "formats/sequence_catalogue.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "tools/catalogue_builder_drawings.h"
#include "tools/catalogue_builder_lessons.h"
#include "tools/catalogue_builder_sequences.h"
#include "tools/catalogue_builder_texts.h"

#include <array>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

struct Options {
    std::string drawings, sequences, guide, annexes, out;
    std::vector<std::string> lessons;
};

bool parseOptions(int argc, char** argv, Options& o) {
    std::vector<std::string>* list = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string* single = arg == "--drawings"    ? &o.drawings
                              : arg == "--sequences" ? &o.sequences
                              : arg == "--guide"     ? &o.guide
                              : arg == "--annexes"   ? &o.annexes
                              : arg == "--out"       ? &o.out
                                                     : nullptr;
        if (single) {
            if (++i >= argc) return false;
            *single = argv[i];
            list = nullptr;
        } else if (arg == "--lessons") {
            list = &o.lessons;
        } else if (list && arg.rfind("--", 0) != 0) {
            list->push_back(arg);
        } else {
            return false;
        }
    }
    return !o.drawings.empty() && !o.sequences.empty() && !o.guide.empty() && !o.annexes.empty() &&
           !o.out.empty() && !o.lessons.empty();
}

std::string fileName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string readUtf8(const std::string& path, catalogue::Diagnostics& d) {
    const std::optional<std::string> text = platform::readWholeFile(path);
    if (!text) d.error(path, 0, cp("fichier illisible"));
    return text.value_or(std::string());
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parseOptions(argc, argv, o)) {
        std::fputs("usage: catalogue_builder --drawings F --sequences F --guide F --annexes F "
                   "--out DIR --lessons F...\n",
                   stderr);
        return 2;
    }
    catalogue::Diagnostics d;
    catalogue::DrawingTable table;
    if (!table.load(o.drawings, d)) {
        std::fputs(d.report().c_str(), stderr);
        return 1;
    }

    // The lessons, one file per activity.
    std::vector<catalogue::ActivitySource> activities;
    std::array<bool, formats::kActivityCount> seen{};
    std::string lessonCatalogue = formats::blankLessonCatalogue();
    std::map<int, std::string> records; // activity * 1000 + lesson
    for (const std::string& path : o.lessons) {
        const std::string name = fileName(path);
        const std::optional<std::vector<catalogue::SourceLine>> lines =
            catalogue::readSourceLines(path, name, d);
        if (!lines) continue;
        catalogue::ActivitySource a = catalogue::parseActivity(*lines, name, table, d);
        if (a.activity < 0) continue;
        if (seen[a.activity]) d.error(name, 0, cp("une autre source décrit déjà cette activité"));
        seen[a.activity] = true;
        for (const catalogue::LessonSource& lesson : a.lessons) {
            const std::optional<std::string> record = catalogue::buildRecord(lesson, d);
            if (!record) continue;
            const std::int32_t position = formats::recordPosition(a.activity, lesson.number);
            lessonCatalogue.replace(static_cast<std::size_t>(position - 1), record->size(),
                                    *record);
            records[a.activity * 1000 + lesson.number] = *record;
        }
        activities.push_back(std::move(a));
    }
    for (int a = 0; a < formats::kActivityCount; ++a)
        if (!seen[a])
            d.error("--lessons", 0,
                    cp("aucune source ne décrit l'activité ") +
                        std::string(1, catalogue::activityLetter(a)));

    // The sequences.
    std::vector<catalogue::SequenceSource> sequences;
    if (const auto lines = catalogue::readSourceLines(o.sequences, fileName(o.sequences), d))
        sequences = catalogue::parseSequences(
            *lines, fileName(o.sequences),
            [&](int activity, int lesson) { return records.count(activity * 1000 + lesson) > 0; },
            d);
    std::string sequenceCatalogue = formats::blankSequenceCatalogue();
    std::string titles = sequenceCatalogue.substr(0, formats::kTitleTableLength);
    for (const catalogue::SequenceSource& s : sequences) {
        formats::setTitle(titles, s.number, s.title);
        sequenceCatalogue.replace(
            static_cast<std::size_t>(formats::sequenceListPosition(s.number) - 1),
            formats::kSequenceListLength, formats::storedList(s.codes));
    }
    sequenceCatalogue.replace(0, titles.size(), titles);

    // The guide and its annexes.
    const std::optional<std::string> guide =
        catalogue::guideText(readUtf8(o.guide, d), fileName(o.guide), d);
    const std::optional<std::string> annexes = catalogue::annexesText(
        readUtf8(o.annexes, d), fileName(o.annexes), activities, sequences, table, d);

    if (!d.empty()) {
        std::fputs(d.report().c_str(), stderr);
        return 1;
    }
    const std::string folder = o.out + "/";
    const bool written =
        platform::makeFolders(o.out) &&
        platform::replaceFile(folder + formats::kLessonCatalogueName, lessonCatalogue) &&
        platform::replaceFile(folder + formats::kSequenceCatalogueName, sequenceCatalogue) &&
        platform::replaceFile(folder + "tavrel.txt", *guide) &&
        platform::replaceFile(folder + "annexes.txt", *annexes);
    if (!written) {
        std::fprintf(stderr, "catalogue_builder: cannot write into %s\n", o.out.c_str());
        return 1;
    }
    return 0;
}
