// Start-up screen: the title, the catalogue checks and the first use.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

class depart : public ui::Form {
public:
    depart();
};
