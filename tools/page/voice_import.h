// Makes a page's sound from a parent's voice memo: decoded to mono, the
// silence before and after the voice cut down to short margins (so the voice
// starts the moment the key is pressed), and the loudest moment brought to
// the same level as every other page's. It tells, without refusing, when the
// result is long (keys do nothing while a sound plays) or still very quiet.
#pragma once

#include "tools/content/wave_clip.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTextStream>

// Keys are ignored while a sound plays; longer than this, a child waits.
constexpr double kLongSoundSeconds = 10.0;
// A voice memo may be much quieter than speech synthesis; it is raised by up
// to 30 dB, past which only noise is left to raise.
constexpr double kVoiceMaxGain = 31.6;

struct ImportedVoice {
    content::WaveClip clip;
    QStringList warnings;
};

// Reads `bytes` (the file at `path`), says on `progress` in one line what it
// does, and returns the tidied sound. Raises EPageRefused with the path and
// the reason when the sound cannot be read or is silent.
ImportedVoice importVoice(const QByteArray& bytes, const QString& path, QTextStream& progress);

// The length of the clip in seconds.
double clipSeconds(const content::WaveClip& clip);
