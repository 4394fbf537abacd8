// A child screen whose button handler lets events through in the middle of its work, as the
// players do during an answer. What runs at that yield (set by the test) may take the screen
// away; the handler then checks and returns.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/runtime.h"

#include <QTimer>
#include <functional>

namespace harness {

class BusyScreen : public ui::Form {
public:
    ui::CommandButton Commande1{*this};
    ui::Label Etiquette1{*this};
    // Runs at the handler's yield.
    std::function<void()> duringYield;
    // The handler found its screen unloaded after the yield (kept outside the screen, which is
    // gone by the time the test looks).
    static inline bool sawItsUnload = false;

    BusyScreen() {
        setMdiChild(true);
        moveForm(0, 0, 6000, 4000);
        Commande1.move(100, 100, 1500, 400);
        Commande1.Click = [this](int) {
            QTimer::singleShot(0, duringYield);
            ui::yield();
            if (!ui::isLoaded(this)) {
                sawItsUnload = true;
                return;
            }
            Etiquette1.setCaption("encore là");
        };
    }
};

} // namespace harness
