// One timed start of the program, run by tolvika_bench as a process of its
// own. It starts exactly as main.cpp does (the application frame, the three
// windows, the main window shown by the event loop) and watches the events
// the frame dispatches: when the event within which Image1 was painted for
// the first time has been handled in full (the whole window drawn, its
// picture decoded), it prints the monotonic clock's time then and at the
// start of main(), the processor time it has used, its resident set size and
// whether the welcome page was what was drawn, and ends.
#include "app/application.h"
#include "app/jpeg_image.h"
#include "app/program_start.h"
#include "app/scripted_dialogs.h"
#include "app/user_dialogs.h"
#include "platform/ui/image.h"
#include "platform/ui/memo.h"
#include "windows/help.h"
#include "windows/main.h"
#include "windows/prg_about.h"

#include "bench/program/figures.h"

#include <QFile>
#include <QIcon>
#include <cstdio>
#include <time.h>

namespace {

long long nanoseconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// When main() began: the dynamic loader and the static initialisers are done.
long long g_mainEntered = 0;

class StartProbe : public TApplication {
public:
    using TApplication::TApplication;

    void watch(TfmMain* main) { m_main = main; }

    bool notify(QObject* receiver, QEvent* event) override
    {
        if (m_main && !m_reported && event->type() == QEvent::Paint && receiver == m_main->Image1)
            m_imagePainted = true;
        ++m_depth;
        const bool result = TApplication::notify(receiver, event);
        --m_depth;
        if (m_imagePainted && m_depth == 0 && !m_reported) {
            m_reported = true;
            report();
            quit();
        }
        return result;
    }

private:
    void report() const
    {
        const long long painted = nanoseconds(CLOCK_MONOTONIC);
        const long long processor = nanoseconds(CLOCK_PROCESS_CPUTIME_ID);
        const double rss = bench::residentMiB();
        std::printf("painted_ns=%lld main_ns=%lld cpu_ns=%lld rss_mib=%.2f welcome=%d\n", painted, g_mainEntered,
                    processor, rss, welcomeDrawn() ? 1 : 0);
        std::fflush(stdout);
    }

    // The welcome page's text in the text area and its picture, decoded, in Image1.
    bool welcomeDrawn() const
    {
        const auto* jpeg = dynamic_cast<const TJPEGImage*>(m_main->Image1->Picture().Graphic());
        QFile picture(m_main->browser().DataFolder() + QStringLiteral("Main/welcome_img.jpg"));
        if (!jpeg || !jpeg->Decoded() || jpeg->Bitmap().isNull() || !picture.open(QIODevice::ReadOnly))
            return false;
        return jpeg->Data() == picture.readAll() && !m_main->Memo1->Lines().isEmpty()
            && m_main->Memo1->Lines().first() != QStringLiteral("Invalid welcome text data!");
    }

    TfmMain* m_main = nullptr;
    int m_depth = 0;
    bool m_imagePainted = false;
    bool m_reported = false;
};

} // namespace

int main(int, char** argv)
{
    g_mainEntered = nanoseconds(CLOCK_MONOTONIC);
    StartProbe app(QString::fromLocal8Bit(argv[0]));
    // A box would wait for a person; a start that needs one is not measured.
    ScriptedDialogs dialogs;
    UserDialogsOverride dialogsScope(dialogs);
    app.setWindowIcon(QIcon(QStringLiteral(":/windows/resources/icon/MAINICON.ico")));
    const int code = RunProgram(app, [&app](TApplication& application) {
        auto* main = application.CreateForm<TfmMain>();
        auto* about = application.CreateForm<TfmPrgAbout>();
        auto* help = application.CreateForm<TfmHelp>();
        main->setCompanions(help, about);
        app.watch(main);
    });
    if (!dialogs.errorBoxes().empty() || dialogs.beeps() != 0)
        std::printf("boxes=%zu beeps=%d\n", dialogs.errorBoxes().size(), dialogs.beeps());
    return code;
}
