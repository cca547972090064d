// The letter browser: the logic behind the main window's handlers. It keeps
// the data folder, the letter asked for last and whether an automatically
// started sound is to bring the repeat control back when it ends; it loads
// pages and starts and ends playback through the view, player and services it
// is given. The main window owns one and forwards its handlers to it. Nothing
// here catches an error: whatever a load or the player raises ends the
// handler and goes on to the frame's catch point.
#pragma once

#include "browser/browser_player.h"
#include "browser/browser_services.h"
#include "browser/browser_view.h"
#include "browser/content_page.h"

#include <QString>
#include <cstdint>

class LetterBrowser {
public:
    // CurrentLetter before the first key press.
    static constexpr std::uint8_t kNoLetterYet = 0;

    LetterBrowser(BrowserView& view, BrowserPlayer& player, BrowserServices& services);
    LetterBrowser(const LetterBrowser&) = delete;
    LetterBrowser& operator=(const LetterBrowser&) = delete;

    // Ends with "/" once set; the Help window reads "help.txt" from it.
    const QString& DataFolder() const { return m_dataFolder; }
    // The Windows-1251 capital of the last letter key, NoLetter ('*') after a
    // key that stood for none, NoLetterYet before the first.
    std::uint8_t CurrentLetter() const { return m_currentLetter; }
    bool AutoPlayArmed() const { return m_autoPlayArmed; }

    // Content pages: true when the page's sound was found and opened.
    bool LoadInitialData();
    bool LoadLetterData();

    // Starts the opened sound (nothing with sound off) and hides the repeat control.
    void PlayerActivate();
    // Ends playback; the repeat control is shown exactly when sound is on.
    void PlayerDeActivate();

    // Handlers of the main window's events.
    void FormActivate();
    void FormKeyPress(std::uint8_t& Key);
    void MediaPlayer1Click(bool& DoDefault);
    void MediaPlayer1PostClick();
    void MediaPlayer1Notify();
    void cbSoundClick();
    void SpeedButton3Click();
    void btnDirClick();

private:
    bool loadPage(const ContentPage& page);
    void presentWelcomePage();

    BrowserView& m_view;
    BrowserPlayer& m_player;
    BrowserServices& m_services;
    QString m_dataFolder;
    std::uint8_t m_currentLetter = kNoLetterYet;
    bool m_autoPlayArmed = false;
    // The sound now open was started for the page on screen: a notification of
    // an earlier page's sound, or of a device a failed Open has closed since,
    // is not this page's sound ending.
    bool m_pageSoundStarted = false;
};
