#include "tools/check/sound_check.h"

#include "app/core/path_encoding.h"
#include "app/error_box.h"
#include "app/file_services.h"
#include "platform/mci/mci.h"

#include <QByteArray>

namespace {

// Longer than any text the media layer gives an error.
constexpr unsigned kErrorTextBytes = 256;
constexpr double kMillisecondsPerSecond = 1000.0;

// An open device, closed with the scope.
class OpenSound {
public:
    explicit OpenSound(MCIDEVICEID device) : m_device(device) {}
    ~OpenSound()
    {
        MCI_GENERIC_PARMS close;
        mciSendCommand(m_device, MCI_CLOSE, MCI_WAIT, &close);
    }
    OpenSound(const OpenSound&) = delete;
    OpenSound& operator=(const OpenSound&) = delete;

    MCIDEVICEID device() const { return m_device; }

private:
    MCIDEVICEID m_device;
};

QString errorText(MCIERROR error)
{
    char text[kErrorTextBytes] = {};
    if (!mciGetErrorString(error, text, sizeof text))
        return QStringLiteral("Unknown error code");
    return QString::fromUtf8(text);
}

} // namespace

FileCheck checkSoundFile(const QString& path)
{
    FileCheck check;
    if (!FileIsPresent(path)) {
        check.report(CheckStatus::Missing, QStringLiteral("missing: a beep instead, and no repeat button"));
        return check;
    }
    // The player hands the media layer the file's own bytes, with no device type.
    const QByteArray element = pathBytes(path);
    MCI_OPEN_PARMS open;
    open.lpstrElementName = element.constData();
    if (const MCIERROR error = mciSendCommand(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, &open)) {
        check.report(CheckStatus::Failed,
                     QStringLiteral("error box \"%1\" when the page loads").arg(withFinalPeriod(errorText(error))));
        return check;
    }
    const OpenSound sound(open.wDeviceID);
    MCI_STATUS_PARMS status;
    status.dwItem = MCI_STATUS_LENGTH;
    if (const MCIERROR error = mciSendCommand(sound.device(), MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &status)) {
        check.report(CheckStatus::Failed, QStringLiteral("its length cannot be read: %1").arg(errorText(error)));
        return check;
    }
    const auto milliseconds = static_cast<std::uint32_t>(status.dwReturn);
    check.value = QStringLiteral("%1 s").arg(milliseconds / kMillisecondsPerSecond, 0, 'f', 2);
    if (milliseconds == 0)
        check.report(CheckStatus::Warning, QStringLiteral("holds no sound: nothing is heard"));
    return check;
}
