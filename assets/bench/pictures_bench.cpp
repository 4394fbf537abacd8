// Measures what pictures cost: reaching all of them (nothing is unpacked: the bytes are used in
// place), then parsing every drawing, as showing each one for the first time does.
#include "assets/pictures.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QElapsedTimer timer;
    timer.start();
    tavrel_assets::initPictures();
    const qint64 loaded = timer.nsecsElapsed();
    qint64 bytes = 0;
    int valid = 0;
    for (int n = 0; n <= tavrel_assets::kLastDrawing; ++n) {
        const QByteArray svg = tavrel_assets::drawingSvg(n);
        bytes += svg.size();
        QSvgRenderer renderer(svg);
        valid += renderer.isValid();
    }
    const qint64 parsed = timer.nsecsElapsed();
    std::printf("into memory: %.1f ms; %d drawings parsed (%lld bytes): %.1f ms more\n",
                loaded / 1e6, valid, static_cast<long long>(bytes), (parsed - loaded) / 1e6);
    return valid == tavrel_assets::kLastDrawing + 1 ? 0 : 1;
}
