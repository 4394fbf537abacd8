// Turns the texts of the title picture's description into filled letter outlines, so that the
// metafile holds shapes only and showing it never waits for a font:
//   title_lettering <description> <output description>
// Every "texte" line becomes a "pinceau" of its colour and a "contours" line with the outline of
// its letters in the font of the last "police" line, placed as a metafile player places a text
// aligned by its top left corner; "police" lines go; every other line is copied as it is.
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainterPath>
#include <QPolygonF>
#include <QRegularExpression>
#include <QStringList>
#include <QTextStream>
#include <climits>
#include <cmath>
#include <cstdio>

namespace {

bool fail(const QString& message) {
    std::fprintf(stderr, "title lettering: %s\n", qPrintable(message));
    return false;
}

// The description's tokens: words, and texts between double quotes.
QStringList tokens(const QString& line) {
    static const QRegularExpression token(QStringLiteral("\"([^\"]*)\"|(\\S+)"));
    QStringList out;
    auto it = token.globalMatch(line);
    while (it.hasNext()) {
        const auto m = it.next();
        out << (m.capturedStart(1) >= 0 ? m.captured(1) : m.captured(2));
    }
    return out;
}

// One line of contours: the sub-paths of the outline, each a list of whole twips, separated by
// "/". Points that round onto the one before are dropped.
QString contoursLine(const QPainterPath& outline) {
    QStringList parts;
    for (const QPolygonF& polygon : outline.toSubpathPolygons()) {
        QStringList numbers;
        QPoint last(INT_MIN, INT_MIN);
        int count = 0;
        for (const QPointF& p : polygon) {
            const QPoint q(int(std::lround(p.x())), int(std::lround(p.y())));
            if (q == last) continue;
            numbers << QString::number(q.x()) << QString::number(q.y());
            last = q;
            ++count;
        }
        if (count >= 3) parts << numbers.join(' ');
    }
    return QStringLiteral("contours ") + parts.join(QStringLiteral(" / "));
}

bool convert(const QString& inputPath, const QString& outputPath) {
    QFile input(inputPath);
    if (!input.open(QIODevice::ReadOnly | QIODevice::Text)) return fail("cannot read " + inputPath);
    QStringList out;
    QFont font;
    bool haveFont = false;
    int number = 0;
    for (const QString& raw : QString::fromUtf8(input.readAll()).split('\n')) {
        ++number;
        const QString line = raw.trimmed();
        const QStringList t = tokens(line);
        const QString where = QStringLiteral("line %1").arg(number);
        if (!t.isEmpty() && t[0] == QLatin1String("police")) {
            bool okHeight = false, okWeight = false;
            if (t.size() != 4) return fail(where + ": police \"<face>\" <height> <weight>");
            const int height = t[2].toInt(&okHeight);
            const int weight = t[3].toInt(&okWeight);
            if (!okHeight || !okWeight || height <= 0) return fail(where + ": bad police");
            // The height is the character height in twips, as the metafile's font asks.
            font = QFont(t[1]);
            font.setPixelSize(height);
            font.setWeight(QFont::Weight(weight));
            haveFont = true;
            continue;
        }
        if (!t.isEmpty() && t[0] == QLatin1String("texte")) {
            if (t.size() != 5) return fail(where + ": texte <x> <y> <colour> \"<text>\"");
            if (!haveFont) return fail(where + ": texte before any police");
            bool okX = false, okY = false;
            const double x = t[1].toDouble(&okX), y = t[2].toDouble(&okY);
            if (!okX || !okY) return fail(where + ": bad position");
            QPainterPath outline;
            outline.addText(QPointF(x, y + QFontMetricsF(font).ascent()), font, t[4]);
            if (outline.isEmpty()) return fail(where + ": no outline for \"" + t[4] + "\"");
            out << QStringLiteral("# \"%1\"").arg(t[4]) << QStringLiteral("pinceau ") + t[3]
                << contoursLine(outline);
            continue;
        }
        out << raw;
    }
    QFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate))
        return fail("cannot write " + outputPath);
    output.write(out.join('\n').toUtf8());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        fail("usage: title_lettering <description> <output description>");
        return 2;
    }
    return convert(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
