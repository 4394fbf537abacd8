#include "formats/passwords.h"

#include "platform/strings.h"
#include "platform/text_io.h"

namespace formats {

std::optional<std::string> scramblePassword(const std::string& plain) {
    std::string stored;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const int code = static_cast<unsigned char>(plain[i]) + 3 * static_cast<int>(i + 1) + 50;
        if (code > 255) return std::nullopt;
        stored += static_cast<char>(code);
    }
    return stored;
}

std::string unscramblePassword(const std::string& stored) {
    std::string plain;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const int code = static_cast<unsigned char>(stored[i]) - 3 * static_cast<int>(i + 1) - 50;
        plain += static_cast<char>(code & 0xFF);
    }
    return plain;
}

std::string normaliseRights(const std::string& rights) {
    std::string result(kRightsLength, '0');
    for (std::size_t i = 0; i < result.size() && i < rights.size(); ++i)
        if (rights[i] >= '0' && rights[i] <= '2') result[i] = rights[i];
    return result;
}

std::optional<std::string> formatPasswordFile(const std::string& droits,
                                              const std::string& enseignant,
                                              const std::string& gestionnaire) {
    const auto teacher = scramblePassword(platform::trimmed(enseignant));
    const auto manager = scramblePassword(platform::trimmed(gestionnaire));
    if (!teacher || !manager) return std::nullopt;
    return platform::TextWriter()
        .text(droits)
        .endLine()
        .text(*teacher)
        .endLine()
        .text(*manager)
        .endLine()
        .str();
}

bool parsePasswordFile(const std::string& content, Passwords& p) {
    if (platform::pastSmallFileLimit(content)) return false;
    platform::TextReader r(content);
    const auto rights = r.text();
    if (!rights) return false;
    p.droits = normaliseRights(*rights);
    const auto teacher = r.text();
    if (!teacher) return false;
    p.enseignant = unscramblePassword(*teacher);
    const auto manager = r.text();
    if (!manager) return false;
    p.gestionnaire = unscramblePassword(*manager);
    return true;
}

} // namespace formats
