// The sets player.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

class Feuille4 : public ui::Form {
public:
    Feuille4();
};
