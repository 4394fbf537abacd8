// The shipped sequences as a teacher writes them, in the notation of the sequence editor:
//
//   séquence 1 : Premiers pas
//   A1-A4 B1 B2 C1
//
// "A1-A4" stands for A1 A2 A3 A4. Every lesson named must exist in the lesson catalogue.
#pragma once

#include "tools/catalogue_builder_source.h"

#include <functional>
#include <string>
#include <vector>

namespace catalogue {

struct SequenceSource {
    int line = 0;
    int number = 0;                   // 1 to 50
    std::string title;                // at most 25 characters
    std::string codes;                // the lesson list as stored: two characters per lesson
    std::vector<std::string> written; // the entries as the editor shows them: "A1", "B20"
};

// `lessonExists`(activity, lesson) tells whether the catalogue holds that lesson.
std::vector<SequenceSource> parseSequences(const std::vector<SourceLine>& lines,
                                           const std::string& file,
                                           const std::function<bool(int, int)>& lessonExists,
                                           Diagnostics& diagnostics);

} // namespace catalogue
