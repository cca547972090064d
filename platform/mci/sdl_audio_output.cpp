#include "platform/mci/sdl_audio_output.h"

#include <SDL.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <dlfcn.h>

namespace mci {

namespace {

// CD rate and stereo: what nearly every recording and every device can take.
constexpr AudioFormat kOutputFormat{44100, 2};
// About 12 ms at 44.1 kHz: a key press is heard at once, and the callback still has room.
constexpr Uint16 kBufferFrames = 512;
// A device that has not asked for samples for this long is taken as broken, so
// that a Play that waits for its end cannot wait for ever.
constexpr std::chrono::seconds kStallTimeout{5};

std::int64_t nowNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

// The ALSA library writes lines of its own to standard error at every failed
// open; the program reports a missing output itself, once. SDL loads the
// library by name, so the handle taken here is the one SDL uses; it is kept.
void quietAlsa()
{
    static const bool done = [] {
        using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
        void* library = dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL);
        if (!library)
            return true;
        if (auto* setHandler = reinterpret_cast<int (*)(Handler)>(dlsym(library, "snd_lib_error_set_handler")))
            setHandler(&ignoreAlsaMessage);
        return true;
    }();
    (void)done;
}

// SDL's outputs in its own order, but PipeWire first: SDL asks a PipeWire server
// through its PulseAudio service unless told otherwise, which here opens an
// output in about 50 ms instead of about 25, and the first frame waits for the
// welcome sound's output. A hint of default priority gives way to a driver
// named in SDL_AUDIODRIVER, so a user's choice (and a test's) still stands.
constexpr const char* kDriverOrder = "pipewire,pulseaudio,alsa,sndio,dsp";
constexpr const char* kDriversAfterPipeWire = "pulseaudio,alsa,sndio,dsp";

// Set once, before the preparing thread starts: SDL's settings are not guarded
// against two threads. Without the first, SDL would take over SIGINT and
// SIGTERM, and the program could no longer be ended by its desktop or a kill.
void setSdlRules()
{
    static const bool set = [] {
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, kDriverOrder, SDL_HINT_DEFAULT);
        // The name a desktop's volume control shows for the program's sound, as
        // the PulseAudio service takes it; PipeWire's would be "SDL Application".
        SDL_SetHintWithPriority(SDL_HINT_AUDIO_DEVICE_APP_NAME, program_invocation_short_name, SDL_HINT_DEFAULT);
        return true;
    }();
    (void)set;
}

// A PipeWire server that carries no sound (one kept for screen sharing beside a
// PulseAudio server) offers no output; the other outputs are asked then.
bool pipeWireWithoutOutputs()
{
    const char* driver = SDL_GetCurrentAudioDriver();
    return driver && std::strcmp(driver, "pipewire") == 0 && SDL_GetNumAudioDevices(0) == 0;
}

} // namespace

SdlAudioOutput::~SdlAudioOutput()
{
    if (m_prepared.valid()) {
        const Start prepared = m_prepared.get();
        m_device = prepared.device;
        m_subsystemStarted = prepared.subsystemStarted;
    }
    closeDevice();
    if (m_subsystemStarted)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

AudioFormat SdlAudioOutput::format() const { return kOutputFormat; }

void SdlAudioOutput::closeDevice()
{
    if (m_device != 0) {
        SDL_CloseAudioDevice(m_device);
        m_device = 0;
    }
}

bool SdlAudioOutput::open(AudioSource& source, std::string& reason)
{
    closeDevice();
    const Start start = takeStart();
    m_subsystemStarted = start.subsystemStarted;
    if (start.device == 0) {
        reason = start.reason;
        // The next try (at the next Play) starts the subsystem afresh, so that it
        // looks for every kind of output again and finds a sound server that has
        // started meanwhile. A try without any output costs a few milliseconds.
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m_subsystemStarted = false;
        return false;
    }
    m_device = start.device;
    m_source = &source;
    m_failureReported = false;
    m_lastCallback.store(nowNanoseconds());
    SDL_PauseAudioDevice(m_device, 0);
    return true;
}

void SdlAudioOutput::prepare()
{
    if (m_prepared.valid() || m_subsystemStarted)
        return;
    setSdlRules();
    m_prepared = std::async(std::launch::async, [this] {
        Start start = startPaused(false);
        // SDL keeps its error text per thread; a thread it did not start must free it itself.
        SDL_TLSCleanup();
        return start;
    });
}

SdlAudioOutput::Start SdlAudioOutput::takeStart()
{
    setSdlRules();
    if (!m_prepared.valid())
        return startPaused(m_subsystemStarted);
    Start prepared = m_prepared.get();
    if (prepared.device != 0)
        return prepared;
    if (prepared.subsystemStarted)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return startPaused(false);
}

SdlAudioOutput::Start SdlAudioOutput::startPaused(bool subsystemStarted)
{
    Start start{.subsystemStarted = subsystemStarted, .device = 0, .reason = {}};
    quietAlsa();
    if (!start.subsystemStarted) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            start.reason = SDL_GetError();
            return start;
        }
        start.subsystemStarted = true;
    }
    if (pipeWireWithoutOutputs() && SDL_AudioInit(kDriversAfterPipeWire) != 0) {
        start.reason = SDL_GetError();
        return start;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = kOutputFormat.rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = static_cast<Uint8>(kOutputFormat.channels);
    wanted.samples = kBufferFrames;
    wanted.callback = &SdlAudioOutput::callback;
    // The callback runs only once open() has unpaused the device and set the source.
    wanted.userdata = this;
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts to whatever the hardware takes, so the
    // decoded sounds always match the format announced above.
    start.device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (start.device == 0) {
        start.reason = SDL_GetError();
        if (start.reason.empty())
            start.reason = "the audio device could not be opened";
    }
    return start;
}

void SdlAudioOutput::poll()
{
    if (m_device == 0 || m_failureReported)
        return;
    const char* why = nullptr;
    if (SDL_GetAudioDeviceStatus(m_device) != SDL_AUDIO_PLAYING)
        why = "the audio device was lost";
    else if (nowNanoseconds() - m_lastCallback.load()
             > std::chrono::duration_cast<std::chrono::nanoseconds>(kStallTimeout).count())
        why = "the audio device stopped asking for samples";
    if (why) {
        m_failureReported = true;
        m_source->outputFailed(*this, why);
    }
}

void SdlAudioOutput::callback(void* self, std::uint8_t* stream, int length)
{
    auto* output = static_cast<SdlAudioOutput*>(self);
    output->m_lastCallback.store(nowNanoseconds());
    const auto frameBytes = static_cast<int>(sizeof(std::int16_t)) * kOutputFormat.channels;
    output->m_source->pull(*output, reinterpret_cast<std::int16_t*>(stream),
                           static_cast<std::size_t>(length / frameBytes));
}

} // namespace mci
