// Measures how long a sound takes to start: the time from MCI_PLAY to the moment
// its first sample is handed to the sound output, over many plays on SDL's dummy
// driver (or the driver named in SDL_AUDIODRIVER), and the time MCI_OPEN takes to
// decode a typical half-second voice recording. Prints figures; asserts nothing.
#include "platform/mci/mci.h"
#include "platform/mci/mci_testing.h"
#include "tests/support/wav_files.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPlays = 50;
// The output's buffer: 512 frames at 44.1 kHz.
constexpr int kBufferMicroseconds = 512 * 1000000 / 44100;
// A letter's voice: half a second of 16-bit mono at 22.05 kHz.
constexpr std::uint32_t kRate = 22050;
constexpr std::uint32_t kFrames = kRate / 2;

QByteArray voiceWav()
{
    QByteArray data;
    for (std::uint32_t i = 0; i < kFrames; ++i) {
        const auto sample = static_cast<std::uint16_t>(static_cast<std::int16_t>((i % 100) * 300 - 15000));
        data.append(static_cast<char>(sample & 0xFF));
        data.append(static_cast<char>(sample >> 8));
    }
    return testcontent::wavFile({.tag = 1, .channels = 1, .rate = kRate, .bits = 16}, data);
}

double milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void report(const char* what, std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    std::printf("%-44s median %8.4f ms   worst %8.4f ms   (%zu runs)\n", what, values[values.size() / 2], values.back(),
                values.size());
}

} // namespace

int main()
{
    setenv("SDL_AUDIODRIVER", "dummy", 0); // a benchmark's choice; the program itself sets nothing

    char folder[] = "/tmp/mci_latency-XXXXXX";
    if (!mkdtemp(folder)) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string path = std::string(folder) + "/voice.wav";
    const QByteArray wav = voiceWav();
    std::ofstream(path, std::ios::binary).write(wav.constData(), wav.size());

    std::mutex mutex;
    std::condition_variable heard;
    MCIDEVICEID firstDevice = 0;
    Clock::time_point firstSample;
    mci::setFirstSampleObserver([&](MCIDEVICEID device, Clock::time_point when) {
        std::lock_guard lock(mutex);
        firstDevice = device;
        firstSample = when;
        heard.notify_all();
    });

    std::mt19937 random(7);
    std::uniform_int_distribution<int> pause(0, 2 * kBufferMicroseconds);
    std::vector<double> opens, calls, starts;
    double firstStart = 0;
    int failures = 0;
    for (int round = 0; round <= kPlays; ++round) {
        MCI_OPEN_PARMS open;
        open.lpstrElementName = path.c_str();
        const Clock::time_point beforeOpen = Clock::now();
        if (mciSendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_ELEMENT, &open) != 0) {
            std::fprintf(stderr, "MCI_OPEN failed\n");
            return 1;
        }
        opens.push_back(milliseconds(Clock::now() - beforeOpen));

        std::unique_lock lock(mutex);
        firstDevice = 0;
        lock.unlock();
        MCI_PLAY_PARMS play;
        const Clock::time_point beforePlay = Clock::now();
        const MCIERROR error = mciSendCommand(open.wDeviceID, MCI_PLAY, 0, &play);
        const Clock::time_point afterPlay = Clock::now();
        if (error != 0) {
            char text[256];
            mciGetErrorString(error, text, sizeof text);
            std::fprintf(stderr, "MCI_PLAY failed: %s\n", text);
            ++failures;
        } else {
            lock.lock();
            heard.wait(lock, [&] { return firstDevice == open.wDeviceID; });
            const double start = milliseconds(firstSample - beforePlay);
            lock.unlock();
            if (round == 0) {
                firstStart = start; // includes opening the sound output
            } else {
                starts.push_back(start);
                calls.push_back(milliseconds(afterPlay - beforePlay));
            }
        }
        mciSendCommand(open.wDeviceID, MCI_STOP, MCI_WAIT, nullptr);
        mciSendCommand(open.wDeviceID, MCI_CLOSE, MCI_WAIT, nullptr);
        // A key press comes at any moment of the output's cycle, not right after a
        // buffer was taken, as it would here without a pause of its own.
        std::this_thread::sleep_for(std::chrono::microseconds(pause(random)));
    }
    mci::setFirstSampleObserver({});
    std::filesystem::remove_all(folder);
    if (failures || starts.empty()) {
        std::fprintf(stderr, "%d plays failed\n", failures);
        return 1;
    }

    std::printf("Sound start on SDL driver \"%s\", 512-frame buffer at 44.1 kHz (%.1f ms a buffer)\n",
                std::getenv("SDL_AUDIODRIVER"), 512 * 1000.0 / 44100);
    std::printf("%-44s %8.4f ms\n", "first MCI_PLAY to first sample (opens output)", firstStart);
    report("MCI_PLAY to first sample handed to output", starts);
    report("MCI_PLAY call itself", calls);
    report("MCI_OPEN of a 0.5 s 22.05 kHz mono WAV", opens);
    return 0;
}
