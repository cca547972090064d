// The artwork of the player's button glyphs: each button's shape drawn in three
// looks on the transparent olive ground. Plain ("EN") and coloured ("CL") looks
// are usable buttons, the disabled ("DI") look an embossed outline. The Play
// shapes carry a grey upper-left and a white lower-right edge in every look.
#pragma once

#include "tools/artwork/pixel_map.h"

#include <string>
#include <vector>

struct NamedGlyph {
    std::string name; // "EN_MPPLAY" and so on
    artwork::PixelMap image; // olive where the button face shows through
};

// All 27 glyphs, looks EN, DI, CL for each button in button order.
std::vector<NamedGlyph> drawPlayerGlyphs();
