// The settings of the program.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

class parametre : public ui::Form {
public:
    parametre();
};
