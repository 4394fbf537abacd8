#include "authoring/sequence_editor.h"

// The screen is built with its own work; until then it stands as an empty form.
sequence::sequence() {
    setMdiChild(true);
}
