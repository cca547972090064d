// Prints a folder check as a fixed-width table, one row per page and one for
// each of "help.txt" and "data.txt": what became of the text, the picture and
// the sound, and notes for anything short of "ok"; then a summary line. Names
// print in UTF-8. The check itself is done elsewhere.
#pragma once

#include "tools/check/content_check.h"

#include <QTextStream>

void writeReport(const FolderCheck& result, QTextStream& out);

// The table's header and the rows of these pages alone, with no summary: what
// a tool that changed one page prints about it.
void writePageRows(const std::vector<PageCheck>& pages, QTextStream& out);

// The table's word for a status: "ok", "WARN", "MISSING" or "FAIL".
QString statusWord(CheckStatus status);
