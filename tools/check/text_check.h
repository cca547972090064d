// Checks one text file the way a window reads it: the main window tests that
// the file is there and loads it into its text area; the Help window loads
// "help.txt" without a test. The file is loaded with the program's own loader
// into a text area of its own, so the capacity and every error are the
// program's. Needs a QApplication; writes nothing.
#pragma once

#include "tools/check/check_result.h"

#include <QString>

// `missingNote` says what the program does when the file is not there.
FileCheck checkTextFile(const QString& path, const QString& missingNote);
