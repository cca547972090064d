// FFmpeg writes its complaints to standard error by itself; the page tool
// wants one clear line per failure instead. This keeps FFmpeg quiet and holds
// its last complaint, which the tool adds to its own message as the reason.
#pragma once

#include <QString>

// Replaces FFmpeg's logger for the rest of the process (once is enough).
void captureFfmpegLog();
// The last error FFmpeg logged since forgetFfmpegLog(), or an empty text.
QString lastFfmpegComplaint();
void forgetFfmpegLog();
