// Hostile pictures in a data folder: a letter's picture that would keep the
// program busy for minutes, or that would fill its memory, is refused with one
// error box at once; the program stays small and the next key shows its page.
#include "tests/desktop/harness/desktop_session.h"
#include "tests/desktop/harness/letters.h"
#include "tests/desktop/harness/suite_folder.h"
#include "tests/desktop/harness/tolvika_run.h"
#include "tests/desktop/harness/waiting.h"

#include "app/jpeg_image.h"
#include "tests/support/jpeg_encoding.h"

#include <QFile>
#include <QImage>
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace desktop {
namespace {

// The whole case for a picture that might hang the program: long enough for
// a loaded machine to show a box and a page, far shorter than the hang.
constexpr auto kHangBound = 20s;
// A page after a key, on a program that is not stuck.
constexpr auto kPagePatience = 5s;
// The picture file far beyond anything the program should read whole.
constexpr qint64 kHugePictureBytes = qint64{2} << 30;
// The program's memory, resident or at its peak: Qt, the fonts and the
// accessibility bridge take well under half of it.
constexpr qint64 kSmallMemoryKiB = 200 * 1024;

// One "Vm..." line of a process's status, in KiB; -1 when it cannot be read.
qint64 memoryKiB(pid_t pid, const std::string& field)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0)
            return std::stoll(line.substr(field.size() + 1));
    return -1;
}

// A real progressive picture of a camera's size: every scan, even an empty
// one, is a pass over its 4.3 million pixels.
QByteArray largeProgressivePicture()
{
    QImage image(2400, 1800, QImage::Format_RGB888);
    image.fill(QColor(40, 120, 200));
    return testcontent::encodeJpeg(image, {.progressive = true});
}

class HostilePicture : public ::testing::Test {
protected:
    void SetUp() override { m_folder = alphabetFolder(); }

    // Starts the program and waits for the welcome sound to end.
    void start()
    {
        m_run = std::make_unique<TolvikaRun>(LaunchOptions{.data = m_folder->path().toStdString()});
        m_run->mainWindow();
        ASSERT_TRUE(m_run->waitForRepeatControl(true)) << "the welcome sound never ended";
    }

    // Whether exactly one box is on screen by the deadline: asked of the X
    // server only, which answers even while the program is stuck.
    bool oneBoxBy(Clock::time_point deadline)
    {
        const auto patience = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        return waitUntil([&] { return m_run->otherWindows().size() == 1; }, std::max(patience, 0ms));
    }

    // The text of the box's message, as a screen reader reads it.
    QString boxText(const QString& start)
    {
        const auto tree = m_run->controls();
        const Accessible* label = tree
            ? tree->find([&](const Accessible& a) { return a.name.startsWith(start) || a.text.startsWith(start); })
            : nullptr;
        return !label ? QString() : label->name.startsWith(start) ? label->name : label->text;
    }

    // OK closes the box, no other follows, and the next letter shows its page in time.
    void expectNextKeyWorks()
    {
        session().screen().key("Return");
        EXPECT_TRUE(waitUntil([&] { return m_run->otherWindows().empty(); }, kPagePatience));
        session().screen().key(keysymOf(kLetterV));
        EXPECT_TRUE(waitUntil([&] { return m_run->memoText() == pageText(pageIndexOf(kLetterV)); }, kPagePatience))
            << "text area: " << m_run->memoText().toStdString();
        EXPECT_EQ(settled([&] { return m_run->otherWindows().size(); }), 0u);
    }

    std::unique_ptr<testcontent::ContentFolder> m_folder;
    std::unique_ptr<TolvikaRun> m_run;
};

// 200,000 empty scans after a real picture: refused with the program's own
// code at its first painting, instead of minutes of decoding.
TEST_F(HostilePicture, TwoHundredThousandEmptyScans)
{
    m_folder->writeBytes(kLetterB + QStringLiteral("/letter_img.jpg"),
                         testcontent::withEmptyScans(largeProgressivePicture(), 200'000));
    start();
    const auto deadline = Clock::now() + kHangBound;
    session().screen().key(keysymOf(kLetterB));
    ASSERT_TRUE(oneBoxBy(deadline - kPagePatience))
        << "no error box within " << (kHangBound - kPagePatience).count() << " s of the key: the program is busy";
    EXPECT_EQ(boxText(QStringLiteral("JPEG error")),
              QStringLiteral("JPEG error #%1.").arg(TJPEGImage::kTooManyScansCode));
    EXPECT_EQ(settled([&] { return m_run->otherWindows().size(); }), 1u);
    expectNextKeyWorks();
}

// A letter's picture of 2 GiB (a real picture, then a hole of zeros): refused
// before it is read, naming the file, while the program's memory stays small.
TEST_F(HostilePicture, TwoGibibytePictureFile)
{
    start();
    // Made in the running program's folder: a copy would write every zero.
    const QString picture = QString::fromStdString((m_run->dataFolder() / "Б" / "letter_img.jpg").string());
    QFile file(picture);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB888);
    image.fill(Qt::darkGreen);
    ASSERT_GT(file.write(testcontent::encodeJpeg(image)), 0);
    ASSERT_TRUE(file.resize(kHugePictureBytes));
    file.close();

    const auto deadline = Clock::now() + kHangBound;
    session().screen().key(keysymOf(kLetterB));
    const bool boxed = oneBoxBy(deadline - kPagePatience);
    EXPECT_LT(memoryKiB(m_run->pid(), "VmRSS"), kSmallMemoryKiB);
    EXPECT_LT(memoryKiB(m_run->pid(), "VmHWM"), kSmallMemoryKiB) << "the memory it took at its peak";
    ASSERT_TRUE(boxed) << "no error box within " << (kHangBound - kPagePatience).count() << " s of the key";
    EXPECT_EQ(boxText(QStringLiteral("Cannot open file")), QStringLiteral("Cannot open file %1.").arg(picture));
    EXPECT_EQ(settled([&] { return m_run->otherWindows().size(); }), 1u);
    expectNextKeyWorks();
}

} // namespace
} // namespace desktop
