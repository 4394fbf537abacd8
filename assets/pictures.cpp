#include "assets/pictures.h"

#include <QResource>
#include <QString>
#include <cstring>
#include <string>

// The resource lives in a static library: registering it by hand makes sure the linker keeps it.
static void registerPictureResource() {
    Q_INIT_RESOURCE(pictures);
}

namespace tavrel_assets {
namespace {

// The resource is stored uncompressed, so its bytes are used in place: nothing is copied or
// unpacked, and a picture no screen asks for costs nothing.
QByteArray resourceBytes(const QString& path) {
    const QResource resource(path);
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
        return {};
    return QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()),
                                   qsizetype(resource.size()));
}

void registerOnce() {
    static const bool registered = [] {
        registerPictureResource();
        return true;
    }();
    (void)registered;
}

bool isScreenPicture(const char* name) {
    for (const char* known : kScreenPictures)
        if (std::strcmp(known, name) == 0) return true;
    return false;
}

QByteArray indexed(const char* stem, int index, int count) {
    if (index < 0 || index >= count) return {};
    return screenPicture((stem + std::to_string(index)).c_str());
}

} // namespace

void initPictures() {
    registerOnce();
}

QByteArray drawingSvg(int number) {
    if (number < 0 || number > kLastDrawing) return {};
    registerOnce();
    return resourceBytes(QStringLiteral(":/dessins/%1.svg").arg(number, 3, 10, QChar('0')));
}

QByteArray screenPicture(const char* name) {
    if (!name || !isScreenPicture(name)) return {};
    registerOnce();
    return resourceBytes(QStringLiteral(":/ecran/%1.svg").arg(QLatin1String(name)));
}

QByteArray activityIcon(int activity) {
    return indexed("activite_", activity, 12);
}
QByteArray lessonIcon(int index) {
    return indexed("lecon_", index, 20);
}
QByteArray rewardEarned(int set) {
    return indexed("gagne_", set, 6);
}
QByteArray rewardLost(int set) {
    return indexed("perdu_", set, 6);
}

} // namespace tavrel_assets
