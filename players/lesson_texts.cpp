#include "players/lesson_texts.h"

#include "platform/cp1252.h"

namespace players {

bool chiffre(char c) {
    return c >= '0' && c <= '9';
}

std::string symboleEnMots(const std::string& t, unsigned char initiale,
                          const char* perpendiculaires) {
    static const char kSymboles[] = {'#', '|', '<', '>', '='};
    for (char symbole : kSymboles) {
        const auto pos = t.find(symbole);
        if (pos == std::string::npos) continue;
        const unsigned char majuscule = platform::upper1252(initiale);
        const std::string g = (majuscule == 'S' || majuscule == 'D') ? "e" : "";
        std::string mots;
        switch (symbole) {
        case '#': mots = cp("côtés parallèles"); break;
        case '|': mots = perpendiculaires; break;
        case '<': mots = "plus petit" + g + " que"; break;
        case '>': mots = "plus grand" + g + " que"; break;
        case '=': mots = cp("égal") + g + cp(" à"); break;
        }
        if (pos > 0 && t[pos - 1] != ' ') mots = " " + mots;
        if (pos + 1 >= t.size() || t[pos + 1] != ' ') mots += " ";
        return t.substr(0, pos) + mots + t.substr(pos + 1, 20);
    }
    return t;
}

std::string deuxPointsInsecables(const std::string& t) {
    const auto deuxPoints = t.find(" :");
    if (deuxPoints == std::string::npos) return t;
    return t.substr(0, deuxPoints) + char(0xA0) + ":" + t.substr(deuxPoints + 2, 30);
}

} // namespace players
