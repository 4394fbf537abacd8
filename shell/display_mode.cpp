#include "shell/display_mode.h"

#include "platform/files.h"
#include "ui/screen.h"

namespace shell {

void ChangerResolution(Integer largeur, Integer hauteur) {
    SharedState& s = shared;
    const bool retour = s.ResolutionChangee != kFaux;
    s.ResolutionChangee = kFaux;
    // Only the marker allows a switch; the way back never depends on it, so that a marker
    // removed during the run cannot leave the screen at 640 x 480.
    if (!retour && !platform::fileExists(s.DossierDonnees + kFichierTaille640)) return;
    if (ui::displayMode().change(largeur, hauteur) && !retour) s.ResolutionChangee = kVrai;
}

} // namespace shell
