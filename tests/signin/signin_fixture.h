// What the sign-in tests share, over the pupils' screens fixture: the home screen, a pupil who
// signs in at the card by typing and pressing Enter, and the player that a lesson loads.
#pragma once

#include "screens_fixture.h"

#include "players/grid_player.h"
#include "players/sets_player.h"
#include "players/table_player.h"
#include "players/tree_player.h"
#include "signin/home_screen.h"
#include "signin/lesson_choice.h"

#include <QString>
#include <string>

namespace signintest {

using shell::shared;

class SignInTest : public screenstest::PupilScreensTest {
protected:
    shell::MDI1& main() { return screen<shell::MDI1>(); }
    signin::Feuille1& home() { return ui::load<signin::Feuille1>(); }

    // Which player is loaded: 0 sets, 1 tree, 2 table, 3 grid; -1 none.
    static int loadedPlayer() {
        if (ui::find<players::Feuille4>()) return 0;
        if (ui::find<players::Feuille5>()) return 1;
        if (ui::find<players::Feuille6>()) return 2;
        if (ui::find<players::Feuille7>()) return 3;
        return -1;
    }
};

} // namespace signintest
