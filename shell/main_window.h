// The main window: menus, help, total line and the hidden picture stores.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

class MDI1 : public ui::MdiForm {
public:
    MDI1();
};
