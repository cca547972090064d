#include "tests/tools/page/page_outputs.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <cstdlib>

namespace pageoutputs {

namespace {

constexpr int kWavHeaderBytes = 44;

int be16At(const QByteArray& bytes, qsizetype at)
{
    return (static_cast<unsigned char>(bytes[at]) << 8) | static_cast<unsigned char>(bytes[at + 1]);
}

} // namespace

JpegFrame jpegFrame(const QByteArray& jpeg)
{
    JpegFrame frame;
    // Walk the marker segments up to the first frame header.
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && static_cast<unsigned char>(jpeg[at]) == 0xFF) {
        const int marker = static_cast<unsigned char>(jpeg[at + 1]);
        const int length = be16At(jpeg, at + 2);
        if (marker >= 0xC0 && marker <= 0xC3 && at + 4 + length <= jpeg.size()) {
            frame.baseline = marker == 0xC0;
            frame.size = QSize(be16At(jpeg, at + 7), be16At(jpeg, at + 5));
            frame.components = static_cast<unsigned char>(jpeg[at + 9]);
            if (frame.components == 3) {
                frame.lumaSampling = static_cast<unsigned char>(jpeg[at + 11]);
                frame.chromaSampling = static_cast<unsigned char>(jpeg[at + 14]);
            }
            return frame;
        }
        at += 2 + length;
    }
    return frame;
}

WavFacts wavFacts(const QByteArray& wav)
{
    WavFacts facts;
    if (wav.size() < kWavHeaderBytes || !wav.startsWith("RIFF") || wav.mid(8, 8) != "WAVEfmt "
        || wav.mid(36, 4) != "data")
        return facts;
    const auto* bytes = reinterpret_cast<const uchar*>(wav.constData());
    facts.format = qFromLittleEndian<quint16>(bytes + 20);
    facts.channels = qFromLittleEndian<quint16>(bytes + 22);
    facts.rate = static_cast<int>(qFromLittleEndian<quint32>(bytes + 24));
    facts.bits = qFromLittleEndian<quint16>(bytes + 34);
    const auto dataBytes = static_cast<qsizetype>(qFromLittleEndian<quint32>(bytes + 40));
    if (dataBytes != wav.size() - kWavHeaderBytes || facts.bits != 16)
        return facts;
    for (qsizetype at = kWavHeaderBytes; at + 1 < wav.size(); at += 2)
        facts.samples.push_back(qFromLittleEndian<qint16>(bytes + at));
    return facts;
}

std::string snapshot(const QString& folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        QString line = QStringLiteral("%1 %2 %3 %4")
                           .arg(info.isDir() ? QStringLiteral("dir") : QStringLiteral("file"))
                           .arg(info.isDir() ? 0 : info.size())
                           .arg(static_cast<int>(info.permissions()), 0, 16)
                           .arg(info.isDir() ? 0 : info.lastModified().toMSecsSinceEpoch());
        if (info.isFile()) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                line += QLatin1Char(' ')
                    + QString::fromLatin1(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex());
        }
        entries.append(path.mid(folder.size()) + QLatin1Char(' ') + line);
    }
    entries.sort();
    return entries.join(QLatin1Char('\n')).toStdString();
}

bool near(const QColor& a, const QColor& b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance;
}

} // namespace pageoutputs
