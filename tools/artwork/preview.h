// Pictures for looking at the artwork: the two JPEG files as they are, and
// the glyphs and icons enlarged with square pixels on a button-face ground.
// Written only when the generator is asked for a preview.
#pragma once

#include <QString>

namespace artwork {

// Writes preview files into `folder`; raises EArtworkError on failure.
void writePreview(const QString& folder);

} // namespace artwork
