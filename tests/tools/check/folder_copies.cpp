#include "tests/tools/check/folder_copies.h"

#include "platform/codepage/windows1251.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <stdexcept>

namespace checkfixtures {

namespace {

void copyTree(const QString& from, const QString& to)
{
    QDirIterator entries(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString source = entries.next();
        const QString target = to + source.mid(from.size());
        const bool done = entries.fileInfo().isDir() ? QDir().mkpath(target) : QFile::copy(source, target);
        if (!done)
            throw std::runtime_error("cannot copy " + source.toStdString());
    }
}

} // namespace

QString bundledFolder()
{
#ifdef TOLVIKA_BUNDLED_DATA_FOLDER
    return QStringLiteral(TOLVIKA_BUNDLED_DATA_FOLDER "/");
#else
    return QString();
#endif
}

FolderCopy::FolderCopy()
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
    copyTree(bundledFolder(), path());
}

QString FolderCopy::path() const { return m_dir.path() + QStringLiteral("/DATA/"); }

void removeFile(const QString& path)
{
    if (!QFile::remove(path))
        throw std::runtime_error("cannot remove " + path.toStdString());
}

void removeFolder(const QString& path)
{
    if (!QDir(path).removeRecursively())
        throw std::runtime_error("cannot remove " + path.toStdString());
}

QByteArray jpegOfSize(int width, int height, bool progressive)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(image))
        throw std::runtime_error("cannot encode a JPEG: " + writer.errorString().toStdString());
    return buffer.data();
}

QByteArray windows1251AsUtf8(const QByteArray& bytes) { return cp1251::decode(bytes).toUtf8(); }

} // namespace checkfixtures
