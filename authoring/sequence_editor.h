// The sequence editor.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

class sequence : public ui::Form {
public:
    sequence();
};
