// The entry points of the media control interface, the port the player control
// talks through, and the testing hooks; all of them hand over to the one
// MediaLayer of the process.
#include "platform/mci/mci.h"

#include "platform/mci/mci_testing.h"
#include "platform/mci/media_layer.h"

MCIERROR mciSendCommand(MCIDEVICEID device, unsigned command, std::uint32_t flags, void* params)
{
    return mci::MediaLayer::instance().sendCommand(device, command, flags, params);
}

namespace {

class SystemMciPort final : public MciPort {
public:
    MCIERROR sendCommand(MCIDEVICEID device, unsigned command, std::uint32_t flags, void* params) override
    {
        return mciSendCommand(device, command, flags, params);
    }
    bool getErrorString(MCIERROR error, char* buffer, unsigned size) override
    {
        return mciGetErrorString(error, buffer, size);
    }
};

} // namespace

MciPort& systemMciPort()
{
    static SystemMciPort port;
    return port;
}

namespace mci {

void setAudioOutputForTesting(AudioOutput* output) { MediaLayer::instance().installOutput(output); }

void setFirstSampleObserver(FirstSampleObserver observer)
{
    MediaLayer::instance().setFirstSampleObserver(std::move(observer));
}

std::size_t openDeviceCount() { return MediaLayer::instance().openDeviceCount(); }

std::uint64_t commandsReceived() { return MediaLayer::instance().commandsReceived(); }

std::uint64_t soundFilesDecoded() { return MediaLayer::instance().soundFilesDecoded(); }

} // namespace mci
