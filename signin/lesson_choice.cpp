#include "signin/lesson_choice.h"

// The screen is built with its own work; until then it stands as an empty form.
Feuille3::Feuille3() {
    setMdiChild(true);
}
