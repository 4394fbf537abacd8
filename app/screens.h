// The program names its screens to the shell's table, so that the shell and the lower screens can
// open the higher ones. The start does it first; the screen tests do it the same way.
#pragma once

namespace app {

void inscrireEcrans();

} // namespace app
