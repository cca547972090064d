// The media control interface: our stand-in for the operating system's command
// interface to sound devices. One entry point takes a device identifier, a
// command number, a flags word and a parameter block, and returns an error
// code (0 = success). Completion is reported by posting MM_MCINOTIFY to the
// window handle given as callback. It knows nothing of the program above it.
#pragma once

#include "platform/messages/window_handle.h"

#include <cstdint>

using MCIDEVICEID = std::uint32_t;
using MCIERROR = std::uint32_t;

// Commands.
constexpr unsigned MCI_OPEN = 0x0803;
constexpr unsigned MCI_CLOSE = 0x0804;
constexpr unsigned MCI_PLAY = 0x0806;
constexpr unsigned MCI_SEEK = 0x0807;
constexpr unsigned MCI_STOP = 0x0808;
constexpr unsigned MCI_PAUSE = 0x0809;
constexpr unsigned MCI_GETDEVCAPS = 0x080B;
constexpr unsigned MCI_SET = 0x080D;
constexpr unsigned MCI_STEP = 0x080E;
constexpr unsigned MCI_RECORD = 0x080F;
constexpr unsigned MCI_STATUS = 0x0814;
constexpr unsigned MCI_WINDOW = 0x0841;
constexpr unsigned MCI_WHERE = 0x0843;
constexpr unsigned MCI_RESUME = 0x0855;

// Flags common to all commands.
constexpr std::uint32_t MCI_NOTIFY = 0x00000001;
constexpr std::uint32_t MCI_WAIT = 0x00000002;
constexpr std::uint32_t MCI_FROM = 0x00000004;
constexpr std::uint32_t MCI_TO = 0x00000008;
constexpr std::uint32_t MCI_TRACK = 0x00000010;
// Flags of particular commands.
constexpr std::uint32_t MCI_OPEN_SHAREABLE = 0x00000100;
constexpr std::uint32_t MCI_OPEN_ELEMENT = 0x00000200;
constexpr std::uint32_t MCI_OPEN_TYPE = 0x00002000;
constexpr std::uint32_t MCI_SEEK_TO_START = 0x00000100;
constexpr std::uint32_t MCI_SEEK_TO_END = 0x00000200;
constexpr std::uint32_t MCI_STATUS_ITEM = 0x00000100;
constexpr std::uint32_t MCI_GETDEVCAPS_ITEM = 0x00000100;
constexpr std::uint32_t MCI_SET_DOOR_OPEN = 0x00000100;
constexpr std::uint32_t MCI_SET_TIME_FORMAT = 0x00000400;
constexpr std::uint32_t MCI_STEP_FRAMES = 0x00020000;
constexpr std::uint32_t MCI_STEP_REVERSE = 0x00010000;
constexpr std::uint32_t MCI_WHERE_SOURCE = 0x00020000;
constexpr std::uint32_t MCI_WHERE_DESTINATION = 0x00040000;
constexpr std::uint32_t MCI_WINDOW_HWND = 0x00010000;

// Status items.
constexpr std::uint32_t MCI_STATUS_LENGTH = 1;
constexpr std::uint32_t MCI_STATUS_POSITION = 2;
constexpr std::uint32_t MCI_STATUS_NUMBER_OF_TRACKS = 3;
constexpr std::uint32_t MCI_STATUS_MODE = 4;
constexpr std::uint32_t MCI_STATUS_TIME_FORMAT = 6;

// Capability items.
constexpr std::uint32_t MCI_GETDEVCAPS_CAN_RECORD = 1;
constexpr std::uint32_t MCI_GETDEVCAPS_HAS_VIDEO = 3;
constexpr std::uint32_t MCI_GETDEVCAPS_DEVICE_TYPE = 4;
constexpr std::uint32_t MCI_GETDEVCAPS_CAN_EJECT = 7;
constexpr std::uint32_t MCI_GETDEVCAPS_CAN_PLAY = 8;

// Device types as the capability query reports them.
constexpr std::uint32_t MCI_DEVTYPE_VCR = 513;
constexpr std::uint32_t MCI_DEVTYPE_VIDEODISC = 514;
constexpr std::uint32_t MCI_DEVTYPE_OVERLAY = 515;
constexpr std::uint32_t MCI_DEVTYPE_CD_AUDIO = 516;
constexpr std::uint32_t MCI_DEVTYPE_DAT = 517;
constexpr std::uint32_t MCI_DEVTYPE_SCANNER = 518;
constexpr std::uint32_t MCI_DEVTYPE_ANIMATION = 519;
constexpr std::uint32_t MCI_DEVTYPE_DIGITAL_VIDEO = 520;
constexpr std::uint32_t MCI_DEVTYPE_OTHER = 521;
constexpr std::uint32_t MCI_DEVTYPE_WAVEFORM_AUDIO = 522;
constexpr std::uint32_t MCI_DEVTYPE_SEQUENCER = 523;

// Modes reported by MCI_STATUS_MODE.
constexpr std::uint32_t MCI_MODE_NOT_READY = 524;
constexpr std::uint32_t MCI_MODE_STOP = 525;
constexpr std::uint32_t MCI_MODE_PLAY = 526;
constexpr std::uint32_t MCI_MODE_RECORD = 527;
constexpr std::uint32_t MCI_MODE_SEEK = 528;
constexpr std::uint32_t MCI_MODE_PAUSE = 529;
constexpr std::uint32_t MCI_MODE_OPEN = 530;

// Time formats.
constexpr std::uint32_t MCI_FORMAT_MILLISECONDS = 0;
constexpr std::uint32_t MCI_FORMAT_TMSF = 10;

// The completion message and the codes its WParam carries; LParam is the device.
// Exactly one message is posted for every command sent with MCI_NOTIFY:
// - successful: a Play (or Resume) has handed its last sample to the output; any
//   other command as soon as it has been carried out;
// - superseded: a later command with MCI_NOTIFY came for the same device while
//   this one was pending;
// - aborted: the device was stopped, moved by MCI_SEEK, closed (also by a reopen), or given
//   a Play without MCI_NOTIFY, while this one was pending;
// - failure: the command failed (it returns the error), or the sound output
//   broke down during the play.
// A Play with MCI_WAIT returns when its sound has ended. A wave device has one
// track, counts time in milliseconds, and plays, pauses, resumes (only when
// paused), seeks, stops and closes; it does not record, step, eject or show video.
constexpr unsigned MM_MCINOTIFY = 0x03B9;
constexpr std::uint32_t MCI_NOTIFY_SUCCESSFUL = 1;
constexpr std::uint32_t MCI_NOTIFY_SUPERSEDED = 2;
constexpr std::uint32_t MCI_NOTIFY_ABORTED = 4;
constexpr std::uint32_t MCI_NOTIFY_FAILURE = 8;

// Error codes that mciSendCommand returns; 0 is success. mciGetErrorString
// gives each of them a text of its own.
constexpr MCIERROR MCIERR_BASE = 256;
constexpr MCIERROR MCIERR_INVALID_DEVICE_ID = MCIERR_BASE + 1; // device 0 or no such open device
constexpr MCIERROR MCIERR_UNRECOGNIZED_KEYWORD = MCIERR_BASE + 3; // a flag the command does not take
constexpr MCIERROR MCIERR_UNRECOGNIZED_COMMAND = MCIERR_BASE + 5; // no such command number
constexpr MCIERROR MCIERR_INVALID_DEVICE_NAME = MCIERR_BASE + 7; // a device type other than wave audio
constexpr MCIERROR MCIERR_MISSING_PARAMETER = MCIERR_BASE + 17; // e.g. a status query without its item
constexpr MCIERROR MCIERR_UNSUPPORTED_FUNCTION = MCIERR_BASE + 18; // the wave audio device cannot do this
constexpr MCIERROR MCIERR_FILE_NOT_FOUND = MCIERR_BASE + 19; // the element names no file
constexpr MCIERROR MCIERR_OUTOFRANGE = MCIERR_BASE + 26; // a position beyond the sound
constexpr MCIERROR MCIERR_FLAGS_NOT_COMPATIBLE = MCIERR_BASE + 28; // flags that exclude each other
constexpr MCIERROR MCIERR_BAD_TIME_FORMAT = MCIERR_BASE + 37; // a time format other than milliseconds
constexpr MCIERROR MCIERR_INVALID_FILE = MCIERR_BASE + 40; // not a playable WAV, or damaged
constexpr MCIERROR MCIERR_NULL_PARAMETER_BLOCK = MCIERR_BASE + 41; // the command needs a block
constexpr MCIERROR MCIERR_NONAPPLICABLE_FUNCTION = MCIERR_BASE + 46; // e.g. resume while not paused
constexpr MCIERROR MCIERR_FILENAME_REQUIRED = MCIERR_BASE + 48; // open without a file name
constexpr MCIERROR MCIERR_FILE_READ = MCIERR_BASE + 92; // the file exists but cannot be read
// Codes of our own wave audio device.
constexpr MCIERROR MCIERR_CUSTOM_DRIVER_BASE = MCIERR_BASE + 256;
constexpr MCIERROR MCIERR_NO_SOUND_OUTPUT = MCIERR_CUSTOM_DRIVER_BASE + 1; // play: no output could be opened
constexpr MCIERROR MCIERR_SOUND_OUTPUT_FAILED = MCIERR_CUSTOM_DRIVER_BASE + 2; // play with wait: output broke off
constexpr MCIERROR MCIERR_SOUND_TOO_LARGE = MCIERR_CUSTOM_DRIVER_BASE + 3; // open: beyond the memory bound
constexpr MCIERROR MCIERR_TOO_MANY_DEVICES = MCIERR_CUSTOM_DRIVER_BASE + 4; // open: every identifier is in use

// Parameter blocks. Every block starts with the callback window handle.
struct MCI_GENERIC_PARMS {
    HWND dwCallback = 0;
};
struct MCI_OPEN_PARMS {
    HWND dwCallback = 0;
    MCIDEVICEID wDeviceID = 0; // out: the identifier of the opened device
    const char* lpstrDeviceType = nullptr;
    const char* lpstrElementName = nullptr; // UTF-8 file name
    const char* lpstrAlias = nullptr;
};
struct MCI_PLAY_PARMS {
    HWND dwCallback = 0;
    std::uint32_t dwFrom = 0;
    std::uint32_t dwTo = 0;
};
struct MCI_RECORD_PARMS {
    HWND dwCallback = 0;
    std::uint32_t dwFrom = 0;
    std::uint32_t dwTo = 0;
};
struct MCI_SEEK_PARMS {
    HWND dwCallback = 0;
    std::uint32_t dwTo = 0;
};
struct MCI_STATUS_PARMS {
    HWND dwCallback = 0;
    std::uintptr_t dwReturn = 0;
    std::uint32_t dwItem = 0;
    std::uint32_t dwTrack = 0;
};
struct MCI_GETDEVCAPS_PARMS {
    HWND dwCallback = 0;
    std::uint32_t dwReturn = 0;
    std::uint32_t dwItem = 0;
};
struct MCI_SET_PARMS {
    HWND dwCallback = 0;
    std::uint32_t dwTimeFormat = 0;
    std::uint32_t dwAudio = 0;
};
struct MCI_STEP_PARMS {
    HWND dwCallback = 0;
    std::uint32_t dwFrames = 0;
};
struct MCI_RECT {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};
struct MCI_WHERE_PARMS {
    HWND dwCallback = 0;
    MCI_RECT rc;
};
struct MCI_WINDOW_PARMS {
    HWND dwCallback = 0;
    HWND hWnd = 0;
    std::uint32_t nCmdShow = 0;
    const char* lpstrText = nullptr;
};

// The one entry point. `params` points to the block that belongs to the command.
// It may be called from any thread. A failed command with MCI_NOTIFY still posts
// one notification, MCI_NOTIFY_FAILURE. A failed status query never leaves a
// stale value in dwReturn: it holds MCI_MODE_NOT_READY for MCI_STATUS_MODE, else 0.
MCIERROR mciSendCommand(MCIDEVICEID device, unsigned command, std::uint32_t flags, void* params);
// The text for an error code, cut to fit `size` bytes with its terminator; false for an unknown code.
bool mciGetErrorString(MCIERROR error, char* buffer, unsigned size);

// The narrow port through which a player control talks to the media layer, so
// that tests can record the exact commands a control sends.
class MciPort {
public:
    virtual ~MciPort() = default;
    virtual MCIERROR sendCommand(MCIDEVICEID device, unsigned command, std::uint32_t flags, void* params) = 0;
    virtual bool getErrorString(MCIERROR error, char* buffer, unsigned size) = 0;
};

// The port that goes to the real media layer above.
MciPort& systemMciPort();
