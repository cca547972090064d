#include "tests/e2e/main_window_rig.h"

#include "app/jpeg_image.h"
#include "platform/ui/check_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/image.h"
#include "platform/ui/memo.h"
#include "platform/ui/speed_button.h"
#include "player/media_player.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

namespace e2e {

namespace {

// Frames the running clock pulls at a time, and how long it rests between:
// about five times real speed, so that a click's waiting Play ends soon.
constexpr std::size_t kClockStep = 8;
constexpr auto kClockRest = std::chrono::microseconds(1500);
// Frames pulled at a time while a test plays a sound to its end; the
// made-up sounds are far shorter than the limit below.
constexpr std::size_t kPlayStep = 50;
constexpr int kMostSteps = 400;

} // namespace

class MainWindowRig::PaintCounter : public QObject {
public:
    PaintCounter(QObject* parent, int& count) : QObject(parent), m_count(count) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++m_count;
        return QObject::eventFilter(watched, event);
    }

private:
    int& m_count;
};

RunningClock::RunningClock(mci::FakeAudioOutput& output)
    : m_thread([this, &output] {
          while (!m_stop.load()) {
              output.advance(kClockStep);
              std::this_thread::sleep_for(kClockRest);
          }
      })
{}

RunningClock::~RunningClock()
{
    m_stop.store(true);
    m_thread.join();
}

MainWindowRig::MainWindowRig()
{
    TForm::setMainForm(&main);
    main.setCompanions(&help, nullptr);
    m_paintCounter = new PaintCounter(main.Image1, m_paints);
    main.Image1->installEventFilter(m_paintCounter);
}

MainWindowRig::~MainWindowRig() { TForm::setMainForm(nullptr); }

void MainWindowRig::start()
{
    main.Show();
    deliver();
}

void MainWindowRig::startOn(const ContentFolder& folder)
{
    start();
    chooseFolder(folder.markerFile());
    clickWelcome();
    playToEnd();
    dialogs.reset();
    output.clearPlayed();
}

void MainWindowRig::clickButton(QWidget* button)
{
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
    deliver();
}

void MainWindowRig::chooseFolder(const QString& markerFile)
{
    dialogs.queueChoice(markerFile);
    clickButton(main.btnDir);
}

void MainWindowRig::cancelFolderChoice()
{
    dialogs.queueCancel();
    clickButton(main.btnDir);
}

void MainWindowRig::type(const QString& character)
{
    // The key code a keyboard sends with the character: its capital's code
    // for letters, the character's own code for the rest.
    const QString upper = character.toUpper();
    const auto key = static_cast<Qt::Key>(upper.at(0).unicode());
    const bool shifted = character != character.toLower() || QStringLiteral("<>:{}~\"").contains(character);
    QTest::sendKeyEvent(QTest::Click, main.Memo1, key, character, shifted ? Qt::ShiftModifier : Qt::NoModifier);
    deliver();
}

void MainWindowRig::clickWelcome() { clickButton(main.SpeedButton3); }
void MainWindowRig::clickSound() { clickButton(main.cbSound); }
void MainWindowRig::clickHelp() { clickButton(main.SpeedButton1); }

void MainWindowRig::clickRepeat()
{
    {
        RunningClock clock(output);
        QTest::mouseClick(main.MediaPlayer1, Qt::LeftButton, Qt::NoModifier, main.MediaPlayer1->rect().center());
    }
    deliver();
}

void MainWindowRig::play(int frames)
{
    output.advance(static_cast<std::size_t>(frames));
    deliver();
}

void MainWindowRig::playToEnd()
{
    for (int step = 0; step < kMostSteps && soundPlaying(); ++step)
        output.advance(kPlayStep);
    deliver();
}

void MainWindowRig::deliver()
{
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

int MainWindowRig::heard(std::int16_t level) const
{
    const std::vector<std::int16_t> samples = output.played();
    return static_cast<int>(std::count(samples.begin(), samples.end(), level));
}

bool MainWindowRig::soundPlaying() const
{
    if (!main.MediaPlayer1->IsOpen())
        return false;
    MCI_STATUS_PARMS status;
    status.dwItem = MCI_STATUS_MODE;
    if (mciSendCommand(main.MediaPlayer1->DeviceId(), MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &status) != 0)
        return false;
    return status.dwReturn == MCI_MODE_PLAY;
}

int MainWindowRig::soundPosition() const
{
    if (!main.MediaPlayer1->IsOpen())
        return -1;
    MCI_STATUS_PARMS status;
    status.dwItem = MCI_STATUS_POSITION;
    if (mciSendCommand(main.MediaPlayer1->DeviceId(), MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &status) != 0)
        return -1;
    return static_cast<int>(status.dwReturn);
}

QStringList MainWindowRig::lines() const { return main.Memo1->Lines(); }

namespace {
QByteArray jpegData(const TImage& image)
{
    const auto* jpeg = dynamic_cast<const TJPEGImage*>(image.Picture().Graphic());
    return jpeg ? jpeg->Data() : QByteArray();
}
} // namespace

QByteArray MainWindowRig::pictureData() const { return jpegData(*main.Image1); }
QByteArray MainWindowRig::fallbackData() const { return jpegData(*main.Image2); }

QColor MainWindowRig::paintedCentre()
{
    main.repaint();
    const QImage shot = main.Image1->grab().toImage();
    return shot.pixelColor(shot.width() / 2, shot.height() / 2);
}

bool MainWindowRig::repeatVisible() const { return main.MediaPlayer1->isVisible(); }

QString MainWindowRig::folderText() const { return main.eDataFolder->Text(); }

bool closeColours(const QColor& a, const QColor& b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance;
}

} // namespace e2e
