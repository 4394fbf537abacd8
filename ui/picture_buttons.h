// Picture boxes that serve as buttons. Such a box draws in vbInvert mode: inverting its whole
// surface makes it look pressed, and inverting it once more gives back the picture as it was.
#pragma once

#include "ui/controls.h"

#include <set>

namespace ui {

// Inverts the whole surface of the box.
void invertSurface(PictureBox& box);

// The pressed state of an array of picture buttons. A press shows once, however often the
// button is pressed again before it is released (a double click comes as a second press); a
// release counts only after a press.
class PictureButtons {
public:
    explicit PictureButtons(ControlArray<PictureBox>& boxes) : boxes_(boxes) {}
    // The button looks pressed.
    void press(int index);
    // The button looks up again. True when it was pressed: the click the screen acts on.
    bool release(int index);

private:
    ControlArray<PictureBox>& boxes_;
    std::set<int> pressed_;
};

} // namespace ui
