#include "tests/support/content_folder.h"
#include "tests/support/wav_files.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QtEndian>
#include <cstdlib>
#include <stdexcept>
#include <sys/stat.h>

namespace testcontent {

namespace {

// Near-lossless, so that a one-colour picture decodes to its colour within a step or two.
constexpr int kJpegQuality = 98;

[[noreturn]] void fail(const QString& what) { throw std::runtime_error(what.toStdString()); }

QString kindOf(const struct stat& entry)
{
    if (S_ISREG(entry.st_mode))
        return QStringLiteral("file");
    if (S_ISDIR(entry.st_mode))
        return QStringLiteral("dir");
    if (S_ISFIFO(entry.st_mode))
        return QStringLiteral("fifo");
    return QStringLiteral("other");
}

} // namespace

ContentFolder::ContentFolder(const QString& root)
{
    if (root.isEmpty()) {
        m_temporary = std::make_unique<QTemporaryDir>();
        if (!m_temporary->isValid())
            fail(QStringLiteral("no temporary folder"));
        m_root = m_temporary->path();
    } else
        m_root = root;
    if (!QDir().mkpath(m_root))
        fail(QStringLiteral("cannot make ") + m_root);
    // Readable by everyone, so that a test may also read it under another user.
    QFile::setPermissions(m_root,
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                              | QFile::ReadOther | QFile::ExeOther);
    writeBytes(QStringLiteral("data.txt"), QByteArray());
}

QString ContentFolder::path() const { return m_root + QLatin1Char('/'); }

void ContentFolder::writeWelcome(const PageContent& page)
{
    writeText(QStringLiteral("Main/welcome_text.txt"), page.lines);
    writePicture(QStringLiteral("Main/welcome_img.jpg"), page.colour);
    writeSound(QStringLiteral("Main/welcome_sound.wav"), page.level, page.frames);
}

void ContentFolder::writeLetter(const QString& letter, const PageContent& page)
{
    writeText(letter + QStringLiteral("/letter_text.txt"), page.lines);
    writePicture(letter + QStringLiteral("/letter_img.jpg"), page.colour);
    writeSound(letter + QStringLiteral("/letter_voice.wav"), page.level, page.frames);
}

void ContentFolder::writeHelp(const QStringList& lines) { writeText(QStringLiteral("help.txt"), lines); }

void ContentFolder::writeText(const QString& relative, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += windows1251(line) + "\r\n";
    writeBytes(relative, bytes);
}

void ContentFolder::writePicture(const QString& relative, const QColor& colour)
{
    writeBytes(relative, solidJpeg(colour));
}

void ContentFolder::writeSound(const QString& relative, std::int16_t level, int frames)
{
    writeBytes(relative, constantWav(level, frames));
}

void ContentFolder::writeBytes(const QString& relative, const QByteArray& bytes)
{
    const QString name = filePath(relative);
    QDir().mkpath(QFileInfo(name).path());
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        fail(QStringLiteral("cannot write ") + name);
}

void ContentFolder::makeDirectory(const QString& relative)
{
    if (!QDir().mkpath(filePath(relative)))
        fail(QStringLiteral("cannot make ") + relative);
}

void ContentFolder::makeFifo(const QString& relative)
{
    const QString name = filePath(relative);
    QDir().mkpath(QFileInfo(name).path());
    if (mkfifo(QFile::encodeName(name).constData(), 0644) != 0)
        fail(QStringLiteral("cannot make the pipe ") + relative);
}

QStringList ContentFolder::listing() const
{
    QStringList lines;
    QDirIterator it(m_root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = it.next();
        struct stat entry {};
        if (lstat(QFile::encodeName(name).constData(), &entry) != 0)
            fail(QStringLiteral("cannot look at ") + name);
        lines << QStringLiteral("%1 %2 size %3 mode %4 mtime %5.%6 ctime %7.%8")
                     .arg(name.mid(m_root.size() + 1), kindOf(entry))
                     .arg(entry.st_size)
                     .arg(entry.st_mode, 0, 8)
                     .arg(entry.st_mtim.tv_sec)
                     .arg(entry.st_mtim.tv_nsec)
                     .arg(entry.st_ctim.tv_sec)
                     .arg(entry.st_ctim.tv_nsec);
    }
    lines.sort();
    return lines;
}

QByteArray solidJpeg(const QColor& colour, QSize size)
{
    QImage image(size, QImage::Format_RGB888);
    image.fill(colour);
    return encodeJpeg(image, {.quality = kJpegQuality});
}

QByteArray constantWav(std::int16_t level, int frames, int rate, int channels)
{
    QByteArray sample(2, '\0');
    qToLittleEndian(level, sample.data());
    return wavFile({.tag = 1,
                    .channels = static_cast<std::uint16_t>(channels),
                    .rate = static_cast<std::uint32_t>(rate),
                    .bits = 16},
                   sample.repeated(frames * channels));
}

} // namespace testcontent
