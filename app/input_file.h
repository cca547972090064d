// Opening a file for the loaders. One rule for the text and picture loaders:
// a name that cannot be opened for reading, or that is not a regular file
// (a directory, a pipe, a device), raises EFOpenError with the name as passed.
// Reading and closing are the QFile's.
#pragma once

#include <QFile>
#include <QString>

// Opens the named regular file read-only into the (closed) QFile.
void openInputFile(QFile& file, const QString& name);
