#include "grab.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QWidget>
#include <algorithm>
#include <gtest/gtest.h>

namespace harness {
namespace {

QString folder() {
    return qEnvironmentVariable("TAVREL_GRAB_DIR");
}

// The running test's name, and a number that grows through the test so that every file of one
// run has a name of its own and the same name in the other build's run.
QString nextName() {
    static QString test;
    static int n = 0;
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    QString name =
        info ? QString::fromUtf8(info->test_suite_name()) + "." + QString::fromUtf8(info->name())
             : QStringLiteral("outside");
    name.replace('/', '_');
    if (name != test) {
        test = name;
        n = 0;
    }
    return QString("%1-%2").arg(name).arg(++n, 3, 10, QChar('0'));
}

} // namespace

bool grabbing() {
    return !folder().isEmpty();
}

void grabScreens(const QString& moment) {
    if (!grabbing()) return;
    QDir().mkpath(folder());
    // The application lists its windows in no set order: they are taken by class and place.
    QList<QWidget*> tops;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible()) tops.append(top);
    const auto key = [](const QWidget* w) {
        const QRect g = w->geometry();
        return QString("%1 %2 %3 %4 %5")
            .arg(QString::fromLatin1(w->metaObject()->className()))
            .arg(g.x(), 6)
            .arg(g.y(), 6)
            .arg(g.width(), 6)
            .arg(g.height(), 6);
    };
    std::sort(tops.begin(), tops.end(),
              [&key](const QWidget* a, const QWidget* b) { return key(a) < key(b); });
    const QString name = nextName();
    int i = 0;
    for (QWidget* top : tops) {
        const QImage shot = top->grab().toImage().convertToFormat(QImage::Format_RGB32);
        shot.save(QDir(folder()).filePath(QString("%1-%2-%3.png").arg(name, moment).arg(i++)));
    }
}

void keepForComparison(const QString& file, const QString& extension) {
    if (!grabbing()) return;
    QDir().mkpath(folder());
    QFile::copy(file, QDir(folder()).filePath(nextName() + "." + extension));
}

} // namespace harness
