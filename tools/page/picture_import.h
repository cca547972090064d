// Makes a page's picture from a parent's photo: read by the reader that knows
// its kind, turned upright, laid on white where it is transparent, brought
// into sRGB, and scaled down (never up) with area averaging so that it fits
// the picture area whole, keeping its proportions. Writing the JPEG is the
// page writer's.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QTextStream>

// The size a picture of `upright` size is shown at: itself when it fits the
// picture area, else the largest size of the same proportions that does.
QSize fittedPictureSize(QSize upright);

// Flattens, converts and scales decoded pixels to fittedPictureSize.
QImage preparePicture(const QImage& upright);

// Reads `bytes` (the file at `path`), says on `progress` in one line what it
// does, and returns the picture ready to be written. Raises EPageRefused with
// the path and the reason when the picture cannot be read.
QImage importPicture(const QByteArray& bytes, const QString& path, QTextStream& progress);
