#include "app/path_encoding.h"

#include <QFile>

QString pathFromBytes(const QByteArray& bytes) { return QFile::decodeName(bytes); }

QByteArray pathBytes(const QString& path) { return QFile::encodeName(path); }

QString displayPath(const QString& path) { return path; }

QString displayPath(const QString& path, const char*) { return path; }
