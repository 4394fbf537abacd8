#include "ui/wmf_reader.h"

#include "platform/cp1252.h"
#include "ui/style.h"
#include "ui/text.h"
#include "ui/wmf_object_table.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <variant>

namespace ui::wmf {

namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr int kPlaceableSize = 22;
constexpr int kStandardHeaderWords = 9;

// Record functions.
enum : uint16_t {
    kEof = 0x0000,
    kSaveDc = 0x001E,
    kSetBkMode = 0x0102,
    kSetMapMode = 0x0103,
    kSetPolyFillMode = 0x0106,
    kRestoreDc = 0x0127,
    kSelectObject = 0x012D,
    kSetTextAlign = 0x012E,
    kDeleteObject = 0x01F0,
    kSetBkColor = 0x0201,
    kSetTextColor = 0x0209,
    kSetWindowOrg = 0x020B,
    kSetWindowExt = 0x020C,
    kSetViewportOrg = 0x020D,
    kSetViewportExt = 0x020E,
    kOffsetWindowOrg = 0x020F,
    kOffsetViewportOrg = 0x0211,
    kLineTo = 0x0213,
    kMoveTo = 0x0214,
    kPolygon = 0x0324,
    kPolyline = 0x0325,
    kScaleWindowExt = 0x0410,
    kScaleViewportExt = 0x0412,
    kExcludeClipRect = 0x0415,
    kIntersectClipRect = 0x0416,
    kEllipse = 0x0418,
    kRectangle = 0x041B,
    kTextOut = 0x0521,
    kPolyPolygon = 0x0538,
    kRoundRect = 0x061C,
    kArc = 0x0817,
    kPie = 0x081A,
    kChord = 0x0830,
    kExtTextOut = 0x0A32,
    kDibStretchBlt = 0x0B41,
    kStretchDib = 0x0F43,
    // Records that create an object: each takes a slot in the object table even when it is
    // not drawn, so that later selections name the right objects.
    kCreatePalette = 0x00F7,
    kDibCreatePatternBrush = 0x0142,
    kCreatePatternBrush = 0x01F9,
    kCreatePenIndirect = 0x02FA,
    kCreateFontIndirect = 0x02FB,
    kCreateBrushIndirect = 0x02FC,
    kCreateRegion = 0x06FF,
};

constexpr uint32_t kSrcCopy = 0x00CC0020u;

uint16_t word(const QByteArray& data, qsizetype offset) {
    return uint16_t(uint8_t(data[offset]) | (uint8_t(data[offset + 1]) << 8));
}

uint32_t dword(const QByteArray& data, qsizetype offset) {
    return word(data, offset) | (uint32_t(word(data, offset + 2)) << 16);
}

bool fail(std::string* error, const char* reason) {
    if (error) *error = cp(std::string("Métafichier endommagé : ") + reason);
    return false;
}

// ---------------------------------------------------------------------------------------------
// Drawing state

struct PenSpec {
    uint16_t style = 0; // PS_SOLID
    double width = 0;   // logical units; 0 is one pixel
    uint32_t colour = 0;
};

struct BrushSpec {
    uint16_t style = 0; // BS_SOLID
    uint32_t colour = 0xFFFFFF;
    uint16_t hatch = 0;
};

struct FontSpec {
    int16_t height = 0, width = 0, escapement = 0, weight = 0;
    bool italic = false, underline = false, strikeOut = false;
    uint8_t pitchAndFamily = 0;
    std::string face; // Windows-1252
};

using Object = std::variant<std::monostate, PenSpec, BrushSpec, FontSpec>;

enum : uint16_t { kPsDash = 1, kPsDot = 2, kPsDashDot = 3, kPsDashDotDot = 4, kPsNull = 5 };
enum : uint16_t { kBsSolid = 0, kBsNull = 1, kBsHatched = 2 };
enum : uint16_t { kTransparent = 1, kOpaque = 2 };
enum : uint16_t { kAlternate = 1, kWinding = 2 };
enum : uint16_t { kTaUpdateCp = 1, kTaRight = 2, kTaCenter = 6, kTaBottom = 8, kTaBaseline = 24 };
enum : uint16_t { kEtoOpaque = 2, kEtoClipped = 4 };
enum : uint16_t { kMmIsotropic = 7, kMmAnisotropic = 8 };

struct DcState {
    PenSpec pen;
    BrushSpec brush;
    FontSpec font;
    uint32_t textColour = 0x000000;
    uint32_t bkColour = 0xFFFFFF;
    uint16_t bkMode = kOpaque;
    uint16_t fillMode = kAlternate;
    uint16_t textAlign = 0;
    uint16_t mapMode = kMmAnisotropic;
    QPointF windowOrg, windowExt;
    QPointF viewportOrg, viewportExt;
    bool viewportSet = false;
    QPointF position;
};

QColor colourOf(uint32_t ref) {
    return qcolour(ref);
}

double safeExtent(double e) {
    return e == 0 ? 1 : e;
}

class Player {
public:
    Player(const Metafile& mf, QPainter& painter, const QRectF& target)
        : mf_(mf), p_(painter), target_(target) {
        frameOrg_ = QPointF(mf.left, mf.top);
        frameExt_ = QPointF(mf.right - mf.left, mf.bottom - mf.top);
        dc_.windowOrg = dc_.viewportOrg = frameOrg_;
        dc_.windowExt = dc_.viewportExt = frameExt_;
    }

    void play() {
        p_.save();
        p_.setRenderHint(QPainter::Antialiasing, true);
        p_.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p_.setClipRect(target_, Qt::IntersectClip);
        for (const Record& r : mf_.records) playRecord(r);
        for (; painterSaves_ > 0; --painterSaves_) p_.restore();
        p_.restore();
    }

private:
    const Metafile& mf_;
    QPainter& p_;
    QRectF target_;
    QPointF frameOrg_, frameExt_;
    DcState dc_;
    std::vector<DcState> saved_;
    int painterSaves_ = 0;
    ObjectTable<Object> objects_;

    static int16_t s(const Record& r, size_t i) { return int16_t(r.params[i]); }
    static uint32_t colourParam(const Record& r, size_t i) {
        return r.params[i] | (uint32_t(r.params[i + 1]) << 16);
    }
    static uint8_t byteAt(const Record& r, size_t byteIndex) {
        const uint16_t w = r.params[byteIndex / 2];
        return uint8_t(byteIndex % 2 ? w >> 8 : w & 0xFF);
    }
    static std::string bytes(const Record& r, size_t firstWord, size_t length) {
        std::string out;
        out.reserve(length);
        for (size_t i = 0; i < length; ++i) out.push_back(char(byteAt(r, firstWord * 2 + i)));
        return out;
    }
    static size_t wordsFor(size_t byteCount) { return (byteCount + 1) / 2; }

    // Logical coordinates to the painter's coordinates: window to viewport, then the frame of
    // the placeable header onto the target rectangle.
    QTransform toTarget() const {
        QPointF vpOrg = frameOrg_, vpExt = frameExt_;
        if (dc_.viewportSet && (dc_.mapMode == kMmAnisotropic || dc_.mapMode == kMmIsotropic)) {
            vpOrg = dc_.viewportOrg;
            vpExt = dc_.viewportExt;
        }
        const double wx = vpExt.x() / safeExtent(dc_.windowExt.x());
        const double wy = vpExt.y() / safeExtent(dc_.windowExt.y());
        const double fx = target_.width() / safeExtent(frameExt_.x());
        const double fy = target_.height() / safeExtent(frameExt_.y());
        const double sx = wx * fx, sy = wy * fy;
        const double dx =
            target_.left() + (vpOrg.x() - frameOrg_.x()) * fx - dc_.windowOrg.x() * sx;
        const double dy = target_.top() + (vpOrg.y() - frameOrg_.y()) * fy - dc_.windowOrg.y() * sy;
        return QTransform(sx, 0, 0, sy, dx, dy);
    }

    QPen pen() const {
        const PenSpec& chosen = dc_.pen;
        if ((chosen.style & 0x0F) == kPsNull) return QPen(Qt::NoPen);
        QPen pen(colourOf(chosen.colour));
        const double scale = std::abs(toTarget().m11());
        pen.setWidthF(std::max(1.0, chosen.width * scale));
        switch (chosen.style & 0x0F) {
        case kPsDash: pen.setStyle(Qt::DashLine); break;
        case kPsDot: pen.setStyle(Qt::DotLine); break;
        case kPsDashDot: pen.setStyle(Qt::DashDotLine); break;
        case kPsDashDotDot: pen.setStyle(Qt::DashDotDotLine); break;
        default: pen.setStyle(Qt::SolidLine); break;
        }
        switch (chosen.style & 0x0F00) {
        case 0x0100: pen.setCapStyle(Qt::SquareCap); break;
        case 0x0200: pen.setCapStyle(Qt::FlatCap); break;
        default: pen.setCapStyle(Qt::RoundCap); break;
        }
        switch (chosen.style & 0xF000) {
        case 0x1000: pen.setJoinStyle(Qt::BevelJoin); break;
        case 0x2000: pen.setJoinStyle(Qt::MiterJoin); break;
        default: pen.setJoinStyle(Qt::RoundJoin); break;
        }
        return pen;
    }

    QBrush brush() const {
        const BrushSpec& chosen = dc_.brush;
        if (chosen.style == kBsSolid) return QBrush(colourOf(chosen.colour));
        if (chosen.style == kBsHatched) {
            static const Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,
                                                     Qt::FDiagPattern, Qt::BDiagPattern,
                                                     Qt::CrossPattern, Qt::DiagCrossPattern};
            return QBrush(colourOf(chosen.colour), hatches[std::min<uint16_t>(chosen.hatch, 5)]);
        }
        return QBrush(Qt::NoBrush);
    }

    void fillAndStroke(QPainterPath path, bool fill) {
        path = toTarget().map(path);
        QPen pn = pen();
        // A damaged mapping or pen can make a shape millions of pixels wide, which the painter
        // would take minutes to fill. Only its part near the target can show: the rest is cut
        // away first, the cut lying far enough outside the target to stay unseen.
        const double margin = 2 * std::max(target_.width(), target_.height());
        const QRectF reach = target_.adjusted(-margin, -margin, margin, margin);
        const double halfPen = pn.style() == Qt::NoPen ? 0 : pn.widthF() / 2;
        const bool far =
            !reach.contains(path.boundingRect().adjusted(-halfPen, -halfPen, halfPen, halfPen));
        QPainterPath reachPath;
        if (far) reachPath.addRect(reach);
        if (fill) {
            path.setFillRule(dc_.fillMode == kWinding ? Qt::WindingFill : Qt::OddEvenFill);
            const QPainterPath area = far ? path.intersected(reachPath) : path;
            if (dc_.brush.style == kBsHatched && dc_.bkMode == kOpaque)
                p_.fillPath(area, colourOf(dc_.bkColour));
            const QBrush b = brush();
            if (b.style() != Qt::NoBrush) p_.fillPath(area, b);
        }
        if (pn.style() == Qt::NoPen) return;
        if (!far) {
            p_.strokePath(path, pn);
            return;
        }
        // Dashes along a shape that long would be counted in millions.
        pn.setStyle(Qt::SolidLine);
        const QPainterPath outline =
            QPainterPathStroker(pn).createStroke(path).intersected(reachPath);
        p_.fillPath(outline, pn.brush());
    }

    static QRectF box(const Record& r, size_t first) {
        // bottom, right, top, left
        const double bottom = s(r, first), right = s(r, first + 1), top = s(r, first + 2),
                     left = s(r, first + 3);
        return QRectF(QPointF(left, top), QPointF(right, bottom)).normalized();
    }

    QFont font(double* ascentOut = nullptr, double* descentOut = nullptr) const {
        const FontSpec& chosen = dc_.font;
        QFont f;
        if (!chosen.face.empty()) f.setFamily(qs(chosen.face));
        switch (chosen.pitchAndFamily & 0xF0) {
        case 0x10: f.setStyleHint(QFont::Serif); break;
        case 0x20: f.setStyleHint(QFont::SansSerif); break;
        case 0x30: f.setStyleHint(QFont::Monospace); break;
        default: break;
        }
        if (chosen.weight > 0) f.setWeight(QFont::Weight(std::clamp<int>(chosen.weight, 1, 1000)));
        f.setItalic(chosen.italic);
        f.setUnderline(chosen.underline);
        f.setStrikeOut(chosen.strikeOut);

        QPaintDevice* device = p_.device();
        const double dpi = device && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96.0;
        const double scale = std::abs(toTarget().m22());
        // A negative height is the character height, a positive one the cell height (ascent
        // plus descent); both are logical units.
        double em = chosen.height == 0 ? 16.0 : std::abs(chosen.height) * scale;
        // A damaged size must not ask the font engine for a glyph larger than any page.
        em = std::clamp(em, 0.5, 20000.0);
        f.setPointSizeF(em * 72.0 / dpi);
        if (chosen.height > 0) {
            const QFontMetricsF fm(f, device);
            if (fm.height() > 0) f.setPointSizeF(em * em / fm.height() * 72.0 / dpi);
        }
        if (chosen.width > 0) {
            const QFontMetricsF fm(f, device);
            const double natural = fm.averageCharWidth();
            const double wanted = chosen.width * std::abs(toTarget().m11());
            if (natural > 0)
                f.setStretch(std::clamp(int(std::lround(wanted / natural * 100)), 1, 4000));
        }
        const QFontMetricsF fm(f, device);
        if (ascentOut) *ascentOut = fm.ascent();
        if (descentOut) *descentOut = fm.descent();
        return f;
    }

    void text(QPointF at, const std::string& raw, const std::vector<int16_t>& dx,
              std::optional<QRectF> rect, uint16_t options) {
        const QString str = qs(raw);
        const bool updateCp = dc_.textAlign & kTaUpdateCp;
        if (updateCp) at = dc_.position;
        const QTransform t = toTarget();
        double ascent = 0, descent = 0;
        const QFont f = font(&ascent, &descent);
        const QFontMetricsF fm(f, p_.device());

        std::vector<double> advances;
        double width = 0;
        if (!dx.empty() && dx.size() >= size_t(str.size())) {
            for (qsizetype i = 0; i < str.size(); ++i) {
                advances.push_back(dx[size_t(i)] * std::abs(t.m11()));
                width += advances.back();
            }
        } else {
            width = fm.horizontalAdvance(str);
        }

        p_.save();
        if (rect) {
            const QRectF area = t.mapRect(*rect);
            if (options & kEtoOpaque) p_.fillRect(area, colourOf(dc_.bkColour));
            if (options & kEtoClipped) p_.setClipRect(area, Qt::IntersectClip);
        }
        const QPointF origin = t.map(at);
        p_.translate(origin);
        if (dc_.font.escapement != 0) p_.rotate(-dc_.font.escapement / 10.0);

        double x = 0;
        switch (dc_.textAlign & kTaCenter) {
        case kTaRight: x = -width; break;
        case kTaCenter: x = -width / 2; break;
        default: break;
        }
        double baseline = ascent;
        switch (dc_.textAlign & kTaBaseline) {
        case kTaBottom: baseline = -descent; break;
        case kTaBaseline: baseline = 0; break;
        default: break;
        }
        if (dc_.bkMode == kOpaque)
            p_.fillRect(QRectF(x, baseline - ascent, width, ascent + descent),
                        colourOf(dc_.bkColour));
        p_.setFont(f);
        p_.setPen(colourOf(dc_.textColour));
        if (advances.empty()) {
            p_.drawText(QPointF(x, baseline), str);
        } else {
            for (qsizetype i = 0; i < str.size(); ++i) {
                p_.drawText(QPointF(x, baseline), QString(str[i]));
                x += advances[size_t(i)];
            }
        }
        p_.restore();

        if (updateCp && (dc_.textAlign & kTaCenter) == 0 && t.m11() != 0)
            dc_.position.rx() += width / t.m11();
    }

    void arcLike(const Record& r, uint16_t function) {
        const QRectF rect = box(r, 4);
        if (rect.width() <= 0 || rect.height() <= 0) return;
        const QPointF c = rect.center();
        const double rx = rect.width() / 2, ry = rect.height() / 2;
        // Angles of the radial points on the ellipse, counter-clockwise as it is shown.
        auto angle = [&](double x, double y) {
            return std::atan2(-(y - c.y()) / ry, (x - c.x()) / rx) * 180.0 / std::numbers::pi;
        };
        const double start = angle(s(r, 3), s(r, 2));
        const double end = angle(s(r, 1), s(r, 0));
        double sweep = end - start;
        if (sweep <= 0) sweep += 360;
        QPainterPath path;
        if (function == kPie) {
            path.moveTo(c);
            path.arcTo(rect, start, sweep);
            path.closeSubpath();
        } else {
            path.arcMoveTo(rect, start);
            path.arcTo(rect, start, sweep);
            if (function == kChord) path.closeSubpath();
        }
        fillAndStroke(path, function != kArc);
    }

    QPolygonF points(const Record& r, size_t first, size_t count) const {
        QPolygonF poly;
        poly.reserve(qsizetype(count));
        for (size_t i = 0; i < count; ++i)
            poly << QPointF(s(r, first + 2 * i), s(r, first + 2 * i + 1));
        return poly;
    }

    void addObject(Object object) { objects_.add(std::move(object)); }

    void select(uint16_t index) {
        const Object* found = objects_.find(index);
        if (!found) return;
        const Object& o = *found;
        if (auto* pen = std::get_if<PenSpec>(&o))
            dc_.pen = *pen;
        else if (auto* b = std::get_if<BrushSpec>(&o))
            dc_.brush = *b;
        else if (auto* f = std::get_if<FontSpec>(&o))
            dc_.font = *f;
    }

    void excludeClip(const QRectF& logical) {
        // Playing always clips to the target first, so there is a clip to cut the hole from.
        QPainterPath all = p_.clipPath();
        QPainterPath hole;
        hole.addRect(toTarget().mapRect(logical));
        p_.setClipPath(all.subtracted(hole), Qt::ReplaceClip);
    }

    void restoreDc(int16_t which) {
        int pops = 0;
        if (which < 0)
            pops = -which;
        else if (which > 0 && size_t(which) <= saved_.size())
            pops = int(saved_.size()) - which + 1;
        pops = std::min<int>(pops, int(saved_.size()));
        for (int i = 0; i < pops; ++i) {
            dc_ = saved_.back();
            saved_.pop_back();
            p_.restore();
            --painterSaves_;
        }
    }

    void dib(const Record& r, size_t first, QRectF dest, int xSrc, int ySrc, int wSrc, int hSrc) {
        if (r.params.size() <= first) return;
        QByteArray info;
        for (size_t i = first; i < r.params.size(); ++i) {
            info.append(char(r.params[i] & 0xFF));
            info.append(char(r.params[i] >> 8));
        }
        if (info.size() < 12) return;
        const uint32_t headerSize = dword(info, 0);
        if (headerSize < 12 || headerSize > uint32_t(info.size())) return;
        uint32_t tableBytes = 0;
        int32_t height = 0;
        if (headerSize == 12) {
            const uint16_t bits = word(info, 10);
            height = int16_t(word(info, 6));
            if (bits <= 8) tableBytes = (1u << bits) * 3;
        } else {
            if (info.size() < 40) return;
            const uint16_t bits = word(info, 14);
            const uint32_t compression = dword(info, 16);
            const uint32_t used = dword(info, 32);
            height = int32_t(dword(info, 8));
            if (used)
                tableBytes = std::min<uint32_t>(used, 256) * 4;
            else if (bits <= 8)
                tableBytes = (1u << bits) * 4;
            if (compression == 3 && headerSize == 40) tableBytes += 12;
        }
        QByteArray file("BM");
        auto put32 = [&file](uint32_t v) {
            for (int i = 0; i < 4; ++i) file.append(char((v >> (8 * i)) & 0xFF));
        };
        put32(uint32_t(14 + info.size()));
        put32(0);
        put32(14 + headerSize + tableBytes);
        file.append(info);
        QImage image = QImage::fromData(file, "BMP");
        if (image.isNull()) return;
        if (wSrc > 0 && hSrc > 0) {
            const int top = height > 0 ? image.height() - ySrc - hSrc : ySrc;
            const QRect part = QRect(xSrc, top, wSrc, hSrc).intersected(image.rect());
            if (part.isEmpty()) return;
            image = image.copy(part);
        }
        p_.drawImage(toTarget().mapRect(dest.normalized()), image);
    }

    void playRecord(const Record& r) {
        const size_t n = r.params.size();
        switch (r.function) {
        case kSaveDc:
            saved_.push_back(dc_);
            p_.save();
            ++painterSaves_;
            break;
        case kRestoreDc:
            if (n >= 1) restoreDc(s(r, 0));
            break;
        case kSetBkMode:
            if (n >= 1) dc_.bkMode = r.params[0];
            break;
        case kSetMapMode:
            if (n >= 1) dc_.mapMode = r.params[0];
            break;
        case kSetPolyFillMode:
            if (n >= 1) dc_.fillMode = r.params[0];
            break;
        case kSetTextAlign:
            if (n >= 1) dc_.textAlign = r.params[0];
            break;
        case kSetBkColor:
            if (n >= 2) dc_.bkColour = colourParam(r, 0);
            break;
        case kSetTextColor:
            if (n >= 2) dc_.textColour = colourParam(r, 0);
            break;
        case kSetWindowOrg:
            if (n >= 2) dc_.windowOrg = QPointF(s(r, 1), s(r, 0));
            break;
        case kSetWindowExt:
            if (n >= 2) dc_.windowExt = QPointF(s(r, 1), s(r, 0));
            break;
        case kOffsetWindowOrg:
            if (n >= 2) dc_.windowOrg += QPointF(s(r, 1), s(r, 0));
            break;
        case kScaleWindowExt:
            if (n >= 4 && s(r, 0) != 0 && s(r, 2) != 0)
                dc_.windowExt = QPointF(dc_.windowExt.x() * s(r, 3) / s(r, 2),
                                        dc_.windowExt.y() * s(r, 1) / s(r, 0));
            break;
        case kSetViewportOrg:
            if (n >= 2) {
                dc_.viewportOrg = QPointF(s(r, 1), s(r, 0));
                dc_.viewportSet = true;
            }
            break;
        case kSetViewportExt:
            if (n >= 2) {
                dc_.viewportExt = QPointF(s(r, 1), s(r, 0));
                dc_.viewportSet = true;
            }
            break;
        case kOffsetViewportOrg:
            if (n >= 2) {
                dc_.viewportOrg += QPointF(s(r, 1), s(r, 0));
                dc_.viewportSet = true;
            }
            break;
        case kScaleViewportExt:
            if (n >= 4 && s(r, 0) != 0 && s(r, 2) != 0) {
                dc_.viewportExt = QPointF(dc_.viewportExt.x() * s(r, 3) / s(r, 2),
                                          dc_.viewportExt.y() * s(r, 1) / s(r, 0));
                dc_.viewportSet = true;
            }
            break;
        case kCreatePenIndirect:
            if (n >= 5)
                addObject(PenSpec{r.params[0], double(s(r, 1)), colourParam(r, 3)});
            else
                addObject(std::monostate{});
            break;
        case kCreateBrushIndirect:
            if (n >= 4)
                addObject(BrushSpec{r.params[0], colourParam(r, 1), r.params[3]});
            else
                addObject(std::monostate{});
            break;
        case kCreateFontIndirect:
            if (n >= 9) {
                FontSpec f;
                f.height = s(r, 0);
                f.width = s(r, 1);
                f.escapement = s(r, 2);
                f.weight = s(r, 4);
                f.italic = byteAt(r, 10) != 0;
                f.underline = byteAt(r, 11) != 0;
                f.strikeOut = byteAt(r, 12) != 0;
                f.pitchAndFamily = byteAt(r, 17);
                for (size_t i = 18; i < n * 2 && i < 18 + 32; ++i) {
                    const uint8_t c = byteAt(r, i);
                    if (c == 0) break;
                    f.face.push_back(char(c));
                }
                addObject(f);
            } else {
                addObject(std::monostate{});
            }
            break;
        case kCreatePalette:
        case kCreatePatternBrush:
        case kDibCreatePatternBrush:
        case kCreateRegion: addObject(std::monostate{}); break;
        case kSelectObject:
            if (n >= 1) select(r.params[0]);
            break;
        case kDeleteObject:
            if (n >= 1) objects_.remove(r.params[0]);
            break;
        case kMoveTo:
            if (n >= 2) dc_.position = QPointF(s(r, 1), s(r, 0));
            break;
        case kLineTo:
            if (n >= 2) {
                const QPointF to(s(r, 1), s(r, 0));
                QPainterPath path(dc_.position);
                path.lineTo(to);
                fillAndStroke(path, false);
                dc_.position = to;
            }
            break;
        case kRectangle:
            if (n >= 4) {
                QPainterPath path;
                path.addRect(box(r, 0));
                fillAndStroke(path, true);
            }
            break;
        case kRoundRect:
            if (n >= 6) {
                QPainterPath path;
                path.addRoundedRect(box(r, 2), std::abs(s(r, 1)) / 2.0, std::abs(s(r, 0)) / 2.0);
                fillAndStroke(path, true);
            }
            break;
        case kEllipse:
            if (n >= 4) {
                QPainterPath path;
                path.addEllipse(box(r, 0));
                fillAndStroke(path, true);
            }
            break;
        case kArc:
        case kPie:
        case kChord:
            if (n >= 8) arcLike(r, r.function);
            break;
        case kPolygon:
        case kPolyline:
            if (n >= 1 && n >= 1 + 2 * size_t(r.params[0])) {
                const QPolygonF poly = points(r, 1, r.params[0]);
                if (poly.size() < 2) break;
                QPainterPath path;
                path.addPolygon(poly);
                if (r.function == kPolygon) path.closeSubpath();
                fillAndStroke(path, r.function == kPolygon);
            }
            break;
        case kPolyPolygon:
            if (n >= 1) {
                const size_t count = r.params[0];
                if (n < 1 + count) break;
                size_t total = 0;
                for (size_t i = 0; i < count; ++i) total += r.params[1 + i];
                if (n < 1 + count + 2 * total) break;
                QPainterPath path;
                size_t at = 1 + count;
                for (size_t i = 0; i < count; ++i) {
                    const size_t k = r.params[1 + i];
                    const QPolygonF poly = points(r, at, k);
                    at += 2 * k;
                    if (poly.size() < 2) continue;
                    path.addPolygon(poly);
                    path.closeSubpath();
                }
                fillAndStroke(path, true);
            }
            break;
        case kTextOut:
            if (n >= 1) {
                const size_t len = r.params[0];
                const size_t words = wordsFor(len);
                if (n < 1 + words + 2) break;
                const QPointF at(s(r, 1 + words + 1), s(r, 1 + words));
                text(at, bytes(r, 1, len), {}, std::nullopt, 0);
            }
            break;
        case kExtTextOut:
            if (n >= 4) {
                const QPointF at(s(r, 1), s(r, 0));
                const size_t len = r.params[2];
                const uint16_t options = r.params[3];
                size_t at2 = 4;
                std::optional<QRectF> rect;
                if (options & (kEtoOpaque | kEtoClipped)) {
                    if (n < 8) break;
                    rect =
                        QRectF(QPointF(s(r, 4), s(r, 5)), QPointF(s(r, 6), s(r, 7))).normalized();
                    at2 = 8;
                }
                if (n < at2 + wordsFor(len)) break;
                const std::string str = bytes(r, at2, len);
                std::vector<int16_t> dx;
                const size_t dxAt = at2 + wordsFor(len);
                if (n >= dxAt + len)
                    for (size_t i = 0; i < len; ++i) dx.push_back(s(r, dxAt + i));
                text(at, str, dx, rect, options);
            }
            break;
        case kIntersectClipRect:
            if (n >= 4) p_.setClipRect(toTarget().mapRect(box(r, 0)), Qt::IntersectClip);
            break;
        case kExcludeClipRect:
            if (n >= 4) excludeClip(box(r, 0));
            break;
        case kStretchDib:
            if (n >= 11 && colourParam(r, 0) == kSrcCopy)
                dib(r, 11, QRectF(s(r, 10), s(r, 9), s(r, 8), s(r, 7)), s(r, 6), s(r, 5), s(r, 4),
                    s(r, 3));
            break;
        case kDibStretchBlt:
            // Only the form that carries a bitmap; the other one paints with the brush.
            if (n > 10 && colourParam(r, 0) == kSrcCopy)
                dib(r, 10, QRectF(s(r, 9), s(r, 8), s(r, 7), s(r, 6)), s(r, 5), s(r, 4), s(r, 3),
                    s(r, 2));
            break;
        default: break; // records without a visible effect here are passed over
        }
    }
};

// ---------------------------------------------------------------------------------------------
// The work a picture asks of the painter

// A picture whose playing would keep a screen painting for long (tens of thousands of shapes
// over the whole picture, polygons of thousands of long edges, pens far wider than the picture)
// is refused as damaged before anything is drawn. The work is counted in "coverings": painting
// once across the whole picture costs about 1; every record costs a little on its own. No real
// drawing comes near the bound: the title picture asks for about 35.
constexpr double kWorkLimit = 4000;
constexpr size_t kRecordLimit = 200000;

class WorkEstimate {
public:
    explicit WorkEstimate(const Metafile& mf)
        : windowExt_(std::abs(int(mf.right) - int(mf.left)),
                     std::abs(int(mf.bottom) - int(mf.top))) {}

    // False as soon as the work passes the bound.
    bool add(const Record& r) {
        const size_t n = r.params.size();
        work_ += 0.01;
        switch (r.function) {
        case kSetWindowExt:
            if (n >= 2) windowExt_ = QPointF(std::abs(s(r, 1)), std::abs(s(r, 0)));
            break;
        case kScaleWindowExt:
            if (n >= 4 && s(r, 0) != 0 && s(r, 2) != 0)
                windowExt_ = QPointF(std::abs(windowExt_.x() * s(r, 3) / s(r, 2)),
                                     std::abs(windowExt_.y() * s(r, 1) / s(r, 0)));
            break;
        case kCreatePenIndirect:
            add(n >= 5 ? Made{Made::Pen, (r.params[0] & 0x0F) == kPsNull ? -1.0 : std::abs(s(r, 1))}
                       : Made{});
            break;
        case kCreateFontIndirect:
            add(n >= 1 ? Made{Made::Font, double(std::abs(s(r, 0)))} : Made{});
            break;
        case kCreateBrushIndirect:
        case kCreatePalette:
        case kCreatePatternBrush:
        case kDibCreatePatternBrush:
        case kCreateRegion: add(Made{}); break;
        case kSelectObject:
            if (const Made* m = n >= 1 ? made_.find(r.params[0]) : nullptr) {
                if (m->kind == Made::Pen) penWidth_ = m->size;
                if (m->kind == Made::Font) fontHeight_ = m->size;
            }
            break;
        case kDeleteObject:
            if (n >= 1) made_.remove(r.params[0]);
            break;
        case kSaveDc: work_ += 0.05; break;
        case kIntersectClipRect: work_ += 0.1; break;
        case kExcludeClipRect:
            // Each hole makes the clip, and every shape clipped by it afterwards, more complex.
            work_ += 1 + 0.02 * excludedClips_++;
            break;
        case kLineTo:
            if (n >= 2) {
                edge(s(r, 1) - position_.x(), s(r, 0) - position_.y(), false);
                position_ = QPointF(s(r, 1), s(r, 0));
            }
            break;
        case kMoveTo:
            if (n >= 2) position_ = QPointF(s(r, 1), s(r, 0));
            break;
        case kRectangle:
        case kEllipse:
        case kRoundRect:
        case kArc:
        case kPie:
        case kChord:
            if (n >= 4) {
                const size_t first =
                    r.function == kRoundRect                                             ? 2
                    : (r.function == kArc || r.function == kPie || r.function == kChord) ? 4
                                                                                         : 0;
                if (n < first + 4) break;
                const double w = std::abs(double(s(r, first + 1)) - s(r, first + 3));
                const double h = std::abs(double(s(r, first)) - s(r, first + 2));
                // One convex outline: far less work for the painter than as many polygon edges.
                for (int side = 0; side < 2; ++side) {
                    edge(w, 0, true, kConvexWeight);
                    edge(0, h, true, kConvexWeight);
                }
            }
            break;
        case kPolygon:
        case kPolyline:
            if (n >= 1 && n >= 1 + 2 * size_t(r.params[0]))
                poly(r, 1, r.params[0], r.function == kPolygon);
            break;
        case kPolyPolygon:
            if (n >= 1) {
                const size_t count = r.params[0];
                if (n < 1 + count) break;
                size_t at = 1 + count;
                for (size_t i = 0; i < count; ++i) {
                    const size_t k = r.params[1 + i];
                    if (n < at + 2 * k) break;
                    poly(r, at, k, true);
                    at += 2 * k;
                }
            }
            break;
        case kTextOut:
        case kExtTextOut:
            // Each character is a glyph of the font's height, which may reach the whole picture.
            work_ += double(n) * 2 * (0.01 + std::min(fontHeight_ / extent(windowExt_.y()), 2.0));
            break;
        case kStretchDib:
        case kDibStretchBlt: work_ += 1 + double(n) / 25000; break;
        default: break;
        }
        return work_ <= kWorkLimit;
    }

private:
    struct Made {
        enum Kind { Pen, Font, Other } kind = Other;
        double size = 0;
    };
    QPointF windowExt_;
    ObjectTable<Made> made_;
    double penWidth_ = 0; // -1: no pen
    double fontHeight_ = 16;
    QPointF position_;
    double work_ = 0;
    int excludedClips_ = 0;

    static int16_t s(const Record& r, size_t i) { return int16_t(r.params[i]); }
    static double extent(double e) { return std::max(1.0, e); }

    void add(Made made) { made_.add(made); }

    // An edge of a shape: its part across the picture (a long one is clipped, but still stroked
    // and crossed by every scan line), filled and stroked with the pen's width.
    static constexpr double kConvexWeight = 0.1;
    void edge(double dx, double dy, bool filled, double weight = 1) {
        const double across = std::min(std::abs(dx) / extent(windowExt_.x()), 2.0) +
                              std::min(std::abs(dy) / extent(windowExt_.y()), 2.0);
        const double side = std::max(windowExt_.x(), windowExt_.y());
        const double stroke = penWidth_ < 0 ? 0 : 2 + 5 * std::min(penWidth_ / extent(side), 2.0);
        work_ += weight * across * ((filled ? 1 : 0) + stroke);
    }

    void poly(const Record& r, size_t first, size_t count, bool closed) {
        if (count < 2) return;
        auto at = [&](size_t i) { return QPointF(s(r, first + 2 * i), s(r, first + 2 * i + 1)); };
        for (size_t i = 1; i < count; ++i) {
            const QPointF d = at(i) - at(i - 1);
            edge(d.x(), d.y(), closed);
        }
        if (closed) {
            const QPointF d = at(0) - at(count - 1);
            edge(d.x(), d.y(), true);
        }
    }
};

} // namespace

QSize Metafile::naturalSize() const {
    if (unitsPerInch == 0) return {};
    const double w = std::abs(int(right) - int(left)) * 96.0 / unitsPerInch;
    const double h = std::abs(int(bottom) - int(top)) * 96.0 / unitsPerInch;
    return QSize(std::max(1, int(std::lround(w))), std::max(1, int(std::lround(h))));
}

bool looksPlaceable(const QByteArray& data) {
    return data.size() >= 4 && dword(data, 0) == kPlaceableKey;
}

std::optional<Metafile> parse(const QByteArray& data, std::string* error) {
    if (data.size() < 4) {
        fail(error, "en-tête tronqué.");
        return std::nullopt;
    }
    if (!looksPlaceable(data)) {
        fail(error, "clé d'en-tête incorrecte.");
        return std::nullopt;
    }
    if (data.size() < kPlaceableSize) {
        fail(error, "en-tête tronqué.");
        return std::nullopt;
    }
    uint16_t sum = 0;
    for (int i = 0; i < 10; ++i) sum ^= word(data, 2 * i);
    if (sum != word(data, 20)) {
        fail(error, "somme de contrôle de l'en-tête incorrecte.");
        return std::nullopt;
    }
    Metafile mf;
    mf.left = int16_t(word(data, 6));
    mf.top = int16_t(word(data, 8));
    mf.right = int16_t(word(data, 10));
    mf.bottom = int16_t(word(data, 12));
    mf.unitsPerInch = word(data, 14);
    if (mf.unitsPerInch == 0 || mf.left == mf.right || mf.top == mf.bottom) {
        fail(error, "cadre de l'image vide.");
        return std::nullopt;
    }

    if (data.size() < kPlaceableSize + 2 * kStandardHeaderWords) {
        fail(error, "en-tête tronqué.");
        return std::nullopt;
    }
    const uint16_t type = word(data, kPlaceableSize);
    const uint16_t headerWords = word(data, kPlaceableSize + 2);
    if ((type != 1 && type != 2) || headerWords != kStandardHeaderWords) {
        fail(error, "en-tête de métafichier incorrect.");
        return std::nullopt;
    }

    qsizetype offset = kPlaceableSize + 2 * kStandardHeaderWords;
    WorkEstimate work(mf);
    for (;;) {
        const qsizetype left = data.size() - offset;
        if (left == 0) {
            fail(error, "enregistrement de fin manquant.");
            return std::nullopt;
        }
        if (left < 6) {
            fail(error, "un enregistrement dépasse la fin du fichier.");
            return std::nullopt;
        }
        const uint64_t words = dword(data, offset);
        if (words == 0) {
            fail(error, "enregistrement de taille nulle.");
            return std::nullopt;
        }
        if (words < 3) {
            fail(error, "enregistrement de taille incorrecte.");
            return std::nullopt;
        }
        if (words * 2 > uint64_t(left)) {
            fail(error, "un enregistrement dépasse la fin du fichier.");
            return std::nullopt;
        }
        const uint16_t function = word(data, offset + 4);
        if (function == kEof) break;
        Record r;
        r.function = function;
        r.params.resize(size_t(words - 3));
        for (size_t i = 0; i < r.params.size(); ++i)
            r.params[i] = word(data, offset + 6 + qsizetype(2 * i));
        if (mf.records.size() >= kRecordLimit || !work.add(r)) {
            fail(error, "image trop lourde à dessiner.");
            return std::nullopt;
        }
        mf.records.push_back(std::move(r));
        offset += qsizetype(words * 2);
    }
    return mf;
}

void render(const Metafile& metafile, QPainter& painter, const QRectF& target) {
    if (!painter.isActive() || target.isEmpty()) return;
    Player(metafile, painter, target).play();
}

} // namespace ui::wmf
