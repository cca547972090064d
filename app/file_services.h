// The small path and file questions the program asks of the host: where the
// running executable lies, the folder part of a path, and whether a file is
// there. They open nothing and keep no state; reading files is left to the
// text and picture loaders. Paths keep their bytes as path_encoding.h tells.
#pragma once

#include <QString>

// The full, real path of the running executable, as the system reports it.
QString ProgramFilePath();

// The path up to and including its last "/", or an empty text when it has none.
// A path that ends in "/" comes back unchanged.
QString FolderPart(const QString& path);

// True when the name denotes a regular file (after following links), whatever
// its time stamps or access rights; false for a missing name, a directory or
// any other kind of entry. The file is only looked up, never opened.
bool FileIsPresent(const QString& name);
// Whether the name, by its bytes, is a folder.
bool FolderIsPresent(const QString& name);
