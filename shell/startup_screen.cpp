#include "shell/startup_screen.h"

// The screen is built with its own work; until then it stands as an empty form.
depart::depart() {}
