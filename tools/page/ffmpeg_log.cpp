#include "tools/page/ffmpeg_log.h"

extern "C" {
#include <libavutil/log.h>
}

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace {

// A decoder may log from a thread of its own.
std::mutex g_mutex;
QString g_complaint;

// Long enough for any of FFmpeg's one-line messages.
constexpr int kLineBytes = 1024;

void keepComplaint(void* object, int level, const char* format, va_list arguments)
{
    if (level > AV_LOG_ERROR)
        return;
    char line[kLineBytes] = {};
    int printPrefix = 0; // no "[aac @ 0x...]": the address means nothing to a parent
    av_log_format_line2(object, level, format, arguments, line, sizeof line, &printPrefix);
    const QString text = QString::fromUtf8(line).trimmed();
    if (text.isEmpty())
        return;
    const std::lock_guard lock(g_mutex);
    g_complaint = text;
}

} // namespace

void captureFfmpegLog() { av_log_set_callback(keepComplaint); }

QString lastFfmpegComplaint()
{
    const std::lock_guard lock(g_mutex);
    return g_complaint;
}

void forgetFfmpegLog()
{
    const std::lock_guard lock(g_mutex);
    g_complaint.clear();
}
