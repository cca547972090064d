// Shared set-up for the player's tests: a window holding one player on a
// recording fake port, the repeat-control configuration of the main window
// applied as a stored layout would apply it, and helpers for mouse input and
// for reading the painted pixels.
#pragma once

#include "platform/ui/layout_value.h"
#include "player/media_player.h"
#include "player/player_glyphs.h"
#include "tests/player/fake_mci_port.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace playertest {

LayoutValue identifier(const char* name);
LayoutValue integer(int value);
LayoutValue set(std::initializer_list<const char*> items);

// The main window's repeat control: 80 x 80 at (8, 8), held there by its
// constraints, only Play visible and enabled, Play not coloured, no rewind.
void configureAsRepeatControl(TMediaPlayer& player);

// The control's pixels as it paints them now.
QImage grabbed(TMediaPlayer& player);
// The glyph with its olive pixels showing the button face, as the bar draws it.
QImage glyphOnFace(TGlyphLook look, TMPBtnType button);
// True when the image holds `part` with its top-left corner at (x, y).
bool holdsAt(const QImage& image, const QImage& part, int x, int y);
bool containsColour(const QImage& image, QColor colour);

void press(QWidget* widget, QPoint at);
void moveTo(QWidget* widget, QPoint at); // with the left button held
void release(QWidget* widget, QPoint at);
void click(QWidget* widget, QPoint at);

class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override;
    // Opens "voice.wav" and forgets the commands that took.
    void openVoice();

    FakeMciPort port;
    std::unique_ptr<QWidget> window;
    TMediaPlayer* player = nullptr; // owned by the window
};

} // namespace playertest
