// Pictures of a named format, read by that format's reader alone. Told the
// format, the toolkit still loads every image plugin (and its libraries: a
// dozen at start-up) to ask each whether it reads it; none claims a format
// but its own, so asking only the named reader gives the same picture, and
// the first glyph no longer costs the loading of every plugin.
#pragma once

#include <QImage>
#include <QList>

class QByteArray;
class QString;

namespace ui {

// A null image when the bytes are not a picture of that format.
QImage decodeImage(const QByteArray& bytes, const char* format);
QImage readImageFile(const QString& path, const char* format);
// Every image the file holds, in its order (an icon's sizes); empty when none reads.
QList<QImage> readEveryImage(const QString& path, const char* format);

} // namespace ui
