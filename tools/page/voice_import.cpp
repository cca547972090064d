#include "tools/page/voice_import.h"

#include "tools/page/page_errors.h"
#include "tools/page/sound_source.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Below this share of the common peak, the voice is still plainly quieter
// than the other pages.
constexpr double kQuietShare = 0.5;

QString seconds(double value) { return QString::number(value, 'f', 2) + QStringLiteral(" s"); }

QString channelsText(int channels)
{
    return channels == 1 ? QStringLiteral("mono")
        : channels == 2  ? QStringLiteral("stereo")
                         : QStringLiteral("%1 channels").arg(channels);
}

int peakOf(const content::WaveClip& clip)
{
    int peak = 0;
    for (const std::int16_t sample : clip.samples)
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    return peak;
}

} // namespace

double clipSeconds(const content::WaveClip& clip)
{
    return clip.sampleRate > 0 ? static_cast<double>(clip.samples.size()) / clip.sampleRate : 0.0;
}

ImportedVoice importVoice(const QByteArray& bytes, const QString& path, QTextStream& progress)
{
    const auto failed = [&path](const std::string& reason) {
        return EPageRefused((path + QStringLiteral(": cannot use it as a sound: ")).toStdString() + reason);
    };
    try {
        SoundSource source(bytes);
        const double stated = source.statedSeconds();
        progress << "sound " << path << ": " << source.codec() << ' ' << source.sourceRate() << " Hz "
                 << channelsText(source.sourceChannels());
        if (stated > 0)
            progress << ' ' << seconds(stated);
        progress << ", to " << source.outputRate() << " Hz mono WAV, silence at both ends trimmed, level evened out"
                 << Qt::endl;

        content::WaveClip decoded = source.decodeMono();
        ImportedVoice voice;
        try {
            voice.clip = content::tidySpeech(decoded, kVoiceMaxGain);
        } catch (const Exception&) {
            throw EPageRefused("it holds only silence: nothing in it is louder than a whisper far away");
        }
        const double length = clipSeconds(voice.clip);
        progress << "sound " << path << ": " << seconds(clipSeconds(decoded) - length) << " of silence trimmed, "
                 << seconds(length) << " left" << Qt::endl;
        if (length > kLongSoundSeconds)
            voice.warnings.append(QStringLiteral("the sound lasts %1: while it plays (over %2) the child's keys do "
                                                 "nothing")
                                      .arg(seconds(length), seconds(kLongSoundSeconds)));
        if (peakOf(voice.clip) < kQuietShare * content::kSpeechPeak)
            voice.warnings.append(QStringLiteral("the recording is very quiet even after raising it: it will sound "
                                                 "softer than the other pages; record closer to the phone"));
        return voice;
    } catch (const EPageRefused& error) {
        throw failed(error.what());
    }
}
