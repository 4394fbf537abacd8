#include "ui/picture.h"

#include "platform/cp1252.h"
#include "ui/text.h"
#include "ui/wmf_reader.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

namespace ui {

struct Picture::Data {
    enum class Kind { Svg, Metafile, Image };
    Kind kind = Kind::Image;
    // An SVG kept as bytes is parsed the first time it is drawn or measured, then kept parsed.
    QByteArray svgBytes;
    mutable std::unique_ptr<QSvgRenderer> svg;
    wmf::Metafile metafile;
    QImage image;

    QSvgRenderer& renderer() const {
        if (!svg) svg = std::make_unique<QSvgRenderer>(svgBytes);
        return *svg;
    }
};

namespace {

bool setError(std::string* error, const std::string& reason) {
    if (error) *error = reason;
    return false;
}

std::string lowerHint(const std::string& hint) {
    return platform::lower1252(hint);
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool looksSvg(const QByteArray& data, const std::string& hint) {
    if (data.startsWith("\x1f\x8b")) // compressed SVG: only the name can tell
        return endsWith(hint, ".svgz") || endsWith(hint, ".svg");
    const QByteArray head = data.left(4096);
    qsizetype i = head.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < head.size() && QChar::isSpace(uchar(head[i]))) ++i;
    return i < head.size() && head[i] == '<' && head.contains("<svg");
}

// A metafile written without the placeable header has no frame to stretch.
bool looksBareMetafile(const QByteArray& data) {
    if (data.size() < 4) return false;
    const int type = uchar(data[0]) | (uchar(data[1]) << 8);
    const int headerWords = uchar(data[2]) | (uchar(data[3]) << 8);
    return (type == 1 || type == 2) && headerWords == 9;
}

// Icons may hold several sizes: the largest one stretches best.
QImage readImage(const QByteArray& data) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    QImage best = reader.read();
    const int count = reader.imageCount();
    for (int i = 1; i < count; ++i) {
        if (!reader.jumpToImage(i)) break;
        const QImage next = reader.read();
        if (!next.isNull() &&
            qint64(next.width()) * next.height() > qint64(best.width()) * best.height())
            best = next;
    }
    return best;
}

} // namespace

Picture Picture::fromFile(const std::string& path, std::string* error) {
    QFile file(qs(path));
    if (!file.exists()) {
        setError(error, cp("Fichier d'image introuvable : ") + path);
        return {};
    }
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, cp("Impossible de lire le fichier d'image : ") + path);
        return {};
    }
    // No picture of the program comes near this; a damaged length must not decide the memory.
    constexpr qint64 kLargestPicture = qint64{64} << 20;
    if (file.size() > kLargestPicture) {
        setError(error, cp("Fichier d'image trop grand : ") + path);
        return {};
    }
    const QByteArray data = file.readAll();
    std::string reason;
    Picture picture = fromData(data, path, &reason);
    if (picture.isNull()) setError(error, reason + " (" + path + ")");
    return picture;
}

Picture Picture::fromData(const QByteArray& data, const std::string& hint, std::string* error) {
    const std::string name = lowerHint(hint);
    auto out = std::make_shared<Data>();

    if (data.isEmpty()) {
        setError(error, cp("Le fichier d'image est vide."));
        return {};
    }
    if (wmf::looksPlaceable(data) || endsWith(name, ".wmf")) {
        if (looksBareMetafile(data)) {
            setError(error, cp("Métafichier sans en-tête de placement : son cadre est inconnu."));
            return {};
        }
        std::optional<wmf::Metafile> mf = wmf::parse(data, error);
        if (!mf) return {};
        out->kind = Data::Kind::Metafile;
        out->metafile = std::move(*mf);
    } else if (looksSvg(data, name)) {
        out->kind = Data::Kind::Svg;
        out->svg = std::make_unique<QSvgRenderer>(data);
        if (!out->svg->isValid()) {
            setError(error, cp("Image SVG illisible ou endommagée."));
            return {};
        }
    } else if (looksBareMetafile(data)) {
        setError(error, cp("Métafichier sans en-tête de placement : son cadre est inconnu."));
        return {};
    } else {
        out->image = readImage(data);
        if (out->image.isNull()) {
            setError(error, cp("Format d'image inconnu ou fichier endommagé."));
            return {};
        }
        out->kind = Data::Kind::Image;
    }
    Picture picture;
    picture.data_ = std::move(out);
    return picture;
}

Picture Picture::fromSvgOnFirstUse(const QByteArray& data) {
    if (!looksSvg(data, {})) return {};
    auto out = std::make_shared<Data>();
    out->kind = Data::Kind::Svg;
    out->svgBytes = data;
    Picture picture;
    picture.data_ = std::move(out);
    return picture;
}

QSize Picture::naturalSize() const {
    if (!data_) return {};
    switch (data_->kind) {
    case Data::Kind::Svg: return data_->renderer().defaultSize();
    case Data::Kind::Metafile: return data_->metafile.naturalSize();
    case Data::Kind::Image: return data_->image.size();
    }
    return {};
}

void Picture::draw(QPainter& painter, const QRectF& target) const {
    if (!data_ || !painter.isActive() || target.isEmpty()) return;
    switch (data_->kind) {
    case Data::Kind::Svg: data_->renderer().render(&painter, target); break;
    case Data::Kind::Metafile: wmf::render(data_->metafile, painter, target); break;
    case Data::Kind::Image:
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawImage(target, data_->image);
        painter.restore();
        break;
    }
}

} // namespace ui
