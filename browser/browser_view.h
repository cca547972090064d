// What the letter browser needs of the main window's controls: the text area
// Memo1, the picture areas Image1 and Image2, the repeat control's place on
// screen, the Sound check box and the data-folder field eDataFolder. The main
// window implements it over its own controls; the browser never sees a
// widget. Errors raised while loading a file pass through unchanged.
#pragma once

#include <QString>

class BrowserView {
public:
    virtual ~BrowserView() = default;

    // Memo1: empties its lines.
    virtual void clearLines() = 0;
    // Memo1: replaces its lines with the file's (LoadTextLines); may raise.
    virtual void loadTextLines(const QString& path) = 0;
    // Memo1: appends one line.
    virtual void addLine(const QString& line) = 0;
    // Makes Memo1 the window's active control again.
    virtual void focusMemo() = 0;

    // Image1: loads the picture file (LoadPictureFile); may raise, and then
    // keeps its old picture.
    virtual void loadPictureFile(const QString& path) = 0;
    // Image1 takes a copy of Image2's built-in fallback picture (ClonePicture).
    virtual void showFallbackPicture() = 0;

    // MediaPlayer1 as a control on screen: the repeat control.
    virtual bool playerVisible() const = 0;
    virtual void setPlayerVisible(bool visible) = 0;

    // cbSound.
    virtual bool soundChecked() const = 0;

    // eDataFolder's text: the data folder as a person reads it.
    virtual void setDataFolderText(const QString& text) = 0;

protected:
    BrowserView() = default;
    BrowserView(const BrowserView&) = default;
    BrowserView& operator=(const BrowserView&) = default;
};
