// The settings file "defaut" and its copy "defaut1": the pupils' folder and five options, each
// value followed by a carriage return, each of the two lines ended by a line feed.
#pragma once

#include <cstdint>
#include <string>

namespace formats {

constexpr const char* kSettingsName = "defaut";
// The copy carries the same name followed by "1".
constexpr const char* kSettingsCopySuffix = "1";

struct Settings {
    std::string dossierEleves;
    std::int16_t menuLeconsAccessible = -1;
    std::int16_t sansInscriptionImmediate = 0;
    std::int16_t conserverChoix = 0;
    std::int16_t critereReussite = 2;
    std::int16_t repriseParDefaut = -1;

    bool operator==(const Settings&) const = default;
};

// The text of the file. A folder holding a comma or a double quote, or starting or ending with a
// blank, is written between double quotes, so that it reads back whole.
std::string formatSettings(const Settings& settings);

// Reads the text into `settings`, value by value; false for a text past the small-file limit and
// at the first value that is missing or cannot be read (the reserved values of the second line must
// be there too). Values read before that stay. A flag read as any value but 0 is stored as -1; a
// success criterion outside 0..3 becomes 2.
bool parseSettings(const std::string& content, Settings& settings);

} // namespace formats
