// Which page the parent is making: the welcome page or the page of one
// letter, taken from the command line's letter argument, and where that
// page's three files lie in a data folder. The paths are the program's own,
// so the tool writes exactly the files the program reads.
#pragma once

#include "browser/content_page.h"

#include <QString>
#include <cstdint>

struct PageTarget {
    bool welcome = false;
    std::uint8_t letter = 0; // the Windows-1251 capital, when not the welcome page

    // "Main" or the capital letter: the page's folder, and its name in the checker's table.
    QString folderName() const;
    ContentPage files(const QString& dataFolder) const;
};

// The welcome page's name on the command line and on disk.
inline constexpr auto kWelcomeFolderName = "Main";

// Takes a Russian letter, capital or small (Ё too), or "Main". Raises
// EPageUsage for anything else, listing the letters that are accepted.
PageTarget parsePageTarget(const QString& argument);

// The 33 capitals in alphabetical order, separated by spaces.
QString acceptedLetters();
