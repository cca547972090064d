// A media layer for the player's tests: it records every command a player sends
// (device, command, flags and a copy of the parameter fields that matter) and
// answers like one simple wave device, with results a test can script. When
// asked, it also posts the completion messages a real device would post to the
// callback window: superseded when a notifying play is replaced, successful
// when a play that waits has finished, aborted when a notifying play is stopped.
#pragma once

#include "platform/mci/mci.h"

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

struct RecordedCommand {
    MCIDEVICEID device = 0;
    unsigned command = 0;
    std::uint32_t flags = 0;
    HWND callback = 0;
    std::uint32_t item = 0; // status and capability queries
    std::uint32_t track = 0; // status queries
    std::uint32_t from = 0, to = 0; // play, record, seek (to)
    std::uint32_t frames = 0; // step
    std::uint32_t timeFormat = 0; // set
    HWND window = 0; // window
    std::string deviceType, elementName; // open
};

// Codes this fake answers with; the values are the media interface's.
constexpr MCIERROR kFakeInvalidDeviceId = 257;
constexpr MCIERROR kFakeUnsupportedFunction = 274;
constexpr MCIERROR kFakeFileNotFound = 275;

class FakeMciPort : public MciPort {
public:
    FakeMciPort();

    MCIERROR sendCommand(MCIDEVICEID device, unsigned command, std::uint32_t flags, void* params) override;
    bool getErrorString(MCIERROR error, char* buffer, unsigned size) override;

    std::vector<RecordedCommand> commands;
    // Commands of one kind, in order.
    std::vector<RecordedCommand> commandsOf(unsigned command) const;
    // Commands other than status and capability queries: the ones that change something.
    std::vector<RecordedCommand> actions() const;

    // The next results of a command, used up front first; when none is left the device answers itself.
    std::map<unsigned, std::deque<MCIERROR>> scriptedErrors;
    std::map<MCIERROR, std::string> errorTexts;

    // The device.
    MCIDEVICEID nextDeviceId = 1;
    std::uint32_t mode = MCI_MODE_STOP;
    std::uint32_t length = 1000;
    std::uint32_t position = 0;
    std::uint32_t tracks = 1;
    std::uint32_t timeFormat = MCI_FORMAT_MILLISECONDS;
    std::map<std::uint32_t, std::uint32_t> trackStarts;
    std::map<std::uint32_t, std::uint32_t> capabilities; // capability item -> answer
    // When false the device stays in `mode` whatever it is told; when true, plays and stops change it.
    bool followCommands = true;
    bool postNotifications = false;

    // Devices currently open.
    std::vector<MCIDEVICEID> open;

private:
    bool isOpen(MCIDEVICEID device) const;
    void post(HWND window, std::uint32_t code);
    void finishPending(std::uint32_t code);
    HWND m_pendingCallback = 0;
};
