// The home screen: the identification card and the activity icons.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

class Feuille1 : public ui::Form {
public:
    Feuille1();
};
