// The pictures built into the program: the drawing table, the 311 drawings, the screen pictures
// and the title metafile, checked as the screens will use them.
#include "assets/pictures.h"
#include "platform/cp1252.h"
#include "ui/wmf_reader.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtGlobal>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Row = std::map<std::string, std::string>;

std::vector<std::string> split(const std::string& line, char sep) {
    std::vector<std::string> out;
    std::string cell;
    std::istringstream in(line);
    while (std::getline(in, cell, sep)) out.push_back(cell);
    if (!line.empty() && line.back() == sep) out.push_back({});
    return out;
}

// The table as lessons will read it: comment lines, one header line, then one line per drawing.
struct Table {
    std::vector<std::string> header;
    std::vector<Row> rows;
    std::vector<std::string> problems;
};

const Table& table() {
    static const Table loaded = [] {
        Table t;
        std::ifstream in(TAVREL_SOURCE_DIR "/assets/drawings.tsv", std::ios::binary);
        if (!in) t.problems.push_back("drawings.tsv cannot be read");
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] == '#') continue;
            const auto cells = split(line, '\t');
            if (t.header.empty()) {
                t.header = cells;
                continue;
            }
            if (cells.size() != t.header.size()) {
                t.problems.push_back("wrong number of columns: " + line);
                continue;
            }
            Row r;
            for (size_t i = 0; i < cells.size(); ++i) r[t.header[i]] = cells[i];
            t.rows.push_back(r);
        }
        return t;
    }();
    return loaded;
}

bool isNumber(const std::string& s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

// The numbers of the second family (solids, blocks and figures drawn by our generator); every
// other number from 0 to 310 is an everyday thing.
bool inSecondFamily(int n) {
    static const std::set<int> extra = {273, 277, 278, 300, 302, 303, 304,
                                        305, 306, 307, 308, 309, 310};
    return (n >= 150 && n <= 260) || extra.count(n) > 0;
}

struct Frame {
    double width = 0, height = 0;
};

// The frame the picture declares: what a control stretches to its own rectangle.
Frame frameOf(const QByteArray& svg) {
    QSvgRenderer r(svg);
    const QRectF box = r.viewBoxF();
    return {box.width(), box.height()};
}

QImage render(const QByteArray& svg, QSize size) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    QSvgRenderer r(svg);
    r.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
    p.end();
    return image;
}

struct Coverage {
    double share = 0;        // of the pixels that are drawn
    double widthShare = 0;   // width of what is drawn, over the image's width
    double heightShare = 0;  // the same for the height
    std::map<int, int> hues; // saturated pixels by hue, in buckets of 10 degrees
};

Coverage coverage(const QImage& image) {
    Coverage c;
    int drawn = 0, left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.alpha() < 128) continue;
            ++drawn;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
            if (colour.hsvSaturationF() > 0.35 && colour.valueF() > 0.3)
                ++c.hues[colour.hsvHue() / 10];
        }
    }
    c.share = double(drawn) / (image.width() * image.height());
    if (right >= 0) {
        c.widthShare = double(right - left + 1) / image.width();
        c.heightShare = double(bottom - top + 1) / image.height();
    }
    return c;
}

// Collects what Qt reports while pictures are read: a picture Qt warns about is not drawn as made.
class QtMessages {
public:
    QtMessages() {
        messages().clear();
        previous_ = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext&, const QString& text) {
                if (type != QtDebugMsg) messages().push_back(text.toStdString());
            });
    }
    ~QtMessages() { qInstallMessageHandler(previous_); }
    static std::vector<std::string>& messages() {
        static std::vector<std::string> m;
        return m;
    }

private:
    QtMessageHandler previous_;
};

// The smallest box a drawing is stretched to (a tree branch at scale 1) and the largest (the
// table's elements).
const QSize kSmallest(26, 31), kLargest(120, 140);

TEST(DrawingTable, NumbersRunFromZeroTo310InTheTwoFamilies) {
    const Table& t = table();
    ASSERT_TRUE(t.problems.empty()) << t.problems.front();
    ASSERT_EQ(t.rows.size(), 311u);
    int first = 0, second = 0;
    for (size_t i = 0; i < t.rows.size(); ++i) {
        const Row& r = t.rows[i];
        ASSERT_EQ(r.at("numero"), std::to_string(i));
        const bool generated = inSecondFamily(int(i));
        EXPECT_EQ(r.at("famille"), generated ? "2" : "1") << "drawing " << i;
        const std::string source = r.at("source");
        if (generated) {
            ++second;
            EXPECT_TRUE(source.rfind("solide:", 0) == 0 || source.rfind("bloc:", 0) == 0 ||
                        source.rfind("figure:", 0) == 0)
                << "drawing " << i << ": " << source;
        } else {
            ++first;
            EXPECT_EQ(source.rfind("twemoji:", 0), 0u) << "drawing " << i << ": " << source;
        }
    }
    EXPECT_EQ(first, 187);
    EXPECT_EQ(second, 124);
}

TEST(DrawingTable, NamesAreWindows1252AndTellEveryDrawingApart) {
    std::set<std::string> seen;
    for (const Row& r : table().rows) {
        const std::string& name = r.at("nom");
        EXPECT_FALSE(name.empty() || name == "-") << "drawing " << r.at("numero");
        EXPECT_TRUE(platform::utf8ToCp1252(name).has_value())
            << "drawing " << r.at("numero") << ": " << name;
        EXPECT_TRUE(seen.insert(name).second) << "two drawings are called " << name;
    }
}

TEST(DrawingTable, EveryDrawingHasTheAttributesOfItsKind) {
    const std::set<std::string> colours = {
        "rouge", "bleu",  "vert", "jaune",  "orange",        "brun",       "gris",
        "noir",  "blanc", "rose", "violet", "noir_et_blanc", "multicolore"};
    // Attribute -> allowed values ("#" for a whole number).
    const std::map<std::string, std::set<std::string>> values = {
        {"pattes", {"#"}},
        {"milieu", {"terre", "eau", "air"}},
        {"partie", {"tete", "cou", "mains", "corps", "jambes", "pieds"}},
        {"faces", {"#"}},
        {"aretes", {"#"}},
        {"sommets", {"#"}},
        {"roule", {"oui", "non"}},
        {"cotes", {"#"}},
        {"paralleles", {"#"}},
        {"angles_droits", {"#"}},
        {"epaisseur", {"epais", "mince"}},
    };
    const std::map<std::string, std::vector<std::string>> needs = {
        {"animal", {"pattes", "milieu", "classe"}},
        {"fruit", {}},
        {"legume", {}},
        {"vehicule", {"milieu"}},
        {"vetement", {"partie"}},
        {"jouet", {}},
        {"instrument", {"classe"}},
        {"ecole", {}},
        {"maison", {}},
        {"solide", {"forme", "faces", "aretes", "sommets", "roule"}},
        {"bloc", {"forme", "epaisseur", "faces", "aretes", "sommets", "roule"}},
        {"figure", {"forme", "cotes", "paralleles", "angles_droits"}},
    };
    const std::map<std::string, std::set<std::string>> classes = {
        {"animal",
         {"mammifere", "oiseau", "poisson", "reptile", "insecte", "arachnide", "crustace",
          "mollusque"}},
        {"instrument", {"cordes", "vent", "percussion", "clavier"}},
    };
    for (const Row& r : table().rows) {
        const std::string what = "drawing " + r.at("numero") + " (" + r.at("nom") + ")";
        const auto kind = needs.find(r.at("genre"));
        ASSERT_NE(kind, needs.end()) << what << ": genre " << r.at("genre");
        EXPECT_TRUE(colours.count(r.at("couleur"))) << what << ": couleur " << r.at("couleur");
        const std::string size = r.at("grandeur");
        EXPECT_TRUE((size == "grand" && r.at("taille") == "1") ||
                    (size == "petit" && r.at("taille") == "0.6"))
            << what << ": grandeur " << size << ", taille " << r.at("taille");
        for (const std::string& attribute : kind->second) {
            const std::string& v = r.at(attribute);
            EXPECT_NE(v, "-") << what << " has no " << attribute;
            const auto allowed = values.find(attribute);
            if (allowed != values.end() && v != "-") {
                if (allowed->second.count("#")) {
                    EXPECT_TRUE(isNumber(v)) << what << ": " << attribute << " " << v;
                } else {
                    EXPECT_TRUE(allowed->second.count(v)) << what << ": " << attribute << " " << v;
                }
            }
        }
        const auto cls = classes.find(r.at("genre"));
        if (cls != classes.end()) {
            EXPECT_TRUE(cls->second.count(r.at("classe"))) << what << ": classe " << r.at("classe");
        }
        // An attribute that does not belong to the kind would make a lesson's check lie.
        for (const std::string attribute :
             {"pattes", "milieu", "classe", "partie", "forme", "faces", "aretes", "sommets",
              "roule", "cotes", "paralleles", "angles_droits", "epaisseur"}) {
            const auto& needed = kind->second;
            if (std::find(needed.begin(), needed.end(), attribute) == needed.end()) {
                EXPECT_EQ(r.at(attribute), "-") << what << " should have no " << attribute;
            }
        }
    }
}

TEST(Drawings, EveryNumberHasAnUprightPictureThatQtReadsWithoutComplaint) {
    tavrel_assets::initPictures();
    QtMessages messages;
    for (int n = 0; n <= tavrel_assets::kLastDrawing; ++n) {
        const QByteArray svg = tavrel_assets::drawingSvg(n);
        ASSERT_FALSE(svg.isEmpty()) << "drawing " << n;
        QSvgRenderer renderer(svg);
        EXPECT_TRUE(renderer.isValid()) << "drawing " << n;
        const Frame f = frameOf(svg);
        ASSERT_GT(f.width, 0) << "drawing " << n;
        const double ratio = f.height / f.width;
        EXPECT_GE(ratio, 0.89) << "drawing " << n;
        EXPECT_LE(ratio, 1.52) << "drawing " << n;
    }
    EXPECT_TRUE(QtMessages::messages().empty()) << QtMessages::messages().front();
    EXPECT_TRUE(tavrel_assets::drawingSvg(-1).isEmpty());
    EXPECT_TRUE(tavrel_assets::drawingSvg(tavrel_assets::kLastDrawing + 1).isEmpty());
}

TEST(Drawings, ShowSomethingAtTheSmallestAndLargestSizesAndTheirSizeIsSeen) {
    const Table& t = table();
    ASSERT_EQ(t.rows.size(), 311u);
    for (int n = 0; n <= tavrel_assets::kLastDrawing; ++n) {
        const QByteArray svg = tavrel_assets::drawingSvg(n);
        const bool small = t.rows[n].at("grandeur") == "petit";
        for (const QSize size : {kSmallest, kLargest}) {
            const Coverage c = coverage(render(svg, size));
            EXPECT_GT(c.share, small ? 0.05 : 0.15) << "drawing " << n << " is nearly blank at "
                                                    << size.width() << "x" << size.height();
        }
        // Pupils sort by size: a small drawing must look small in its box, a large one fill it.
        const Coverage c = coverage(render(svg, kLargest));
        const double extent = std::max(c.widthShare, c.heightShare);
        if (small) {
            EXPECT_LT(extent, 0.65) << "small drawing " << n << " fills its box";
        } else {
            EXPECT_GT(extent, 0.7) << "large drawing " << n << " leaves its box empty";
        }
    }
}

// The hue (degrees) of each colour name as the drawings use it.
int hueOf(const std::string& colour) {
    static const std::map<std::string, int> hues = {
        {"rouge", 353}, {"bleu", 206}, {"vert", 101}, {"jaune", 45}, {"orange", 35}};
    const auto it = hues.find(colour);
    return it == hues.end() ? -1 : it->second;
}

TEST(Drawings, RecolouredAndGeneratedDrawingsShowTheirColour) {
    const Table& t = table();
    ASSERT_EQ(t.rows.size(), 311u);
    for (int n = 0; n <= tavrel_assets::kLastDrawing; ++n) {
        const Row& r = t.rows[n];
        const int hue = hueOf(r.at("couleur"));
        if (hue < 0 || (r.at("famille") == "1" && r.at("recoloration") == "-")) continue;
        const Coverage c = coverage(render(tavrel_assets::drawingSvg(n), kLargest));
        int best = -1, count = 0;
        for (const auto& [bucket, pixels] : c.hues) {
            if (pixels > count) best = bucket, count = pixels;
        }
        ASSERT_GE(best, 0) << "drawing " << n << " has no colour";
        const int found = best * 10 + 5;
        const int distance = std::abs(((found - hue) % 360 + 540) % 360 - 180);
        EXPECT_LE(distance, 25) << "drawing " << n << " (" << r.at("nom") << ") looks " << found
                                << " degrees, not " << r.at("couleur");
    }
}

TEST(Drawings, ALookupSharesThePictureInMemory) {
    const QByteArray a = tavrel_assets::drawingSvg(0), b = tavrel_assets::drawingSvg(0);
    EXPECT_EQ(a.constData(), b.constData());
    EXPECT_EQ(tavrel_assets::drawingSvg(310).constData(),
              tavrel_assets::drawingSvg(310).constData());
    EXPECT_NE(tavrel_assets::drawingSvg(0), tavrel_assets::drawingSvg(310));
}

TEST(ScreenPictures, EveryNameHasAPictureAndNoneIsLeftOver) {
    QtMessages messages;
    std::set<QString> names;
    for (const char* name : tavrel_assets::kScreenPictures) {
        names.insert(QString::fromLatin1(name) + ".svg");
        const QByteArray svg = tavrel_assets::screenPicture(name);
        ASSERT_FALSE(svg.isEmpty()) << name;
        EXPECT_TRUE(QSvgRenderer(svg).isValid()) << name;
        EXPECT_GT(coverage(render(svg, QSize(32, 32))).share, 0.1) << name << " is nearly blank";
    }
    EXPECT_TRUE(QtMessages::messages().empty()) << QtMessages::messages().front();
    const QStringList built = QDir(":/ecran").entryList(QDir::Files);
    EXPECT_EQ(std::set<QString>(built.begin(), built.end()), names);
    EXPECT_TRUE(tavrel_assets::screenPicture("nothing").isEmpty());
    EXPECT_TRUE(tavrel_assets::screenPicture(nullptr).isEmpty());
}

TEST(ScreenPictures, IndexedPicturesCoverTheirRangesOnly) {
    struct Case {
        QByteArray (*lookup)(int);
        int count;
        const char* stem;
    };
    for (const Case& c : {Case{tavrel_assets::activityIcon, 12, "activite_"},
                          Case{tavrel_assets::lessonIcon, 20, "lecon_"},
                          Case{tavrel_assets::rewardEarned, 6, "gagne_"},
                          Case{tavrel_assets::rewardLost, 6, "perdu_"}}) {
        for (int i = 0; i < c.count; ++i) {
            EXPECT_EQ(c.lookup(i),
                      tavrel_assets::screenPicture((c.stem + std::to_string(i)).c_str()))
                << c.stem << i;
        }
        EXPECT_TRUE(c.lookup(-1).isEmpty()) << c.stem;
        EXPECT_TRUE(c.lookup(c.count).isEmpty()) << c.stem;
    }
    std::set<QByteArray> lessons, rewards;
    for (int i = 0; i < 20; ++i) lessons.insert(tavrel_assets::lessonIcon(i));
    EXPECT_EQ(lessons.size(), 20u) << "two lesson icons are the same";
    for (int s = 0; s < 6; ++s) {
        rewards.insert(tavrel_assets::rewardEarned(s));
        rewards.insert(tavrel_assets::rewardLost(s));
    }
    EXPECT_EQ(rewards.size(), 12u) << "two reward pictures are the same";
}

// Counts the pixels of a region that differ from `colour`.
int pixelsUnlike(const QImage& image, const QRect& region, QColor colour) {
    int count = 0;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                    std::abs(c.blue() - colour.blue()) >
                30)
                ++count;
        }
    }
    return count;
}

TEST(ScreenPictures, LeaveRoomForWhatTheScreensWriteOverThem) {
    // Drawn at their design size in pixels: the word under the button's symbol, the activity
    // number at the bottom of each icon.
    const QColor grey(0xC0, 0xC0, 0xC0), white(Qt::white);
    for (const char* name :
         {tavrel_assets::pic::kContinueButton, tavrel_assets::pic::kCancelButton}) {
        const QImage button = render(tavrel_assets::screenPicture(name), QSize(57, 65));
        EXPECT_EQ(pixelsUnlike(button, QRect(5, 45, 47, 14), grey), 0) << name;
        EXPECT_GT(pixelsUnlike(button, QRect(5, 5, 47, 38), grey), 100) << name << " has no symbol";
    }
    for (int i = 0; i < 12; ++i) {
        const QImage icon = render(tavrel_assets::activityIcon(i), QSize(75, 80));
        EXPECT_EQ(pixelsUnlike(icon, QRect(24, 58, 24, 14), white), 0) << "activity icon " << i;
    }
    // The exit door sits on each screen's own colour.
    const QImage door =
        render(tavrel_assets::screenPicture(tavrel_assets::pic::kExitDoor), QSize(57, 65));
    EXPECT_EQ(door.pixelColor(56, 0).alpha(), 0);
    EXPECT_EQ(door.pixelColor(56, 64).alpha(), 0);
}

TEST(TitlePicture, IsAPlaceableMetafileOurReaderShowsWhole) {
    QFile file(TAVREL_BINARY_DIR "/assets/generated/titre.wmf");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    const QByteArray data = file.readAll();
    ASSERT_GE(data.size(), 40);
    const auto word = [&](int i) {
        return uint16_t(uint8_t(data[2 * i]) | (uint8_t(data[2 * i + 1]) << 8));
    };
    EXPECT_EQ(word(0) | (uint32_t(word(1)) << 16), 0x9AC6CDD7u);
    EXPECT_EQ(word(3), 0); // frame left
    EXPECT_EQ(word(4), 0); // top
    EXPECT_EQ(word(5), 9750);
    EXPECT_EQ(word(6), 7100);
    EXPECT_EQ(word(7), 1440); // twips
    uint16_t sum = 0;
    for (int i = 0; i < 10; ++i) sum ^= word(i);
    EXPECT_EQ(word(10), sum) << "placeable header checksum";
    // The metafile header gives the whole size in words.
    EXPECT_EQ(word(11 + 3) | (uint32_t(word(11 + 4)) << 16), uint32_t(data.size() - 22) / 2);

    std::string error;
    const auto metafile = ui::wmf::parse(data, &error);
    ASSERT_TRUE(metafile.has_value()) << error;
    EXPECT_EQ(metafile->naturalSize(), QSize(650, 473));

    QImage image(650, 473, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    ui::wmf::render(*metafile, painter, QRectF(0, 0, 650, 473));
    painter.end();
    // Light yellow ground, the coloured name across the top, the dark band for the credits.
    EXPECT_EQ(image.pixelColor(640, 10), QColor(0xFF, 0xFF, 0x80));
    EXPECT_EQ(image.pixelColor(325, 400), QColor(0x00, 0x40, 0x80));
    std::set<int> nameHues;
    for (int x = 130; x < 600; ++x) {
        for (int y = 40; y < 120; ++y) {
            const QColor c = image.pixelColor(x, y);
            if (c.hsvSaturationF() > 0.5 && c != QColor(0xFF, 0xFF, 0x80))
                nameHues.insert(c.hsvHue() / 30);
        }
    }
    EXPECT_GE(nameHues.size(), 4u) << "the letters of the name are not in their colours";
}

QByteArray readGenerated(const char* name) {
    QFile file(QStringLiteral(TAVREL_BINARY_DIR "/assets/generated/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    return file.readAll();
}

// The function numbers of a metafile's records, after the placeable and the standard headers.
std::vector<uint16_t> recordFunctions(const QByteArray& data) {
    const auto word = [&](qsizetype i) {
        return uint16_t(uint8_t(data[2 * i]) | (uint8_t(data[2 * i + 1]) << 8));
    };
    std::vector<uint16_t> out;
    qsizetype at = 11 + 9; // in words
    while (2 * (at + 3) <= data.size()) {
        const uint32_t size = word(at) | (uint32_t(word(at + 1)) << 16);
        out.push_back(word(at + 2));
        if (size < 3) break;
        at += size;
    }
    return out;
}

TEST(TitlePicture, HoldsNoTextAndItsLetterOutlinesLookAsTheTextsDid) {
    const QByteArray outlined = readGenerated("titre.wmf");
    const QByteArray texts = readGenerated("titre_textes.wmf");
    const std::vector<uint16_t> functions = recordFunctions(outlined);
    ASSERT_FALSE(functions.empty());
    EXPECT_EQ(functions.back(), 0) << "the record list ends on its end record";
    for (const uint16_t f :
         {0x0521 /* TextOut */, 0x0A32 /* ExtTextOut */, 0x02FB /* CreateFontIndirect */})
        EXPECT_EQ(std::count(functions.begin(), functions.end(), f), 0) << std::hex << f;
    EXPECT_EQ(std::count(functions.begin(), functions.end(), 0x0538), 12)
        << "one set of outlines for each letter and each shadow";
    const std::vector<uint16_t> withTexts = recordFunctions(texts);
    ASSERT_EQ(std::count(withTexts.begin(), withTexts.end(), 0x0521), 12)
        << "the comparison picture still writes its letters as texts";

    // Both drawn at the size the title takes on a 1024 x 768 screen: only the letters' edges may
    // differ (the text's glyphs sit on whole pixels, the outlines where they fall).
    const QSize size(1040, 757);
    const auto draw = [&](const QByteArray& data) {
        std::string error;
        const auto metafile = ui::wmf::parse(data, &error);
        EXPECT_TRUE(metafile.has_value()) << error;
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        if (metafile) ui::wmf::render(*metafile, painter, QRectF(QPointF(0, 0), QSizeF(size)));
        return image;
    };
    const QImage a = draw(outlined), b = draw(texts);
    int unlike = 0, letters = 0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            const int d = std::max({std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                                    std::abs(p.blue() - q.blue())});
            if (d > 64) ++unlike;
            if (y >= 80 && y < 260 && q != QColor(0xFF, 0xFF, 0x80)) ++letters;
        }
    }
    EXPECT_GT(letters, 40000) << "the name is drawn large across the top";
    EXPECT_LT(unlike, letters / 50) << "the outlines stand where the letters stood";
}

} // namespace
