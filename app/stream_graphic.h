// A picture object that can read itself from an open file: the common base of
// the formats in the picture file table. Each format reads the stream's
// remaining bytes its own way; opening the file and installing the object in
// a picture area are left to the picture file loader.
#pragma once

#include "platform/ui/graphic.h"

class QIODevice;

class TStreamGraphic : public TGraphic {
public:
    // Reads the picture from the stream's current position to its end; raises
    // on a short read or a picture its format refuses.
    virtual void LoadFromStream(QIODevice& stream) = 0;
};

// All bytes from the stream's position to its end; EReadError when fewer arrive.
QByteArray readRemainingBytes(QIODevice& stream);
// The format's value in a picture stream: a 4-byte little-endian length L, then
// L bytes. EReadError when the value is shorter than its length says.
QByteArray lengthPrefixedBytes(const QByteArray& data);
