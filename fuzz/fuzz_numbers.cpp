// The number parse: the reading of a number at the start of a text, the 16-bit integer
// values of the small files, and their rounding; an integer written reads back as itself.
#include "fuzz_support.h"
#include "platform/numbers.h"
#include "platform/text_io.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double value = platform::val(text);
    const std::int16_t integer = platform::toInteger(value);
    const std::int32_t longValue = platform::toLong(value);
    if (!std::isnan(value) && value >= -32768 && value <= 32767)
        FUZZ_CHECK(integer == platform::roundHalfEven(value));
    FUZZ_CHECK(platform::val(platform::formatInteger(integer)) == integer);
    FUZZ_CHECK(platform::val(platform::formatInteger(longValue)) == longValue);

    platform::TextReader reader(text);
    for (int i = 0; i < 64 && !reader.atEnd(); ++i) {
        const auto read = reader.integer();
        if (!read) continue;
        platform::TextReader again(platform::formatInteger(*read) + "\r\n");
        FUZZ_CHECK(again.integer() == read);
    }
    return 0;
}
