// The guide and its annexes as the program ships them: Windows-1252 text with carriage return and
// line feed after every line, lines short enough for the guide viewer's box. The annexes' source
// holds marker lines that the builder replaces by the lists of the shipped lessons, sequences and
// drawings, so that the annex always lists what the program holds.
#pragma once

#include "tools/catalogue_builder_lessons.h"
#include "tools/catalogue_builder_sequences.h"
#include "tools/catalogue_builder_source.h"

#include <optional>
#include <string>
#include <vector>

namespace catalogue {

// The longest line the guide viewer shows without wrapping it.
constexpr int kTextLineLength = 64;
// The marker lines of the annexes' source (UTF-8).
inline const char* const kLessonsMarker = "@leçons";
inline const char* const kSequencesMarker = "@séquences";
inline const char* const kDrawingsMarker = "@dessins";

// The guide from its UTF-8 source; nothing when a line is too long, holds a tab or a character
// that Windows-1252 cannot hold.
std::optional<std::string> guideText(const std::string& utf8, const std::string& displayName,
                                     Diagnostics& diagnostics);

// The annexes from their UTF-8 source, each marker line replaced by its list.
std::optional<std::string> annexesText(const std::string& utf8, const std::string& displayName,
                                       const std::vector<ActivitySource>& activities,
                                       const std::vector<SequenceSource>& sequences,
                                       const DrawingTable& drawings, Diagnostics& diagnostics);

// A text cut at blanks into lines of at most `width` characters: the first starts with `first`,
// the others with `indent`.
std::vector<std::string> wrapped(const std::string& first, const std::string& indent,
                                 const std::string& text, int width);

} // namespace catalogue
