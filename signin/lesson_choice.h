// The choice of lessons of one activity.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

class Feuille3 : public ui::Form {
public:
    Feuille3();
};
