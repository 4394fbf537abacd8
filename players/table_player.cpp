#include "players/table_player.h"

// The screen is built with its own work; until then it stands as an empty form.
Feuille6::Feuille6() {
    setMdiChild(true);
}
