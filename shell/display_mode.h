// The switch of the display to 640 x 480 on wide screens, allowed by the marker file
// "Tail640.oui" of the data folder, and its undoing when the program quits.
#pragma once

#include "shell/shared_state.h"

namespace shell {

constexpr const char* kFichierTaille640 = "Tail640.oui";

// Switches the display to width x height pixels for this run; ResolutionChangee tells whether it
// did. A first switch needs the marker file; while a switch is in effect, the call puts the
// display back to the given size whether the marker is still there or not.
void ChangerResolution(Integer largeur, Integer hauteur);

} // namespace shell
