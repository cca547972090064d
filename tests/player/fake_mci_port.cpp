#include "tests/player/fake_mci_port.h"

#include <algorithm>
#include <cstdio>

FakeMciPort::FakeMciPort()
{
    capabilities = {{MCI_GETDEVCAPS_CAN_PLAY, 1},
                    {MCI_GETDEVCAPS_CAN_RECORD, 0},
                    {MCI_GETDEVCAPS_CAN_EJECT, 0},
                    {MCI_GETDEVCAPS_HAS_VIDEO, 0},
                    {MCI_GETDEVCAPS_DEVICE_TYPE, MCI_DEVTYPE_WAVEFORM_AUDIO}};
    errorTexts = {{kFakeInvalidDeviceId, "No such device."},
                  {kFakeUnsupportedFunction, "Not supported by the device."},
                  {kFakeFileNotFound, "File not found."}};
}

std::vector<RecordedCommand> FakeMciPort::commandsOf(unsigned command) const
{
    std::vector<RecordedCommand> found;
    std::copy_if(commands.begin(), commands.end(), std::back_inserter(found),
                 [command](const RecordedCommand& c) { return c.command == command; });
    return found;
}

std::vector<RecordedCommand> FakeMciPort::actions() const
{
    std::vector<RecordedCommand> found;
    std::copy_if(commands.begin(), commands.end(), std::back_inserter(found), [](const RecordedCommand& c) {
        return c.command != MCI_STATUS && c.command != MCI_GETDEVCAPS && c.command != MCI_WHERE;
    });
    return found;
}

bool FakeMciPort::isOpen(MCIDEVICEID device) const { return std::find(open.begin(), open.end(), device) != open.end(); }

void FakeMciPort::post(HWND window, std::uint32_t code)
{
    if (postNotifications && window != 0)
        windowhandle::postMessage(window, {MM_MCINOTIFY, code, 0});
}

void FakeMciPort::finishPending(std::uint32_t code)
{
    if (m_pendingCallback != 0)
        post(m_pendingCallback, code);
    m_pendingCallback = 0;
}

MCIERROR FakeMciPort::sendCommand(MCIDEVICEID device, unsigned command, std::uint32_t flags, void* params)
{
    RecordedCommand record;
    record.device = device;
    record.command = command;
    record.flags = flags;
    switch (command) {
    case MCI_OPEN: {
        const auto* p = static_cast<MCI_OPEN_PARMS*>(params);
        record.callback = p->dwCallback;
        record.deviceType = p->lpstrDeviceType ? p->lpstrDeviceType : "<none>";
        record.elementName = p->lpstrElementName ? p->lpstrElementName : "<none>";
        break;
    }
    case MCI_PLAY:
    case MCI_RECORD: {
        const auto* p = static_cast<MCI_PLAY_PARMS*>(params);
        record.callback = p->dwCallback;
        record.from = p->dwFrom;
        record.to = p->dwTo;
        break;
    }
    case MCI_SEEK:
        record.callback = static_cast<MCI_SEEK_PARMS*>(params)->dwCallback;
        record.to = static_cast<MCI_SEEK_PARMS*>(params)->dwTo;
        break;
    case MCI_STATUS:
        record.callback = static_cast<MCI_STATUS_PARMS*>(params)->dwCallback;
        record.item = static_cast<MCI_STATUS_PARMS*>(params)->dwItem;
        record.track = static_cast<MCI_STATUS_PARMS*>(params)->dwTrack;
        break;
    case MCI_GETDEVCAPS:
        record.callback = static_cast<MCI_GETDEVCAPS_PARMS*>(params)->dwCallback;
        record.item = static_cast<MCI_GETDEVCAPS_PARMS*>(params)->dwItem;
        break;
    case MCI_SET:
        record.callback = static_cast<MCI_SET_PARMS*>(params)->dwCallback;
        record.timeFormat = static_cast<MCI_SET_PARMS*>(params)->dwTimeFormat;
        break;
    case MCI_STEP:
        record.callback = static_cast<MCI_STEP_PARMS*>(params)->dwCallback;
        record.frames = static_cast<MCI_STEP_PARMS*>(params)->dwFrames;
        break;
    case MCI_WINDOW:
        record.callback = static_cast<MCI_WINDOW_PARMS*>(params)->dwCallback;
        record.window = static_cast<MCI_WINDOW_PARMS*>(params)->hWnd;
        break;
    case MCI_WHERE: record.callback = static_cast<MCI_WHERE_PARMS*>(params)->dwCallback; break;
    default: record.callback = static_cast<MCI_GENERIC_PARMS*>(params)->dwCallback; break;
    }
    commands.push_back(record);

    if (auto scripted = scriptedErrors.find(command); scripted != scriptedErrors.end() && !scripted->second.empty()) {
        const MCIERROR error = scripted->second.front();
        scripted->second.pop_front();
        if (error != 0)
            return error;
    }

    if (command == MCI_OPEN) {
        auto* p = static_cast<MCI_OPEN_PARMS*>(params);
        if ((flags & MCI_OPEN_ELEMENT) && (!p->lpstrElementName || !*p->lpstrElementName))
            return kFakeFileNotFound;
        p->wDeviceID = nextDeviceId++;
        open.push_back(p->wDeviceID);
        if (followCommands)
            mode = MCI_MODE_STOP;
        return 0;
    }
    if (!isOpen(device))
        return kFakeInvalidDeviceId;

    switch (command) {
    case MCI_CLOSE:
        finishPending(MCI_NOTIFY_ABORTED);
        open.erase(std::find(open.begin(), open.end(), device));
        return 0;
    case MCI_PLAY:
        finishPending(MCI_NOTIFY_SUPERSEDED);
        if (flags & MCI_WAIT) {
            if (followCommands)
                mode = MCI_MODE_STOP;
            if (flags & MCI_NOTIFY)
                post(record.callback, MCI_NOTIFY_SUCCESSFUL);
        } else {
            if (followCommands)
                mode = MCI_MODE_PLAY;
            if (flags & MCI_NOTIFY)
                m_pendingCallback = record.callback;
        }
        return 0;
    case MCI_STOP:
        finishPending(MCI_NOTIFY_ABORTED);
        if (followCommands)
            mode = MCI_MODE_STOP;
        return 0;
    case MCI_STATUS: {
        auto* p = static_cast<MCI_STATUS_PARMS*>(params);
        switch (p->dwItem) {
        case MCI_STATUS_MODE: p->dwReturn = mode; break;
        case MCI_STATUS_LENGTH: p->dwReturn = length; break;
        case MCI_STATUS_POSITION: p->dwReturn = (flags & MCI_TRACK) ? trackStarts[p->dwTrack] : position; break;
        case MCI_STATUS_NUMBER_OF_TRACKS: p->dwReturn = tracks; break;
        case MCI_STATUS_TIME_FORMAT: p->dwReturn = timeFormat; break;
        default: return kFakeUnsupportedFunction;
        }
        return 0;
    }
    case MCI_GETDEVCAPS: {
        auto* p = static_cast<MCI_GETDEVCAPS_PARMS*>(params);
        p->dwReturn = capabilities[p->dwItem];
        return 0;
    }
    case MCI_WHERE:
    case MCI_WINDOW:
    case MCI_STEP: return capabilities[MCI_GETDEVCAPS_HAS_VIDEO] ? 0 : kFakeUnsupportedFunction;
    default: return 0;
    }
}

bool FakeMciPort::getErrorString(MCIERROR error, char* buffer, unsigned size)
{
    auto found = errorTexts.find(error);
    if (found == errorTexts.end())
        return false;
    std::snprintf(buffer, size, "%s", found->second.c_str());
    return true;
}
