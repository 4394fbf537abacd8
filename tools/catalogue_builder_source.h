// Reading the readable sources of the shipped data: UTF-8 text files turned line by line into the
// program's Windows-1252 strings, comments and blank lines dropped, and the errors found in them
// collected with their file and line so that a writer of lessons can find them.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace catalogue {

struct SourceLine {
    int number = 0;   // 1-based line number in its file
    std::string text; // Windows-1252, without its line end and outer blanks
};

struct Diagnostic {
    std::string file;
    int line = 0;        // 0 when the error concerns the whole file
    std::string message; // Windows-1252
};

class Diagnostics {
public:
    void error(const std::string& file, int line, const std::string& message) {
        list_.push_back({file, line, message});
    }
    bool empty() const { return list_.empty(); }
    const std::vector<Diagnostic>& list() const { return list_; }
    // Every error as "file:line: message" lines, in UTF-8 for the terminal.
    std::string report() const;

private:
    std::vector<Diagnostic> list_;
};

// The meaningful lines of a UTF-8 source: blank lines and lines whose first non-blank character
// is "#" are dropped. A line that Windows-1252 cannot hold is reported and dropped. Nothing when
// the file cannot be read.
std::optional<std::vector<SourceLine>>
readSourceLines(const std::string& path, const std::string& displayName, Diagnostics& diagnostics);
// The same from text already in memory (UTF-8).
std::vector<SourceLine> sourceLinesOf(const std::string& utf8, const std::string& displayName,
                                      Diagnostics& diagnostics);

// Every line of a UTF-8 text, comments and blank lines kept, turned into Windows-1252.
std::optional<std::vector<std::string>>
textLinesOf(const std::string& utf8, const std::string& displayName, Diagnostics& diagnostics);

std::string trim(const std::string& text);
// Windows-1252 lower case.
std::string lower(const std::string& text);
// The text split at each occurrence of the separator, each part trimmed.
std::vector<std::string> splitTrimmed(const std::string& text, char separator);
// "key : value" lines: the key (lower case, inner blanks kept) and the value, both trimmed; the
// line is cut at its first colon. Nothing when the line holds no colon.
struct KeyValue {
    std::string key;
    std::string value;
};
std::optional<KeyValue> keyValue(const std::string& line);
// A whole number written with digits only (no sign); nothing otherwise or when it is too large.
std::optional<int> wholeNumber(const std::string& text);

} // namespace catalogue
