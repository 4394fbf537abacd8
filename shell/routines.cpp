#include "shell/routines.h"

namespace shell {

// The main window gives this routine its work once it exists; until then there is no total line
// to update.
void AfficherTotalLecons() {}

} // namespace shell
