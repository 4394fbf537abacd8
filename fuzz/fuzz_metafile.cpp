// The metafile reader: any bytes are refused or read, and a picture read plays onto the title's
// area without a crash, a sanitizer report or a long wait (libFuzzer's -timeout catches those).
#include "fuzz_support.h"
#include "ui/wmf_reader.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Fonts need an application; no display is used.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    std::string error;
    const auto metafile = ui::wmf::parse(bytes, &error);
    FUZZ_CHECK(metafile.has_value() == error.empty());
    if (!metafile) return 0;
    static QImage image(650, 473, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    ui::wmf::render(*metafile, painter, QRectF(0, 0, 650, 473));
    FUZZ_CHECK(painter.isActive());
    return 0;
}
