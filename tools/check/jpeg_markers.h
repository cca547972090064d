// Walks the marker structure of a JPEG file to tell whether it is complete:
// the program's decoder quietly fills in whatever a cut-off file lacks, so the
// child sees a picture whose lower part is grey, and no error ever says why.
// Only the byte structure is read; decoding is the picture loader's.
#pragma once

#include <QByteArray>

// True when the bytes start like a JPEG file but end before its end-of-image
// marker: inside a marker segment or inside the data of a scan. False for a
// complete file, and for bytes that are no JPEG at all (the loader refuses those).
bool jpegEndsEarly(const QByteArray& bytes);
