// Block transfers between drawing surfaces with the classic raster operations, bit for bit.
#pragma once

#include <QImage>

namespace ui {

enum class RasterOp {
    SrcCopy,   // destination = source
    SrcAnd,    // destination = source AND destination
    SrcInvert, // destination = source XOR destination
};

// Copies the w x h block of `src` at (sx, sy) onto `dst` at (x, y), clipped to both images.
// Both images are RGB32; the operation works on the colour bits and keeps alpha opaque.
void bitBlt(QImage& dst, int x, int y, int w, int h, const QImage& src, int sx, int sy,
            RasterOp op);

// Inverts every pixel of the rectangle (drawing it twice restores the pixels exactly).
void invertRect(QImage& image, const QRect& rect);

} // namespace ui
