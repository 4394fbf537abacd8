// The pupil file: 19 values, one per line, in the folder of the pupil's group; and the rule that
// names the file after the pupil's first name and surname.
#pragma once

#include "formats/lesson_scores.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace formats {

// A lesson list holds two characters per entry, and its position is a 16-bit integer: entries
// past the 32 767th could never be reached, and are not kept.
constexpr int kListEntriesMax = 32767;
constexpr std::size_t kListLengthMax = 2 * kListEntriesMax;
// Far more than any name typed at sign-in; a longer name (only a hand-made file holds one) is cut,
// so that a file the program writes always stays below the small-file limit.
constexpr std::size_t kNameLengthMax = 4096;

// The file name (at most 8 characters, a point, 3 characters) of a pupil, from his names.
std::string nomCourtEleve(const std::string& prenom, const std::string& nom);

// The characters of a name that its file name is made from: its first 24 characters upper-cased,
// the accented capitals as their plain letter, only letters and digits kept. Names that differ
// only in accents, blanks, hyphens or apostrophes keep the same ones.
std::string caracteresRetenus(const std::string& name);

// The two digits of a group typed as text: the last two characters of "00" followed by the
// text without blanks ("7" and "07" give "07").
std::string codeGroupe(const std::string& texteGroupe);
// The group's folder in the pupils' folder (which ends with "/"), without a final "/":
// pupils' folder & "TAVR#" & the two digits.
std::string dossierGroupe(const std::string& dossierEleves, const std::string& code);

struct PupilValues {
    std::string prenom;
    std::string nom;
    std::int16_t positionListe = 0;
    std::int16_t activite = 0;
    std::string listeLecons;
    std::int16_t numeroSequence = -1;
    std::string etatLecons = noProgress();
    std::int16_t points = 8;
    std::int16_t serieImages = 0;
    std::int16_t itemsTermines = 0;
    std::int16_t numeroItem = 3;
    std::int16_t repriseAutorisee = -1;

    bool operator==(const PupilValues&) const = default;
};

// True when the progress string has exactly 1450 characters, each "#" or "0".."8".
bool isValidProgress(const std::string& etatLecons);

// The values as the file keeps them, and as they read back from it: texts as a text line holds
// them, names and list cut to their bounds, the position within 0..the number of whole entries of
// the list, an activity outside 0..11 as 0, and a progress string of 1450 characters in which
// any character but "#" and "0".."8" is "#".
PupilValues storablePupilValues(const PupilValues& values);

// The text of the file, holding storablePupilValues(values).
std::string formatPupilFile(const PupilValues& values);

enum class PupilReadStatus { Read = 0, Damaged = 2 };

// Reads the file's text into `values`, value by value, stopping at the first value that is
// missing, cannot be read, or is out of its range (a negative list position, an activity outside
// 0..11, a progress string that is not 1450 characters of "#" and "0".."8"); values read before
// that stay in `values`, the wrong one is not stored. With `namesOnly`, only the two names are
// read. The reserved lines must be there too. A text past the small-file limit is damaged from
// its first value. Names and list are cut to their bounds as they are read.
PupilReadStatus parsePupilFile(const std::string& content, bool namesOnly, PupilValues& values);

} // namespace formats
