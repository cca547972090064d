#include "tests/support/content_files.h"

#include "platform/codepage/windows1251.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace testcontent {

namespace {

// The built-in fallback picture's stream: class name, then a length-prefixed JPEG.
constexpr char kFallbackPicture[] = ":/windows/resources/pictures/fallback.picture";
// Half the full scale of 16-bit samples: loud enough to be seen, far from clipping.
constexpr int kToneAmplitude = 6000;
// Samples per half period of the square wave.
constexpr int kHalfPeriod = 4;

} // namespace

QByteArray windows1251(const QString& text)
{
    return QByteArray::fromStdString(cp1251::toWindows1251(text.toStdString()));
}

QByteArray toneWav(const WavFormat& format, int milliseconds)
{
    const int samples = static_cast<int>(format.rate) * milliseconds / 1000 * format.channels;
    const int sampleBytes = format.bits / 8;
    QByteArray data(samples * sampleBytes, '\0');
    for (int i = 0; i < samples; ++i) {
        const bool high = (i / format.channels / kHalfPeriod) % 2 == 0;
        char* at = data.data() + i * sampleBytes;
        if (format.tag == 3) {
            const float v = (high ? kToneAmplitude : -kToneAmplitude) / 32768.0f;
            std::memcpy(at, &v, sizeof v);
        } else if (format.bits == 16) {
            qToLittleEndian(static_cast<qint16>(high ? kToneAmplitude : -kToneAmplitude), at);
        } else if (format.tag == 1) {
            *at = static_cast<char>(high ? 160 : 96);
        } else {
            *at = static_cast<char>(high ? 0x20 : 0xA0); // any byte is a companded sample
        }
    }
    WavFormat stored = format;
    if (format.tag != 1 && format.extension.empty())
        stored.extension = {0, 0};
    return wavFile(stored, data);
}

QByteArray sineWav(int frequency, int milliseconds, int rate, int amplitude)
{
    const int frames = rate * milliseconds / 1000;
    QByteArray data(frames * 2, '\0');
    for (int i = 0; i < frames; ++i) {
        const double phase = 2.0 * M_PI * frequency * i / rate;
        qToLittleEndian(static_cast<qint16>(std::lround(amplitude * std::sin(phase))), data.data() + 2 * i);
    }
    return wavFile({.tag = 1, .channels = 1, .rate = static_cast<std::uint32_t>(rate), .bits = 16}, data);
}

QByteArray builtInJpeg()
{
    QFile file(QString::fromLatin1(kFallbackPicture));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("the built-in picture is missing");
    const QByteArray stream = file.readAll();
    const int nameLength = static_cast<unsigned char>(stream.at(0));
    const qsizetype at = 1 + nameLength;
    const auto length = qFromLittleEndian<quint32>(stream.constData() + at);
    return stream.mid(at + 4, length);
}

} // namespace testcontent
