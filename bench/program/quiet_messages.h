// The message handler of the offscreen benchmarks: only what is serious is
// printed, since the offscreen platform's notices are no figures.
#pragma once

#include <QString>
#include <QtGlobal>
#include <cstdio>

inline void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}
