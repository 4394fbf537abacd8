// The settings file: any bytes read safely; settings read, or made of any folder, are written so
// that they read back as the same settings and the same text.
#include "formats/settings.h"
#include "fuzz_support.h"
#include "platform/text_io.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    formats::Settings read;
    if (formats::parseSettings(content, read)) {
        const std::string text = formats::formatSettings(read);
        formats::Settings again;
        FUZZ_CHECK(formats::parseSettings(text, again));
        FUZZ_CHECK(read == again);
        FUZZ_CHECK(formats::formatSettings(again) == text);
    }

    FuzzedDataProvider in(data, size);
    formats::Settings made;
    made.menuLeconsAccessible = in.ConsumeIntegral<std::int16_t>();
    made.sansInscriptionImmediate = in.ConsumeIntegral<std::int16_t>();
    made.conserverChoix = in.ConsumeIntegral<std::int16_t>();
    made.critereReussite = in.ConsumeIntegral<std::int16_t>();
    made.repriseParDefaut = in.ConsumeIntegral<std::int16_t>();
    made.dossierEleves = in.ConsumeRemainingBytesAsString();
    // A folder of up to the whole input stays far below the small-file limit.
    formats::Settings back;
    FUZZ_CHECK(formats::parseSettings(formats::formatSettings(made), back));
    FUZZ_CHECK(back.dossierEleves == platform::textAsStored(made.dossierEleves));
    FUZZ_CHECK(back.critereReussite ==
               (made.critereReussite >= 0 && made.critereReussite <= 3 ? made.critereReussite : 2));
    FUZZ_CHECK(back.conserverChoix == (made.conserverChoix != 0 ? -1 : 0));
    return 0;
}
