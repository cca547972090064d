#include "tests/platform/mci/mci_test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <fstream>

namespace mcitest {

std::vector<std::uint8_t> le16(const std::vector<std::int16_t>& samples)
{
    std::vector<std::uint8_t> out;
    for (const std::int16_t s : samples) {
        out.push_back(static_cast<std::uint8_t>(s));
        out.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(s) >> 8));
    }
    return out;
}

std::vector<std::uint8_t> pcm16Wav(const std::vector<std::int16_t>& samples, std::uint32_t rate, std::uint16_t channels)
{
    WavFormat format;
    format.rate = rate;
    format.channels = channels;
    return wavBytes(format, le16(samples));
}

std::vector<std::int16_t> ramp(std::size_t count, int step)
{
    std::vector<std::int16_t> out(count);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = static_cast<std::int16_t>((static_cast<int>(i % 3000) + 1) * step);
    return out;
}

std::string Files::path(const std::string& name) const
{
    return QDir(m_dir.path()).filePath(QString::fromStdString(name)).toStdString();
}

std::string Files::write(const std::string& name, const std::vector<std::uint8_t>& bytes)
{
    const std::string full = path(name);
    std::ofstream out(full, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return full;
}

HWND NotifyReceiver::handle() { return windowhandle::handleOf(this); }

std::vector<std::uint32_t> NotifyReceiver::take()
{
    QCoreApplication::sendPostedEvents(this);
    std::vector<std::uint32_t> codes;
    for (; m_taken < received.size(); ++m_taken)
        if (received[m_taken].Msg == MM_MCINOTIFY)
            codes.push_back(static_cast<std::uint32_t>(received[m_taken].WParam));
    return codes;
}

std::vector<MCIDEVICEID> NotifyReceiver::devices() const
{
    std::vector<MCIDEVICEID> devices;
    for (const TMessage& message : received)
        if (message.Msg == MM_MCINOTIFY)
            devices.push_back(static_cast<MCIDEVICEID>(message.LParam));
    return devices;
}

MciTest::MciTest(mci::AudioFormat format) : m_output(format) {}

MCIDEVICEID MciTest::openFile(const std::string& path)
{
    MCI_OPEN_PARMS open;
    open.lpstrElementName = path.c_str();
    const MCIERROR error = mciSendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_ELEMENT, &open);
    EXPECT_EQ(error, 0u) << path;
    EXPECT_NE(open.wDeviceID, 0u);
    return open.wDeviceID;
}

MCIDEVICEID MciTest::openRamp(std::size_t frames)
{
    const mci::AudioFormat format = m_output.format();
    std::vector<std::int16_t> samples;
    for (const std::int16_t s : ramp(frames))
        samples.insert(samples.end(), static_cast<std::size_t>(format.channels), s);
    return openFile(m_files.write(
        "ramp.wav",
        pcm16Wav(samples, static_cast<std::uint32_t>(format.rate), static_cast<std::uint16_t>(format.channels))));
}

MCIERROR MciTest::play(MCIDEVICEID device, std::uint32_t flags, std::uint32_t from, std::uint32_t to)
{
    MCI_PLAY_PARMS parms;
    parms.dwCallback = m_receiver.handle();
    parms.dwFrom = from;
    parms.dwTo = to;
    return mciSendCommand(device, MCI_PLAY, flags, &parms);
}

MCIERROR MciTest::command(MCIDEVICEID device, unsigned command, std::uint32_t flags)
{
    MCI_GENERIC_PARMS parms;
    parms.dwCallback = m_receiver.handle();
    return mciSendCommand(device, command, flags, &parms);
}

std::uintptr_t MciTest::status(MCIDEVICEID device, std::uint32_t item)
{
    MCI_STATUS_PARMS parms;
    parms.dwItem = item;
    EXPECT_EQ(mciSendCommand(device, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &parms), 0u);
    return parms.dwReturn;
}

} // namespace mcitest
