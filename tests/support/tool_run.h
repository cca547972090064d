// A command-line tool run as a terminal runs it: no display, no sound device,
// and a runtime folder of its own (a desktop session has one; without it Qt
// says so on stderr). Gives its exit status and its two outputs; which tool
// and what to expect of it are the callers' business.
#pragma once

#include <QString>
#include <QStringList>

namespace testtools {

struct ToolRun {
    int status = -1; // -1 when it did not end by itself in time
    QString out;
    QString err;
};

ToolRun runWithoutDesktop(const QString& program, const QStringList& arguments, int timeoutMs);

} // namespace testtools
