#include "tools/catalogue_builder_drawings.h"

#include "platform/cp1252.h"
#include "platform/files.h"

namespace catalogue {
namespace {

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        cells.push_back(trim(line.substr(start, tab == std::string::npos ? tab : tab - start)));
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
    return cells;
}

// The columns that describe the picture itself rather than the thing it shows.
bool isPictureColumn(const std::string& column) {
    return column == "numero" || column == "famille" || column == "source" ||
           column == "recoloration" || column == "taille" || column == "nom";
}

} // namespace

std::optional<std::string> Drawing::attribute(const std::string& column) const {
    const auto it = attributes.find(column);
    if (it == attributes.end()) return std::nullopt;
    return it->second;
}

std::optional<int> Drawing::numericAttribute(const std::string& column) const {
    const std::optional<std::string> value = attribute(column);
    if (!value) return std::nullopt;
    return wholeNumber(*value);
}

bool DrawingTable::load(const std::string& path, Diagnostics& diagnostics) {
    const std::optional<std::string> content = platform::readWholeFile(path);
    if (!content) {
        diagnostics.error(path, 0, cp("table des dessins illisible"));
        return false;
    }
    return loadText(*content, path, diagnostics);
}

bool DrawingTable::loadText(const std::string& utf8, const std::string& displayName,
                            Diagnostics& diagnostics) {
    drawings_.clear();
    attributeColumns_.clear();
    values_.clear();
    Diagnostics local;
    const std::vector<SourceLine> lines = sourceLinesOf(utf8, displayName, local);
    bool ok = local.empty();
    for (const Diagnostic& d : local.list()) diagnostics.error(d.file, d.line, d.message);
    if (lines.empty()) {
        diagnostics.error(displayName, 0, cp("table des dessins vide"));
        return false;
    }
    const std::vector<std::string> header = splitTabs(lines[0].text);
    int numberColumn = -1, nameColumn = -1;
    for (std::size_t c = 0; c < header.size(); ++c) {
        if (header[c] == "numero") numberColumn = static_cast<int>(c);
        if (header[c] == "nom") nameColumn = static_cast<int>(c);
        if (!isPictureColumn(header[c])) attributeColumns_.insert(header[c]);
    }
    if (numberColumn < 0 || nameColumn < 0) {
        diagnostics.error(displayName, lines[0].number,
                          cp("l'en-tête doit nommer les colonnes numero et nom"));
        return false;
    }
    for (std::size_t i = 1; i < lines.size(); ++i) {
        // The line as written, tabs included: trimming the source line kept inner tabs.
        const std::vector<std::string> cells = splitTabs(lines[i].text);
        if (cells.size() != header.size()) {
            diagnostics.error(displayName, lines[i].number,
                              cp("nombre de colonnes différent de l'en-tête"));
            ok = false;
            continue;
        }
        const std::optional<int> number = wholeNumber(cells[numberColumn]);
        if (!number || *number != static_cast<int>(drawings_.size())) {
            diagnostics.error(displayName, lines[i].number,
                              cp("les dessins doivent être numérotés de 0 en 0 sans trou"));
            ok = false;
            continue;
        }
        Drawing drawing;
        drawing.number = *number;
        drawing.name = cells[nameColumn];
        for (std::size_t c = 0; c < header.size(); ++c) {
            if (isPictureColumn(header[c]) || cells[c] == "-" || cells[c].empty()) continue;
            drawing.attributes[header[c]] = cells[c];
            values_[header[c]].insert(cells[c]);
        }
        drawings_.push_back(std::move(drawing));
    }
    return ok;
}

const Drawing* DrawingTable::find(int number) const {
    if (number < 0 || number >= static_cast<int>(drawings_.size())) return nullptr;
    return &drawings_[number];
}

bool DrawingTable::hasValue(const std::string& column, const std::string& value) const {
    const auto it = values_.find(column);
    return it != values_.end() && it->second.count(value) > 0;
}

} // namespace catalogue
