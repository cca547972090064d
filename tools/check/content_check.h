// The content checker: goes through a data folder page by page, as the main
// window and the Help window would read it, and says for every file whether
// the program would show it. It uses the program's own loaders, so what it
// reports is what the child would see; it catches their errors only to report
// them. Needs a QApplication (the loaders fill real text and picture areas);
// it reads the folder and writes nothing there or anywhere.
#pragma once

#include "tools/check/check_result.h"

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <cstdint>
#include <vector>

struct PageCheck {
    QString name; // "Main" for the welcome page, else the letter
    FileCheck text;
    FileCheck picture;
    FileCheck sound;
    QStringList notes; // about the page as a whole, e.g. its folder is missing

    // The program shows all three files: no fallback, no error box (warnings allowed).
    bool shows() const { return text.loads() && picture.loads() && sound.loads(); }
};

struct FolderCheck {
    QString folder; // as the program would hold it, with a final "/"
    std::vector<PageCheck> pages; // the welcome page, then the 33 letters in alphabetical order
    FileCheck help; // "help.txt", as the Help window loads it
    FileCheck marker; // "data.txt", which the folder button asks for

    // Every file the program would show loads (warnings allowed).
    bool passed() const;
};

// Checks the folder (an existing folder; a final "/" is added when it lacks one).
FolderCheck checkDataFolder(const QString& folder);

// Checks one page of the folder, exactly as checkDataFolder does: the welcome
// page, or the page of a capital letter (0xC0..0xDF or 0xA8).
PageCheck checkWelcomePage(const QString& folder);
PageCheck checkLetterPage(const QString& folder, std::uint8_t letter);

// Exit statuses of the checker.
constexpr int kCheckPassed = 0;
constexpr int kCheckFailed = 1;
constexpr int kCheckBadArgument = 2;

// Checks the folder and writes the report to `out`. Returns CheckPassed when
// everything the program would show loads, CheckFailed when something is
// missing or fails, and CheckBadArgument (with one line saying so) when
// `folder` is not a folder.
int runContentCheck(const QString& folder, QTextStream& out);
