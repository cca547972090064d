#include "platform/mci/media_layer.h"

#include "platform/mci/sdl_audio_output.h"
#include "platform/mci/wav_decoder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <strings.h>

namespace mci {

namespace {

// The player keeps device identifiers in 16 bits, so they stay below this;
// an identifier is taken again only after every other one has been used.
constexpr MCIDEVICEID kMaxDeviceId = 0xFFFF;
// A Play that waits looks at the output this often, so that a lost output ends the wait.
constexpr std::chrono::milliseconds kWaitPollInterval{100};
// The one device type there is.
constexpr const char* kWaveAudioType = "waveaudio";

constexpr std::uint32_t kCommonFlags = MCI_NOTIFY | MCI_WAIT;
constexpr std::uint32_t kOpenFlags = kCommonFlags | MCI_OPEN_SHAREABLE | MCI_OPEN_ELEMENT | MCI_OPEN_TYPE;
constexpr std::uint32_t kPlayFlags = kCommonFlags | MCI_FROM | MCI_TO;
constexpr std::uint32_t kSeekFlags = kCommonFlags | MCI_TO | MCI_SEEK_TO_START | MCI_SEEK_TO_END;
constexpr std::uint32_t kStatusFlags = kCommonFlags | MCI_STATUS_ITEM | MCI_TRACK;
constexpr std::uint32_t kCapabilityFlags = kCommonFlags | MCI_GETDEVCAPS_ITEM;
constexpr std::uint32_t kSetFlags = kCommonFlags | MCI_SET_TIME_FORMAT;

// Every parameter block starts with the callback window handle.
HWND callbackOf(const void* params)
{
    HWND callback = 0;
    if (params)
        std::memcpy(&callback, params, sizeof callback);
    return callback;
}

} // namespace

MediaLayer& MediaLayer::instance()
{
    static MediaLayer layer;
    return layer;
}

MediaLayer::MediaLayer() : m_machineOutput(std::make_unique<SdlAudioOutput>())
{
    m_output = m_machineOutput.get();
    // Statics die in reverse order of construction: touching the window-handle
    // table now makes it outlive this layer and the audio thread that posts to it.
    windowhandle::postMessage(0, TMessage{});
}

MediaLayer::~MediaLayer()
{
    // The machine's output goes first (its thread is joined), while the devices it
    // pulls from still exist.
    m_machineOutput.reset();
}

void MediaLayer::installOutput(AudioOutput* output)
{
    std::vector<std::unique_ptr<WaveDevice>> closed;
    {
        std::lock_guard outputLock(m_outputMutex);
        Lock lock(m_mutex);
        while (!m_devices.empty())
            closeDevice(m_devices.begin()->first);
        closed = std::move(m_closed);
        m_output = output ? output : m_machineOutput.get();
        m_openOutput = nullptr;
        m_noOutputReported = false;
    }
    m_lastSound.forget(); // decoded for the output that went
}

void MediaLayer::prepareMachineOutput()
{
    std::lock_guard outputLock(m_outputMutex);
    Lock lock(m_mutex);
    if (m_output != m_machineOutput.get() || m_openOutput)
        return;
    setDecodingRules();
    m_machineOutput->prepare();
}

void MediaLayer::setFirstSampleObserver(FirstSampleObserver observer)
{
    Lock lock(m_mutex);
    m_firstSampleObserver = std::move(observer);
}

std::size_t MediaLayer::openDeviceCount() const
{
    Lock lock(m_mutex);
    return m_devices.size();
}

MCIERROR MediaLayer::sendCommand(MCIDEVICEID device, unsigned command, std::uint32_t flags, void* params)
{
    ++m_commandsReceived;
    pollOutput();
    MCIERROR result = 0;
    std::vector<std::unique_ptr<WaveDevice>> closed;
    switch (command) {
    case MCI_OPEN: result = open(flags, params); break;
    case MCI_PLAY:
    case MCI_RESUME: result = play(device, command, flags, params); break;
    case MCI_CLOSE:
    case MCI_STOP:
    case MCI_PAUSE:
    case MCI_SEEK:
    case MCI_STATUS:
    case MCI_GETDEVCAPS:
    case MCI_SET:
    case MCI_STEP:
    case MCI_RECORD:
    case MCI_WHERE:
    case MCI_WINDOW: {
        Lock lock(m_mutex);
        result = deviceCommand(device, command, flags, params);
        closed = std::move(m_closed);
        break;
    }
    default: {
        Lock lock(m_mutex);
        result = finish(flags, params, device, MCIERR_UNRECOGNIZED_COMMAND);
        break;
    }
    }
    if (command == MCI_STATUS && result != 0 && params) {
        // Never leave a stale value for the caller to read, least of all "playing".
        auto* block = static_cast<MCI_STATUS_PARMS*>(params);
        block->dwReturn = block->dwItem == MCI_STATUS_MODE ? MCI_MODE_NOT_READY : 0;
    }
    return result;
}

// ---- notifications -------------------------------------------------------

void MediaLayer::post(HWND callback, std::uint32_t code, MCIDEVICEID device)
{
    if (callback != 0)
        windowhandle::postMessage(callback, TMessage{MM_MCINOTIFY, code, static_cast<std::intptr_t>(device)});
}

void MediaLayer::settlePending(WaveDevice& device, std::uint32_t code)
{
    if (!device.notifyPending)
        return;
    device.notifyPending = false;
    post(device.notifyCallback, code, device.id);
}

void MediaLayer::supersedePending(WaveDevice& device, std::uint32_t flags)
{
    if (flags & MCI_NOTIFY)
        settlePending(device, MCI_NOTIFY_SUPERSEDED);
}

MCIERROR MediaLayer::finish(std::uint32_t flags, void* params, MCIDEVICEID device, MCIERROR error)
{
    if (flags & MCI_NOTIFY)
        post(callbackOf(params), error == 0 ? MCI_NOTIFY_SUCCESSFUL : MCI_NOTIFY_FAILURE, device);
    return error;
}

void MediaLayer::endPlay(WaveDevice& device, PlayEnding ending)
{
    device.mode = MCI_MODE_STOP;
    device.ending = ending;
    switch (ending) {
    case PlayEnding::Finished: settlePending(device, MCI_NOTIFY_SUCCESSFUL); break;
    case PlayEnding::Failed: settlePending(device, MCI_NOTIFY_FAILURE); break;
    case PlayEnding::Stopped:
    case PlayEnding::None: settlePending(device, MCI_NOTIFY_ABORTED); break;
    }
    m_playEnded.notify_all();
}

// ---- the output ----------------------------------------------------------

void MediaLayer::pull(const AudioOutput& output, std::int16_t* samples, std::size_t frames)
{
    const AudioFormat format = output.format();
    std::fill_n(samples, frames * static_cast<std::size_t>(format.channels), std::int16_t{0});
    Lock lock(m_mutex);
    if (&output != m_output)
        return; // an output that has been replaced plays silence
    for (auto& [id, device] : m_devices) {
        if (device->mode != MCI_MODE_PLAY || device->sound->format != format)
            continue;
        const std::size_t mixed = device->mixInto(samples, frames);
        if (mixed > 0 && device->firstSampleDue) {
            device->firstSampleDue = false;
            if (m_firstSampleObserver)
                m_firstSampleObserver(id, std::chrono::steady_clock::now());
        }
        if (device->position >= device->end)
            endPlay(*device, PlayEnding::Finished);
    }
}

void MediaLayer::outputFailed(const AudioOutput& output, const std::string&)
{
    Lock lock(m_mutex);
    if (&output != m_openOutput)
        return;
    m_openOutput = nullptr; // the next Play opens it again
    for (auto& entry : m_devices)
        if (entry.second->mode == MCI_MODE_PLAY)
            endPlay(*entry.second, PlayEnding::Failed);
}

bool MediaLayer::ensureOutput()
{
    std::lock_guard outputLock(m_outputMutex);
    {
        Lock lock(m_mutex);
        if (m_openOutput == m_output)
            return true;
    }
    std::string reason;
    if (m_output->open(*this, reason)) {
        Lock lock(m_mutex);
        m_openOutput = m_output;
        return true;
    }
    if (!m_noOutputReported) {
        m_noOutputReported = true;
        std::fprintf(stderr, "No sound output could be opened, so no sound will be heard: %s\n",
                     reason.empty() ? "no reason given" : reason.c_str());
    }
    return false;
}

void MediaLayer::pollOutput()
{
    std::lock_guard outputLock(m_outputMutex);
    m_output->poll();
}

// ---- devices -------------------------------------------------------------

WaveDevice* MediaLayer::find(MCIDEVICEID device)
{
    const auto found = m_devices.find(device);
    return found == m_devices.end() ? nullptr : found->second.get();
}

void MediaLayer::closeDevice(MCIDEVICEID device)
{
    const auto found = m_devices.find(device);
    if (found == m_devices.end())
        return;
    endPlay(*found->second, PlayEnding::Stopped);
    m_closed.push_back(std::move(found->second));
    m_devices.erase(found);
}

MCIERROR MediaLayer::open(std::uint32_t flags, void* params)
{
    auto* block = static_cast<MCI_OPEN_PARMS*>(params);
    const auto fail = [&](MCIERROR error) {
        Lock lock(m_mutex);
        return finish(flags, params, 0, error);
    };
    if (!block)
        return MCIERR_NULL_PARAMETER_BLOCK;
    if (flags & ~kOpenFlags)
        return fail(MCIERR_UNRECOGNIZED_KEYWORD);
    if ((flags & MCI_OPEN_TYPE) && (!block->lpstrDeviceType || strcasecmp(block->lpstrDeviceType, kWaveAudioType) != 0))
        return fail(MCIERR_INVALID_DEVICE_NAME);
    if (!(flags & MCI_OPEN_ELEMENT) || !block->lpstrElementName || !*block->lpstrElementName)
        return fail(MCIERR_FILENAME_REQUIRED);

    AudioFormat format;
    {
        std::lock_guard outputLock(m_outputMutex);
        format = m_output->format();
    }
    // Examined before anything is reused, so that a file that vanished or
    // cannot be read any more fails as it did when it was first decoded.
    SoundFile file;
    if (const MCIERROR error = file.open(block->lpstrElementName))
        return fail(error);
    LastDecodedSound::Origin origin{block->lpstrElementName, format, file.stamp()};
    std::shared_ptr<const DecodedSound> sound = m_lastSound.reuse(origin);
    if (!sound) {
        // Decoded without the lock, so that the audio thread plays on meanwhile.
        auto decoded = std::make_shared<DecodedSound>();
        ++m_soundFilesDecoded;
        if (const MCIERROR error = file.decode(format, *decoded))
            return fail(error);
        sound = decoded;
        m_lastSound.keep(std::move(origin), sound, file.openedAtNs());
    }

    Lock lock(m_mutex);
    if (m_devices.size() >= kMaxDeviceId)
        return finish(flags, params, 0, MCIERR_TOO_MANY_DEVICES);
    MCIDEVICEID id = m_lastId;
    do
        id = id % kMaxDeviceId + 1;
    while (m_devices.contains(id));
    m_lastId = id;
    m_devices.emplace(id, std::make_unique<WaveDevice>(id, std::move(sound)));
    block->wDeviceID = id;
    return finish(flags, params, id, 0);
}

MCIERROR MediaLayer::checkPlay(MCIDEVICEID id, unsigned command, std::uint32_t flags, void* params, PlayRange& range)
{
    WaveDevice* device = find(id);
    if (!device)
        return MCIERR_INVALID_DEVICE_ID;
    if (flags & ~(command == MCI_PLAY ? kPlayFlags : kCommonFlags))
        return MCIERR_UNRECOGNIZED_KEYWORD;
    if (command == MCI_RESUME) {
        if (device->mode != MCI_MODE_PAUSE)
            return MCIERR_NONAPPLICABLE_FUNCTION;
        range = {device->position, device->end};
        return 0;
    }
    const auto* block = static_cast<const MCI_PLAY_PARMS*>(params);
    if ((flags & (MCI_FROM | MCI_TO)) && !block)
        return MCIERR_NULL_PARAMETER_BLOCK;
    const std::uint32_t length = device->lengthMs();
    if (((flags & MCI_FROM) && block->dwFrom > length) || ((flags & MCI_TO) && block->dwTo > length))
        return MCIERR_OUTOFRANGE;
    range.from = (flags & MCI_FROM) ? device->frameAt(block->dwFrom) : device->position;
    range.to = (flags & MCI_TO) ? device->frameAt(block->dwTo) : device->frames();
    if (range.to < range.from)
        return MCIERR_OUTOFRANGE;
    return 0;
}

MCIERROR MediaLayer::play(MCIDEVICEID id, unsigned command, std::uint32_t flags, void* params)
{
    Lock lock(m_mutex);
    if ((flags & MCI_NOTIFY) && !params)
        return MCIERR_NULL_PARAMETER_BLOCK;
    PlayRange range;
    if (const MCIERROR error = checkPlay(id, command, flags, params, range))
        return finish(flags, params, id, error);
    lock.unlock();
    // The output is opened when it is first needed, so that a machine without
    // sound can still open (and query) every sound; it is tried again at every Play.
    const bool haveOutput = ensureOutput();
    lock.lock();
    if (!haveOutput)
        return finish(flags, params, id, MCIERR_NO_SOUND_OUTPUT);
    // Another thread may have changed the device while the lock was released.
    if (const MCIERROR error = checkPlay(id, command, flags, params, range))
        return finish(flags, params, id, error);

    WaveDevice& device = *find(id);
    // The earlier play's notification: a new request supersedes it; a Play
    // without one still replaces that play, which is then aborted.
    settlePending(device, (flags & MCI_NOTIFY) ? MCI_NOTIFY_SUPERSEDED : MCI_NOTIFY_ABORTED);
    device.position = range.from;
    device.end = range.to;
    device.ending = PlayEnding::None;
    device.firstSampleDue = true;
    const std::uint64_t serial = ++device.playSerial;
    if (flags & MCI_NOTIFY) {
        device.notifyPending = true;
        device.notifyCallback = callbackOf(params);
    }
    if (device.position >= device.end)
        endPlay(device, PlayEnding::Finished); // nothing to play: done at once
    else
        device.mode = MCI_MODE_PLAY;
    if (flags & MCI_WAIT)
        return waitForPlay(lock, id, serial);
    return 0;
}

MCIERROR MediaLayer::waitForPlay(Lock& lock, MCIDEVICEID id, std::uint64_t serial)
{
    const auto stillPlaying = [&] {
        const WaveDevice* device = find(id);
        return device && device->playSerial == serial && device->mode != MCI_MODE_STOP;
    };
    while (stillPlaying()) {
        if (m_playEnded.wait_for(lock, kWaitPollInterval, [&] { return !stillPlaying(); }))
            break;
        lock.unlock();
        pollOutput();
        lock.lock();
    }
    const WaveDevice* device = find(id);
    if (device && device->playSerial == serial && device->ending == PlayEnding::Failed)
        return MCIERR_SOUND_OUTPUT_FAILED;
    return 0;
}

MCIERROR MediaLayer::deviceCommand(MCIDEVICEID id, unsigned command, std::uint32_t flags, void* params)
{
    if ((flags & MCI_NOTIFY) && !params)
        return MCIERR_NULL_PARAMETER_BLOCK;
    WaveDevice* device = find(id);
    if (!device)
        return finish(flags, params, id, MCIERR_INVALID_DEVICE_ID);

    switch (command) {
    case MCI_CLOSE:
        if (flags & ~kCommonFlags)
            return finish(flags, params, id, MCIERR_UNRECOGNIZED_KEYWORD);
        closeDevice(id);
        return finish(flags, params, id, 0);
    case MCI_STOP:
        if (flags & ~kCommonFlags)
            return finish(flags, params, id, MCIERR_UNRECOGNIZED_KEYWORD);
        if (device->mode != MCI_MODE_STOP)
            endPlay(*device, PlayEnding::Stopped);
        return finish(flags, params, id, 0);
    case MCI_PAUSE:
        if (flags & ~kCommonFlags)
            return finish(flags, params, id, MCIERR_UNRECOGNIZED_KEYWORD);
        supersedePending(*device, flags);
        if (device->mode == MCI_MODE_PLAY)
            device->mode = MCI_MODE_PAUSE;
        return finish(flags, params, id, 0);
    case MCI_SEEK: return finish(flags, params, id, seek(*device, flags, params));
    case MCI_STATUS: return finish(flags, params, id, status(*device, flags, params));
    case MCI_GETDEVCAPS: {
        const MCIERROR error = capability(flags, params);
        if (error == 0)
            supersedePending(*device, flags);
        return finish(flags, params, id, error);
    }
    case MCI_SET: {
        const MCIERROR error = set(flags, params);
        if (error == 0)
            supersedePending(*device, flags);
        return finish(flags, params, id, error);
    }
    default: // stepping, recording and video windows: a wave audio device has none
        return finish(flags, params, id, MCIERR_UNSUPPORTED_FUNCTION);
    }
}

MCIERROR MediaLayer::seek(WaveDevice& device, std::uint32_t flags, void* params)
{
    if (flags & ~kSeekFlags)
        return MCIERR_UNRECOGNIZED_KEYWORD;
    const std::uint32_t targets = flags & (MCI_TO | MCI_SEEK_TO_START | MCI_SEEK_TO_END);
    if (targets == 0)
        return MCIERR_MISSING_PARAMETER;
    if (targets & (targets - 1))
        return MCIERR_FLAGS_NOT_COMPATIBLE;
    const auto* block = static_cast<const MCI_SEEK_PARMS*>(params);
    if ((flags & MCI_TO) && !block)
        return MCIERR_NULL_PARAMETER_BLOCK;
    if ((flags & MCI_TO) && block->dwTo > device.lengthMs())
        return MCIERR_OUTOFRANGE;
    // Seeking stops a play, whose notification is then aborted.
    if (device.mode != MCI_MODE_STOP)
        endPlay(device, PlayEnding::Stopped);
    device.position = (flags & MCI_SEEK_TO_START) ? 0
        : (flags & MCI_SEEK_TO_END)               ? device.frames()
                                                  : device.frameAt(block->dwTo);
    return 0;
}

MCIERROR MediaLayer::status(WaveDevice& device, std::uint32_t flags, void* params)
{
    if (flags & ~kStatusFlags)
        return MCIERR_UNRECOGNIZED_KEYWORD;
    auto* block = static_cast<MCI_STATUS_PARMS*>(params);
    if (!block)
        return MCIERR_NULL_PARAMETER_BLOCK;
    if (!(flags & MCI_STATUS_ITEM))
        return MCIERR_MISSING_PARAMETER;
    const bool track = flags & MCI_TRACK;
    if (track && block->dwTrack != 1)
        return MCIERR_OUTOFRANGE; // the one track is number 1
    std::uintptr_t value = 0;
    switch (block->dwItem) {
    case MCI_STATUS_MODE: value = device.mode; break;
    case MCI_STATUS_LENGTH: value = device.lengthMs(); break;
    case MCI_STATUS_POSITION:
        value = track ? 0 : device.positionMs(); // the start of the track, or where playing stands
        break;
    case MCI_STATUS_NUMBER_OF_TRACKS: value = 1; break;
    case MCI_STATUS_TIME_FORMAT: value = MCI_FORMAT_MILLISECONDS; break;
    default: return MCIERR_UNSUPPORTED_FUNCTION;
    }
    supersedePending(device, flags);
    block->dwReturn = value;
    return 0;
}

MCIERROR MediaLayer::capability(std::uint32_t flags, void* params)
{
    if (flags & ~kCapabilityFlags)
        return MCIERR_UNRECOGNIZED_KEYWORD;
    auto* block = static_cast<MCI_GETDEVCAPS_PARMS*>(params);
    if (!block)
        return MCIERR_NULL_PARAMETER_BLOCK;
    if (!(flags & MCI_GETDEVCAPS_ITEM))
        return MCIERR_MISSING_PARAMETER;
    switch (block->dwItem) {
    case MCI_GETDEVCAPS_CAN_PLAY: block->dwReturn = 1; return 0;
    case MCI_GETDEVCAPS_CAN_RECORD:
    case MCI_GETDEVCAPS_CAN_EJECT:
    case MCI_GETDEVCAPS_HAS_VIDEO: block->dwReturn = 0; return 0;
    case MCI_GETDEVCAPS_DEVICE_TYPE: block->dwReturn = MCI_DEVTYPE_WAVEFORM_AUDIO; return 0;
    default: return MCIERR_UNSUPPORTED_FUNCTION;
    }
}

MCIERROR MediaLayer::set(std::uint32_t flags, void* params)
{
    // The door and the audio and video switches are not there on a wave device.
    if (flags & ~kSetFlags)
        return MCIERR_UNSUPPORTED_FUNCTION;
    if (!(flags & MCI_SET_TIME_FORMAT))
        return MCIERR_MISSING_PARAMETER;
    const auto* block = static_cast<const MCI_SET_PARMS*>(params);
    if (!block)
        return MCIERR_NULL_PARAMETER_BLOCK;
    return block->dwTimeFormat == MCI_FORMAT_MILLISECONDS ? 0 : MCIERR_BAD_TIME_FORMAT;
}

} // namespace mci
