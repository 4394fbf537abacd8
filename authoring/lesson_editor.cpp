#include "authoring/lesson_editor.h"

// The screen is built with its own work; until then it stands as an empty form.
feuille20::feuille20() {
    setMdiChild(true);
}
