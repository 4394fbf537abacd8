// Passwords and access rights of the management menus.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

class motpasse : public ui::Form {
public:
    motpasse();
};
