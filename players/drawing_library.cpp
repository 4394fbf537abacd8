#include "players/drawing_library.h"

// The screen is built with its own work; until then it stands as an empty form.
dessins::dessins() {}
