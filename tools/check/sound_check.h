// Checks one sound file the way the player opens it: a wave audio device is
// opened on the file through the media control interface, which decodes the
// whole sound, its length is asked for, and the device is closed again.
// Nothing is played, so no sound output is ever opened. Writes nothing.
#pragma once

#include "tools/check/check_result.h"

#include <QString>

FileCheck checkSoundFile(const QString& path);
