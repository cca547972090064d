// What the toolkit is given while the application object is made: only the
// program's name as its one argument (never the real arguments, which the
// program reads none of), and the settings it reads only at that moment.
// The argument storage lives for the whole process, as the toolkit keeps it.
#pragma once

#include <QString>

// Applies the toolkit's start settings and returns the argument count that
// the application object is constructed with, beside toolkitArgv().
int& prepareToolkit(const QString& programName);
// The argument vector that goes with prepareToolkit's count.
char** toolkitArgv();
