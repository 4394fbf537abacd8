// Text that must show whole in a given width: its font made smaller, one point at a time, down to
// a bound the caller gives.
#pragma once

#include <initializer_list>
#include <string>

namespace ui {

class Container;

// Sets the container's font size to `from`, then lowers it by one point while the widest of the
// texts is wider than `width` (the container's units) and the smaller size stays at or above
// `floor`. The container keeps the size reached; true when every text then fits.
bool fitFontToWidth(Container& c, std::initializer_list<std::string> texts, double width,
                    double from, double floor);

} // namespace ui
