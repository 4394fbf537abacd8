#include "shell/guide_viewer.h"

// The screen is built with its own work; until then it stands as an empty form.
document::document() {
    setMdiChild(true);
}
