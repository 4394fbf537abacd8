#include "records/learning_report.h"

// The screen is built with its own work; until then it stands as an empty form.
resultat::resultat() {
    setMdiChild(true);
}
