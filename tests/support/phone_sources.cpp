#include "tests/support/phone_sources.h"

#include "tests/support/jpeg_encoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTransform>
#include <stdexcept>

namespace phonesources {

namespace {

// Encoding a large picture with x265 takes a while on a loaded machine.
constexpr int kToolTimeoutMs = 120'000;
// The offsets of a JPEG's frame header fields after its marker.
constexpr int kFrameHeightOffset = 5;

QByteArray be16(int value)
{
    QByteArray bytes(2, '\0');
    bytes[0] = static_cast<char>((value >> 8) & 0xFF);
    bytes[1] = static_cast<char>(value & 0xFF);
    return bytes;
}

} // namespace

void runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(kToolTimeoutMs) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0)
        throw std::runtime_error((program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')) + QStringLiteral(": ")
                                  + process.errorString() + QLatin1Char(' ')
                                  + QString::fromUtf8(process.readAllStandardError()))
                                     .toStdString());
}

QImage uprightPicture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(kBottomColour);
    QPainter painter(&image);
    painter.fillRect(0, 0, size.width(), size.height() / 2, kTopColour);
    return image;
}

QImage storedForRightTurn(const QImage& upright)
{
    // Turning the stored picture right must give the upright one back.
    return upright.transformed(QTransform().rotate(-90));
}

QByteArray withExifOrientation(const QByteArray& jpeg, int orientation)
{
    // TIFF header (little-endian), one IFD of one entry: tag 0x0112 Orientation, SHORT, 1 value.
    QByteArray tiff("II*\0\x08\0\0\0", 8);
    tiff += QByteArray("\x01\0", 2); // one entry
    tiff += QByteArray("\x12\x01\x03\0\x01\0\0\0", 8); // tag, type, count
    tiff += QByteArray(1, static_cast<char>(orientation)) + QByteArray(3, '\0');
    tiff += QByteArray(4, '\0'); // no next IFD
    const QByteArray body = QByteArray("Exif\0\0", 6) + tiff;
    const QByteArray segment = QByteArray("\xFF\xE1", 2) + be16(static_cast<int>(body.size()) + 2) + body;
    return jpeg.left(2) + segment + jpeg.mid(2);
}

QByteArray rotatedPhonePhoto(QSize upright)
{
    return withExifOrientation(testcontent::encodeJpeg(storedForRightTurn(uprightPicture(upright))), 6);
}

QByteArray jpegClaimingSize(int width, int height)
{
    QByteArray jpeg = testcontent::encodeJpeg(uprightPicture({16, 16}));
    const qsizetype frame = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    if (frame < 0)
        throw std::runtime_error("no baseline frame header");
    jpeg.replace(frame + kFrameHeightOffset, 2, be16(height));
    jpeg.replace(frame + kFrameHeightOffset + 2, 2, be16(width));
    return jpeg;
}

void convertPicture(const QImage& picture, const QString& target, const QStringList& extra)
{
    const QTemporaryDir work;
    const QString png = work.filePath(QStringLiteral("source.png"));
    if (!picture.save(png))
        throw std::runtime_error("cannot write " + png.toStdString());
    if (target.endsWith(QLatin1String(".heic"))) {
        runTool(QStringLiteral("heif-enc"),
                {QStringLiteral("-q"), QStringLiteral("80"), QStringLiteral("-o"), target, png});
        return;
    }
    runTool(QStringLiteral("convert"), QStringList{png} + extra + QStringList{target});
}

void makeWavMemo(const QString& path, const MemoShape& shape)
{
    runTool(QStringLiteral("sox"),
            {QStringLiteral("-n"), QStringLiteral("-r"), QString::number(shape.rate), QStringLiteral("-c"),
             QString::number(shape.channels), QStringLiteral("-b"), QStringLiteral("16"), path, QStringLiteral("synth"),
             QString::number(shape.toneSeconds), QStringLiteral("sine"), QStringLiteral("440"), QStringLiteral("vol"),
             QString::number(shape.volume), QStringLiteral("pad"), QString::number(shape.leadSilence),
             QString::number(shape.tailSilence)});
}

void makeMemo(const QString& path, const MemoShape& shape)
{
    if (path.endsWith(QLatin1String(".wav"))) {
        makeWavMemo(path, shape);
        return;
    }
    const QTemporaryDir work;
    const QString wav = work.filePath(QStringLiteral("memo.wav"));
    makeWavMemo(wav, shape);
    if (path.endsWith(QLatin1String(".amr"))) {
        runTool(QStringLiteral("sox"),
                {wav, QStringLiteral("-r"), QStringLiteral("8000"), QStringLiteral("-c"), QStringLiteral("1"),
                 QStringLiteral("-t"), QStringLiteral("amr-nb"), path});
        return;
    }
    QStringList codec;
    if (path.endsWith(QLatin1String(".m4a")))
        codec = {QStringLiteral("-c:a"), QStringLiteral("aac")};
    else if (path.endsWith(QLatin1String(".ogg")))
        codec = {QStringLiteral("-c:a"), QStringLiteral("libopus")};
    else if (path.endsWith(QLatin1String(".mp3")))
        codec = {QStringLiteral("-c:a"), QStringLiteral("libmp3lame")};
    runTool(QStringLiteral("ffmpeg"),
            QStringList{QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-y"),
                        QStringLiteral("-i"), wav}
                + codec + QStringList{path});
}

} // namespace phonesources
