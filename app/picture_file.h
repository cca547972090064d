// Loading a picture file into a picture area, and copying one area's picture
// to another. The file's extension chooses the picture format from a fixed
// table; the picture object reads the file (a JPEG only its header) and is
// installed only when that succeeded. Painting is the picture area's.
#pragma once

#include <QString>

class TImage;

// Picture files are read whole into memory, so a larger one is refused before
// it is read: far above any page picture (one that fills the picture area is
// well under 1 MB) and above a photograph at the pixel bound.
constexpr qint64 kMaxPictureFileBytes = qint64{64} << 20;

// Registers every picture format's class for reading stored picture streams
// (TJPEGImage, TBitmap, TIcon, TMetafile). Done at start-up in any program
// that links the picture loader; call it before windows are read from their
// stored layouts to be independent of what the linker keeps. Calling again
// does no harm.
void registerPictureFormats();

// The extension of a file name: the part after the last "." that follows the
// last "/", without the dot; empty when there is none.
QString pictureExtension(const QString& name);

// Replaces the area's picture with the file's. Raises EInvalidGraphic for an
// extension outside the table, EFOpenError when the file cannot be opened or
// is larger than MaxPictureFileBytes, EReadError on a short read and EJPEG on
// a bad JPEG header; on an error the area keeps its old picture.
void LoadPictureFile(TImage& area, const QString& name);

// The target takes a copy of the source's picture (or becomes empty when the
// source has none); later loads into either leave the other alone.
void ClonePicture(const TImage& source, TImage& target);
