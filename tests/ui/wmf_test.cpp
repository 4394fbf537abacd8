#include "platform/cp1252.h"
#include "ui/picture.h"
#include "ui/wmf_object_table.h"
#include "ui/wmf_reader.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>
#include <vector>

namespace {

// Writes placeable metafiles the way a drawing program does, record by record.
class MetafileWriter {
public:
    MetafileWriter(int16_t left, int16_t top, int16_t right, int16_t bottom, uint16_t inch)
        : left_(left), top_(top), right_(right), bottom_(bottom), inch_(inch) {}

    void record(uint16_t function, std::vector<uint16_t> params) {
        const uint32_t size = uint32_t(3 + params.size());
        words_.push_back(uint16_t(size & 0xFFFF));
        words_.push_back(uint16_t(size >> 16));
        words_.push_back(function);
        words_.insert(words_.end(), params.begin(), params.end());
        maxRecord_ = std::max(maxRecord_, size);
    }

    static std::vector<uint16_t> colour(uint8_t r, uint8_t g, uint8_t b) {
        return {uint16_t(r | (g << 8)), uint16_t(b)};
    }
    static uint16_t w(int v) { return uint16_t(int16_t(v)); }

    void setWindow(int x, int y, int cx, int cy) {
        record(0x020B, {w(y), w(x)});
        record(0x020C, {w(cy), w(cx)});
    }
    void solidBrush(uint8_t r, uint8_t g, uint8_t b) {
        auto c = colour(r, g, b);
        record(0x02FC, {0, c[0], c[1], 0});
    }
    void pen(uint16_t style, int width, uint8_t r, uint8_t g, uint8_t b) {
        auto c = colour(r, g, b);
        record(0x02FA, {style, w(width), 0, c[0], c[1]});
    }
    void font(int height, const std::string& face) {
        std::vector<uint16_t> p = {w(height), 0, 0, 0, 400, 0, 0, 0, 0};
        std::string name = face;
        name.resize(32, '\0');
        for (size_t i = 0; i < name.size(); i += 2)
            p.push_back(uint16_t(uint8_t(name[i]) | (uint8_t(name[i + 1]) << 8)));
        record(0x02FB, p);
    }
    void select(int index) { record(0x012D, {uint16_t(index)}); }
    void remove(int index) { record(0x01F0, {uint16_t(index)}); }
    void rectangle(int l, int t, int r, int b) { record(0x041B, {w(b), w(r), w(t), w(l)}); }
    void ellipse(int l, int t, int r, int b) { record(0x0418, {w(b), w(r), w(t), w(l)}); }
    void moveTo(int x, int y) { record(0x0214, {w(y), w(x)}); }
    void lineTo(int x, int y) { record(0x0213, {w(y), w(x)}); }
    static std::vector<uint16_t> textWords(const std::string& text) {
        std::vector<uint16_t> out;
        for (size_t i = 0; i < text.size(); i += 2)
            out.push_back(
                uint16_t(uint8_t(text[i]) | (i + 1 < text.size() ? uint8_t(text[i + 1]) << 8 : 0)));
        return out;
    }
    void textOut(int x, int y, const std::string& text) {
        std::vector<uint16_t> p = {uint16_t(text.size())};
        for (uint16_t v : textWords(text)) p.push_back(v);
        p.push_back(w(y));
        p.push_back(w(x));
        record(0x0521, p);
    }
    void extTextOutOpaque(int x, int y, int l, int t, int r, int b, const std::string& text) {
        std::vector<uint16_t> p = {w(y), w(x), uint16_t(text.size()), 0x0002, w(l), w(t),
                                   w(r), w(b)};
        for (uint16_t v : textWords(text)) p.push_back(v);
        record(0x0A32, p);
    }

    QByteArray bytes(bool withEnd = true) const {
        std::vector<uint16_t> body = words_;
        if (withEnd) body.insert(body.end(), {3, 0, 0});
        std::vector<uint16_t> all = {0xCDD7,    0x9AC6,     0,     w(left_), w(top_),
                                     w(right_), w(bottom_), inch_, 0,        0};
        uint16_t sum = 0;
        for (uint16_t v : all) sum ^= v;
        all.push_back(sum);
        const uint32_t total = uint32_t(9 + body.size());
        all.insert(all.end(), {1, 9, 0x0300, uint16_t(total & 0xFFFF), uint16_t(total >> 16), 8,
                               uint16_t(maxRecord_ & 0xFFFF), uint16_t(maxRecord_ >> 16), 0});
        all.insert(all.end(), body.begin(), body.end());
        QByteArray out;
        for (uint16_t v : all) {
            out.append(char(v & 0xFF));
            out.append(char(v >> 8));
        }
        return out;
    }

private:
    int16_t left_, top_, right_, bottom_;
    uint16_t inch_;
    std::vector<uint16_t> words_;
    uint32_t maxRecord_ = 3;
};

QImage render(const QByteArray& bytes, QSize size, QRectF target = {}) {
    std::string error;
    const ui::Picture picture = ui::Picture::fromData(bytes, "dessin.wmf", &error);
    EXPECT_FALSE(picture.isNull()) << error;
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    picture.draw(painter, target.isNull() ? QRectF(QPointF(0, 0), size) : target);
    painter.end();
    return image;
}

// What a picture asks the painter to cover, measured where the painter would rasterise it: the
// sides, in device pixels, of everything it is given to fill or stroke, pens included. Filling
// and stroking take time in proportion, so a bound on them catches a picture that would keep the
// screen painting, where a time limit would depend on the machine.
class PaintedExtent : public QPaintDevice {
public:
    explicit PaintedExtent(QSize size) : size_(size) {}
    QPaintEngine* paintEngine() const override { return &engine_; }
    // The longest side of a shape given to the painter.
    double longest() const { return engine_.longest; }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth: return size_.width();
        case PdmHeight: return size_.height();
        case PdmWidthMM: return size_.width() * 254 / 960;
        case PdmHeightMM: return size_.height() * 254 / 960;
        case PdmNumColors: return INT_MAX;
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return 96; // the resolutions
        }
    }

private:
    struct Engine : QPaintEngine {
        Engine() : QPaintEngine(AllFeatures) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        Type type() const override { return User; }
        void updateState(const QPaintEngineState& changed) override {
            if (changed.state() & DirtyPen) pen = changed.pen();
            if (changed.state() & DirtyTransform) transform = changed.transform();
        }
        void drawPath(const QPainterPath& path) override { cover(path.boundingRect()); }
        void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override {
            cover(QPolygonF(QList<QPointF>(points, points + count)).boundingRect());
        }
        void drawPixmap(const QRectF& r, const QPixmap&, const QRectF&) override { cover(r); }
        void drawImage(const QRectF& r, const QImage&, const QRectF&,
                       Qt::ImageConversionFlags) override {
            cover(r);
        }
        void cover(const QRectF& shape) {
            const double stroke = pen.style() == Qt::NoPen ? 0 : pen.widthF();
            const QRectF r = transform.mapRect(shape);
            longest = std::max({longest, r.width() + stroke, r.height() + stroke});
        }
        QPen pen;
        QTransform transform;
        double longest = 0;
    };
    mutable Engine engine_;
    QSize size_;
};

// The longest side of what the picture asks the painter to cover when drawn at `size`.
double longestPainted(const QByteArray& bytes, QSize size) {
    std::string error;
    const ui::Picture picture = ui::Picture::fromData(bytes, "dessin.wmf", &error);
    EXPECT_FALSE(picture.isNull()) << error;
    PaintedExtent device(size);
    QPainter painter(&device);
    picture.draw(painter, QRectF(QPointF(0, 0), size));
    painter.end();
    return device.longest();
}

bool near(QColor got, QColor want) {
    return std::abs(got.red() - want.red()) < 40 && std::abs(got.green() - want.green()) < 40 &&
           std::abs(got.blue() - want.blue()) < 40;
}

#define EXPECT_COLOUR(image, x, y, want)                                                           \
    EXPECT_TRUE(near((image).pixelColor(x, y), want))                                              \
        << "pixel " << x << "," << y << " is " << (image).pixelColor(x, y).name().toStdString()

int darkPixels(const QImage& image, QRect area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 110) ++count;
    return count;
}

// A frame of 1000 x 1000 units at 1000 units per inch: a red square, a blue line, a green
// ellipse and a word in black.
MetafileWriter drawing() {
    MetafileWriter m(0, 0, 1000, 1000, 1000);
    m.setWindow(0, 0, 1000, 1000);
    m.record(0x0102, {1});   // transparent text background
    m.solidBrush(255, 0, 0); // 0
    m.pen(5, 0, 0, 0, 0);    // 1: no pen
    m.select(0);
    m.select(1);
    m.rectangle(100, 100, 500, 500);
    m.pen(0, 20, 0, 0, 255); // 2
    m.select(2);
    m.moveTo(600, 100);
    m.lineTo(900, 100);
    m.solidBrush(0, 160, 0); // 3
    m.select(3);
    m.select(1);
    m.ellipse(600, 600, 900, 900);
    m.font(-150, "Arial"); // 4
    m.select(4);
    m.textOut(100, 700, cp("Zoé"));
    return m;
}

TEST(Metafile, DrawsShapesLinesAndTextInTheFrame) {
    const QImage image = render(drawing().bytes(), QSize(200, 200));
    EXPECT_COLOUR(image, 60, 60, QColor(Qt::red)); // inside the square
    EXPECT_COLOUR(image, 25, 25, QColor(Qt::red));
    EXPECT_COLOUR(image, 10, 10, QColor(Qt::white));          // outside everything
    EXPECT_COLOUR(image, 105, 60, QColor(Qt::white));         // right of the square
    EXPECT_COLOUR(image, 150, 20, QColor(Qt::blue));          // on the line
    EXPECT_COLOUR(image, 150, 30, QColor(Qt::white));         // below the line
    EXPECT_COLOUR(image, 150, 150, QColor(0, 160, 0));        // centre of the ellipse
    EXPECT_COLOUR(image, 122, 122, QColor(Qt::white));        // corner of its box, outside it
    EXPECT_GT(darkPixels(image, QRect(20, 140, 80, 32)), 30); // the word
    EXPECT_EQ(darkPixels(image, QRect(20, 180, 80, 19)), 0);  // nothing below it
}

TEST(Metafile, StretchesTheWindowOntoAnyTarget) {
    // Aspect ratio is not kept: a 200 x 100 target squeezes the drawing vertically.
    const QImage wide = render(drawing().bytes(), QSize(200, 100));
    EXPECT_COLOUR(wide, 60, 30, QColor(Qt::red));
    EXPECT_COLOUR(wide, 60, 55, QColor(Qt::white));
    EXPECT_COLOUR(wide, 150, 75, QColor(0, 160, 0));

    // An offset target: nothing lands outside it.
    const QImage offset = render(drawing().bytes(), QSize(200, 200), QRectF(100, 100, 100, 100));
    EXPECT_COLOUR(offset, 130, 130, QColor(Qt::red));
    EXPECT_COLOUR(offset, 60, 60, QColor(Qt::white));
    EXPECT_COLOUR(offset, 175, 175, QColor(0, 160, 0));
}

struct WindowCase {
    const char* name;
    int orgX, orgY, extX, extY;
    QRect rect; // logical
    QPoint filled, empty;
};

TEST(Metafile, WindowOriginAndExtentDefineTheMapping) {
    const WindowCase cases[] = {
        {"shifted origin",
         -500,
         -500,
         1000,
         1000,
         QRect(-500, -500, 500, 500),
         {50, 50},
         {150, 150}},
        {"larger extent", 0, 0, 4000, 4000, QRect(2000, 2000, 2000, 2000), {150, 150}, {50, 50}},
        {"y going up", 0, 1000, 1000, -1000, QRect(0, 0, 500, 500), {50, 150}, {50, 50}},
    };
    for (const WindowCase& c : cases) {
        SCOPED_TRACE(c.name);
        MetafileWriter m(0, 0, 1000, 1000, 1000);
        m.setWindow(c.orgX, c.orgY, c.extX, c.extY);
        m.solidBrush(255, 0, 0);
        m.select(0);
        m.rectangle(c.rect.left(), c.rect.top(), c.rect.left() + c.rect.width(),
                    c.rect.top() + c.rect.height());
        const QImage image = render(m.bytes(), QSize(200, 200));
        EXPECT_COLOUR(image, c.filled.x(), c.filled.y(), QColor(Qt::red));
        EXPECT_COLOUR(image, c.empty.x(), c.empty.y(), QColor(Qt::white));
    }
}

// Without a window record the placeable frame is the window.
TEST(Metafile, FrameIsTheDefaultWindow) {
    MetafileWriter m(1000, 2000, 3000, 4000, 1440);
    m.solidBrush(0, 0, 255);
    m.select(0);
    m.rectangle(2000, 3000, 3000, 4000);
    const QImage image = render(m.bytes(), QSize(100, 100));
    EXPECT_COLOUR(image, 75, 75, QColor(Qt::blue));
    EXPECT_COLOUR(image, 25, 25, QColor(Qt::white));
}

// A deleted object frees its slot and the next object created takes the lowest free one.
TEST(Metafile, ObjectsTakeTheLowestFreeSlot) {
    MetafileWriter m(0, 0, 100, 100, 96);
    m.solidBrush(255, 0, 0); // 0
    m.solidBrush(0, 0, 255); // 1
    m.remove(0);
    m.solidBrush(0, 160, 0); // 0 again
    m.select(0);
    m.rectangle(0, 0, 100, 100);
    const QImage image = render(m.bytes(), QSize(100, 100));
    EXPECT_COLOUR(image, 50, 50, QColor(0, 160, 0));
}

TEST(Metafile, RestoreDcBringsBackTheSavedBrush) {
    MetafileWriter m(0, 0, 100, 100, 96);
    m.solidBrush(255, 0, 0); // 0
    m.solidBrush(0, 0, 255); // 1
    m.select(0);
    m.record(0x001E, {}); // SaveDC
    m.select(1);
    m.record(0x0127, {MetafileWriter::w(-1)}); // RestoreDC(-1)
    m.rectangle(0, 0, 100, 100);
    const QImage image = render(m.bytes(), QSize(100, 100));
    EXPECT_COLOUR(image, 50, 50, QColor(Qt::red));
}

TEST(Metafile, OpaqueExtTextOutFillsItsRectangleWithTheBackground) {
    MetafileWriter m(0, 0, 1000, 1000, 1000);
    m.setWindow(0, 0, 1000, 1000);
    m.record(0x0201, MetafileWriter::colour(255, 255, 0)); // yellow background
    m.font(-100, "Times New Roman");
    m.select(0);
    m.extTextOutOpaque(100, 100, 50, 50, 950, 450, cp("Élève"));
    const QImage image = render(m.bytes(), QSize(200, 200));
    EXPECT_COLOUR(image, 180, 80, QColor(Qt::yellow));
    EXPECT_COLOUR(image, 100, 150, QColor(Qt::white));
    EXPECT_GT(darkPixels(image, QRect(20, 20, 100, 30)), 20);
}

// Arcs run counter-clockwise from the start radial to the end radial, as shown.
TEST(Metafile, PieAndChordGoCounterClockwise) {
    for (uint16_t function : {uint16_t(0x081A), uint16_t(0x0830)}) {
        SCOPED_TRACE(function == 0x081A ? "pie" : "chord");
        MetafileWriter m(0, 0, 1000, 1000, 1000);
        m.solidBrush(255, 0, 0);
        m.pen(5, 0, 0, 0, 0);
        m.select(0);
        m.select(1);
        // from three o'clock to twelve o'clock
        m.record(function, {0, 500, 500, 1000, 1000, 1000, 0, 0});
        const QImage image = render(m.bytes(), QSize(200, 200));
        EXPECT_COLOUR(image, 170, 30, QColor(Qt::red));
        EXPECT_COLOUR(image, 150, 150, QColor(Qt::white));
        EXPECT_COLOUR(image, 50, 50, QColor(Qt::white));
        EXPECT_COLOUR(image, 130, 60, function == 0x081A ? QColor(Qt::red) : QColor(Qt::white));
    }
}

TEST(Metafile, NaturalSizeIsTheFrameAt96Dpi) {
    std::string error;
    const ui::Picture inch =
        ui::Picture::fromData(MetafileWriter(0, 0, 1000, 500, 1000).bytes(), "", &error);
    ASSERT_FALSE(inch.isNull()) << error;
    EXPECT_EQ(inch.naturalSize(), QSize(96, 48));
    const ui::Picture twips =
        ui::Picture::fromData(MetafileWriter(-1440, 0, 1440, 720, 1440).bytes(), "", &error);
    ASSERT_FALSE(twips.isNull()) << error;
    EXPECT_EQ(twips.naturalSize(), QSize(192, 48));
}

// Unknown records are passed over; the rest of the drawing still shows.
TEST(Metafile, IgnoresUnknownRecords) {
    MetafileWriter m(0, 0, 100, 100, 96);
    m.record(0x0626, {1, 2, 3, 4, 5}); // an escape
    m.record(0x7777, {});
    m.solidBrush(255, 0, 0);
    m.select(0);
    m.rectangle(0, 0, 100, 100);
    const QImage image = render(m.bytes(), QSize(50, 50));
    EXPECT_COLOUR(image, 25, 25, QColor(Qt::red));
}

uint16_t getWord(const QByteArray& bytes, int offset) {
    return uint16_t(uint8_t(bytes[offset]) | (uint8_t(bytes[offset + 1]) << 8));
}

void putWord(QByteArray& bytes, int offset, uint16_t value) {
    bytes[offset] = char(value & 0xFF);
    bytes[offset + 1] = char(value >> 8);
}

TEST(Metafile, RefusesDamagedFiles) {
    const QByteArray good = drawing().bytes();
    const int firstRecord = 22 + 18;

    struct Damage {
        const char* name;
        QByteArray bytes;
        const char* reason;
    };
    std::vector<Damage> damages;

    QByteArray badKey = good;
    badKey[0] = 0x00;
    damages.push_back({"bad key", badKey, "clé"});

    QByteArray badSum = good;
    putWord(badSum, 20, getWord(good, 20) ^ 0x0101);
    damages.push_back({"bad checksum", badSum, "somme de contrôle"});

    QByteArray frameChanged = good; // the frame changed without updating the checksum
    putWord(frameChanged, 10, 2000);
    damages.push_back({"frame changed after the checksum", frameChanged, "somme de contrôle"});

    damages.push_back({"placeable header cut", good.left(14), "tronqué"});
    damages.push_back({"metafile header cut", good.left(30), "tronqué"});

    QByteArray pastEnd = good;
    putWord(pastEnd, firstRecord, 5000);
    damages.push_back({"record past the end", pastEnd, "dépasse la fin"});

    QByteArray zero = good;
    putWord(zero, firstRecord, 0);
    damages.push_back({"zero-size record", zero, "taille nulle"});

    damages.push_back({"no end record", drawing().bytes(false), "fin manquant"});
    damages.push_back({"record cut in its header", good.left(good.size() - 2), "dépasse la fin"});

    for (const Damage& d : damages) {
        SCOPED_TRACE(d.name);
        std::string error;
        const ui::Picture picture = ui::Picture::fromData(d.bytes, "dessin.wmf", &error);
        EXPECT_TRUE(picture.isNull());
        EXPECT_NE(error.find(cp(d.reason)), std::string::npos) << error;
        EXPECT_NE(error.find(cp("Métafichier endommagé")), std::string::npos) << error;
    }
}

// A metafile's bytes are recognised whatever the file is called; a damaged one is refused
// under another name as well.
TEST(Metafile, RecognisedByContent) {
    std::string error;
    EXPECT_FALSE(ui::Picture::fromData(drawing().bytes(), "image.png", &error).isNull()) << error;
    QByteArray cut = drawing().bytes(false);
    EXPECT_TRUE(ui::Picture::fromData(cut, "image.png", &error).isNull());
    EXPECT_NE(error.find(cp("fin manquant")), std::string::npos) << error;
}

} // namespace

// A picture that would keep the screen painting for minutes is refused before anything is
// drawn, whatever its records are; a busy drawing of many small shapes still plays.
TEST(Metafile, RefusesPicturesThatAskTooMuchWork) {
    auto filledWithPen = [](int width) {
        MetafileWriter m(0, 0, 9750, 7100, 1440);
        m.solidBrush(255, 0, 0);    // 0
        m.pen(0, width, 0, 0, 255); // 1
        m.select(0);
        m.select(1);
        return m;
    };
    auto polygon = [](MetafileWriter& m, int points, int spread) {
        std::vector<uint16_t> p = {uint16_t(points)};
        for (int i = 0; i < points; ++i) {
            p.push_back(MetafileWriter::w(i * 7919 % spread));
            p.push_back(MetafileWriter::w(i * 104729 % spread));
        }
        m.record(0x0324, p);
    };
    struct Case {
        const char* what;
        std::function<void(MetafileWriter&)> draw;
        int pen;
        bool refused;
    };
    const Case cases[] = {
        {"50 000 full-range ellipses",
         [](MetafileWriter& m) {
             for (int i = 0; i < 50000; ++i) m.ellipse(-32768, -32768, 32767, 32767);
         },
         2000, true},
        {"a polygon of 16 000 points with the widest pen",
         [&](MetafileWriter& m) { polygon(m, 16000, 7100); }, 32767, true},
        {"a polygon of 16 000 long edges without a pen",
         [&](MetafileWriter& m) { polygon(m, 16000, 7100); }, 0, true},
        {"thousands of clip holes",
         [](MetafileWriter& m) {
             for (int i = 0; i < 3000; ++i) m.record(0x0415, {20, 20, 10, 10});
         },
         30, true},
        {"200 000 records that draw nothing",
         [](MetafileWriter& m) {
             for (int i = 0; i < 200000; ++i) m.record(0x0102, {1});
         },
         30, true},
        {"a polygon of 16 000 short edges", [&](MetafileWriter& m) { polygon(m, 16000, 40); }, 30,
         false},
        {"5 000 small shapes",
         [](MetafileWriter& m) {
             for (int i = 0; i < 5000; ++i)
                 m.ellipse(i % 9000, i % 7000, i % 9000 + 200, i % 7000 + 200);
         },
         30, false},
        {"200 ellipses over the whole picture",
         [](MetafileWriter& m) {
             for (int i = 0; i < 200; ++i) m.ellipse(0, 0, 9750, 7100);
         },
         30, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MetafileWriter m = filledWithPen(c.pen);
        c.draw(m);
        std::string error;
        const auto metafile = ui::wmf::parse(m.bytes(), &error);
        EXPECT_EQ(!metafile, c.refused) << error;
        if (c.refused) {
            EXPECT_EQ(error, cp("Métafichier endommagé : image trop lourde à dessiner."));
        }
    }
}

// A mapping that makes one logical unit the whole picture turns ordinary coordinates into shapes
// millions of pixels wide: what shows of them is drawn at once, the rest is cut away unseen.
TEST(Metafile, ShapesFarBeyondThePictureAreCutToWhatShows) {
    MetafileWriter m(0, 0, 9750, 7100, 1440);
    m.setWindow(0, 0, 1, 1);
    m.solidBrush(255, 0, 0); // 0
    m.pen(0, 30, 0, 0, 255); // 1
    m.pen(1, 1, 0, 0, 255);  // 2: dashed
    m.select(0);
    for (int i = 0; i < 6; ++i) {
        m.select(1);
        m.ellipse(-1500, -1600, 1650, 1600);
        m.record(0x0324, {3, MetafileWriter::w(-950), MetafileWriter::w(-450), 1150,
                          MetafileWriter::w(-450), 1150, 2050});
        m.select(2);
        m.rectangle(-2000, -2000, 3000, 3000);
    }
    const QImage image = render(m.bytes(), QSize(650, 473));
    EXPECT_COLOUR(image, 325, 236, QColor(Qt::red));
    EXPECT_COLOUR(image, 2, 2, QColor(Qt::red));
    // Uncut, the shapes would be two million pixels wide.
    EXPECT_LE(longestPainted(m.bytes(), QSize(650, 473)), 10 * 650)
        << "no shape given to the painter is much larger than the picture";
}

// A picture may create objects by the hundred thousand, deleting some on the way: each new one
// still takes the lowest free slot, and the table finds it without walking its slots.
TEST(Metafile, AHugeObjectTableIsReadAndPlayedQuickly) {
    MetafileWriter m(0, 0, 9750, 7100, 1440);
    for (int i = 0; i < 60000; ++i) m.solidBrush(0, 0, 255);
    for (int i = 0; i < 60000; ++i) {
        m.remove(59999);
        m.solidBrush(0, 0, 255);
    }
    m.remove(7);
    m.remove(3);
    m.solidBrush(255, 0, 0); // takes slot 3, not 7 nor the end
    m.select(3);
    m.rectangle(0, 0, 9750, 7100);
    const QImage image = render(m.bytes(), QSize(65, 47));
    EXPECT_COLOUR(image, 30, 20, QColor(Qt::red));

    // The same objects in the reader's table: a walk would look at billions of slots.
    ui::wmf::ObjectTable<int> table;
    for (int i = 0; i < 60000; ++i) table.add(i);
    for (int i = 0; i < 60000; ++i) {
        table.remove(59999);
        table.add(i);
    }
    table.remove(7);
    table.remove(3);
    table.add(-1);
    ASSERT_NE(table.find(3), nullptr);
    EXPECT_EQ(*table.find(3), -1);
    EXPECT_EQ(table.find(7), nullptr);
    EXPECT_LE(table.slotsLookedAt(), 60001u) << "one slot for each object put in a free one";
}
