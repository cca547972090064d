// A sound player whose sounds end only when the test says so, with the
// notification order of the real device: every Play asks for a notification;
// a Play cut short by Open, Stop or another Play posts "aborted" or
// "superseded" at that moment; a sound that plays to its end is stopped
// first and then posts "successful". Posted notifications wait in a queue
// until the test delivers them, as window messages wait for the event loop.
// Wait is one-shot: the next Open, Play or Stop reads and disarms it; a Play
// that reads true plays its sound to the end before it returns.
#pragma once

#include "browser/browser_player.h"
#include "browser/main.h"
#include "tests/browser/testing/journal.h"

#include <QSet>
#include <deque>
#include <optional>

enum class Notification { Successful, Superseded, Aborted, Failure };

class FakePlayer : public BrowserPlayer {
public:
    explicit FakePlayer(Journal& journal) : m_journal(journal) {}

    // Script: file names the device refuses to open.
    QSet<QString> refused;

    // State, readable by the tests.
    QString fileName;
    QString openFile; // what the device holds, empty when closed
    bool playing = false;
    std::optional<bool> waitArmed;
    std::deque<Notification> posted;
    Notification lastNotify = Notification::Successful;

    void setFileName(const QString& path) override
    {
        m_journal.add(QStringLiteral("player file ") + path);
        fileName = path;
    }
    void Open() override
    {
        m_journal.add(QStringLiteral("player open ") + fileName);
        takeWait();
        if (!openFile.isEmpty())
            interrupt(Notification::Aborted);
        openFile.clear();
        if (fileName.isEmpty() || refused.contains(fileName))
            throw EFakeFailure("The specified file cannot be played on the specified MCI device");
        openFile = fileName;
    }
    void Play() override
    {
        requireOpen();
        const bool wait = takeWait().value_or(false);
        m_journal.add(wait ? QStringLiteral("player play and wait") : QStringLiteral("player play"));
        interrupt(Notification::Superseded);
        playing = true;
        if (wait)
            endSound();
    }
    void Stop() override
    {
        requireOpen();
        takeWait();
        m_journal.add(QStringLiteral("player stop"));
        interrupt(Notification::Aborted);
    }
    void setWait(bool wait) override
    {
        m_journal.add(wait ? QStringLiteral("player wait true") : QStringLiteral("player wait false"));
        waitArmed = wait;
    }
    bool isPlaying() override { return playing; }
    bool lastNotifyEndedPlay() const override
    {
        return lastNotify == Notification::Successful || lastNotify == Notification::Failure;
    }

    // The sound now playing reaches its end.
    void endSound()
    {
        if (!playing)
            throw EFakeFailure("no sound is playing");
        playing = false;
        posted.push_back(Notification::Successful);
    }

    // Hands every posted notification to the browser, oldest first, the way
    // the event loop would once the current handler has returned.
    void deliver(LetterBrowser& browser)
    {
        while (!posted.empty()) {
            lastNotify = posted.front();
            posted.pop_front();
            browser.MediaPlayer1Notify();
        }
    }

private:
    std::optional<bool> takeWait()
    {
        const std::optional<bool> wait = waitArmed;
        waitArmed.reset();
        return wait;
    }
    void requireOpen() const
    {
        if (openFile.isEmpty())
            throw EFakeFailure("No MCI device open");
    }
    void interrupt(Notification kind)
    {
        if (!playing)
            return;
        playing = false;
        posted.push_back(kind);
    }

    Journal& m_journal;
};
