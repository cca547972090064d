// The error classes of the runtime services, and one maker per fixed message so
// that every place that raises them uses the same words. Stream read failures
// and refused operations reuse the control kit's EReadError and
// EInvalidOperation. Nothing here catches: the frame's catch point shows them.
#pragma once

#include "app/core/path_encoding.h"
#include "platform/exception/exception.h"

#include <QString>

// A file that cannot be opened for reading.
TOLVIKA_ERROR_CLASS(EFOpenError, Exception);
// A picture file whose extension no picture format claims, or whose content its format refuses.
TOLVIKA_ERROR_CLASS(EInvalidGraphic, Exception);
// The JPEG decoder's fatal errors, carrying its message code.
TOLVIKA_ERROR_CLASS(EJPEG, Exception);

// "Cannot open file %s" with the name the caller passed, as a person reads it.
inline EFOpenError fileOpenError(const QString& name)
{
    return EFOpenError("Cannot open file " + displayPath(name).toStdString());
}

// "Unknown picture file extension (.%s)" with the extension as written, without its dot.
inline EInvalidGraphic unknownExtensionError(const QString& extension)
{
    return EInvalidGraphic("Unknown picture file extension (." + displayPath(extension).toStdString() + ")");
}

// "JPEG error #%d" with the decoder's message code.
inline EJPEG jpegError(int code) { return EJPEG("JPEG error #" + std::to_string(code)); }

// "Stream read error": fewer bytes arrived than the stream announced.
inline EReadError streamReadError() { return EReadError("Stream read error"); }
