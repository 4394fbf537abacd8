// The lesson editor of one activity.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

class feuille20 : public ui::Form {
public:
    feuille20();
};
