// The password and rights file "motpasse": the rights of the management menus on the first line,
// then the teacher's and the manager's passwords, scrambled, one line each.
#pragma once

#include <optional>
#include <string>

namespace formats {

constexpr const char* kPasswordsName = "motpasse";
constexpr int kRightsLength = 15;

// Character i (from 1) is stored as its code + 3 i + 50. Nothing when a character would not fit
// a byte (a password the key filters could not have let through).
std::optional<std::string> scramblePassword(const std::string& plain);
std::string unscramblePassword(const std::string& stored);

// Exactly 15 rights: a missing character, or one other than "0", "1", "2", becomes "0"; the
// others are kept; characters after the 15th are dropped.
std::string normaliseRights(const std::string& rights);

struct Passwords {
    std::string droits = std::string(kRightsLength, '0');
    std::string enseignant;
    std::string gestionnaire;
};

// The text of the file: the rights, then each password without its outer blanks, scrambled.
// Nothing when a password cannot be stored.
std::optional<std::string> formatPasswordFile(const std::string& droits,
                                              const std::string& enseignant,
                                              const std::string& gestionnaire);

// Reads the three lines into `passwords` one by one; false at the first that is missing, the
// lines read before that staying, and false for a text past the small-file limit.
bool parsePasswordFile(const std::string& content, Passwords& passwords);

} // namespace formats
