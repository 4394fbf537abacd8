#include "ui/picture_buttons.h"

namespace ui {

void invertSurface(PictureBox& box) {
    box.line(0, 0, box.scaleWidth(), box.scaleHeight(), -1, Container::Box::Filled);
}

void PictureButtons::press(int index) {
    if (!pressed_.insert(index).second) return;
    invertSurface(boxes_[index]);
}

bool PictureButtons::release(int index) {
    if (pressed_.erase(index) == 0) return false;
    invertSurface(boxes_[index]);
    return true;
}

} // namespace ui
