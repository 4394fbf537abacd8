#include "signin/home_screen.h"

// The screen is built with its own work; until then it stands as an empty form.
Feuille1::Feuille1() {
    setMdiChild(true);
}
