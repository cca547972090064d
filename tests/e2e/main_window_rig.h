// The program's real main window on the offscreen platform, with the real
// player control on the real media layer, which plays into a FakeAudioOutput
// whose clock the test moves; boxes and beeps are answered and counted by
// ScriptedDialogs. The rig shows the window as the program does (so it first
// reads the folder beside the test executable, where there is none) and is
// then pointed at a made-up folder through the data-folder button, as a
// person would do it. It only presses, clicks and looks: every decision is
// the program's.
#pragma once

#include "tests/support/content_folder.h"

#include "app/scripted_dialogs.h"
#include "app/user_dialogs.h"
#include "platform/mci/fake_audio_output.h"
#include "platform/mci/mci_testing.h"
#include "windows/help.h"
#include "windows/main.h"

#include <QByteArray>
#include <QColor>
#include <QStringList>
#include <atomic>
#include <cstdint>
#include <thread>

namespace e2e {

using namespace testcontent;

// The output's clock running on a thread of its own, as a sound card's would,
// for as long as the object lives: needed while the user-interface thread is
// blocked in a Play that waits for the end of its sound.
class RunningClock {
public:
    explicit RunningClock(mci::FakeAudioOutput& output);
    ~RunningClock();
    RunningClock(const RunningClock&) = delete;
    RunningClock& operator=(const RunningClock&) = delete;

private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

class MainWindowRig {
public:
    MainWindowRig();
    ~MainWindowRig();
    MainWindowRig(const MainWindowRig&) = delete;
    MainWindowRig& operator=(const MainWindowRig&) = delete;

    mci::FakeAudioOutput output;
    ScriptedDialogs dialogs;

private:
    mci::ScopedAudioOutputForTesting m_outputScope{output};
    UserDialogsOverride m_dialogsScope{dialogs};

public:
    TfmMain main;
    TfmHelp help;

    // Shows the main window as the program's start does.
    void start();
    // start(), the folder chosen, the welcome button, its sound played to
    // its end, and the boxes and beeps of all that forgotten.
    void startOn(const ContentFolder& folder);

    // btnDir clicked and the marker file chosen, or the dialog cancelled.
    void chooseFolder(const QString& markerFile);
    void cancelFolderChoice();
    // One typed character, as a keyboard with the matching layout sends it to the text area.
    void type(const QString& character);
    void clickWelcome();
    void clickSound();
    void clickHelp();
    // A click on the repeat control, with the output's clock running meanwhile.
    void clickRepeat();

    // The output's clock moves on by `frames` frames; then posted messages are handled.
    void play(int frames);
    // The output pulls until no sound is playing; then posted messages are handled.
    void playToEnd();
    // Handles what is posted (the player's completion messages, repaints).
    void deliver();

    // How many samples of this level have reached the output so far.
    int heard(std::int16_t level) const;
    // The media layer's own answers: is the player's device playing, and
    // where in its sound does it stand (in milliseconds; -1 with none open)?
    bool soundPlaying() const;
    int soundPosition() const;

    QStringList lines() const;
    // Image1's and Image2's JPEG bytes; empty when the picture is no JPEG.
    QByteArray pictureData() const;
    QByteArray fallbackData() const;
    // The window drawn now; the colour at the middle of Image1.
    QColor paintedCentre();
    bool repeatVisible() const;
    QString folderText() const;
    // Paint events Image1 has received.
    int pictureReceivedPaints() const { return m_paints; }

private:
    class PaintCounter;
    void clickButton(QWidget* button);

    int m_paints = 0;
    PaintCounter* m_paintCounter = nullptr;
};

// True when two colours differ by at most `tolerance` in each channel (JPEG is lossy).
bool closeColours(const QColor& a, const QColor& b, int tolerance = 6);

} // namespace e2e
