// What the letter browser needs of the sound player control MediaPlayer1: its
// file, opening, playing and stopping, the one-shot Wait setting, and two
// questions about its state. The main window forwards these to its
// TMediaPlayer; the browser never sees the control's own types. Errors the
// player raises (opening a device, a command with no device open) pass
// through unchanged.
#pragma once

#include <QString>

class BrowserPlayer {
public:
    virtual ~BrowserPlayer() = default;

    virtual void setFileName(const QString& path) = 0;
    // Closes the device if open and opens it on the file name; may raise.
    virtual void Open() = 0;
    // Starts the open file, with a completion notification; waits for the end
    // only when Wait is armed with true. May raise with no device open.
    virtual void Play() = 0;
    virtual void Stop() = 0;
    // Arms Wait for the next command that reads it.
    virtual void setWait(bool wait) = 0;

    // Mode() is mdPlaying.
    virtual bool isPlaying() = 0;
    // LastNotify() is nrSuccessful or nrFailure: the notification being
    // handled reports a play that is over, because it ran to its end or
    // because the sound output failed; not one that a later command cut short.
    virtual bool lastNotifyEndedPlay() const = 0;

protected:
    BrowserPlayer() = default;
    BrowserPlayer(const BrowserPlayer&) = default;
    BrowserPlayer& operator=(const BrowserPlayer&) = default;
};
