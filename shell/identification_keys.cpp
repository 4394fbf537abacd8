#include "shell/identification_keys.h"

#include "platform/cp1252.h"

#include <string>

namespace shell {
namespace {

const std::string& capitalesAccentuees() {
    static const std::string s = cp("ÂÀÉÈÊÎÔÛÙÇ");
    return s;
}
const std::string& minusculesAccentuees() {
    static const std::string s = cp("âàéèêîôûùç");
    return s;
}

} // namespace

void filtrerToucheIdentification(int& k, bool chiffresSeuls, bool champVide) {
    if (k == 13) k = 0;
    if (k < 32) return;
    if (chiffresSeuls) {
        if (k < '0' || k > '9') k = 0;
        return;
    }
    if (k == ' ' && champVide) {
        k = 0;
        return;
    }
    const char c = static_cast<char>(k);
    int plie;
    if (capitalesAccentuees().find(c) != std::string::npos) {
        plie = k;
    } else if (const auto place = minusculesAccentuees().find(c); place != std::string::npos) {
        plie = static_cast<unsigned char>(capitalesAccentuees()[place]);
    } else {
        plie = platform::upper1252(static_cast<unsigned char>(k));
    }
    const bool accentuee = capitalesAccentuees().find(static_cast<char>(plie)) != std::string::npos;
    const bool refusee = (plie < 48 && plie != ' ' && plie != '\'' && plie != '-') ||
                         (plie >= 58 && plie <= 64) || (plie > 90 && !accentuee);
    k = refusee ? 0 : plie;
}

} // namespace shell
