// The program runs in its data folder, the current directory, and starts on its title screen.
#include "app/program.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app::startProgram();
    return app.exec();
}
