// The artwork of the player's button glyphs: each button's shape drawn in three
// looks on the transparent olive ground. Plain ("EN") and coloured ("CL") looks
// are usable buttons, the disabled ("DI") look an embossed outline. The Play
// shapes carry a grey upper-left and a white lower-right edge in every look.
#pragma once

#include "tools/player_glyphs/bmp16.h"

#include <string>
#include <vector>

struct NamedGlyph {
    std::string name; // "EN_MPPLAY" and so on
    bmp16::IndexedImage image;
};

// All 27 glyphs, looks EN, DI, CL for each button in button order.
std::vector<NamedGlyph> drawPlayerGlyphs();
