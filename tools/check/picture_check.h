// Checks one picture file the way the main window shows it: loaded with the
// program's picture loader into a picture area of the main window's size
// (which reads the JPEG header), then painted once, which decodes it in full
// as the first painting on screen would. It also tells a cut-off file and a
// picture too large for the area, which both show without any error. Needs a
// QApplication; writes nothing.
#pragma once

#include "tools/check/check_result.h"

#include <QSize>
#include <QString>

// Image1, the picture area of the main window at its first size: a larger
// picture is centred and cut off on every side that is too long.
constexpr QSize kPictureAreaSize{614, 443};

FileCheck checkPictureFile(const QString& path);
