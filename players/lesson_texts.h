// What the players make of the texts of a lesson record: the digit that starts a drawing's number
// and the comparison symbols of a title written in words.
#pragma once

#include <string>

namespace players {

bool chiffre(char c);

// How each player writes "|": the title cells of the table and the grid are narrow, and their
// word may break there.
inline constexpr const char* kPerpendiculaires = "perpendiculaires";
inline constexpr const char* kPerpendiculairesCoupe = "perpendicu- laires";

// The first of the symbols "#", "|", "<", ">", "=" that the text holds (looked for in that order)
// in words, with a blank on either side where the text has none; at most 20 characters stay
// after it. "petit", "grand" and "égal" take an "e" when `initiale` is an S or a D, whatever its
// case. A text without a symbol stays as it is.
std::string symboleEnMots(const std::string& texte, unsigned char initiale,
                          const char* perpendiculaires);

// The first " :" becomes a no-break space and the colon, so that the colon stays on the line of
// the word before it; at most 30 characters stay after it.
std::string deuxPointsInsecables(const std::string& texte);

} // namespace players
