#include "players/grid_player.h"

// The screen is built with its own work; until then it stands as an empty form.
Feuille7::Feuille7() {
    setMdiChild(true);
}
