#include "shell/main_window.h"

// The screen is built with its own work; until then it stands as an empty form.
MDI1::MDI1() {}
