// The learning report, on screen and printed.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

class resultat : public ui::Form {
public:
    resultat();
};
