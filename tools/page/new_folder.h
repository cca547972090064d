// Starts a parent's own data folder: a new, empty folder holding the marker
// file "data.txt" (which the program's folder button looks for) and the help
// text, both in the program's encoding. Pages are then added one at a time.
// An existing folder is used only when it is empty, so nothing is overwritten.
#pragma once

#include <QString>
#include <QTextStream>

// Raises EPageRefused when the folder cannot be made or is not empty; on a
// failure half-way, what was made is removed again.
void makeNewDataFolder(const QString& folder, QTextStream& out);
