#include "platform/cp1252.h"
#include "ui/picture.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdint>

namespace {

const char kSvg[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="40" height="20" viewBox="0 0 40 20">
  <rect x="0" y="0" width="20" height="20" fill="#ff0000"/>
  <rect x="20" y="0" width="20" height="20" fill="#0000ff"/>
</svg>
)";

QByteArray pngBytes(QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return out;
}

void appendLE(QByteArray& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.append(char((value >> (8 * i)) & 0xFF));
}

// An icon file holding one square 32-bit image of each given size and colour.
QByteArray iconBytes(const std::vector<std::pair<int, QColor>>& images) {
    std::vector<QByteArray> payloads;
    for (const auto& [side, colour] : images) {
        QByteArray p;
        appendLE(p, 40, 4);
        appendLE(p, uint32_t(side), 4);
        appendLE(p, uint32_t(side * 2), 4); // colour rows then mask rows
        appendLE(p, 1, 2);
        appendLE(p, 32, 2);
        for (int i = 0; i < 6; ++i) appendLE(p, 0, 4);
        for (int i = 0; i < side * side; ++i) {
            p.append(char(colour.blue()));
            p.append(char(colour.green()));
            p.append(char(colour.red()));
            p.append(char(0xFF));
        }
        const int maskRow = ((side + 31) / 32) * 4;
        p.append(QByteArray(maskRow * side, '\0'));
        payloads.push_back(p);
    }
    QByteArray out;
    appendLE(out, 0, 2);
    appendLE(out, 1, 2);
    appendLE(out, uint32_t(images.size()), 2);
    uint32_t offset = uint32_t(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const int side = images[i].first;
        out.append(char(side >= 256 ? 0 : side));
        out.append(char(side >= 256 ? 0 : side));
        out.append(char(0));
        out.append(char(0));
        appendLE(out, 1, 2);
        appendLE(out, 32, 2);
        appendLE(out, uint32_t(payloads[i].size()), 4);
        appendLE(out, offset, 4);
        offset += uint32_t(payloads[i].size());
    }
    for (const QByteArray& p : payloads) out.append(p);
    return out;
}

QImage drawn(const ui::Picture& picture, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    picture.draw(painter, QRectF(QPointF(0, 0), size));
    painter.end();
    return image;
}

class PictureFiles : public testing::Test {
protected:
    std::string write(const char* name, const QByteArray& bytes) {
        const QString path = dir_.filePath(QString::fromUtf8(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return *platform::utf8ToCp1252(path.toStdString());
    }
    QTemporaryDir dir_;
};

TEST_F(PictureFiles, SvgHasItsDefaultSizeAndStretchesToTheTarget) {
    std::string error;
    const ui::Picture picture = ui::Picture::fromFile(write("deux.svg", kSvg), &error);
    ASSERT_FALSE(picture.isNull()) << error;
    EXPECT_EQ(picture.naturalSize(), QSize(40, 20));
    const QImage image = drawn(picture, QSize(100, 100)); // 40 x 20 into a square
    EXPECT_EQ(image.pixelColor(25, 5), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(25, 95), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(75, 95), QColor(Qt::blue));
}

TEST_F(PictureFiles, PngHasItsPixelSizeAndFillsTheTarget) {
    std::string error;
    const ui::Picture picture =
        ui::Picture::fromFile(write("carte.png", pngBytes(QSize(30, 10), Qt::green)), &error);
    ASSERT_FALSE(picture.isNull()) << error;
    EXPECT_EQ(picture.naturalSize(), QSize(30, 10));
    const QImage image = drawn(picture, QSize(20, 20));
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(18, 18), QColor(Qt::green));
}

TEST_F(PictureFiles, IconShowsItsLargestImage) {
    std::string error;
    const ui::Picture picture = ui::Picture::fromFile(
        write("porte.ico", iconBytes({{16, Qt::red}, {48, Qt::blue}})), &error);
    ASSERT_FALSE(picture.isNull()) << error;
    EXPECT_EQ(picture.naturalSize(), QSize(48, 48));
    EXPECT_EQ(drawn(picture, QSize(10, 10)).pixelColor(5, 5), QColor(Qt::blue));
}

// The content decides, whatever the file's name says.
TEST_F(PictureFiles, FormatComesFromTheContentNotTheName) {
    std::string error;
    const ui::Picture svg = ui::Picture::fromFile(write("faux.png", kSvg), &error);
    ASSERT_FALSE(svg.isNull()) << error;
    EXPECT_EQ(svg.naturalSize(), QSize(40, 20));

    const ui::Picture png =
        ui::Picture::fromFile(write("faux.svg", pngBytes(QSize(7, 3), Qt::red)), &error);
    ASSERT_FALSE(png.isNull()) << error;
    EXPECT_EQ(png.naturalSize(), QSize(7, 3));

    const ui::Picture icon =
        ui::Picture::fromFile(write("sans_extension", iconBytes({{32, Qt::red}})), &error);
    ASSERT_FALSE(icon.isNull()) << error;
    EXPECT_EQ(icon.naturalSize(), QSize(32, 32));
}

TEST_F(PictureFiles, MissingOrDamagedFilesGiveANullPictureAndAReason) {
    struct Case {
        const char* name;
        std::string path;
    };
    const QByteArray png = pngBytes(QSize(30, 30), Qt::red);
    const Case cases[] = {
        {"missing", write("ici.png", png) + "_absent"},
        {"empty", write("vide.png", QByteArray())},
        {"garbage", write("bruit.png", QByteArray("ceci n'est pas une image"))},
        {"cut PNG", write("coupe.png", png.left(png.size() / 3))},
        {"broken SVG", write("casse.svg", QByteArray("<svg xmlns='http://www.w3.org/2000/svg'"))},
        {"bare metafile", write("nu.wmf", QByteArray::fromHex("0100090000030000"))},
        {"huge without a byte on disk",
         [&] {
             const std::string path = write("titre.wmf", QByteArray::fromHex("d7cdc69a"));
             std::filesystem::resize_file(path, std::uintmax_t{200} << 30);
             return path;
         }()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string error;
        const ui::Picture picture = ui::Picture::fromFile(c.path, &error);
        EXPECT_TRUE(picture.isNull());
        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(picture.naturalSize().isEmpty());
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        picture.draw(painter, QRectF(0, 0, 4, 4)); // drawing nothing is safe
        painter.end();
        EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white));
    }
}

TEST_F(PictureFiles, AccentedPathsOpen) {
    std::string error;
    const ui::Picture picture =
        ui::Picture::fromFile(write("élève.png", pngBytes(QSize(5, 6), Qt::red)), &error);
    ASSERT_FALSE(picture.isNull()) << error;
    EXPECT_EQ(picture.naturalSize(), QSize(5, 6));
}

TEST(Picture, CopiesShareTheSameData) {
    const ui::Picture a = ui::Picture::fromData(QByteArray(kSvg), "a.svg");
    const ui::Picture b = a;
    const ui::Picture c = ui::Picture::fromData(QByteArray(kSvg), "a.svg");
    EXPECT_FALSE(a.isNull());
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(a != c);
    EXPECT_TRUE(ui::Picture() == ui::Picture());
}

} // namespace

namespace {

TEST(Picture, AnSvgParsedOnFirstUseDrawsAndMeasuresAsOneParsedAtOnce) {
    const ui::Picture eager = ui::Picture::fromData(QByteArray(kSvg), "a.svg");
    const ui::Picture lazy = ui::Picture::fromSvgOnFirstUse(QByteArray(kSvg));
    ASSERT_FALSE(lazy.isNull());
    const ui::Picture copy = lazy; // copied before it was ever parsed, as controls share it
    EXPECT_EQ(drawn(copy, QSize(60, 30)), drawn(eager, QSize(60, 30)));
    EXPECT_EQ(lazy.naturalSize(), QSize(40, 20));
    EXPECT_EQ(drawn(lazy, QSize(100, 100)), drawn(eager, QSize(100, 100)));
    EXPECT_TRUE(copy == lazy);
}

TEST(Picture, OnFirstUseBytesThatAreNoSvgGiveNothingAndDamagedSvgDrawsNothing) {
    for (const QByteArray& notSvg : {QByteArray(), QByteArray("GIF89a"), pngBytes({4, 4}, Qt::red)})
        EXPECT_TRUE(ui::Picture::fromSvgOnFirstUse(notSvg).isNull());
    const ui::Picture damaged = ui::Picture::fromSvgOnFirstUse("<svg><rect width=");
    ASSERT_FALSE(damaged.isNull());
    EXPECT_TRUE(damaged.naturalSize().isEmpty());
    const QImage image = drawn(damaged, QSize(10, 10));
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::white));
}

} // namespace
