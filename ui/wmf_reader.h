// Placeable Windows metafiles: a reader that checks the file whole before anything is drawn, and
// a player that draws the common records onto a QPainter. GUI thread only (fonts).
#pragma once

#include <QByteArray>
#include <QRectF>
#include <QSize>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QPainter;

namespace ui::wmf {

struct Record {
    uint16_t function = 0;
    std::vector<uint16_t> params; // the record's words after its size and function
};

struct Metafile {
    // The frame from the placeable header, in metafile units.
    int16_t left = 0, top = 0, right = 0, bottom = 0;
    uint16_t unitsPerInch = 1440;
    std::vector<Record> records; // without the end record

    // The frame's size at 96 pixels per inch.
    QSize naturalSize() const;
};

// True when the bytes start with the placeable metafile key.
bool looksPlaceable(const QByteArray& data);

// Reads a whole placeable metafile. A damaged file (bad key or checksum, truncated header, a
// record running past the end of the file or of size zero, no end record) gives nothing and, when
// asked, a French reason in Windows-1252.
std::optional<Metafile> parse(const QByteArray& data, std::string* error = nullptr);

// Plays the records with the metafile's window mapped onto `target`. The painter's own state is
// the same afterwards.
void render(const Metafile& metafile, QPainter& painter, const QRectF& target);

} // namespace ui::wmf
