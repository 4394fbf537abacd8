// Registrations by group and their results.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

class inscription : public ui::Form {
public:
    inscription();
};
