// The sequence catalogue "SEQUENCE.TAV": a table of 50 titles of 25 characters, then the lesson
// list of each sequence in 800 characters (up to 400 lesson codes). Read and written in place,
// never created by a read or a write.
#pragma once

#include <cstdint>
#include <string>

namespace formats {

constexpr const char* kSequenceCatalogueName = "SEQUENCE.TAV";
constexpr int kSequenceCount = 50;
constexpr int kTitleLength = 25;
constexpr int kTitleTableLength = kSequenceCount * kTitleLength; // 1250
constexpr int kSequenceListLength = 800;
constexpr std::int32_t kSequenceCatalogueSize = kSequenceCount * 800 + 1400; // 41400

// Byte position of the title of sequence 1..50, and of its lesson list.
inline std::int32_t sequenceTitlePosition(int sequence) {
    return (sequence - 1) * kTitleLength + 1;
}
inline std::int32_t sequenceListPosition(int sequence) {
    return static_cast<std::int32_t>(sequence) * 800 + 601;
}

// `count` bytes from a 1-based position, exactly as the file holds them (zero bytes included);
// bytes the file does not hold, and a catalogue that cannot be read, give blanks.
std::string readSequenceBytes(const std::string& path, std::int32_t position, int count);

// The 1250 characters of the title table, and the title of sequence 1..50 without its blanks.
std::string readTitleTable(const std::string& path);
std::string titleOf(const std::string& titleTable, int sequence);
// The 800-character lesson list of sequence 1..50.
std::string readSequenceList(const std::string& path, int sequence);

// A title as stored: the text without its outer blanks, padded with blanks and cut to 25.
std::string storedTitle(const std::string& text);
// A title table with the title of one sequence replaced.
void setTitle(std::string& titleTable, int sequence, const std::string& text);
// A lesson list as stored: padded with blanks and cut to 800 characters.
std::string storedList(const std::string& lessonCodes);

// Writes the whole title table at position 1, then the list of one sequence in its place. False
// when the catalogue is missing (it is never created) or a write fails; nothing more is written
// after a failure.
bool writeSequence(const std::string& path, const std::string& titleTable, int sequence,
                   const std::string& lessonCodes);

// A catalogue of blank titles and empty lists, kSequenceCatalogueSize bytes long (build tools).
std::string blankSequenceCatalogue();
bool createBlankSequenceCatalogue(const std::string& path);

} // namespace formats
