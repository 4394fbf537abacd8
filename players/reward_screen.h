// The reward screen that records a lesson's score.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

class felicite : public ui::Form {
public:
    felicite();
};
