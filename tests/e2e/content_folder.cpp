#include "content_folder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <cstdlib>
#include <stdexcept>
#include <sys/stat.h>

#include <jpeglib.h>

namespace e2e {

namespace {

// Near-lossless, so that a one-colour picture decodes to its colour within a step or two.
constexpr int kJpegQuality = 98;

[[noreturn]] void fail(const QString& what)
{
    throw std::runtime_error(what.toStdString());
}

[[noreturn]] void jpegFailed(j_common_ptr info)
{
    char message[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, message);
    throw std::runtime_error(message);
}

void put16(QByteArray& out, unsigned value)
{
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}

void put32(QByteArray& out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

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
    QFile::setPermissions(m_root, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                            | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    writeBytes(QStringLiteral("data.txt"), QByteArray());
}

QString ContentFolder::path() const
{
    return m_root + QLatin1Char('/');
}

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

void ContentFolder::writeHelp(const QStringList& lines)
{
    writeText(QStringLiteral("help.txt"), lines);
}

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

QByteArray windows1251(const QString& text)
{
    QByteArray bytes;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            bytes.append(static_cast<char>(u));
        else if (u >= 0x0410 && u <= 0x044F) // А..я lie in one run from 0xC0
            bytes.append(static_cast<char>(0xC0 + (u - 0x0410)));
        else if (u == 0x0401)
            bytes.append(static_cast<char>(0xA8)); // Ё
        else if (u == 0x0451)
            bytes.append(static_cast<char>(0xB8)); // ё
        else
            fail(QStringLiteral("no Windows-1251 form in the test's table: ") + c);
    }
    return bytes;
}

QByteArray solidJpeg(const QColor& colour, QSize size)
{
    QImage image(size, QImage::Format_RGB888);
    image.fill(colour);
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    error.error_exit = jpegFailed;
    unsigned char* buffer = nullptr;
    unsigned long length = 0;
    jpeg_create_compress(&info);
    struct Guard {
        jpeg_compress_struct& info;
        unsigned char*& buffer;
        ~Guard()
        {
            jpeg_destroy_compress(&info);
            std::free(buffer);
        }
    } guard{info, buffer};
    jpeg_mem_dest(&info, &buffer, &length);
    info.image_width = static_cast<JDIMENSION>(image.width());
    info.image_height = static_cast<JDIMENSION>(image.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, kJpegQuality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    return QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(length));
}

QByteArray withUndefinedScanTables(QByteArray jpeg)
{
    for (qsizetype i = 2; i + 1 < jpeg.size(); ++i) {
        if (static_cast<unsigned char>(jpeg[i]) != 0xFF || static_cast<unsigned char>(jpeg[i + 1]) != 0xDA)
            continue;
        // FF DA, length (2), component count (1), then (id, tables) per component.
        const int components = static_cast<unsigned char>(jpeg[i + 4]);
        for (int c = 0; c < components; ++c)
            jpeg[i + 6 + 2 * c] = static_cast<char>(0x33);
        return jpeg;
    }
    fail(QStringLiteral("no scan header"));
}

QByteArray constantWav(std::int16_t level, int frames, int rate, int channels)
{
    const auto dataBytes = static_cast<std::uint32_t>(frames * channels * 2);
    QByteArray out("RIFF");
    put32(out, 36 + dataBytes);
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, static_cast<unsigned>(channels));
    put32(out, static_cast<std::uint32_t>(rate));
    put32(out, static_cast<std::uint32_t>(rate * channels * 2));
    put16(out, static_cast<unsigned>(channels * 2));
    put16(out, 16);
    out += "data";
    put32(out, dataBytes);
    for (int i = 0; i < frames * channels; ++i)
        put16(out, static_cast<std::uint16_t>(level));
    return out;
}

} // namespace e2e
