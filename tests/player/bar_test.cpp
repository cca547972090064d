// The player's button bar: cell layout, the pixels it paints, mouse tracking,
// the keyboard and the auto-enable step after an activation.
#include "tests/player/player_fixture.h"

#include "app/scripted_dialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTest>

using namespace playertest;

namespace {

QColor inverted(QColor colour) { return QColor(255 - colour.red(), 255 - colour.green(), 255 - colour.blue()); }
// Colours compared as the 8-bit pixels they paint.
QRgb rgb(const QColor& colour) { return colour.rgb(); }

class Bar : public PlayerTest {
protected:
    // The main window's repeat control with a device open and every click counted.
    void makeRepeatControl()
    {
        configureAsRepeatControl(*player);
        openVoice();
        player->OnClick = [this](TControl*, TMPBtnType button, bool&) { clicks.push_back(button); };
        player->OnPostClick = [this](TControl*, TMPBtnType) { ++postClicks; };
    }
    void focusPlayer()
    {
        window->show();
        QApplication::setActiveWindow(window.get());
        player->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ASSERT_TRUE(player->hasFocus());
    }

    std::vector<TMPBtnType> clicks;
    int postClicks = 0;
};

} // namespace

// The constructor's 240 x 30 with nine buttons becomes 253 wide with cells of 29,
// and stays so when something sets 240 again on the shown control.
TEST_F(Bar, NineButtonsWidenToWholeCells)
{
    EXPECT_EQ(player->MinCellWidth(), 29);
    EXPECT_EQ(player->MinCellHeight(), 20);
    EXPECT_EQ(player->Width(), 253);
    EXPECT_EQ(player->Height(), 30);
    EXPECT_EQ(player->CellWidth(), 29);

    window->show();
    player->show();
    player->SetBounds(0, 0, 240, 10);
    EXPECT_EQ(player->Width(), 253);
    EXPECT_EQ(player->Height(), 20);
    EXPECT_EQ(player->CellWidth(), 29);
    player->SetBounds(0, 0, 300, 30); // (299 div 9) + 1 = 34: 9 x 33 + 1
    EXPECT_EQ(player->CellWidth(), 34);
    EXPECT_EQ(player->Width(), 298);
}

// The repeat control's layout: one cell 80 wide, held at 80 x 80 by its constraints.
TEST_F(Bar, RepeatControlIsOneCell)
{
    configureAsRepeatControl(*player);
    window->show();
    EXPECT_EQ(player->Width(), 80);
    EXPECT_EQ(player->Height(), 80);
    EXPECT_EQ(player->Left(), 8);
    EXPECT_EQ(player->CellWidth(), 80);
    EXPECT_EQ(player->VisibleButtons(), TButtonSet{btPlay});
    EXPECT_EQ(player->EnabledButtons(), TButtonSet{btPlay});
    EXPECT_FALSE(player->ColoredButtons().contains(btPlay));
    EXPECT_FALSE(player->AutoRewind());
}

// Outside a layout, a new set of visible buttons keeps the cell width and sets the width.
TEST_F(Bar, VisibleButtonsKeepCellWidth)
{
    player->setVisibleButtons({btPlay, btStop});
    EXPECT_EQ(player->CellWidth(), 29);
    EXPECT_EQ(player->Width(), 57);
    EXPECT_FALSE(player->ButtonState(btPause).Visible);
    EXPECT_TRUE(player->ButtonState(btStop).Visible);
}

// Stored values that name no button or device type are refused.
TEST_F(Bar, LayoutRefusesUnknownNames)
{
    EXPECT_THROW(player->setLayoutProperty("VisibleButtons", set({"btPlay", "btRewind"})), EReadError);
    EXPECT_THROW(player->setLayoutProperty("DeviceType", identifier("dtTape")), EReadError);
    EXPECT_TRUE(player->setLayoutProperty("DeviceType", identifier("dtWaveAudio")));
    EXPECT_EQ(player->DeviceType(), dtWaveAudio);
    EXPECT_FALSE(player->setLayoutProperty("Volume", integer(3)));
}

// A press hits the first cell whose range holds x, ends included; arrows stop at the ends.
TEST(BarGeometry, HitTestAndSelection)
{
    using namespace buttonbar;
    EXPECT_EQ(hitTest(kAllMPButtons, 29, 0)->Button, btPlay);
    EXPECT_EQ(hitTest(kAllMPButtons, 29, 29)->Button, btPlay);
    EXPECT_EQ(hitTest(kAllMPButtons, 29, 30)->Button, btPause);
    EXPECT_EQ(hitTest(kAllMPButtons, 29, 30)->Left, 28);
    EXPECT_EQ(hitTest(kAllMPButtons, 29, 253)->Button, btEject);
    EXPECT_FALSE(hitTest(kAllMPButtons, 29, 254).has_value());
    EXPECT_EQ(hitTest(TButtonSet{btStop, btEject}, 29, 40)->Button, btEject);

    EXPECT_EQ(selectRight(TButtonSet{btPlay}, btPlay), btEject);
    EXPECT_EQ(selectLeft(TButtonSet{btPlay}, btEject), btPlay);
    EXPECT_EQ(selectLeft(TButtonSet{btStop, btNext}, btNext), btStop);
    EXPECT_EQ(selectLeft(TButtonSet{btStop}, btStop), btPlay);
    EXPECT_EQ(selectRight(TButtonSet{btStop, btNext}, btPlay), btStop);
}

// The repeat control painted: frame, bevel, the plain Play glyph at (32, 32);
// pressed it shows the shadow bevel and the glyph at (33, 33); after the click
// the disabled glyph, after the notification the plain one again. Olive never shows.
TEST_F(Bar, RepeatControlPixels)
{
    configureAsRepeatControl(*player);
    const QImage beforeOpen = grabbed(*player);
    EXPECT_TRUE(holdsAt(beforeOpen, glyphOnFace(TGlyphLook::Disabled, btPlay), 32, 32));

    openVoice();
    const QImage raised = grabbed(*player);
    ASSERT_EQ(raised.size(), QSize(80, 80));
    EXPECT_EQ(raised.pixel(0, 0), rgb(colors::windowFrame()));
    EXPECT_EQ(raised.pixel(79, 40), rgb(colors::windowFrame()));
    EXPECT_EQ(raised.pixel(40, 79), rgb(colors::windowFrame()));
    EXPECT_EQ(raised.pixel(1, 1), rgb(colors::btnHighlight()));
    EXPECT_EQ(raised.pixel(1, 78), rgb(colors::btnHighlight()));
    EXPECT_EQ(raised.pixel(78, 1), rgb(colors::btnHighlight()));
    EXPECT_EQ(raised.pixel(1, 79), rgb(colors::windowFrame()));
    EXPECT_EQ(raised.pixel(2, 78), rgb(colors::btnShadow()));
    EXPECT_EQ(raised.pixel(78, 78), rgb(colors::btnShadow()));
    EXPECT_EQ(raised.pixel(78, 2), rgb(colors::btnShadow()));
    EXPECT_EQ(raised.pixel(2, 2), rgb(colors::btnFace()));
    EXPECT_EQ(raised.pixel(77, 77), rgb(colors::btnFace()));
    EXPECT_TRUE(holdsAt(raised, glyphOnFace(TGlyphLook::Plain, btPlay), 32, 32));
    EXPECT_FALSE(containsColour(raised, colors::clOlive));

    press(player, {40, 40});
    const QImage pressed = grabbed(*player);
    EXPECT_EQ(pressed.pixel(1, 1), rgb(colors::btnShadow()));
    EXPECT_EQ(pressed.pixel(1, 78), rgb(colors::btnShadow()));
    EXPECT_EQ(pressed.pixel(78, 1), rgb(colors::btnShadow()));
    EXPECT_EQ(pressed.pixel(78, 78), rgb(colors::btnFace()));
    EXPECT_TRUE(holdsAt(pressed, glyphOnFace(TGlyphLook::Plain, btPlay), 33, 33));
    EXPECT_FALSE(containsColour(pressed, colors::clOlive));

    release(player, {40, 40});
    const QImage afterClick = grabbed(*player);
    EXPECT_FALSE(player->ButtonState(btPlay).AutoEnabled);
    EXPECT_TRUE(holdsAt(afterClick, glyphOnFace(TGlyphLook::Disabled, btPlay), 32, 32));
    EXPECT_FALSE(containsColour(afterClick, colors::clOlive));

    port.mode = MCI_MODE_STOP; // the sound has ended
    windowhandle::postMessage(player->Handle(), {MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 0});
    QCoreApplication::processEvents();
    const QImage afterNotify = grabbed(*player);
    EXPECT_TRUE(holdsAt(afterNotify, glyphOnFace(TGlyphLook::Plain, btPlay), 32, 32));
    EXPECT_FALSE(containsColour(afterNotify, colors::clOlive));
}

// All nine buttons: shared border pixels, each glyph centred in its cell; with no
// device open every button is drawn disabled; a disabled control draws disabled
// glyphs even for usable buttons; usable coloured buttons use the coloured look.
TEST_F(Bar, NineButtonPixels)
{
    QImage image = grabbed(*player);
    ASSERT_EQ(image.size(), QSize(253, 30));
    for (int k = 0; k < 9; ++k) {
        const auto button = static_cast<TMPBtnType>(k);
        const int left = k * 28;
        EXPECT_EQ(image.pixel(left, 15), rgb(colors::windowFrame())) << k;
        const QImage glyph = glyphOnFace(TGlyphLook::Disabled, button);
        EXPECT_TRUE(holdsAt(image, glyph, left + 14 - glyph.width() / 2, 15 - glyph.height() / 2)) << k;
    }
    EXPECT_EQ(image.pixel(252, 15), rgb(colors::windowFrame()));

    openVoice();
    image = grabbed(*player);
    EXPECT_TRUE(holdsAt(image, glyphOnFace(TGlyphLook::Colored, btPlay), 14 - 8, 15 - 8));
    player->setColoredButtons({});
    image = grabbed(*player);
    EXPECT_TRUE(holdsAt(image, glyphOnFace(TGlyphLook::Plain, btPlay), 6, 7));
    player->setEnabled(false);
    image = grabbed(*player);
    EXPECT_TRUE(holdsAt(image, glyphOnFace(TGlyphLook::Disabled, btPlay), 6, 7));
    EXPECT_FALSE(containsColour(image, colors::clOlive));
}

// Clearing DoDefault in OnClick suppresses the Play and OnPostClick, yet the
// auto-enable rule of a mouse click still applies.
TEST_F(Bar, DoDefaultFalseSuppressesActionAndPostClick)
{
    makeRepeatControl();
    player->OnClick = [this](TControl*, TMPBtnType button, bool& doDefault) {
        clicks.push_back(button);
        doDefault = false;
    };
    click(player, {40, 40});
    EXPECT_EQ(clicks, std::vector<TMPBtnType>{btPlay});
    EXPECT_EQ(postClicks, 0);
    EXPECT_TRUE(port.commandsOf(MCI_PLAY).empty());
    EXPECT_FALSE(player->ButtonState(btPlay).AutoEnabled);
    EXPECT_EQ(player->AutoEnabledButtons(), (TButtonSet{btPause, btStop, btNext, btPrev}));
}

// A release outside the pressed cell activates nothing; moving back in before the release does.
TEST_F(Bar, ReleaseOutsideActivatesNothing)
{
    makeRepeatControl();
    press(player, {40, 40});
    EXPECT_TRUE(player->Tracking());
    EXPECT_TRUE(player->ShownDown());
    EXPECT_EQ(player->PressedRect(), (buttonbar::CellRect{0, 0, 80, 80}));
    moveTo(player, {80, 40}); // the right edge is outside
    EXPECT_FALSE(player->ShownDown());
    EXPECT_TRUE(holdsAt(grabbed(*player), glyphOnFace(TGlyphLook::Plain, btPlay), 32, 32));
    release(player, {80, 40});
    EXPECT_TRUE(clicks.empty());
    EXPECT_FALSE(player->Tracking());
    EXPECT_TRUE(port.actions().empty());
    EXPECT_TRUE(player->ButtonState(btPlay).AutoEnabled);

    press(player, {40, 40});
    moveTo(player, {120, 200});
    moveTo(player, {79, 79});
    EXPECT_TRUE(player->ShownDown());
    release(player, {79, 79});
    EXPECT_EQ(clicks, std::vector<TMPBtnType>{btPlay});
    EXPECT_EQ(postClicks, 1);
    EXPECT_EQ(port.commandsOf(MCI_PLAY).size(), 1u);
}

// A press on a button that is not usable is ignored; a non-zero LastError after
// the action leaves the enabled state as it was.
TEST_F(Bar, UnusableButtonsAndFailedActions)
{
    configureAsRepeatControl(*player);
    int clicked = 0;
    player->OnClick = [&](TControl*, TMPBtnType, bool&) { ++clicked; };
    press(player, {40, 40}); // no device: Play is not auto-enabled
    EXPECT_FALSE(player->Tracking());
    release(player, {40, 40});
    EXPECT_EQ(clicked, 0);

    openVoice();
    port.scriptedErrors[MCI_PLAY] = {kFakeUnsupportedFunction};
    click(player, {40, 40});
    EXPECT_EQ(clicked, 1);
    EXPECT_EQ(player->LastError(), kFakeUnsupportedFunction);
    EXPECT_TRUE(player->ButtonState(btPlay).AutoEnabled);
}

// An error raised by a handler leaves the click at once: no default action, no
// auto-enable step, and the bar no longer tracks the mouse.
TEST_F(Bar, HandlerErrorPropagates)
{
    makeRepeatControl();
    player->OnClick = [](TControl*, TMPBtnType, bool&) { throw EInvalidOperation("refused"); };
    press(player, {40, 40});
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(40, 40), player->mapToGlobal(QPointF(40, 40)), Qt::LeftButton,
                   Qt::NoButton, Qt::NoModifier);
    // The frame's catch point ends the event there and shows the error.
    ScriptedDialogs dialogs;
    UserDialogsOverride scope(dialogs);
    QApplication::sendEvent(player, &up);
    ASSERT_EQ(dialogs.errorBoxes().size(), 1u);
    EXPECT_EQ(dialogs.errorBoxes()[0].text, "refused.");
    EXPECT_FALSE(player->Tracking());
    EXPECT_FALSE(player->ShownDown());
    EXPECT_TRUE(port.commandsOf(MCI_PLAY).empty());
    EXPECT_TRUE(player->ButtonState(btPlay).AutoEnabled);
}

// The space bar goes by EnabledButtons: it runs Play while Play is drawn auto-disabled,
// and does nothing for a button outside EnabledButtons.
TEST_F(Bar, SpaceUsesEnabledButtons)
{
    makeRepeatControl();
    click(player, {40, 40});
    ASSERT_FALSE(player->ButtonState(btPlay).AutoEnabled);
    port.commands.clear();
    clicks.clear();
    QTest::keyClick(player, Qt::Key_Space);
    EXPECT_EQ(clicks, std::vector<TMPBtnType>{btPlay});
    EXPECT_EQ(port.commandsOf(MCI_PLAY).size(), 1u);
    EXPECT_EQ(postClicks, 2);

    player->setEnabledButtons({});
    clicks.clear();
    QTest::keyClick(player, Qt::Key_Space);
    EXPECT_TRUE(clicks.empty());
}

// With the focus, the selected button carries the dotted focus mark; the right
// arrow moves the selection to the hidden btEject (no mark), the left arrow back.
TEST_F(Bar, ArrowsMoveSelection)
{
    makeRepeatControl();
    focusPlayer();
    const QColor mark = inverted(colors::btnFace());
    QImage image = grabbed(*player);
    EXPECT_EQ(image.pixel(3, 3), rgb(mark));
    EXPECT_EQ(image.pixel(4, 3), rgb(colors::btnFace()));
    EXPECT_EQ(image.pixel(76, 76), rgb(mark));
    EXPECT_EQ(image.pixel(77, 77), rgb(colors::btnFace()));

    QTest::keyClick(player, Qt::Key_Right);
    EXPECT_EQ(player->SelectedButton(), btEject);
    EXPECT_TRUE(player->hasFocus());
    image = grabbed(*player);
    EXPECT_EQ(image.pixel(3, 3), rgb(colors::btnFace()));
    EXPECT_FALSE(containsColour(image, mark));

    QTest::keyClick(player, Qt::Key_Left);
    EXPECT_EQ(player->SelectedButton(), btPlay);
    EXPECT_EQ(grabbed(*player).pixel(3, 3), rgb(mark));

    press(player, {40, 40}); // pressed: the mark moves with the glyph
    image = grabbed(*player);
    EXPECT_EQ(image.pixel(4, 4), rgb(mark));
    EXPECT_EQ(image.pixel(3, 3), rgb(colors::btnFace()));
    release(player, {40, 40});
}

// All nine buttons on a device that can do everything: a click on each cell runs
// that button's own command, and the auto-enable rule of that button follows.
TEST_F(Bar, EachButtonRunsItsCommandAndRule)
{
    for (const std::uint32_t item :
         {MCI_GETDEVCAPS_CAN_PLAY, MCI_GETDEVCAPS_CAN_RECORD, MCI_GETDEVCAPS_CAN_EJECT, MCI_GETDEVCAPS_HAS_VIDEO})
        port.capabilities[item] = 1;
    port.capabilities[MCI_GETDEVCAPS_DEVICE_TYPE] = MCI_DEVTYPE_VCR;
    openVoice();
    ASSERT_EQ(player->CellWidth(), 29);
    ASSERT_EQ(player->AutoEnabledButtons(), (TButtonSet{btPlay, btNext, btPrev, btStep, btBack, btRecord, btEject}));
    std::vector<TMPBtnType> clicked;
    player->OnClick = [&](TControl*, TMPBtnType button, bool&) { clicked.push_back(button); };
    const auto clickCell = [&](TMPBtnType button) {
        port.commands.clear();
        click(player, {int(button) * 28 + 14, 15});
        return port.actions();
    };

    auto sent = clickCell(btPlay);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].command, MCI_PLAY);
    EXPECT_EQ(sent[0].flags, MCI_NOTIFY);
    EXPECT_EQ(player->AutoEnabledButtons(), (TButtonSet{btPause, btStop, btNext, btPrev, btStep, btBack, btEject}));

    sent = clickCell(btPause); // the device plays: a pause; the rule gives Play and Record back, keeps Stop
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].command, MCI_PAUSE);
    EXPECT_EQ(sent[0].flags, MCI_WAIT);
    EXPECT_EQ(player->AutoEnabledButtons(), kAllMPButtons);

    sent = clickCell(btStop);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].command, MCI_STOP);
    EXPECT_EQ(player->AutoEnabledButtons(), (TButtonSet{btPlay, btNext, btPrev, btStep, btBack, btRecord, btEject}));

    sent = clickCell(btRecord);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].command, MCI_RECORD);
    EXPECT_EQ(sent[0].flags, MCI_NOTIFY);
    EXPECT_EQ(player->AutoEnabledButtons(), (TButtonSet{btPause, btStop, btNext, btPrev, btStep, btBack, btEject}));

    sent = clickCell(btBack);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].command, MCI_STEP);
    EXPECT_EQ(sent[0].flags, MCI_WAIT | MCI_STEP_FRAMES | MCI_STEP_REVERSE);
    EXPECT_EQ(player->AutoEnabledButtons(), (TButtonSet{btPlay, btNext, btPrev, btStep, btBack, btRecord, btEject}));

    sent = clickCell(btEject);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].command, MCI_SET);
    EXPECT_EQ(sent[0].flags, MCI_WAIT | MCI_SET_DOOR_OPEN);

    sent = clickCell(btNext);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].flags, MCI_WAIT | MCI_SEEK_TO_END);
    sent = clickCell(btPrev);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].flags, MCI_WAIT | MCI_SEEK_TO_START);
    sent = clickCell(btStep);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].flags, MCI_WAIT | MCI_STEP_FRAMES);
    EXPECT_EQ(clicked,
              (std::vector<TMPBtnType>{btPlay, btPause, btStop, btRecord, btBack, btEject, btNext, btPrev, btStep}));
}

// With AutoEnable false the mouse and the drawing follow EnabledButtons, and no
// click changes the automatic state; switching it back on shows that state again.
TEST_F(Bar, AutoEnableOffFollowsEnabledButtons)
{
    openVoice();
    player->setAutoEnable(false);
    player->setEnabledButtons({btStop});
    player->setColoredButtons({});
    QImage image = grabbed(*player);
    EXPECT_TRUE(holdsAt(image, glyphOnFace(TGlyphLook::Disabled, btPlay), 6, 7));
    const QImage stopGlyph = glyphOnFace(TGlyphLook::Plain, btStop);
    EXPECT_TRUE(holdsAt(image, stopGlyph, 56 + 14 - stopGlyph.width() / 2, 15 - stopGlyph.height() / 2));

    click(player, {14, 15});
    EXPECT_TRUE(port.commandsOf(MCI_PLAY).empty());
    click(player, {70, 15});
    EXPECT_EQ(port.commandsOf(MCI_STOP).size(), 1u);
    EXPECT_EQ(player->AutoEnabledButtons(), (TButtonSet{btPlay, btNext, btPrev}));

    player->setAutoEnable(true);
    image = grabbed(*player);
    EXPECT_TRUE(holdsAt(image, glyphOnFace(TGlyphLook::Plain, btPlay), 6, 7));
}
