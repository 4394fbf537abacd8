// The guide and its annexes, shown and printed.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

class document : public ui::Form {
public:
    document();
};
