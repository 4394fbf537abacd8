// The relation-grid player.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

class Feuille7 : public ui::Form {
public:
    Feuille7();
};
