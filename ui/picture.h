// One picture type shared by every control that shows a picture. Copies share the same data,
// as assigning one control's picture to another does; drawing always stretches to the target.
#pragma once

#include <QByteArray>
#include <QRectF>
#include <QSize>
#include <memory>
#include <string>

class QPainter;

namespace ui {

class Picture {
public:
    Picture() = default;

    // Loads a picture file (SVG, placeable Windows metafile, icon, PNG), chosen by content.
    // A missing, unreadable or damaged file gives a null picture and, when asked, a reason.
    static Picture fromFile(const std::string& path, std::string* error = nullptr);
    // The same from bytes already in memory (a resource); `hint` is a file name or extension.
    static Picture fromData(const QByteArray& data, const std::string& hint = {},
                            std::string* error = nullptr);

    // An SVG that is parsed only when first drawn or measured, for pictures built into the
    // program whose soundness is known: bytes that do not look like SVG give a null picture, and
    // SVG that turns out damaged draws nothing.
    static Picture fromSvgOnFirstUse(const QByteArray& data);

    bool isNull() const { return !data_; }
    // Size the picture was made at, in pixels (a metafile's frame at 96 dpi).
    QSize naturalSize() const;
    // Draws the whole picture stretched into `target` (aspect ratio not kept).
    void draw(QPainter& painter, const QRectF& target) const;

    bool operator==(const Picture& other) const { return data_ == other.data_; }
    bool operator!=(const Picture& other) const { return data_ != other.data_; }

    struct Data;

private:
    std::shared_ptr<const Data> data_;
};

} // namespace ui
