// The page tool's work for one page: it checks the data folder and refuses
// to overwrite without leave, converts every source in memory first (so a
// refused input changes nothing), writes the page as one change, and then
// checks that page exactly as the content checker does and prints its row.
// Needs a QApplication: the text is measured and the page loaded in widgets.
#pragma once

#include "tools/page/command_line.h"

#include <QTextStream>

// Makes the page; progress and the check's row go to `out`, warnings to
// `err`. Returns PageDone when the page shows whole, PageRefused when it
// still lacks a file or would show an error box. Raises EPageUsage and
// EPageRefused for what it refuses before anything is written.
int makePage(const PageCommand& command, QTextStream& out, QTextStream& err);
