// TMediaPlayer, the sound player control. It holds at most one open device of the
// media control interface, opened on FileName, sends that device its commands
// shaped by the use-once Wait/Notify/From/To settings, keeps the device's
// capabilities and an automatic enabled state of its buttons, and turns the
// completion messages posted to its window into OnNotify. On screen it is a
// self-painted bar of up to nine buttons whose activation raises OnClick, runs
// the button's command and raises OnPostClick. It reaches the media layer only
// through an MciPort and knows nothing of the window that holds it.
#pragma once

#include "platform/mci/mci.h"
#include "platform/ui/custom_control.h"
#include "player/button_bar_layout.h"
#include "player/one_shot.h"
#include "player/player_types.h"

#include <QImage>
#include <QMetaObject>
#include <QPointer>
#include <array>
#include <cstdint>
#include <string>

class BarCanvas;

// One button: three flags that mirror VisibleButtons, EnabledButtons and
// ColoredButtons, one that mirrors AutoEnabledButtons, and its three glyphs.
struct TMPButtonState {
    bool Visible = true;
    bool Enabled = true;
    bool Colored = true;
    bool AutoEnabled = false;
    QImage PlainGlyph;
    QImage DisabledGlyph;
    QImage ColoredGlyph;
};

class TMediaPlayer : public TCustomControl {
    Q_OBJECT
public:
    // A player on the program's media layer (systemMciPort()).
    explicit TMediaPlayer(QWidget* parent = nullptr);
    // A player on the given port, which must outlive it.
    explicit TMediaPlayer(MciPort& port, QWidget* parent = nullptr);
    // Closes an open device (waiting, without a callback) before the window goes.
    ~TMediaPlayer() override;

    // ---- Stored settings ----
    TButtonSet VisibleButtons() const { return m_visibleButtons; }
    void setVisibleButtons(TButtonSet buttons);
    TButtonSet EnabledButtons() const { return m_enabledButtons; }
    void setEnabledButtons(TButtonSet buttons);
    TButtonSet ColoredButtons() const { return m_coloredButtons; }
    void setColoredButtons(TButtonSet buttons);
    bool AutoEnable() const { return m_autoEnable; }
    void setAutoEnable(bool on);
    bool AutoOpen() const { return m_autoOpen; }
    void setAutoOpen(bool on) { m_autoOpen = on; }
    bool AutoRewind() const { return m_autoRewind; }
    void setAutoRewind(bool on) { m_autoRewind = on; }
    TMPDeviceTypes DeviceType() const { return m_deviceType; }
    void setDeviceType(TMPDeviceTypes type) { m_deviceType = type; }
    // The file to open, as the bytes the file system knows it by.
    const std::string& FileName() const { return m_fileName; }
    void setFileName(const std::string& fileName) { m_fileName = fileName; }
    bool Shareable() const { return m_shareable; }
    void setShareable(bool on) { m_shareable = on; }
    // The window for video output; none by default. Tracked: a destroyed display reads as none.
    QWidget* Display() const { return m_display.data(); }
    void setDisplay(QWidget* display);

    EMPNotify OnClick;
    EMPPostNotify OnPostClick;
    TNotifyEvent OnNotify;

    // ---- Use-once settings: setting one arms it for the next command that reads it ----
    bool Wait() const { return m_oneShot.Wait(); }
    void setWait(bool value) { m_oneShot.setWait(value); }
    bool Notify() const { return m_oneShot.Notify(); }
    void setNotify(bool value) { m_oneShot.setNotify(value); }
    std::uint32_t From() const { return m_oneShot.From(); }
    void setFrom(std::uint32_t value) { m_oneShot.setFrom(value); }
    std::uint32_t To() const { return m_oneShot.To(); }
    void setTo(std::uint32_t value) { m_oneShot.setTo(value); }
    bool WaitArmed() const { return m_oneShot.WaitArmed(); }
    bool NotifyArmed() const { return m_oneShot.NotifyArmed(); }
    bool FromArmed() const { return m_oneShot.FromArmed(); }
    bool ToArmed() const { return m_oneShot.ToArmed(); }

    // ---- Device state ----
    bool IsOpen() const { return m_isOpen; }
    std::uint16_t DeviceId() const { return m_deviceId; }
    std::uint32_t LastError() const { return m_lastError; }
    TMPNotifyResult LastNotify() const { return m_lastNotify; }
    bool CanPlay() const { return m_canPlay; }
    bool CanRecord() const { return m_canRecord; }
    bool CanEject() const { return m_canEject; }
    bool HasVideo() const { return m_hasVideo; }
    bool CanStep() const { return m_canStep; }
    TMPDevCapsSet CapabilitySet() const { return m_capabilities; }
    std::int32_t StepFrames() const { return m_stepFrames; }
    std::int32_t DisplayWidth() const { return m_displayWidth; }
    std::int32_t DisplayHeight() const { return m_displayHeight; }
    TButtonSet AutoEnabledButtons() const { return m_autoEnabledButtons; }
    const TMPButtonState& ButtonState(TMPBtnType button) const { return m_buttons.at(button); }

    // ---- Device commands ----
    // Closes an open device, then opens FileName; raises EMCIDeviceError with the
    // media layer's text when the device cannot be opened.
    void Open();
    void Close();
    void Play();
    void Stop();
    void Pause();
    void Resume();
    void PauseOrResume();
    void StartRecording();
    void Next();
    void Previous();
    void Step();
    void Back();
    void Eject();
    void Rewind();
    std::uint32_t Length();
    std::uint32_t Position();
    std::uint32_t Tracks();
    std::uint32_t TimeFormat();
    std::uint32_t TrackPosition(std::uint32_t track);
    // The device's mode, read afresh. With no device open, or when the device
    // does not answer, it is mdNotReady, never mdPlaying.
    TMPMode Mode();
    // The media layer's text for LastError, or "Unknown error code".
    std::string ErrorText();

    // ---- Bar state ----
    int CellWidth() const { return m_cellWidth; }
    int MinCellWidth() const { return m_minCellWidth; }
    int MinCellHeight() const { return m_minCellHeight; }
    TMPBtnType SelectedButton() const { return m_selectedButton; }
    TMPBtnType PressedButton() const { return m_pressedButton; }
    bool Tracking() const { return m_tracking; }
    bool ShownDown() const { return m_shownDown; }
    buttonbar::CellRect PressedRect() const { return m_pressedRect; }

    // Stored layouts: VisibleButtons, EnabledButtons, ColoredButtons ([btPlay, ...]),
    // AutoEnable, AutoOpen, AutoRewind, DeviceType, FileName, Shareable. A layout is
    // being read from its first stored property until loaded().
    bool setLayoutProperty(const QString& name, const LayoutValue& value) override;
    void loaded() override;

protected:
    // The automatic enabled state after `button` has been activated.
    virtual void ButtonRule(TMPBtnType button);
    // Raisers of the three events; each calls its handler only when one is set.
    virtual void DoClick(TMPBtnType button, bool& doDefault);
    virtual void DoPostClick(TMPBtnType button);
    virtual void DoNotify();

    // Copies AutoEnabledButtons into the buttons' flags and repaints.
    void RefreshAutoEnabled();
    // OnClick, the default action of PressedButton, OnPostClick.
    void RunButton();

    void WndProc(const TMessage& message) override;
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    MCIERROR send(MCIDEVICEID device, unsigned command, std::uint32_t flags, void* params);
    void requireOpen() const;
    std::uint32_t status(std::uint32_t item, bool record);
    void queryCapabilities();
    void seekOrPlayFrom(std::uint32_t target, std::uint32_t flags);
    void runDefaultAction(TMPBtnType button);
    void addPlayableButtons();
    void notifyReceived(std::uintptr_t code);
    void displayRemoved();

    void loadGlyphs();
    void recomputeButtonFlags();
    int visibleCount() const;
    void applySizeRule();
    bool usable(TMPBtnType button) const;
    const QImage& glyphFor(TMPBtnType button) const;
    void drawButton(BarCanvas& canvas, TMPBtnType button, int left) const;
    void pressAt(int x);
    void repaintPressedCell();
    void paintWindowNow();

    MciPort& m_port;
    OneShotSettings m_oneShot;

    TButtonSet m_visibleButtons = kAllMPButtons;
    TButtonSet m_enabledButtons = kAllMPButtons;
    TButtonSet m_coloredButtons = kAllMPButtons;
    bool m_autoEnable = true;
    bool m_autoOpen = false;
    bool m_autoRewind = true;
    TMPDeviceTypes m_deviceType = dtAutoSelect;
    std::string m_fileName;
    bool m_shareable = false;
    QPointer<QWidget> m_display;
    QMetaObject::Connection m_displayWatch;

    bool m_isOpen = false;
    std::uint16_t m_deviceId = 0;
    std::uint32_t m_lastError = 0;
    TMPNotifyResult m_lastNotify = nrSuccessful;
    bool m_canPlay = false;
    bool m_canRecord = false;
    bool m_canEject = false;
    bool m_hasVideo = false;
    bool m_canStep = false;
    TMPDevCapsSet m_capabilities;
    std::int32_t m_stepFrames = 0;
    std::int32_t m_displayWidth = 0;
    std::int32_t m_displayHeight = 0;
    TButtonSet m_autoEnabledButtons;
    std::array<TMPButtonState, kMPButtonCount> m_buttons;

    int m_cellWidth = 0;
    int m_minCellWidth = 0;
    int m_minCellHeight = 0;
    TMPBtnType m_selectedButton = btPlay;
    TMPBtnType m_pressedButton = btPlay;
    bool m_tracking = false;
    bool m_shownDown = false;
    buttonbar::CellRect m_pressedRect;
    bool m_loading = false;
    bool m_inSizeRule = false;
};
