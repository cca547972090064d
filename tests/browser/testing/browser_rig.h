// A letter browser wired to fresh fakes, with helpers that set up a data
// folder and press keys the way the main window would.
#pragma once

#include "browser/main.h"
#include "tests/browser/testing/fake_player.h"
#include "tests/browser/testing/fake_services.h"
#include "tests/browser/testing/fake_view.h"
#include "tests/browser/testing/journal.h"

#include <cstdint>

struct BrowserRig {
    static inline const QString kData = QStringLiteral("/opt/kids/DATA/");

    Journal journal;
    FakeView view{journal};
    FakePlayer player{journal};
    FakeServices services{journal};
    LetterBrowser browser{view, player, services};

    // Marks the given names, relative to the default data folder, as present.
    void present(std::initializer_list<const char*> relativeNames)
    {
        for (const char* name : relativeNames)
            services.presentFiles.insert(kData + QString::fromUtf8(name));
    }
    // A complete page for the letter folder named in UTF-8 (e.g. "Б").
    void completeLetter(const char* folder)
    {
        const QString base = kData + QString::fromUtf8(folder);
        services.presentFiles.insert(base + "/letter_text.txt");
        services.presentFiles.insert(base + "/letter_img.jpg");
        services.presentFiles.insert(base + "/letter_voice.wav");
        view.textFiles.insert(base + "/letter_text.txt", {QString::fromUtf8(folder) + " text"});
    }
    void completeWelcome()
    {
        present({"Main/welcome_text.txt", "Main/welcome_img.jpg", "Main/welcome_sound.wav"});
        view.textFiles.insert(kData + "Main/welcome_text.txt", {"Hello", "Press a key"});
    }
    // The window shown at start, with what it did forgotten.
    void start()
    {
        browser.FormActivate();
        journal.clear();
    }
    // A typed character; returns the key as the handler left it.
    std::uint8_t press(std::uint8_t key)
    {
        browser.FormKeyPress(key);
        return key;
    }
    // The repeat control clicked: its click event, its own default Play
    // (which waits when the click armed Wait) and its post-click event.
    void clickRepeat()
    {
        bool doDefault = true;
        browser.MediaPlayer1Click(doDefault);
        if (doDefault) {
            player.Play();
            browser.MediaPlayer1PostClick();
        }
    }
    // The Sound check box toggled by the user.
    void toggleSound()
    {
        view.checked = !view.checked;
        browser.cbSoundClick();
    }
    void deliver() { player.deliver(browser); }
};
