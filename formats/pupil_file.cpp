#include "formats/pupil_file.h"

#include "platform/cp1252.h"
#include "platform/text_io.h"

#include <algorithm>

namespace formats {
namespace {

struct NamePart {
    std::string kept;
    int sum = 0;
};

// Accented capitals that count as their plain letter; every other accented letter is dropped.
const std::string& accented() {
    static const std::string text = cp("ÂÀÉÈÊÎÔÛÙÇ");
    return text;
}
constexpr const char* kPlain = "AAEEEIOUUC";

NamePart keptCharacters(const std::string& name, int& count) {
    NamePart part;
    const std::string upper = platform::upper1252(name.substr(0, 24));
    for (char c : upper) {
        const auto place = accented().find(c);
        if (place != std::string::npos) c = kPlain[place];
        if (c >= '0' && c <= '9') {
            part.sum += c - '0' + 1;
        } else if (c >= 'A' && c <= 'Z') {
            part.sum += c - 'A' + 11;
        } else {
            continue;
        }
        part.kept += c;
        ++count;
    }
    return part;
}

char checkCharacter(int v) {
    return static_cast<char>(v < 26 ? 65 + v : 22 + v);
}

std::string check(int sum) {
    return {checkCharacter(sum / 36), checkCharacter(sum % 36)};
}

} // namespace

std::string nomCourtEleve(const std::string& prenom, const std::string& nom) {
    int count = 0;
    const NamePart first = keptCharacters(prenom, count);
    const NamePart last = keptCharacters(nom, count);
    return first.kept.substr(0, 3) + check(first.sum) + last.kept.substr(0, 3) + "." +
           check(last.sum) + static_cast<char>(65 + count % 26);
}

std::string caracteresRetenus(const std::string& name) {
    int count = 0;
    return keptCharacters(name, count).kept;
}

std::string codeGroupe(const std::string& texteGroupe) {
    std::string text = "00";
    for (char c : texteGroupe)
        if (c != ' ') text += c;
    return text.substr(text.size() - 2);
}

std::string dossierGroupe(const std::string& dossierEleves, const std::string& code) {
    return dossierEleves + "TAVR#" + code;
}

bool isValidProgress(const std::string& etatLecons) {
    if (etatLecons.size() != static_cast<std::size_t>(kProgressLength)) return false;
    return std::all_of(etatLecons.begin(), etatLecons.end(), LessonScores::storable);
}

PupilValues storablePupilValues(const PupilValues& values) {
    PupilValues v = values;
    v.prenom = platform::textAsStored(v.prenom.substr(0, kNameLengthMax));
    v.nom = platform::textAsStored(v.nom.substr(0, kNameLengthMax));
    v.listeLecons = platform::textAsStored(v.listeLecons.substr(0, kListLengthMax));
    const auto entries = static_cast<std::int16_t>(v.listeLecons.size() / 2);
    v.positionListe = std::clamp<std::int16_t>(v.positionListe, 0, entries);
    if (v.activite < 0 || v.activite > 11) v.activite = 0;
    v.etatLecons.resize(kProgressLength, kNeverDone);
    for (char& c : v.etatLecons)
        if (!LessonScores::storable(c)) c = kNeverDone;
    return v;
}

std::string formatPupilFile(const PupilValues& values) {
    const PupilValues v = storablePupilValues(values);
    platform::TextWriter w;
    w.text(v.prenom).endLine().text(v.nom).endLine();
    w.integer(v.positionListe).endLine().integer(v.activite).endLine();
    w.text(v.listeLecons).endLine().integer(v.numeroSequence).endLine();
    w.text(v.etatLecons).endLine();
    w.integer(v.points).endLine().integer(v.serieImages).endLine();
    w.integer(v.itemsTermines).endLine().integer(v.numeroItem).endLine();
    w.integer(v.repriseAutorisee).endLine();
    for (int i = 0; i < 3; ++i) w.text("").endLine();
    for (int i = 0; i < 4; ++i) w.integer(0).endLine();
    return w.str();
}

PupilReadStatus parsePupilFile(const std::string& content, bool namesOnly, PupilValues& v) {
    platform::TextReader r(content);
    constexpr auto damaged = PupilReadStatus::Damaged;
    auto text = [&](std::string& into, std::size_t bound) {
        const auto value = r.text();
        if (value) into = value->substr(0, bound);
        return value.has_value();
    };
    auto integer = [&](std::int16_t& into, int low, int high) {
        const auto value = r.integer();
        if (!value || *value < low || *value > high) return false;
        into = *value;
        return true;
    };
    constexpr int any = 32767, anyLow = -32768;

    if (platform::pastSmallFileLimit(content)) return damaged;
    if (!text(v.prenom, kNameLengthMax) || !text(v.nom, kNameLengthMax)) return damaged;
    if (namesOnly) return PupilReadStatus::Read;
    if (!integer(v.positionListe, 0, any)) return damaged;
    if (!integer(v.activite, 0, 11)) return damaged;
    if (!text(v.listeLecons, kListLengthMax)) return damaged;
    if (!integer(v.numeroSequence, anyLow, any)) return damaged;
    const auto progress = r.text();
    if (!progress || !isValidProgress(*progress)) return damaged;
    v.etatLecons = *progress;
    if (!integer(v.points, anyLow, any) || !integer(v.serieImages, anyLow, any) ||
        !integer(v.itemsTermines, anyLow, any) || !integer(v.numeroItem, anyLow, any) ||
        !integer(v.repriseAutorisee, anyLow, any))
        return damaged;
    std::string reservedText;
    std::int16_t reservedNumber = 0;
    for (int i = 0; i < 3; ++i)
        if (!text(reservedText, 0)) return damaged;
    for (int i = 0; i < 4; ++i)
        if (!integer(reservedNumber, anyLow, any)) return damaged;
    return PupilReadStatus::Read;
}

} // namespace formats
