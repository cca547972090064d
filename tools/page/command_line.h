// The page tool's command line: what to make (one page, a new empty data
// folder, or the usage text) and from which files. It only reads the words;
// whether the files and the folder are fit is checked by the page maker.
#pragma once

#include "tools/page/page_target.h"

#include <QString>
#include <QStringList>
#include <optional>

struct PageCommand {
    enum class Kind { MakePage, NewFolder, Help };
    Kind kind = Kind::Help;
    QString dataFolder; // the data folder, or the new folder to make
    PageTarget target; // MakePage only
    std::optional<QString> picture; // the source files, as typed
    std::optional<QString> text; // the text argument, "\n" not yet turned into breaks
    std::optional<QString> textFile;
    std::optional<QString> sound;
    bool replace = false; // existing page files may be replaced
};

// Raises EPageUsage for a command line it cannot follow.
PageCommand parseCommandLine(const QStringList& arguments);

// The usage text, ending with a line break.
extern const char* const kPageUsageText;
