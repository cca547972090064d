// Damaged copies of the bundled data folder for the checker's tests: the
// folder is copied into a temporary folder, and single files are then
// rewritten, cut short or removed, one kind of damage per helper.
#pragma once

#include "tests/support/jpeg_encoding.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace checkfixtures {

// The folder the build generates; empty when the build has none.
QString bundledFolder();

// A copy of the bundled folder in a temporary folder, removed with the object.
class FolderCopy {
public:
    FolderCopy();
    // The copy, with a final "/".
    QString path() const;
    QString file(const QString& relative) const { return path() + relative; }

private:
    QTemporaryDir m_dir;
};

void removeFile(const QString& path);
void removeFolder(const QString& path);

using testcontent::withUndefinedScanTables;

// A baseline JPEG of a flat picture of this size.
QByteArray jpegOfSize(int width, int height, bool progressive = false);
// The Windows-1251 bytes re-encoded as UTF-8.
QByteArray windows1251AsUtf8(const QByteArray& bytes);

} // namespace checkfixtures
