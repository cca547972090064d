// Walks the chunk structure of a PNG file before the PNG library reads it:
// that library allocates a chunk's stated length before it reads the chunk,
// so a few hundred bytes claiming a chunk of gigabytes would take gigabytes
// of memory. Only lengths and order are read; decoding is Qt's.
#pragma once

#include <QByteArray>

// True when every chunk up to the end chunk lies inside the bytes. False for
// a file cut off or with a length past its end; true for bytes that are not
// PNG at all (the reader refuses those itself).
bool pngChunksFit(const QByteArray& bytes);
