// The one error class of the artwork generator: a missing font, a file that
// cannot be written, a pixel map drawn with a character it does not know.
// The generator's main() reports it and exits with a failure code.
#pragma once

#include "platform/exception/exception.h"

namespace artwork {
TOLVIKA_ERROR_CLASS(EArtworkError, Exception);
} // namespace artwork
