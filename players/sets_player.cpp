#include "players/sets_player.h"

// The screen is built with its own work; until then it stands as an empty form.
Feuille4::Feuille4() {
    setMdiChild(true);
}
