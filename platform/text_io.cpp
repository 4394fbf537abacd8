#include "platform/text_io.h"

#include "platform/files.h"
#include "platform/numbers.h"

#include <cstdlib>

namespace platform {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isSeparator(char c) {
    return c == '\r' || c == '\n' || c == ',';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string trimTrailingBlanks(std::string value) {
    while (!value.empty() && isBlank(value.back())) value.pop_back();
    return value;
}

// The value of a decimal number written in full (sign, digits, fraction, exponent), or nothing
// when the text is anything else.
std::optional<double> parseNumber(const std::string& text) {
    std::size_t i = 0;
    std::string normal;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) normal += text[i++];
    int digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        normal += text[i++];
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        normal += text[i++];
        while (i < text.size() && isDigit(text[i])) {
            normal += text[i++];
            ++digits;
        }
    }
    if (digits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        normal += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) normal += text[i++];
        int exponentDigits = 0;
        while (i < text.size() && isDigit(text[i])) {
            normal += text[i++];
            ++exponentDigits;
        }
        if (exponentDigits == 0) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    return std::strtod(normal.c_str(), nullptr);
}

} // namespace

std::optional<std::string> readSmallFile(const std::string& path) {
    return readBytes(path, 1, kSmallFileLimit + 1);
}

std::string textAsStored(const std::string& value) {
    std::string text = value;
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

std::string storableText(const std::string& value) {
    const std::string text = textAsStored(value);
    const bool quoted = !text.empty() && (isBlank(text.front()) || isBlank(text.back()) ||
                                          text.find_first_of(",\"") != std::string::npos);
    return quoted ? '"' + text + '"' : text;
}

std::string formatInteger(long long value) {
    const std::string digits = std::to_string(value);
    return (value < 0 ? digits : " " + digits) + " ";
}

void TextReader::skipBlanks() {
    while (pos_ < in_.size() && isBlank(in_[pos_])) ++pos_;
}

bool TextReader::atSeparator() const {
    return pos_ >= in_.size() || isSeparator(in_[pos_]);
}

void TextReader::skipSeparator() {
    if (pos_ >= in_.size()) return;
    if (in_[pos_] == '\r') {
        ++pos_;
        if (pos_ < in_.size() && in_[pos_] == '\n') ++pos_;
    } else if (in_[pos_] == '\n' || in_[pos_] == ',') {
        ++pos_;
    }
}

std::optional<std::string> TextReader::text() {
    skipBlanks();
    if (atEnd()) return std::nullopt;
    if (in_[pos_] == '"') {
        // The closing quote is the last one of the line when only blanks follow it, so that a
        // quoted text may itself hold quotes and commas; otherwise the first quote followed by
        // a comma.
        std::size_t lineEnd = in_.find_first_of("\r\n", pos_ + 1);
        if (lineEnd == std::string::npos) lineEnd = in_.size();
        std::size_t close = lineEnd;
        while (close > pos_ + 1 && isBlank(in_[close - 1])) --close;
        if (close > pos_ + 1 && in_[close - 1] == '"') {
            --close;
        } else {
            close = std::string::npos;
            for (std::size_t q = in_.find('"', pos_ + 1); q < lineEnd; q = in_.find('"', q + 1)) {
                std::size_t after = q + 1;
                while (after < lineEnd && isBlank(in_[after])) ++after;
                if (after < lineEnd && in_[after] == ',') {
                    close = q;
                    break;
                }
            }
        }
        if (close != std::string::npos) {
            std::string value = in_.substr(pos_ + 1, close - pos_ - 1);
            pos_ = close + 1;
            skipBlanks();
            skipSeparator();
            return value;
        }
        // No closing quote: the quote is an ordinary character.
    }
    const std::size_t start = pos_;
    while (!atSeparator()) ++pos_;
    std::string value = trimTrailingBlanks(in_.substr(start, pos_ - start));
    skipSeparator();
    return value;
}

std::optional<std::int16_t> TextReader::integer() {
    skipBlanks();
    if (atEnd()) return std::nullopt;
    const std::size_t start = pos_;
    while (!atSeparator()) ++pos_;
    const std::string field = trimTrailingBlanks(in_.substr(start, pos_ - start));
    skipSeparator();
    const auto number = parseNumber(field);
    if (!number) return std::nullopt;
    const long long rounded = roundHalfEven(*number);
    if (rounded < -32768 || rounded > 32767) return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

} // namespace platform
