#include "app/program.h"

#include "app/screens.h"
#include "shell/main_window.h"
#include "shell/routines.h"
#include "shell/screen_openers.h"
#include "shell/startup_screen.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/runtime.h"
#include "ui/screen.h"

#include <QApplication>

namespace app {

void startProgram() {
    inscrireEcrans();
    ui::setApplicationNames({"TAVREL", "TAVREL_PDF"});
    // Windows come and go between screens; the program ends only when it says so.
    QApplication::setQuitOnLastWindowClosed(false);
    ui::setEndWhenNoForms(true);
    ui::setDisplayMode(ui::makeDesktopDisplayMode());
    ui::setMdiParentLoader([] { ui::load<shell::MDI1>(); });
    ui::onTerminationSignal(shell::arreterLogiciel);
    shell::chargerEcran(shell::Ecran::Demarrage);
}

} // namespace app
