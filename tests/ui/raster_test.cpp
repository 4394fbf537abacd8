#include "ui/raster.h"

#include <gtest/gtest.h>

#include <QRect>
#include <cstdint>
#include <random>

namespace {

QImage randomImage(int w, int h, std::mt19937& rng) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<uint32_t*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) line[x] = 0xFF000000u | (rng() & 0x00FFFFFFu);
    }
    return image;
}

uint32_t pixel(const QImage& image, int x, int y) {
    return reinterpret_cast<const uint32_t*>(image.constScanLine(y))[x];
}

uint32_t expected(uint32_t src, uint32_t dst, ui::RasterOp op) {
    switch (op) {
    case ui::RasterOp::SrcCopy: return 0xFF000000u | (src & 0xFFFFFFu);
    case ui::RasterOp::SrcAnd: return 0xFF000000u | (src & dst & 0xFFFFFFu);
    case ui::RasterOp::SrcInvert: return 0xFF000000u | ((src ^ dst) & 0xFFFFFFu);
    }
    return dst;
}

// The reference works pixel by pixel from the destination's side: a destination pixel changes
// only when it lies in the block and its source pixel lies inside the source.
QImage referenceBlit(const QImage& dst, int x, int y, int w, int h, const QImage& src, int sx,
                     int sy, ui::RasterOp op) {
    QImage out = dst.copy();
    for (int dy = 0; dy < dst.height(); ++dy) {
        for (int dx = 0; dx < dst.width(); ++dx) {
            const int bx = dx - x, by = dy - y;
            if (bx < 0 || by < 0 || bx >= w || by >= h) continue;
            const int px = sx + bx, py = sy + by;
            if (px < 0 || py < 0 || px >= src.width() || py >= src.height()) continue;
            reinterpret_cast<uint32_t*>(out.scanLine(dy))[dx] =
                expected(pixel(src, px, py), pixel(dst, dx, dy), op);
        }
    }
    return out;
}

struct BlitCase {
    const char* name;
    int x, y, w, h, sx, sy;
};

const BlitCase kBlitCases[] = {
    {"inside both", 3, 4, 10, 7, 2, 1},
    {"whole source", 0, 0, 24, 16, 0, 0},
    {"negative destination corner", -5, -3, 12, 9, 1, 2},
    {"negative source corner", 4, 2, 12, 9, -6, -4},
    {"runs off the destination", 25, 14, 20, 20, 0, 0},
    {"runs off the source", 2, 2, 30, 30, 15, 10},
    {"block larger than everything", -10, -10, 100, 100, -20, -20},
    {"entirely left of the destination", -40, 0, 10, 10, 0, 0},
    {"entirely outside the source", 0, 0, 10, 10, 24, 16},
    {"empty block", 3, 3, 0, 5, 0, 0},
    {"negative size", 3, 3, -4, 5, 0, 0},
};

const ui::RasterOp kOps[] = {ui::RasterOp::SrcCopy, ui::RasterOp::SrcAnd, ui::RasterOp::SrcInvert};

TEST(BitBlt, MatchesBitwiseReferenceWithClipping) {
    std::mt19937 rng(1234);
    for (const BlitCase& c : kBlitCases) {
        for (ui::RasterOp op : kOps) {
            SCOPED_TRACE(testing::Message() << c.name << ", op " << int(op));
            const QImage src = randomImage(24, 16, rng);
            const QImage before = randomImage(30, 20, rng);
            QImage dst = before.copy();
            ui::bitBlt(dst, c.x, c.y, c.w, c.h, src, c.sx, c.sy, op);
            const QImage want = referenceBlit(before, c.x, c.y, c.w, c.h, src, c.sx, c.sy, op);
            ASSERT_EQ(dst.size(), want.size());
            int wrong = 0;
            for (int y = 0; y < want.height(); ++y)
                for (int x = 0; x < want.width(); ++x)
                    if (pixel(dst, x, y) != pixel(want, x, y)) ++wrong;
            EXPECT_EQ(wrong, 0);
        }
    }
}

TEST(BitBlt, XorTwiceRestoresTheDestination) {
    std::mt19937 rng(99);
    const QImage src = randomImage(16, 16, rng);
    const QImage before = randomImage(20, 20, rng);
    QImage dst = before.copy();
    ui::bitBlt(dst, -2, 5, 16, 16, src, 0, 0, ui::RasterOp::SrcInvert);
    EXPECT_NE(dst, before);
    ui::bitBlt(dst, -2, 5, 16, 16, src, 0, 0, ui::RasterOp::SrcInvert);
    EXPECT_EQ(dst, before);
}

// A surface scrolled onto itself must read the pixels as they were before the copy began.
TEST(BitBlt, OverlappingCopyWithinOneImage) {
    std::mt19937 rng(7);
    const QImage before = randomImage(20, 12, rng);
    QImage image = before.copy();
    ui::bitBlt(image, 3, 2, 15, 9, image, 0, 0, ui::RasterOp::SrcCopy);
    EXPECT_EQ(image, referenceBlit(before, 3, 2, 15, 9, before, 0, 0, ui::RasterOp::SrcCopy));
}

// Copies of an image share pixels until written: blitting into one leaves the other alone.
TEST(BitBlt, LeavesSharedCopiesOfTheDestinationAlone) {
    std::mt19937 rng(3);
    QImage dst = randomImage(10, 10, rng);
    const QImage shared = dst;
    const QImage kept = dst.copy();
    const QImage src = randomImage(10, 10, rng);
    ui::bitBlt(dst, 0, 0, 10, 10, src, 0, 0, ui::RasterOp::SrcCopy);
    EXPECT_EQ(shared, kept);
    EXPECT_EQ(dst, src);
}

TEST(InvertRect, InvertsColourBitsInsideOnlyAndTwiceRestores) {
    std::mt19937 rng(42);
    const QImage before = randomImage(20, 15, rng);
    QImage image = before.copy();
    const QRect rect(-3, 4, 10, 20); // runs off the left and the bottom
    ui::invertRect(image, rect);
    const QRect inside = rect.intersected(image.rect());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const uint32_t was = pixel(before, x, y);
            const uint32_t want = inside.contains(x, y) ? (was ^ 0x00FFFFFFu) : was;
            ASSERT_EQ(pixel(image, x, y), want) << x << "," << y;
        }
    }
    ui::invertRect(image, rect);
    EXPECT_EQ(image, before);

    ui::invertRect(image, QRect(50, 50, 5, 5)); // outside: nothing happens
    EXPECT_EQ(image, before);
}

} // namespace
