// The program's own shades that several screens share, beside the sixteen standard colours of
// ui/palette.h. A shade only one screen uses is named in that screen.
#pragma once

#include "ui/palette.h"

namespace shell::shades {

constexpr ui::Colour kTurquoise = 0xC0C000;
constexpr ui::Colour kBleuMoyen = 0xC00000;
constexpr ui::Colour kBleuClair = 0xFF8080;
constexpr ui::Colour kJauneClair = 0x80FFFF;
constexpr ui::Colour kJaunePale = 0xC0FFFF;
constexpr ui::Colour kMoutarde = 0x00C0C0;

} // namespace shell::shades
