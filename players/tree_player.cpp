#include "players/tree_player.h"

// The screen is built with its own work; until then it stands as an empty form.
Feuille5::Feuille5() {
    setMdiChild(true);
}
