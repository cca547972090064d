#include "tools/page/source_file.h"

#include "tools/page/page_errors.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr double kBytesPerMegabyte = 1024.0 * 1024.0;

[[noreturn]] void refuse(const QString& path, const QString& reason)
{
    throw EPageRefused((path + QStringLiteral(": ") + reason).toStdString());
}

QString megabytes(qint64 bytes)
{
    return QString::number(static_cast<double>(bytes) / kBytesPerMegabyte, 'f', 0) + QStringLiteral(" MB");
}

} // namespace

QByteArray readSourceFile(const QString& path, qint64 maxBytes, const char* kind)
{
    const QString what = QLatin1String(kind);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        refuse(path, QStringLiteral("no such file"));
    if (!info.exists())
        refuse(path, QStringLiteral("a link to a file that is not there"));
    if (info.isDir())
        refuse(path, QStringLiteral("a folder, not a %1 file").arg(what));
    if (!info.isFile())
        refuse(path, QStringLiteral("not a regular file (a device or a pipe), not a %1 file").arg(what));
    if (info.size() == 0)
        refuse(path, QStringLiteral("the file is empty (0 bytes)"));
    if (info.size() > maxBytes)
        refuse(path,
               QStringLiteral("%1, more than the %2 a %3 file may have")
                   .arg(megabytes(info.size()), megabytes(maxBytes), what));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        refuse(path, QStringLiteral("cannot be read: %1").arg(file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.size() != info.size())
        refuse(path, QStringLiteral("cannot be read whole: %1").arg(file.errorString()));
    return bytes;
}
