// The drawing table as the lessons see it: for each drawing number its French name and its
// attributes (genre, couleur, pattes, faces...), read from the same table the pictures are drawn
// from, so that a lesson is always judged against the pictures the pupils see.
#pragma once

#include "tools/catalogue_builder_source.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace catalogue {

struct Drawing {
    int number = 0;
    std::string name; // Windows-1252
    // Attribute values by column name; "does not apply" is left out.
    std::map<std::string, std::string> attributes;

    // The value of an attribute, or nothing when it does not apply to this drawing.
    std::optional<std::string> attribute(const std::string& column) const;
    // The value read as a whole number, or nothing.
    std::optional<int> numericAttribute(const std::string& column) const;
};

class DrawingTable {
public:
    // Reads the tab-separated table (UTF-8). False, with the reasons in the diagnostics, when it
    // cannot be read or a line is malformed.
    bool load(const std::string& path, Diagnostics& diagnostics);
    bool loadText(const std::string& utf8, const std::string& displayName,
                  Diagnostics& diagnostics);

    const Drawing* find(int number) const;
    // The attribute columns (everything after the picture columns).
    bool hasAttribute(const std::string& column) const { return attributeColumns_.count(column); }
    // True when some drawing has this value in that column.
    bool hasValue(const std::string& column, const std::string& value) const;
    std::vector<std::string> attributeColumns() const {
        return {attributeColumns_.begin(), attributeColumns_.end()};
    }
    std::size_t size() const { return drawings_.size(); }

private:
    std::vector<Drawing> drawings_;
    std::set<std::string> attributeColumns_;
    std::map<std::string, std::set<std::string>> values_;
};

} // namespace catalogue
