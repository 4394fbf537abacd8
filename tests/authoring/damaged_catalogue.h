// The ways a catalogue can refuse a save that the editors' tests play: gone, or a folder where
// the file was. (Tests run as any user, so a read-only file would not stop every one of them.)
#pragma once

#include <filesystem>

namespace authoringtest {

struct CatalogueDamage {
    const char* name;
    void (*apply)(const std::filesystem::path& catalogue);
};

inline const CatalogueDamage kCatalogueDamages[] = {
    {"catalogue missing", [](const std::filesystem::path& p) { std::filesystem::remove(p); }},
    {"a folder in its place",
     [](const std::filesystem::path& p) {
         std::filesystem::remove(p);
         std::filesystem::create_directory(p);
     }},
};

} // namespace authoringtest
