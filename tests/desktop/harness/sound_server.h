// The sound server of a desktop session, private to the suite: PipeWire with
// its session manager and its PulseAudio service, on the session's runtime
// folder and bus. On a machine without a sound card it offers one null sink,
// "auto_null", whose monitor the suite records. It can be killed and started
// again while a program plays, as a crash and a restart would do.
#pragma once

#include "tests/desktop/harness/child_process.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace desktop {

class SoundServer {
public:
    SoundServer(const std::filesystem::path& runtimeFolder, const std::string& sessionBusAddress,
                const std::filesystem::path& logFolder);
    ~SoundServer();
    SoundServer(const SoundServer&) = delete;
    SoundServer& operator=(const SoundServer&) = delete;

    // Starts the three daemons and waits until the null sink takes a stream.
    void start();
    // PipeWire alone, without its session manager and its PulseAudio service:
    // a server that carries no sound, as one kept for screen sharing does.
    void startWithoutOutputs();
    // Ends them at once (SIGKILL), as a crash would.
    void kill();
    bool runningNow() const { return !m_daemons.empty(); }
    // The environment its clients need.
    Environment clientEnvironment() const;

private:
    bool tryStart();
    bool startPipeWire();
    void launch(const char* daemon);
    bool sinkReady() const;

    std::filesystem::path m_runtimeFolder;
    std::string m_busAddress;
    std::filesystem::path m_logFolder;
    std::vector<std::unique_ptr<ChildProcess>> m_daemons;
    bool m_withOutputs = false;
};

} // namespace desktop
