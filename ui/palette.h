// The sixteen standard colours, by the French names the screens give them. Any other shade
// belongs to the program that draws with it.
#pragma once

#include <cstdint>

namespace ui {

// Colours are written 0xBBGGRR: 0x0000FF is red, 0xC00000 is blue.
using Colour = std::uint32_t;

// Inline, so that ui::kRouge names a colour, and a screen may take them all with
// `using namespace ui::palette;`.
inline namespace palette {
constexpr Colour kNoir = 0x000000;
constexpr Colour kBleuFonce = 0x800000;
constexpr Colour kVertFonce = 0x008000;
constexpr Colour kSarcelle = 0x808000;
constexpr Colour kRougeFonce = 0x000080;
constexpr Colour kViolet = 0x800080;
constexpr Colour kOlive = 0x008080;
constexpr Colour kGris = 0xC0C0C0;
constexpr Colour kGrisFonce = 0x808080;
constexpr Colour kBleu = 0xFF0000;
constexpr Colour kVert = 0x00FF00;
constexpr Colour kCyan = 0xFFFF00;
constexpr Colour kRouge = 0x0000FF;
constexpr Colour kMagenta = 0xFF00FF;
constexpr Colour kJaune = 0x00FFFF;
constexpr Colour kBlanc = 0xFFFFFF;
} // namespace palette

} // namespace ui
