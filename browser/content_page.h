// Where a page's three files lie in the data folder, and the line shown when
// its text is missing. Paths are the data folder followed directly by a fixed
// relative name; a letter's folder is named by the letter itself, in its
// Unicode (on disk UTF-8) form. Loading the files is the browser's.
#pragma once

#include <QString>
#include <cstdint>

struct ContentPage {
    QString textPath;
    QString picturePath;
    QString soundPath;
    QString missingTextLine;
};

// The welcome page under DataFolder + "Main/".
ContentPage welcomePage(const QString& dataFolder);
// The page of one capital letter (0xC0..0xDF or 0xA8) under DataFolder + the letter.
ContentPage letterPage(const QString& dataFolder, std::uint8_t letter);
// The name of a letter's folder: "Б" for 0xC1, "Ё" for 0xA8.
QString letterFolderName(std::uint8_t letter);
