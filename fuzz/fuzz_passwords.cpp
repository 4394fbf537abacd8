// The password and rights file: any bytes read safely, and what was read, written again, reads
// back as the same rights and passwords (each without its outer blanks).
#include "formats/passwords.h"
#include "fuzz_support.h"
#include "platform/strings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    formats::Passwords read;
    if (!formats::parsePasswordFile(content, read)) return 0;
    FUZZ_CHECK(read.droits.size() == std::size_t(formats::kRightsLength));
    const auto text = formats::formatPasswordFile(read.droits, read.enseignant, read.gestionnaire);
    if (!text) return 0; // a password no key filter lets through cannot be stored
    formats::Passwords again;
    FUZZ_CHECK(formats::parsePasswordFile(*text, again));
    FUZZ_CHECK(again.droits == read.droits);
    FUZZ_CHECK(again.enseignant == platform::trimmed(read.enseignant));
    FUZZ_CHECK(again.gestionnaire == platform::trimmed(read.gestionnaire));
    FUZZ_CHECK(formats::scramblePassword(again.enseignant).has_value());
    return 0;
}
