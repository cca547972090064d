// The four speed-button glyphs of the main window, each two 16 x 16 cells
// side by side: the design on the left, its disabled form on the right. The
// disabled form is derived from the design the way the classic look does it:
// every dark pixel becomes grey with a white copy one pixel down and right.
#pragma once

#include "tools/artwork/pixel_map.h"

#include <string>
#include <vector>

namespace artwork {

// Side of one glyph cell in pixels.
inline constexpr int kGlyphCell = 16;

struct Glyph {
    std::string name; // the button's name, which is also the file's
    PixelMap bitmap; // 32 x 16: normal cell, disabled cell
};

// The disabled cell of a design: grey and white on transparent.
PixelMap disabledCell(const PixelMap& design);

std::vector<Glyph> speedButtonGlyphs();

} // namespace artwork
