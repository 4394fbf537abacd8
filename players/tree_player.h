// The tree player.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

class Feuille5 : public ui::Form {
public:
    Feuille5();
};
