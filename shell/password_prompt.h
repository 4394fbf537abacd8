// The password prompt of the management menus.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

class motpasrep : public ui::Form {
public:
    motpasrep();
};
