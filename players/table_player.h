// The table player.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

class Feuille6 : public ui::Form {
public:
    Feuille6();
};
