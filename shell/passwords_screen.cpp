#include "shell/passwords_screen.h"

// The screen is built with its own work; until then it stands as an empty form.
motpasse::motpasse() {
    setMdiChild(true);
}
