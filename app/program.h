// Everything the program does once its QApplication exists, up to the title screen. The program's
// entry point and the start benchmark share it, so that the benchmark times the real start.
#pragma once

namespace app {

void startProgram();

} // namespace app
