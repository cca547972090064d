// The page tool's two kinds of failure, which its exit status tells apart: a
// command line it cannot follow, and an input, a folder or a conversion it
// refuses. Each carries the one line the parent reads; nothing is written
// when either is raised before the page's files are swapped in.
#pragma once

#include "platform/exception/exception.h"

// The command line is wrong: exit status 2, with the usage.
TOLVIKA_ERROR_CLASS(EPageUsage, Exception);
// The letter names no page: exit status 2; the message lists the letters, so
// the usage is not repeated after it.
TOLVIKA_ERROR_CLASS(EPageLetter, EPageUsage);
// An input, the data folder or a conversion is refused: exit status 1.
TOLVIKA_ERROR_CLASS(EPageRefused, Exception);

// The tool's exit statuses.
constexpr int kPageDone = 0;
constexpr int kPageRefused = 1;
constexpr int kPageUsage = 2;
