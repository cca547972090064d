// The command surface: status and capability items, the time format, commands
// a wave device does not have, unknown devices, commands and flags, device
// identifiers, and the error texts.
#include "tests/platform/mci/mci_test_support.h"

#include <cstring>
#include <set>

using namespace mcitest;

namespace {

class Commands : public MciTest {};

struct ItemCase {
    std::uint32_t item;
    std::uintptr_t expected;
};

} // namespace

// The status items of a 1.5-second sound, and the capabilities of a wave device.
TEST_F(Commands, StatusAndCapabilityItems)
{
    const MCIDEVICEID device = openRamp(1500);
    for (const ItemCase& c :
         {ItemCase{MCI_STATUS_MODE, MCI_MODE_STOP}, ItemCase{MCI_STATUS_LENGTH, 1500}, ItemCase{MCI_STATUS_POSITION, 0},
          ItemCase{MCI_STATUS_NUMBER_OF_TRACKS, 1}, ItemCase{MCI_STATUS_TIME_FORMAT, MCI_FORMAT_MILLISECONDS}})
        EXPECT_EQ(status(device, c.item), c.expected) << "item " << c.item;

    MCI_STATUS_PARMS query;
    query.dwItem = MCI_STATUS_POSITION;
    query.dwTrack = 1;
    ASSERT_EQ(play(device, MCI_FROM, 700), 0u);
    EXPECT_EQ(mciSendCommand(device, MCI_STATUS, 0x0112, &query), 0u);
    EXPECT_EQ(query.dwReturn, 0u) << "track 1 starts at 0";
    query.dwTrack = 2;
    EXPECT_EQ(mciSendCommand(device, MCI_STATUS, 0x0112, &query), MCIERR_OUTOFRANGE);
    query.dwItem = 99;
    EXPECT_EQ(mciSendCommand(device, MCI_STATUS, 0x0102, &query), MCIERR_UNSUPPORTED_FUNCTION);
    EXPECT_EQ(mciSendCommand(device, MCI_STATUS, MCI_WAIT, &query), MCIERR_MISSING_PARAMETER);
    EXPECT_EQ(mciSendCommand(device, MCI_STATUS, 0x0102, nullptr), MCIERR_NULL_PARAMETER_BLOCK);

    for (const ItemCase& c : {ItemCase{MCI_GETDEVCAPS_CAN_PLAY, 1}, ItemCase{MCI_GETDEVCAPS_CAN_RECORD, 0},
                              ItemCase{MCI_GETDEVCAPS_CAN_EJECT, 0}, ItemCase{MCI_GETDEVCAPS_HAS_VIDEO, 0},
                              ItemCase{MCI_GETDEVCAPS_DEVICE_TYPE, MCI_DEVTYPE_WAVEFORM_AUDIO}}) {
        MCI_GETDEVCAPS_PARMS caps;
        caps.dwItem = c.item;
        caps.dwReturn = 12345;
        EXPECT_EQ(mciSendCommand(device, MCI_GETDEVCAPS, 0x0102, &caps), 0u);
        EXPECT_EQ(caps.dwReturn, c.expected) << "item " << c.item;
    }
    MCI_GETDEVCAPS_PARMS caps;
    caps.dwItem = 42;
    EXPECT_EQ(mciSendCommand(device, MCI_GETDEVCAPS, 0x0102, &caps), MCIERR_UNSUPPORTED_FUNCTION);
    EXPECT_EQ(mciSendCommand(device, MCI_GETDEVCAPS, MCI_WAIT, &caps), MCIERR_MISSING_PARAMETER);
}

// The time format can be set to milliseconds only; a wave device has no door,
// no stepping, no recording and no video window; nothing of it disturbs a play.
TEST_F(Commands, UnsupportedCommandsFailAndChangeNothing)
{
    const MCIDEVICEID device = openRamp(1000);
    ASSERT_EQ(play(device, 0), 0u);
    m_output.advance(10);

    MCI_SET_PARMS set;
    set.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    EXPECT_EQ(mciSendCommand(device, MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, &set), 0u);
    set.dwTimeFormat = MCI_FORMAT_TMSF;
    EXPECT_EQ(mciSendCommand(device, MCI_SET, 0x0401, &set), MCIERR_BAD_TIME_FORMAT);
    EXPECT_EQ(mciSendCommand(device, MCI_SET, MCI_WAIT | MCI_SET_DOOR_OPEN, &set), MCIERR_UNSUPPORTED_FUNCTION);
    EXPECT_EQ(mciSendCommand(device, MCI_SET, MCI_WAIT, &set), MCIERR_MISSING_PARAMETER);

    MCI_STEP_PARMS step;
    step.dwFrames = 100;
    EXPECT_EQ(mciSendCommand(device, MCI_STEP, 0x20002, &step), MCIERR_UNSUPPORTED_FUNCTION);
    EXPECT_EQ(mciSendCommand(device, MCI_STEP, 0x30002, &step), MCIERR_UNSUPPORTED_FUNCTION);
    MCI_RECORD_PARMS record;
    EXPECT_EQ(mciSendCommand(device, MCI_RECORD, MCI_NOTIFY | MCI_FROM, &record), MCIERR_UNSUPPORTED_FUNCTION);
    MCI_WHERE_PARMS where;
    EXPECT_EQ(mciSendCommand(device, MCI_WHERE, MCI_WHERE_SOURCE, &where), MCIERR_UNSUPPORTED_FUNCTION);
    EXPECT_EQ(mciSendCommand(device, MCI_WHERE, MCI_WHERE_DESTINATION, &where), MCIERR_UNSUPPORTED_FUNCTION);
    MCI_WINDOW_PARMS window;
    EXPECT_EQ(mciSendCommand(device, MCI_WINDOW, 0x10002, &window), MCIERR_UNSUPPORTED_FUNCTION);

    EXPECT_EQ(command(device, 0x0999, 0), MCIERR_UNRECOGNIZED_COMMAND);
    EXPECT_EQ(command(device, MCI_STOP, 0x0100), MCIERR_UNRECOGNIZED_KEYWORD);
    EXPECT_EQ(play(device, MCI_TRACK), MCIERR_UNRECOGNIZED_KEYWORD);
    EXPECT_EQ(command(device, MCI_RESUME, MCI_WAIT), MCIERR_NONAPPLICABLE_FUNCTION) << "not paused";
    EXPECT_EQ(mciSendCommand(device, MCI_STOP, MCI_NOTIFY, nullptr), MCIERR_NULL_PARAMETER_BLOCK);

    EXPECT_EQ(mode(device), MCI_MODE_PLAY);
    EXPECT_EQ(position(device), 10u);
}

// Device 0 and identifiers that name no open device are refused by every
// command, and a status query for them never reports playing.
TEST_F(Commands, InvalidDevicesAreRefused)
{
    const MCIDEVICEID open = openRamp(100);
    ASSERT_EQ(play(open, 0), 0u);
    MCIDEVICEID closed = openRamp(100);
    ASSERT_EQ(command(closed, MCI_CLOSE, 0), 0u);

    for (const MCIDEVICEID device : {MCIDEVICEID{0}, closed, MCIDEVICEID{54321}}) {
        for (const unsigned cmd : {MCI_PLAY, MCI_STOP, MCI_PAUSE, MCI_RESUME, MCI_CLOSE, MCI_SEEK, MCI_SET,
                                   MCI_GETDEVCAPS, MCI_STEP, MCI_RECORD, MCI_WHERE, MCI_WINDOW}) {
            MCI_PLAY_PARMS parms; // the largest block any of these reads
            EXPECT_EQ(mciSendCommand(device, cmd, MCI_WAIT, &parms), MCIERR_INVALID_DEVICE_ID)
                << "device " << device << " command " << cmd;
        }
        EXPECT_EQ(mciSendCommand(device, MCI_CLOSE, 0, nullptr), MCIERR_INVALID_DEVICE_ID);
        MCI_STATUS_PARMS query;
        query.dwItem = MCI_STATUS_MODE;
        query.dwReturn = MCI_MODE_PLAY; // a stale "playing" from before
        EXPECT_EQ(mciSendCommand(device, MCI_STATUS, 0x0102, &query), MCIERR_INVALID_DEVICE_ID);
        EXPECT_EQ(query.dwReturn, MCI_MODE_NOT_READY);
        query.dwItem = MCI_STATUS_POSITION;
        query.dwReturn = 777;
        EXPECT_EQ(mciSendCommand(device, MCI_STATUS, 0x0102, &query), MCIERR_INVALID_DEVICE_ID);
        EXPECT_EQ(query.dwReturn, 0u);
    }
    EXPECT_EQ(mode(open), MCI_MODE_PLAY) << "the open device is untouched";

    // With notify, even a refused command reports, as a failure.
    EXPECT_EQ(command(0, MCI_STOP, MCI_NOTIFY), MCIERR_INVALID_DEVICE_ID);
    EXPECT_EQ(m_receiver.take(), std::vector<std::uint32_t>{MCI_NOTIFY_FAILURE});
}

// Identifiers are never 0, never taken again while their device is open, stay
// within 16 bits for the player, and come round again only after all others.
TEST_F(Commands, DeviceIdentifiersAreNotReused)
{
    const MCIDEVICEID kept = openRamp(1);
    const MCIDEVICEID first = openRamp(1);
    ASSERT_EQ(command(first, MCI_CLOSE, 0), 0u);
    const MCIDEVICEID second = openRamp(1);
    EXPECT_NE(second, first);
    EXPECT_NE(second, kept);
    ASSERT_EQ(command(second, MCI_CLOSE, 0), 0u);

    const std::string path = m_files.path("ramp.wav");
    std::set<MCIDEVICEID> seen;
    bool wrapped = false;
    for (int i = 0; i < 0x10000; ++i) {
        MCI_OPEN_PARMS open;
        open.lpstrElementName = path.c_str();
        ASSERT_EQ(mciSendCommand(0, MCI_OPEN, MCI_OPEN_ELEMENT, &open), 0u);
        ASSERT_NE(open.wDeviceID, 0u);
        ASSERT_NE(open.wDeviceID, kept);
        ASSERT_LE(open.wDeviceID, 0xFFFFu);
        wrapped = wrapped || !seen.insert(open.wDeviceID).second;
        ASSERT_EQ(mciSendCommand(open.wDeviceID, MCI_CLOSE, 0, nullptr), 0u);
    }
    EXPECT_TRUE(wrapped) << "65536 opens must come round";
    EXPECT_EQ(mode(kept), MCI_MODE_STOP);
}

// Installing another output closes every device and aborts what they owed.
TEST_F(Commands, ChangingTheOutputClosesEveryDevice)
{
    const MCIDEVICEID device = openRamp(100);
    ASSERT_EQ(play(device, MCI_NOTIFY), 0u);
    mci::FakeAudioOutput other;
    {
        mci::ScopedAudioOutputForTesting installed(other);
        EXPECT_EQ(mci::openDeviceCount(), 0u);
        EXPECT_EQ(m_receiver.take(), std::vector<std::uint32_t>{MCI_NOTIFY_ABORTED});
    }
    mci::setAudioOutputForTesting(&m_output);
}

// The port that the player talks through reaches the same layer.
TEST_F(Commands, SystemPortForwardsToTheLayer)
{
    const MCIDEVICEID device = openRamp(100);
    MciPort& port = systemMciPort();
    MCI_STATUS_PARMS query;
    query.dwItem = MCI_STATUS_LENGTH;
    EXPECT_EQ(port.sendCommand(device, MCI_STATUS, 0x0102, &query), 0u);
    EXPECT_EQ(query.dwReturn, 100u);
    char text[64];
    EXPECT_TRUE(port.getErrorString(MCIERR_FILE_NOT_FOUND, text, sizeof text));
    EXPECT_STREQ(text, "The sound file could not be found.");
}

// Every code the layer returns has its own sentence; texts are cut to the
// buffer with their terminator; an unknown code gives false.
TEST(MciErrorText, EveryCodeHasItsOwnTextCutToTheBuffer)
{
    const MCIERROR codes[] = {MCIERR_INVALID_DEVICE_ID,      MCIERR_UNRECOGNIZED_KEYWORD, MCIERR_UNRECOGNIZED_COMMAND,
                              MCIERR_INVALID_DEVICE_NAME,    MCIERR_MISSING_PARAMETER,    MCIERR_UNSUPPORTED_FUNCTION,
                              MCIERR_FILE_NOT_FOUND,         MCIERR_OUTOFRANGE,           MCIERR_FLAGS_NOT_COMPATIBLE,
                              MCIERR_BAD_TIME_FORMAT,        MCIERR_INVALID_FILE,         MCIERR_NULL_PARAMETER_BLOCK,
                              MCIERR_NONAPPLICABLE_FUNCTION, MCIERR_FILENAME_REQUIRED,    MCIERR_FILE_READ,
                              MCIERR_NO_SOUND_OUTPUT,        MCIERR_SOUND_OUTPUT_FAILED,  MCIERR_SOUND_TOO_LARGE,
                              MCIERR_TOO_MANY_DEVICES};
    std::set<std::string> texts;
    for (const MCIERROR code : codes) {
        char text[4096];
        ASSERT_TRUE(mciGetErrorString(code, text, sizeof text)) << code;
        const std::string s = text;
        EXPECT_GT(s.size(), 10u) << code;
        EXPECT_EQ(s.back(), '.') << code;
        texts.insert(s);
    }
    EXPECT_EQ(texts.size(), std::size(codes));

    char small[11];
    ASSERT_TRUE(mciGetErrorString(MCIERR_FILE_READ, small, sizeof small));
    EXPECT_STREQ(small, "The sound ");
    char one[1] = {'x'};
    EXPECT_TRUE(mciGetErrorString(MCIERR_FILE_READ, one, 1));
    EXPECT_EQ(one[0], '\0');
    char none[8];
    EXPECT_FALSE(mciGetErrorString(12345, none, sizeof none));
    EXPECT_FALSE(mciGetErrorString(MCIERR_FILE_READ, none, 0));
    EXPECT_FALSE(mciGetErrorString(MCIERR_FILE_READ, nullptr, 8));
}
