// The texts for the parent that go into the data folder: the help shown in
// the Help window and the one line of the folder's marker file. They are
// UTF-8 lines here; the folder writer stores them in Windows-1251.
#pragma once

#include <string>
#include <vector>

namespace content {

// One paragraph a line: the Help window wraps them to its width.
std::vector<std::string> helpLines();

// The marker file's text; the program never reads it, a person may.
std::vector<std::string> markerLines();

} // namespace content
