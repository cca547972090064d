#include "bench/program/key_runs.h"

#include "app/application.h"
#include "app/jpeg_image.h"
#include "app/scripted_dialogs.h"
#include "app/user_dialogs.h"
#include "platform/mci/mci_testing.h"
#include "platform/ui/image.h"
#include "platform/ui/memo.h"
#include "player/media_player.h"
#include "windows/help.h"
#include "windows/main.h"
#include "windows/prg_about.h"

#include <QCoreApplication>
#include <QIcon>
#include <QKeyEvent>
#include <atomic>
#include <thread>
#include <time.h>

namespace bench {

namespace {

// In letter order; typed as a child with a Russian layout types them.
const QString kSmallLetters = QStringLiteral("абвгдеёжзийклмнопрстуфхцчшщъыьэюя");
// Far longer than any start of a sound; only keeps a broken build from hanging.
constexpr auto kSoundPatience = std::chrono::seconds(3);
constexpr auto kPollRest = std::chrono::microseconds(50);
constexpr int kMostRounds = 1000;

double threadProcessorMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

void deliver()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

bool pageDrawn(const TfmMain& main)
{
    const auto* jpeg = dynamic_cast<const TJPEGImage*>(main.Image1->Picture().Graphic());
    const QStringList lines = main.Memo1->Lines();
    return jpeg && jpeg->Decoded() && !lines.isEmpty() && lines.first() != QStringLiteral("Invalid text data!");
}

} // namespace

void runKeys(TApplication& app, int rounds, KeyFigures& figures)
{
    ScriptedDialogs dialogs;
    UserDialogsOverride dialogsScope(dialogs);
    std::atomic<long long> firstSample{0};
    mci::setFirstSampleObserver(
        [&firstSample](MCIDEVICEID, Clock::time_point when) { firstSample.store(when.time_since_epoch().count()); });

    // As main.cpp and the frame's Run do it.
    app.setWindowIcon(QIcon(QStringLiteral(":/windows/resources/icon/MAINICON.ico")));
    auto* main = app.CreateForm<TfmMain>();
    auto* about = app.CreateForm<TfmPrgAbout>();
    auto* help = app.CreateForm<TfmHelp>();
    main->setCompanions(help, about);
    PaintCounter counter;
    main->Image1->installEventFilter(&counter);
    main->Show();
    for (int i = 0; i < kMostRounds && counter.paints == 0; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    figures.residentAfterStart = residentMiB();
    if (counter.paints == 0 || main->Memo1->Lines().value(0) == QStringLiteral("Invalid welcome text data!"))
        figures.trouble.insert("the welcome page was not drawn at start");

    const auto stopSound = [&] {
        if (main->MediaPlayer1->IsOpen())
            main->MediaPlayer1->Stop();
        deliver();
    };
    stopSound();
    figures.rounds = rounds;
    for (int round = 1; round <= rounds; ++round) {
        for (const QChar letter : kSmallLetters) {
            const QString text(letter);
            const auto key = static_cast<Qt::Key>(text.toUpper().at(0).unicode());
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
            firstSample.store(0);
            const int paintsBefore = counter.paints;

            const std::uint64_t commandsBefore = mci::commandsReceived();
            const std::uint64_t decodesBefore = mci::soundFilesDecoded();
            const double processorBefore = threadProcessorMs();
            const Clock::time_point typed = Clock::now();
            QCoreApplication::sendEvent(main->Memo1, &press);
            QCoreApplication::sendEvent(main->Memo1, &release);
            main->repaint();
            const Clock::time_point painted = Clock::now();
            figures.pageProcessor.add(threadProcessorMs() - processorBefore);
            figures.mediaCommands += mci::commandsReceived() - commandsBefore;
            figures.soundDecodes += mci::soundFilesDecoded() - decodesBefore;

            ++figures.keys;
            if (counter.paints == paintsBefore || !pageDrawn(*main))
                figures.trouble.insert("a key showed no page");
            figures.page.add(milliseconds(painted - typed));
            const Clock::time_point deadline = Clock::now() + kSoundPatience;
            while (firstSample.load() == 0 && Clock::now() < deadline)
                std::this_thread::sleep_for(kPollRest);
            if (const long long heard = firstSample.load())
                figures.sound.add(milliseconds(Clock::time_point(Clock::duration(heard)) - typed));
            else
                figures.trouble.insert("a sound never started");
            stopSound();
        }
        if (round == 1)
            figures.residentAfterFirstRound = residentMiB();
    }
    figures.residentAfterLastRound = residentMiB();
    mci::setFirstSampleObserver({});
    if (dialogs.beeps() != 0 || !dialogs.errorBoxes().empty())
        figures.trouble.insert(format("%d beeps and %zu error boxes", dialogs.beeps(), dialogs.errorBoxes().size()));
}

} // namespace bench
