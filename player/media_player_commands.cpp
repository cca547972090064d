// TMediaPlayer: the device commands. Each goes to the media layer through the
// port; the commands that apply a use-once rule name this control's window as
// the callback, so that completions are posted back here. Only Open turns a
// device error into an exception; the others record it in LastError.
#include "player/media_player.h"

#include <array>
#include <cstring>

namespace {

constexpr const char* kNoDeviceOpenMessage = "No MCI device open";
constexpr const char* kUnknownErrorMessage = "Unknown error code";
// Large enough for any error text the media layer has.
constexpr unsigned kErrorTextBufferSize = 4096;
// Step and Back move the picture by a tenth of the medium.
constexpr std::uint32_t kStepDivisor = 10;
// The device types that can step frame by frame.
constexpr std::array<std::uint32_t, 4> kSteppingDeviceTypes{MCI_DEVTYPE_VCR, MCI_DEVTYPE_OVERLAY, MCI_DEVTYPE_ANIMATION,
                                                            MCI_DEVTYPE_DIGITAL_VIDEO};

// A position in the tracks-minutes-seconds-frames format: one byte each, track lowest.
std::uint32_t tmsfTrack(std::uint32_t position) { return position & 0xFF; }
std::uint32_t tmsfMinute(std::uint32_t position) { return (position >> 8) & 0xFF; }
std::uint32_t tmsfSecond(std::uint32_t position) { return (position >> 16) & 0xFF; }

} // namespace

MCIERROR TMediaPlayer::send(MCIDEVICEID device, unsigned command, std::uint32_t flags, void* params)
{
    // A Play that waits holds the user-interface thread until the sound's end,
    // and no painting happens meanwhile: what the window changed just before
    // (the hidden repeat control above all) is drawn first.
    if (command == MCI_PLAY && (flags & MCI_WAIT))
        paintWindowNow();
    return m_port.sendCommand(device, command, flags, params);
}

void TMediaPlayer::requireOpen() const
{
    if (!m_isOpen)
        throw EMCIDeviceError(kNoDeviceOpenMessage);
}

std::uint32_t TMediaPlayer::status(std::uint32_t item, bool record)
{
    MCI_STATUS_PARMS parms;
    parms.dwItem = item;
    const MCIERROR result = send(m_deviceId, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &parms);
    if (record)
        m_lastError = result;
    return static_cast<std::uint32_t>(parms.dwReturn);
}

void TMediaPlayer::Open()
{
    MCI_OPEN_PARMS parms;
    if (m_isOpen)
        Close();
    const std::string typeName(player::deviceTypeName(m_deviceType));
    parms.lpstrDeviceType = typeName.c_str();
    parms.lpstrElementName = m_fileName.c_str();
    // With an explicit type the file name stays in the block unflagged: the type alone is opened.
    std::uint32_t flags = m_oneShot.ruleW();
    flags |= m_deviceType == dtAutoSelect ? MCI_OPEN_ELEMENT : MCI_OPEN_TYPE;
    if (m_shareable)
        flags |= MCI_OPEN_SHAREABLE;
    parms.dwCallback = Handle();
    m_lastError = send(0, MCI_OPEN, flags, &parms);
    if (m_lastError != 0)
        throw EMCIDeviceError(ErrorText());

    m_isOpen = true;
    m_deviceId = static_cast<std::uint16_t>(parms.wDeviceID & 0xFFFF);
    m_stepFrames = static_cast<std::int32_t>(Length() / kStepDivisor);
    queryCapabilities();
    if (m_hasVideo) {
        setDisplay(m_display);
        MCI_WHERE_PARMS where;
        send(m_deviceId, MCI_WHERE, MCI_WHERE_DESTINATION, &where);
        m_displayWidth = where.rc.right - where.rc.left;
        m_displayHeight = where.rc.bottom - where.rc.top;
    }
    if (m_deviceType == dtCDAudio || m_deviceType == dtVideodisc) {
        MCI_SET_PARMS set;
        set.dwCallback = Handle();
        set.dwTimeFormat = MCI_FORMAT_TMSF;
        m_lastError = send(m_deviceId, MCI_SET, MCI_SET_TIME_FORMAT | MCI_NOTIFY, &set);
    }
    m_autoEnabledButtons = {btNext, btPrev};
    if (m_canStep)
        m_autoEnabledButtons.include(btStep).include(btBack);
    if (m_canPlay)
        m_autoEnabledButtons.include(btPlay);
    if (m_canRecord)
        m_autoEnabledButtons.include(btRecord);
    if (m_canEject)
        m_autoEnabledButtons.include(btEject);
    // A shared device may already be playing for someone else.
    if (Mode() == mdPlaying)
        ButtonRule(btPlay);
    RefreshAutoEnabled();
}

void TMediaPlayer::queryCapabilities()
{
    const auto query = [this](std::uint32_t item) {
        MCI_GETDEVCAPS_PARMS parms;
        parms.dwItem = item;
        send(m_deviceId, MCI_GETDEVCAPS, MCI_GETDEVCAPS_ITEM | MCI_WAIT, &parms);
        return parms.dwReturn;
    };
    m_canPlay = (query(MCI_GETDEVCAPS_CAN_PLAY) & 0xFF) != 0;
    m_canRecord = (query(MCI_GETDEVCAPS_CAN_RECORD) & 0xFF) != 0;
    m_canEject = (query(MCI_GETDEVCAPS_CAN_EJECT) & 0xFF) != 0;
    m_hasVideo = (query(MCI_GETDEVCAPS_HAS_VIDEO) & 0xFF) != 0;
    const std::uint32_t deviceType = query(MCI_GETDEVCAPS_DEVICE_TYPE);
    m_canStep = false;
    for (const std::uint32_t stepping : kSteppingDeviceTypes)
        m_canStep = m_canStep || deviceType == stepping;

    m_capabilities = {};
    if (m_canStep)
        m_capabilities.include(mpCanStep);
    if (m_canEject)
        m_capabilities.include(mpCanEject);
    if (m_canPlay)
        m_capabilities.include(mpCanPlay);
    if (m_canRecord)
        m_capabilities.include(mpCanRecord);
    if (m_hasVideo)
        m_capabilities.include(mpUsesWindow);

    // A device without video answers this with an error, which the mode query of Open overwrites.
    MCI_WHERE_PARMS where;
    m_lastError = send(m_deviceId, MCI_WHERE, MCI_WHERE_SOURCE, &where);
    m_displayWidth = where.rc.right - where.rc.left;
    m_displayHeight = where.rc.bottom - where.rc.top;
}

void TMediaPlayer::Close()
{
    if (m_deviceId == 0)
        return;
    MCI_GENERIC_PARMS parms;
    const std::uint32_t flags = m_oneShot.ruleW();
    parms.dwCallback = Handle();
    m_lastError = send(m_deviceId, MCI_CLOSE, flags, &parms);
    if (m_lastError != 0)
        return;
    m_isOpen = false;
    m_deviceId = 0;
    m_autoEnabledButtons = {};
    RefreshAutoEnabled();
}

void TMediaPlayer::Play()
{
    requireOpen();
    if (m_autoRewind) {
        const std::uint32_t position = Position();
        const std::uint32_t length = Length();
        if (position == length && !m_oneShot.FromArmed() && !m_oneShot.ToArmed())
            Rewind();
    }
    MCI_PLAY_PARMS parms;
    const std::uint32_t flags = m_oneShot.ruleN(parms.dwFrom, parms.dwTo);
    parms.dwCallback = Handle();
    m_lastError = send(m_deviceId, MCI_PLAY, flags, &parms);
}

void TMediaPlayer::Stop()
{
    requireOpen();
    MCI_GENERIC_PARMS parms;
    const std::uint32_t flags = m_oneShot.ruleW();
    parms.dwCallback = Handle();
    m_lastError = send(m_deviceId, MCI_STOP, flags, &parms);
}

void TMediaPlayer::Pause()
{
    requireOpen();
    MCI_GENERIC_PARMS parms;
    const std::uint32_t flags = m_oneShot.ruleW();
    parms.dwCallback = Handle();
    m_lastError = send(m_deviceId, MCI_PAUSE, flags, &parms);
}

void TMediaPlayer::Resume()
{
    requireOpen();
    MCI_GENERIC_PARMS parms;
    parms.dwCallback = Handle();
    m_lastError = send(m_deviceId, MCI_RESUME, m_oneShot.resumeFlags(), &parms);
    if (m_lastError == 0)
        m_oneShot.disarmWaitAndNotify();
    else
        Play(); // a device that cannot resume starts playing instead
}

void TMediaPlayer::PauseOrResume()
{
    requireOpen();
    switch (Mode()) {
    case mdPlaying: Pause(); break;
    case mdPaused: Resume(); break;
    default: break;
    }
}

void TMediaPlayer::StartRecording()
{
    requireOpen();
    MCI_RECORD_PARMS parms;
    const std::uint32_t flags = m_oneShot.ruleN(parms.dwFrom, parms.dwTo);
    parms.dwCallback = Handle();
    m_lastError = send(m_deviceId, MCI_RECORD, flags, &parms);
}

void TMediaPlayer::seekOrPlayFrom(std::uint32_t target, std::uint32_t flags)
{
    if (Mode() == mdPlaying) {
        setFrom(target);
        Play();
        // The auto-enable step after a click then applies the rule of Play.
        m_pressedButton = btPlay;
        return;
    }
    MCI_SEEK_PARMS parms;
    parms.dwCallback = Handle();
    parms.dwTo = target;
    m_lastError = send(m_deviceId, MCI_SEEK, flags | MCI_TO, &parms);
}

void TMediaPlayer::Next()
{
    requireOpen();
    if (TimeFormat() == MCI_FORMAT_TMSF) {
        // The rule goes first, so that a Play that follows finds the use-once values spent.
        const std::uint32_t flags = m_oneShot.ruleW();
        std::uint32_t track = tmsfTrack(Position()) + 1;
        const std::uint32_t tracks = Tracks();
        if (track > tracks)
            track = tracks;
        seekOrPlayFrom(TrackPosition(track), flags);
        return;
    }
    MCI_SEEK_PARMS parms;
    const std::uint32_t flags = m_oneShot.ruleW() | MCI_SEEK_TO_END;
    parms.dwCallback = Handle();
    m_lastError = send(m_deviceId, MCI_SEEK, flags, &parms);
}

void TMediaPlayer::Previous()
{
    requireOpen();
    if (TimeFormat() == MCI_FORMAT_TMSF) {
        const std::uint32_t flags = m_oneShot.ruleW();
        const std::uint32_t position = Position();
        const std::uint32_t track = tmsfTrack(position);
        std::uint32_t target = TrackPosition(track);
        // Near the start of a track (same minute and second) the previous track is meant.
        if (track > 1 && tmsfMinute(position) == tmsfMinute(target) && tmsfSecond(position) == tmsfSecond(target))
            target = TrackPosition(track - 1);
        seekOrPlayFrom(target, flags);
        return;
    }
    MCI_SEEK_PARMS parms;
    const std::uint32_t flags = m_oneShot.ruleW() | MCI_SEEK_TO_START;
    parms.dwCallback = Handle();
    m_lastError = send(m_deviceId, MCI_SEEK, flags, &parms);
}

void TMediaPlayer::Step()
{
    requireOpen();
    if (!m_hasVideo)
        return;
    if (m_autoRewind) {
        const std::uint32_t position = Position();
        if (position == Length())
            Rewind();
    }
    MCI_STEP_PARMS parms;
    const std::uint32_t flags = m_oneShot.ruleW() | MCI_STEP_FRAMES;
    parms.dwCallback = Handle();
    parms.dwFrames = static_cast<std::uint32_t>(m_stepFrames);
    m_lastError = send(m_deviceId, MCI_STEP, flags, &parms);
}

void TMediaPlayer::Back()
{
    requireOpen();
    if (!m_hasVideo)
        return;
    MCI_STEP_PARMS parms;
    const std::uint32_t flags = m_oneShot.ruleW() | MCI_STEP_FRAMES | MCI_STEP_REVERSE;
    parms.dwCallback = Handle();
    parms.dwFrames = static_cast<std::uint32_t>(m_stepFrames);
    m_lastError = send(m_deviceId, MCI_STEP, flags, &parms);
}

void TMediaPlayer::Eject()
{
    requireOpen();
    if (!m_canEject)
        return;
    MCI_SET_PARMS parms;
    const std::uint32_t flags = m_oneShot.ruleW() | MCI_SET_DOOR_OPEN;
    parms.dwCallback = Handle();
    m_lastError = send(m_deviceId, MCI_SET, flags, &parms);
}

void TMediaPlayer::Rewind()
{
    requireOpen();
    MCI_SEEK_PARMS parms;
    send(m_deviceId, MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, &parms);
}

std::uint32_t TMediaPlayer::Length()
{
    requireOpen();
    return status(MCI_STATUS_LENGTH, true);
}

std::uint32_t TMediaPlayer::Position() { return status(MCI_STATUS_POSITION, true); }

std::uint32_t TMediaPlayer::Tracks()
{
    requireOpen();
    return status(MCI_STATUS_NUMBER_OF_TRACKS, true);
}

std::uint32_t TMediaPlayer::TimeFormat()
{
    requireOpen();
    return status(MCI_STATUS_TIME_FORMAT, true);
}

std::uint32_t TMediaPlayer::TrackPosition(std::uint32_t track)
{
    MCI_STATUS_PARMS parms;
    parms.dwItem = MCI_STATUS_POSITION;
    parms.dwTrack = track;
    send(m_deviceId, MCI_STATUS, MCI_STATUS_ITEM | MCI_TRACK | MCI_WAIT, &parms);
    return static_cast<std::uint32_t>(parms.dwReturn);
}

TMPMode TMediaPlayer::Mode()
{
    MCI_STATUS_PARMS parms;
    parms.dwItem = MCI_STATUS_MODE;
    m_lastError = send(m_deviceId, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &parms);
    // An unanswered query leaves the field unfilled; it must never read as playing,
    // or a caller would wait for a sound that does not exist.
    if (m_lastError != 0 || parms.dwReturn < MCI_MODE_NOT_READY || parms.dwReturn > MCI_MODE_OPEN)
        return mdNotReady;
    return static_cast<TMPMode>(parms.dwReturn - MCI_MODE_NOT_READY);
}

std::string TMediaPlayer::ErrorText()
{
    std::array<char, kErrorTextBufferSize> buffer{};
    if (!m_port.getErrorString(m_lastError, buffer.data(), kErrorTextBufferSize))
        return kUnknownErrorMessage;
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

void TMediaPlayer::runDefaultAction(TMPBtnType button)
{
    switch (button) {
    case btPlay: Play(); break;
    case btPause: PauseOrResume(); break;
    case btStop: Stop(); break;
    case btNext: Next(); break;
    case btPrev: Previous(); break;
    case btStep: Step(); break;
    case btBack: Back(); break;
    case btRecord: StartRecording(); break;
    case btEject: Eject(); break;
    }
}

void TMediaPlayer::RunButton()
{
    bool doDefault = true;
    DoClick(m_pressedButton, doDefault);
    if (!doDefault)
        return;
    runDefaultAction(m_pressedButton);
    DoPostClick(m_pressedButton);
}
