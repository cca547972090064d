// Whole files for tests: reading one, writing one in place of what was there
// (with any missing folders above it), and making a folder. Each throws
// std::runtime_error naming the path when it cannot do its work, so that a
// test's set-up never fails quietly. What to write is the fixtures' business.
#pragma once

#include <QByteArray>
#include <QString>

namespace testfiles {

QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);
// Makes the folder with its parents.
void makeFolder(const QString& path);

} // namespace testfiles
