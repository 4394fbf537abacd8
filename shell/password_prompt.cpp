#include "shell/password_prompt.h"

// The screen is built with its own work; until then it stands as an empty form.
motpasrep::motpasrep() {
    setMdiChild(true);
}
