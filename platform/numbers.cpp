#include "platform/numbers.h"

#include <cctype>
#include <cmath>
#include <limits>

namespace platform {

long long roundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 9.2e18) return std::numeric_limits<long long>::max();
    if (value <= -9.2e18) return std::numeric_limits<long long>::min();
    const double floor = std::floor(value);
    const double diff = value - floor;
    long long result = static_cast<long long>(floor);
    if (diff > 0.5 || (diff == 0.5 && (result % 2 != 0))) ++result;
    return result;
}

std::int16_t toInteger(double value) {
    const long long r = roundHalfEven(value);
    if (r > 32767) return 32767;
    if (r < -32768) return -32768;
    return static_cast<std::int16_t>(r);
}

std::int32_t toLong(double value) {
    const long long r = roundHalfEven(value);
    if (r > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (r < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(r);
}

double val(const std::string& text) {
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() &&
               (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r'))
            ++i;
    };
    skipBlanks();
    double sign = 1;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') sign = -1;
        ++i;
    }
    double mantissa = 0;
    int fractionDigits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ') continue; // blanks inside the number are skipped too: "1 2" is 12
        if (std::isdigit(static_cast<unsigned char>(c))) {
            mantissa = mantissa * 10 + (c - '0');
            if (point) ++fractionDigits;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    int exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::size_t j = i + 1;
        int expSign = 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            if (text[j] == '-') expSign = -1;
            ++j;
        }
        if (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
            while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
                if (exponent < 10000) exponent = exponent * 10 + (text[j] - '0');
                ++j;
            }
            exponent *= expSign;
        }
    }
    return sign * mantissa * std::pow(10.0, exponent - fractionDigits);
}

} // namespace platform
