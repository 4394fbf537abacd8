// Integer conversions as the program's arithmetic expects them.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Nearest integer, halves to the even one (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
long long roundHalfEven(double value);
// The same, saturated to the 16-bit and 32-bit integer ranges.
std::int16_t toInteger(double value);
std::int32_t toLong(double value);

// Integer division truncating toward zero, whatever the signs.
inline long long idiv(long long a, long long b) {
    return a / b;
}

// The number at the start of a text: blanks are skipped, then a sign,
// digits, a decimal point and an exponent; the first character that does not fit ends it.
// "12abc" is 12, "abc" is 0. Huge values stay huge doubles, so "99999999999" is above every limit.
double val(const std::string& text);

} // namespace platform
