// File names as the program carries them. Linux names a file by its bytes, in
// no particular encoding; the program keeps a path as a QString that spells
// its UTF-8 as text and keeps every other byte as a code unit of its own
// (U+DC80..U+DCFF), so that the path turns back into exactly its bytes
// whenever the program asks the system about the file. What a person sees of
// a path is its displayed form, which is for the screen only and never names
// a file.
#pragma once

#include <QByteArray>
#include <QString>

// The path as the program carries it, for the bytes the system gave.
QString pathFromBytes(const QByteArray& bytes);

// The bytes the system knows the file by.
QByteArray pathBytes(const QString& path);

// The path as a person reads it: its UTF-8 as spelt, other bytes read in the
// locale's character set, U+FFFD for a byte that means nothing there.
QString displayPath(const QString& path);
// The same for a character set named as iconv names it ("KOI8-R", "UTF-8").
QString displayPath(const QString& path, const char* charset);
