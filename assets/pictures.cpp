#include "assets/pictures.h"

#include <QFile>
#include <QHash>
#include <QString>
#include <array>
#include <string>

// The resource lives in a static library: registering it by hand makes sure the linker keeps it.
static void registerPictureResource() {
    Q_INIT_RESOURCE(pictures);
}

namespace tavrel_assets {
namespace {

QByteArray readResource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// Everything is decompressed once, so that each later lookup only shares bytes.
struct Store {
    std::array<QByteArray, kLastDrawing + 1> drawings;
    QHash<QByteArray, QByteArray> screens;

    Store() {
        registerPictureResource();
        for (int n = 0; n <= kLastDrawing; ++n)
            drawings[n] =
                readResource(QStringLiteral(":/dessins/%1.svg").arg(n, 3, 10, QChar('0')));
        for (const char* name : kScreenPictures)
            screens.insert(name, readResource(QStringLiteral(":/ecran/%1.svg").arg(name)));
    }
};

const Store& store() {
    static const Store instance;
    return instance;
}

QByteArray indexed(const char* stem, int index, int count) {
    if (index < 0 || index >= count) return {};
    return screenPicture((stem + std::to_string(index)).c_str());
}

} // namespace

void initPictures() {
    store();
}

QByteArray drawingSvg(int number) {
    if (number < 0 || number > kLastDrawing) return {};
    return store().drawings[number];
}

QByteArray screenPicture(const char* name) {
    if (!name) return {};
    return store().screens.value(QByteArray(name));
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
