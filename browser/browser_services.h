// The runtime services the letter browser leans on: the executable's path,
// the folder part of a path, the file-presence test, the beep and the
// data-folder dialog. The frame provides the real ones; the browser only
// calls them, so tests can script them.
#pragma once

#include <QString>
#include <optional>

class BrowserServices {
public:
    virtual ~BrowserServices() = default;

    virtual QString ProgramFilePath() const = 0;
    // The folder part with its final separator kept; empty when there is none.
    virtual QString FolderPart(const QString& path) const = 0;
    virtual bool FileIsPresent(const QString& path) const = 0;
    virtual void MessageBeep() = 0;
    // Runs OpenDialog1; the chosen full file name, or nothing when cancelled.
    virtual std::optional<QString> ChooseFile() = 0;

protected:
    BrowserServices() = default;
    BrowserServices(const BrowserServices&) = default;
    BrowserServices& operator=(const BrowserServices&) = default;
};
