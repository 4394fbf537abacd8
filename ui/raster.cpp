#include "ui/raster.h"

#include <QRect>
#include <algorithm>
#include <cstdint>
#include <vector>

namespace ui {

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;
constexpr uint32_t kColourBits = 0x00FFFFFFu;

// Blits are defined on 32-bit pixels; anything else is brought to that format first so that the
// operations stay exact on the colour bits.
void makeRgb32(QImage& image) {
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
}

uint32_t combine(uint32_t src, uint32_t dst, RasterOp op) {
    switch (op) {
    case RasterOp::SrcCopy: return (src & kColourBits) | kOpaque;
    case RasterOp::SrcAnd: return (src & dst & kColourBits) | kOpaque;
    case RasterOp::SrcInvert: return ((src ^ dst) & kColourBits) | kOpaque;
    }
    return dst;
}

} // namespace

void bitBlt(QImage& dst, int x, int y, int w, int h, const QImage& src, int sx, int sy,
            RasterOp op) {
    if (dst.isNull() || src.isNull() || w <= 0 || h <= 0) return;

    // Clip the block against the source, then against the destination, moving both corners
    // together so that each destination pixel keeps its own source pixel.
    int64_t left = 0, top = 0, right = w, bottom = h; // block coordinates
    left = std::max<int64_t>(left, std::max<int64_t>(-int64_t(sx), -int64_t(x)));
    top = std::max<int64_t>(top, std::max<int64_t>(-int64_t(sy), -int64_t(y)));
    right = std::min<int64_t>(
        right, std::min<int64_t>(int64_t(src.width()) - sx, int64_t(dst.width()) - x));
    bottom = std::min<int64_t>(
        bottom, std::min<int64_t>(int64_t(src.height()) - sy, int64_t(dst.height()) - y));
    if (left >= right || top >= bottom) return;
    const int bw = int(right - left), bh = int(bottom - top);
    const int srcX = int(sx + left), srcY = int(sy + top);
    const int dstX = int(x + left), dstY = int(y + top);

    // Copy the source rows out first: the source may be the destination itself (a surface
    // scrolling onto itself) or share its pixels until the destination detaches.
    QImage source = src.copy(srcX, srcY, bw, bh);
    makeRgb32(source);
    makeRgb32(dst);

    for (int row = 0; row < bh; ++row) {
        const auto* in = reinterpret_cast<const uint32_t*>(source.constScanLine(row));
        auto* out = reinterpret_cast<uint32_t*>(dst.scanLine(dstY + row)) + dstX;
        for (int col = 0; col < bw; ++col) out[col] = combine(in[col], out[col], op);
    }
}

void invertRect(QImage& image, const QRect& rect) {
    if (image.isNull()) return;
    makeRgb32(image);
    const QRect area = rect.normalized().intersected(image.rect());
    if (area.isEmpty()) return;
    for (int row = area.top(); row <= area.bottom(); ++row) {
        auto* line = reinterpret_cast<uint32_t*>(image.scanLine(row));
        for (int col = area.left(); col <= area.right(); ++col) line[col] ^= kColourBits;
    }
}

} // namespace ui
