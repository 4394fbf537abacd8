// The library of numbered drawings, loaded hidden.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

class dessins : public ui::Form {
public:
    dessins();
};
