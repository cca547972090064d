// Reads one of the parent's source files (a photo, a voice memo, a text)
// whole into memory, after the checks that turn a puzzling decoder error into
// a plain sentence: the file must exist, be a regular file, hold something
// and stay under a size limit. The file is only ever read.
#pragma once

#include <QByteArray>
#include <QString>

// Raises EPageRefused naming the file (as typed) and the reason; `kind` says what the
// file should have been ("picture", "sound", "text").
QByteArray readSourceFile(const QString& path, qint64 maxBytes, const char* kind);
