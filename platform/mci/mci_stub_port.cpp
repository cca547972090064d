// Temporary stand-in for the media layer's port until that layer is built in:
// a weak definition that the real one replaces. Every command fails with
// "device not installed", so a player on it can never open anything.
#include "platform/mci/mci.h"

#include <cstdio>

namespace {

// The media interface's code for a device type it has no driver for.
constexpr MCIERROR DeviceNotInstalled = 256 + 50;

class UnavailableMciPort final : public MciPort {
public:
    MCIERROR sendCommand(MCIDEVICEID, unsigned, std::uint32_t, void*) override { return DeviceNotInstalled; }
    bool getErrorString(MCIERROR error, char* buffer, unsigned size) override
    {
        if (error != DeviceNotInstalled || size == 0)
            return false;
        std::snprintf(buffer, size, "%s", "The media layer is not available in this build");
        return true;
    }
};

} // namespace

__attribute__((weak)) MciPort& systemMciPort()
{
    static UnavailableMciPort port;
    return port;
}
