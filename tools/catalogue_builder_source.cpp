#include "tools/catalogue_builder_source.h"

#include "platform/cp1252.h"
#include "platform/files.h"

namespace catalogue {

std::string Diagnostics::report() const {
    std::string out;
    for (const Diagnostic& d : list_) {
        out += d.file;
        if (d.line > 0) out += ":" + std::to_string(d.line);
        out += ": " + platform::cp1252ToUtf8(d.message) + "\n";
    }
    return out;
}

namespace {

// The lines of a UTF-8 text in Windows-1252; a line the code page cannot hold is reported and
// left empty, so that the numbers of the lines after it stay right.
std::vector<std::string> convertLines(const std::string& utf8, const std::string& displayName,
                                      Diagnostics& diagnostics, bool& allConverted) {
    std::vector<std::string> lines;
    allConverted = true;
    std::size_t start = 0;
    while (start < utf8.size()) {
        std::size_t end = utf8.find('\n', start);
        if (end == std::string::npos) end = utf8.size();
        std::string raw = utf8.substr(start, end - start);
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        if (lines.empty() && raw.rfind("\xEF\xBB\xBF", 0) == 0) raw.erase(0, 3);
        const std::optional<std::string> converted = platform::utf8ToCp1252(raw);
        if (!converted) {
            diagnostics.error(displayName, static_cast<int>(lines.size()) + 1,
                              cp("caractère que le jeu Windows-1252 ne contient pas"));
            allConverted = false;
        }
        lines.push_back(converted.value_or(std::string()));
        start = end + 1;
    }
    return lines;
}

} // namespace

std::optional<std::vector<std::string>>
textLinesOf(const std::string& utf8, const std::string& displayName, Diagnostics& diagnostics) {
    bool allConverted = true;
    std::vector<std::string> lines = convertLines(utf8, displayName, diagnostics, allConverted);
    if (!allConverted) return std::nullopt;
    return lines;
}

std::vector<SourceLine> sourceLinesOf(const std::string& utf8, const std::string& displayName,
                                      Diagnostics& diagnostics) {
    bool allConverted = true;
    const std::vector<std::string> lines =
        convertLines(utf8, displayName, diagnostics, allConverted);
    std::vector<SourceLine> result;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string text = trim(lines[i]);
        if (text.empty() || text[0] == '#') continue;
        result.push_back({static_cast<int>(i) + 1, text});
    }
    return result;
}

std::optional<std::vector<SourceLine>>
readSourceLines(const std::string& path, const std::string& displayName, Diagnostics& diagnostics) {
    const std::optional<std::string> content = platform::readWholeFile(path);
    if (!content) {
        diagnostics.error(displayName, 0, cp("fichier illisible"));
        return std::nullopt;
    }
    return sourceLinesOf(*content, displayName, diagnostics);
}

std::string trim(const std::string& text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::size_t first = 0, last = text.size();
    while (first < last && blank(text[first])) ++first;
    while (last > first && blank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

std::string lower(const std::string& text) {
    return platform::lower1252(text);
}

std::vector<std::string> splitTrimmed(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(trim(text.substr(start, end == std::string::npos ? end : end - start)));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return parts;
}

std::optional<KeyValue> keyValue(const std::string& line) {
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos) return std::nullopt;
    KeyValue kv;
    kv.key = lower(trim(line.substr(0, colon)));
    // Inner runs of blanks count as one, so that "aire  commune" is still understood.
    std::string squeezed;
    for (char c : kv.key) {
        if (c == '\t') c = ' ';
        if (c == ' ' && !squeezed.empty() && squeezed.back() == ' ') continue;
        squeezed += c;
    }
    kv.key = squeezed;
    kv.value = trim(line.substr(colon + 1));
    return kv;
}

std::optional<int> wholeNumber(const std::string& text) {
    if (text.empty() || text.size() > 6) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace catalogue
