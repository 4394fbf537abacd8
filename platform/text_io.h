// The values of the program's small text files (pupil file, settings, passwords):
// texts written as they stand, integers written with one leading space when not negative (a
// minus sign otherwise) and one trailing space, values separated by carriage returns, line ends
// or commas.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace platform {

// No small file of the program comes near this size: a longer one is damaged, and reading it
// whole would only exhaust the memory.
constexpr std::size_t kSmallFileLimit = 1 << 20;

// The whole of a small file; a file longer than kSmallFileLimit gives its first
// kSmallFileLimit + 1 bytes, which every reader of these files refuses as damaged. Nothing when
// the file cannot be read.
std::optional<std::string> readSmallFile(const std::string& path);
// True when a text is too long to be one of the program's small files.
inline bool pastSmallFileLimit(const std::string& content) {
    return content.size() > kSmallFileLimit;
}

// The text as TextReader::text gives it back: carriage returns and line feeds, which no value
// can hold, become blanks; a text that starts or ends with a blank, or holds a comma or a
// quote, goes between double quotes.
std::string storableText(const std::string& value);
// The value TextReader::text reads back from storableText(value).
std::string textAsStored(const std::string& value);

// " 8 " for 8, "-1 " for -1.
std::string formatInteger(long long value);

class TextWriter {
public:
    // The value quoted when it needs it (see storableText).
    TextWriter& text(const std::string& value) {
        out_ += storableText(value);
        return *this;
    }
    TextWriter& integer(long long value) {
        out_ += formatInteger(value);
        return *this;
    }
    TextWriter& carriageReturn() {
        out_ += '\r';
        return *this;
    }
    TextWriter& lineFeed() {
        out_ += '\n';
        return *this;
    }
    TextWriter& endLine() {
        out_ += "\r\n";
        return *this;
    }
    const std::string& str() const { return out_; }

private:
    std::string out_;
};

// Reads values one after the other. Blanks before a value are skipped; a value ends at a
// carriage return (with the line feed that may follow it), at a line feed, at a comma or at the
// end of the text. Reading fails once the text is used up.
class TextReader {
public:
    explicit TextReader(std::string content) : in_(std::move(content)) {}

    // A text value without its surrounding blanks. A value that starts with a double quote runs
    // to the last quote of its line (or, when blanks do not follow that one, to the first quote
    // followed by a comma), so that a text holding commas and quotes can be kept whole.
    std::optional<std::string> text();
    // A whole number that fits a 16-bit integer; a value written with a fraction is rounded half
    // to even. Anything else (an empty value, letters, a number too large) is a failure.
    std::optional<std::int16_t> integer();

    bool atEnd() const { return pos_ >= in_.size(); }

private:
    void skipBlanks();
    bool atSeparator() const;
    void skipSeparator();
    std::string in_;
    std::size_t pos_ = 0;
};

} // namespace platform
