// Small helpers on the program's strings.
#pragma once

#include <string>

namespace platform {

// The text without the blanks at either end. Only the blank (32) counts: the fixed-width fields
// of the program's files are padded with it, and a tab is a character like any other.
std::string trimmed(const std::string& text);

} // namespace platform
