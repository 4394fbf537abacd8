// The pupil file: 19 values, one per line, in the folder of the pupil's group; and the rule that
// names the file after the pupil's first name and surname.
#pragma once

#include <cstdint>
#include <string>

namespace formats {

constexpr int kProgressLength = 1450;

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
    std::string etatLecons = std::string(kProgressLength, '#');
    std::int16_t points = 8;
    std::int16_t serieImages = 0;
    std::int16_t itemsTermines = 0;
    std::int16_t numeroItem = 3;
    std::int16_t repriseAutorisee = -1;
};

// True when the progress string has exactly 1450 characters, each "#" or "0".."8".
bool isValidProgress(const std::string& etatLecons);

// The text of the file.
std::string formatPupilFile(const PupilValues& values);

enum class PupilReadStatus { Read = 0, Damaged = 2 };

// Reads the file's text into `values`, value by value, stopping at the first value that is
// missing, cannot be read, or is out of its range (a negative list position, an activity outside
// 0..11, a progress string that is not 1450 characters of "#" and "0".."8"); values read before
// that stay in `values`, the wrong one is not stored. With `namesOnly`, only the two names are
// read. The reserved lines must be there too.
PupilReadStatus parsePupilFile(const std::string& content, bool namesOnly, PupilValues& values);

} // namespace formats
