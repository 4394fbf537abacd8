// Test entry point for the Qt test programs: one offscreen application for the whole run, so
// that widgets, fonts and pictures work without a display.
#include "ui/application.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        // Qt warns about a runtime folder that is missing or open to others.
        const QString runtime = QDir::temp().filePath(QStringLiteral("tavrel-tests-runtime"));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // The program's own names, given to the runtime as the program gives them.
    ui::setApplicationNames({"TAVREL", "TAVREL_PDF"});
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
