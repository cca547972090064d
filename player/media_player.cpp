// TMediaPlayer: construction and destruction, the stored settings, the automatic
// enabled state and the completion messages. The device commands are in
// media_player_commands.cpp, the button bar in media_player_bar.cpp.
#include "player/media_player.h"

#include "platform/ui/layout_value.h"
#include "player/player_glyphs.h"

namespace {

// The size a new player starts with, before a layout or its owner sets another.
constexpr int kDefaultWidth = 240;
constexpr int kDefaultHeight = 30;

TButtonSet buttonSetValue(const LayoutValue& value)
{
    TButtonSet buttons;
    for (const QString& item : value.asSet()) {
        const auto button = player::buttonByName(item.toStdString());
        if (!button)
            throw EReadError("Invalid property value: " + item.toStdString());
        buttons.include(*button);
    }
    return buttons;
}

TMPDeviceTypes deviceTypeValue(const LayoutValue& value)
{
    const std::string name = value.asIdentifier().toStdString();
    const auto type = player::deviceTypeByName(name);
    if (!type)
        throw EReadError("Invalid property value: " + name);
    return *type;
}

} // namespace

TMediaPlayer::TMediaPlayer(MciPort& port, QWidget* parent) : TCustomControl(parent), m_port(port)
{
    loadGlyphs();
    recomputeButtonFlags();
    SetBounds(Left(), Top(), kDefaultWidth, kDefaultHeight);
    applySizeRule();
    setTabStop(true);
}

TMediaPlayer::~TMediaPlayer()
{
    QObject::disconnect(m_displayWatch);
    if (m_deviceId != 0) {
        // Waited for and without a callback: nothing may be posted to a control that is going.
        MCI_GENERIC_PARMS parms;
        m_port.sendCommand(m_deviceId, MCI_CLOSE, MCI_WAIT, &parms);
    }
}

void TMediaPlayer::recomputeButtonFlags()
{
    for (int i = 0; i < kMPButtonCount; ++i) {
        const auto button = static_cast<TMPBtnType>(i);
        m_buttons[i].Visible = m_visibleButtons.contains(button);
        m_buttons[i].Enabled = m_enabledButtons.contains(button);
        m_buttons[i].Colored = m_coloredButtons.contains(button);
    }
}

void TMediaPlayer::setVisibleButtons(TButtonSet buttons)
{
    m_visibleButtons = buttons;
    recomputeButtonFlags();
    if (m_loading) {
        m_cellWidth = buttonbar::cellWidthFor(Width(), visibleCount());
    } else {
        SetBounds(Left(), Top(), buttonbar::widthFor(visibleCount(), m_cellWidth), Height());
        applySizeRule();
    }
    update();
}

void TMediaPlayer::setEnabledButtons(TButtonSet buttons)
{
    m_enabledButtons = buttons;
    recomputeButtonFlags();
    update();
}

void TMediaPlayer::setColoredButtons(TButtonSet buttons)
{
    m_coloredButtons = buttons;
    recomputeButtonFlags();
    update();
}

void TMediaPlayer::setAutoEnable(bool on)
{
    if (on == m_autoEnable)
        return;
    m_autoEnable = on;
    if (on)
        RefreshAutoEnabled();
    else
        setEnabledButtons(m_enabledButtons);
}

void TMediaPlayer::setDisplay(QWidget* display)
{
    if (m_isOpen && m_hasVideo) {
        MCI_WINDOW_PARMS parms;
        parms.hWnd = windowhandle::handleOf(display);
        m_lastError = send(m_deviceId, MCI_WINDOW, MCI_WINDOW_HWND | MCI_WAIT, &parms);
        if (m_lastError != 0)
            display = nullptr;
    }
    QObject::disconnect(m_displayWatch);
    m_display = display;
    if (display)
        m_displayWatch = connect(display, &QObject::destroyed, this, [this] { displayRemoved(); });
}

void TMediaPlayer::displayRemoved()
{
    if (m_isOpen && m_hasVideo) {
        MCI_WINDOW_PARMS parms; // window 0: back to the device's own window
        m_lastError = send(m_deviceId, MCI_WINDOW, MCI_WINDOW_HWND | MCI_WAIT, &parms);
    }
    QObject::disconnect(m_displayWatch);
    m_display = nullptr;
}

bool TMediaPlayer::setLayoutProperty(const QString& name, const LayoutValue& value)
{
    m_loading = true;
    if (name == QLatin1String("VisibleButtons"))
        setVisibleButtons(buttonSetValue(value));
    else if (name == QLatin1String("EnabledButtons"))
        setEnabledButtons(buttonSetValue(value));
    else if (name == QLatin1String("ColoredButtons"))
        setColoredButtons(buttonSetValue(value));
    else if (name == QLatin1String("AutoEnable"))
        setAutoEnable(value.asBool());
    else if (name == QLatin1String("AutoOpen"))
        setAutoOpen(value.asBool());
    else if (name == QLatin1String("AutoRewind"))
        setAutoRewind(value.asBool());
    else if (name == QLatin1String("DeviceType"))
        setDeviceType(deviceTypeValue(value));
    else if (name == QLatin1String("FileName"))
        setFileName(value.asString().toStdString());
    else if (name == QLatin1String("Shareable"))
        setShareable(value.asBool());
    else
        return TCustomControl::setLayoutProperty(name, value);
    return true;
}

void TMediaPlayer::loaded()
{
    TCustomControl::loaded();
    m_loading = false;
    SetBounds(Left(), Top(), buttonbar::widthFor(visibleCount(), m_cellWidth), Height());
    applySizeRule();
    if (m_autoOpen)
        Open();
}

void TMediaPlayer::RefreshAutoEnabled()
{
    for (int i = 0; i < kMPButtonCount; ++i)
        m_buttons[i].AutoEnabled = m_autoEnabledButtons.contains(static_cast<TMPBtnType>(i));
    update();
}

void TMediaPlayer::addPlayableButtons()
{
    if (m_canPlay)
        m_autoEnabledButtons.include(btPlay);
    if (m_canRecord)
        m_autoEnabledButtons.include(btRecord);
}

void TMediaPlayer::ButtonRule(TMPBtnType button)
{
    switch (button) {
    case btPlay:
    case btRecord: m_autoEnabledButtons.exclude(btPlay).exclude(btRecord).include(btPause).include(btStop); break;
    case btPause: addPlayableButtons(); break;
    case btStop:
    case btNext:
    case btPrev:
    case btStep:
    case btBack:
    case btEject:
        addPlayableButtons();
        m_autoEnabledButtons.exclude(btPause).exclude(btStop);
        break;
    }
}

void TMediaPlayer::DoClick(TMPBtnType button, bool& doDefault)
{
    if (OnClick)
        OnClick(this, button, doDefault);
}

void TMediaPlayer::DoPostClick(TMPBtnType button)
{
    if (OnPostClick)
        OnPostClick(this, button);
}

void TMediaPlayer::DoNotify()
{
    if (OnNotify)
        OnNotify(this);
}

void TMediaPlayer::WndProc(const TMessage& message)
{
    if (message.Msg == MM_MCINOTIFY)
        notifyReceived(message.WParam);
    else
        TCustomControl::WndProc(message);
}

void TMediaPlayer::notifyReceived(std::uintptr_t code)
{
    // The message may report a command older than the device's present mode;
    // only a device found stopped gets its Play and Record buttons back.
    if (m_autoEnable && Mode() == mdStopped) {
        addPlayableButtons();
        m_autoEnabledButtons.exclude(btPause).exclude(btStop);
        RefreshAutoEnabled();
    }
    switch (code) {
    case MCI_NOTIFY_SUCCESSFUL: m_lastNotify = nrSuccessful; break;
    case MCI_NOTIFY_SUPERSEDED: m_lastNotify = nrSuperseded; break;
    case MCI_NOTIFY_ABORTED: m_lastNotify = nrAborted; break;
    case MCI_NOTIFY_FAILURE: m_lastNotify = nrFailure; break;
    default: break;
    }
    DoNotify();
}
