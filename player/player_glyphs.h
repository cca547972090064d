// The player's 27 button glyphs: one bitmap per button in each of three looks,
// compiled into the program as resources named "<look>_<glyph part>" (for the
// Play button "EN_MPPLAY", "DI_MPPLAY", "CL_MPPLAY"). This unit only finds and
// loads them; drawing them, with olive as the transparent colour, is the bar's.
#pragma once

#include "platform/exception/exception.h"
#include "platform/ui/colors.h"
#include "player/player_types.h"

#include <QImage>
#include <QString>

// A resource the program should carry but does not.
TOLVIKA_ERROR_CLASS(EResNotFound, Exception);

enum class TGlyphLook : std::uint8_t { Plain, Disabled, Colored };

namespace playerglyphs {

// Olive pixels of a glyph are transparent: the button face shows through them.
inline const QColor& transparentColor() { return colors::clOlive; }

// "EN_MPPLAY", "DI_MPPLAY", "CL_MPPLAY" and so on.
QString resourceName(TGlyphLook look, TMPBtnType button);
// ":/player/glyphs/EN_MPPLAY.bmp" and so on.
QString resourcePath(TGlyphLook look, TMPBtnType button);
// The glyph as an RGB32 image; raises EResNotFound when the resource is missing or unreadable.
QImage load(TGlyphLook look, TMPBtnType button);

} // namespace playerglyphs
