// Shared routines of the shell that the screens call.
#pragma once

namespace shell {

// Shows on the main window's total line how many different lessons the pupil has done, and
// hides the line when there are none.
void AfficherTotalLecons();

} // namespace shell
