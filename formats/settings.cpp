#include "formats/settings.h"

#include "platform/text_io.h"

namespace formats {

std::string formatSettings(const Settings& s) {
    platform::TextWriter w;
    w.text(s.dossierEleves).carriageReturn();
    w.integer(s.menuLeconsAccessible).carriageReturn();
    w.integer(s.sansInscriptionImmediate).carriageReturn();
    w.integer(s.conserverChoix).carriageReturn();
    w.integer(s.critereReussite).carriageReturn();
    w.integer(s.repriseParDefaut).carriageReturn().lineFeed();
    for (int i = 0; i < 3; ++i) w.carriageReturn();
    for (int i = 0; i < 3; ++i) w.integer(0).carriageReturn();
    w.lineFeed();
    return w.str();
}

bool parseSettings(const std::string& content, Settings& s) {
    if (platform::pastSmallFileLimit(content)) return false;
    platform::TextReader r(content);
    const auto folder = r.text();
    if (!folder) return false;
    s.dossierEleves = *folder;
    for (std::int16_t* flag :
         {&s.menuLeconsAccessible, &s.sansInscriptionImmediate, &s.conserverChoix}) {
        const auto value = r.integer();
        if (!value) return false;
        *flag = *value != 0 ? -1 : 0;
    }
    const auto criterion = r.integer();
    if (!criterion) return false;
    s.critereReussite = *criterion >= 0 && *criterion <= 3 ? *criterion : 2;
    const auto retake = r.integer();
    if (!retake) return false;
    s.repriseParDefaut = *retake != 0 ? -1 : 0;
    for (int i = 0; i < 3; ++i)
        if (!r.text()) return false;
    for (int i = 0; i < 3; ++i)
        if (!r.integer()) return false;
    return true;
}

} // namespace formats
