// The program's name as the windows and reports show it: the title taken
// from the executable's file name, and the executable's path as a person
// reads it. Nothing here is stored; each answer is worked out when asked.
#pragma once

#include <QString>

// The title for an executable path: file name up to its first ".", its first
// character a capital and the rest lower-cased ("MyTrainer.beta" gives "Mytrainer").
QString titleFromFileName(const QString& path);

// The executable's path as a person reads it, whatever bytes its folders are named with.
QString shownProgramPath();
