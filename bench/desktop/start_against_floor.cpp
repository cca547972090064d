#include "bench/desktop/start_against_floor.h"

#include "bench/desktop/first_frame.h"
#include "tests/desktop/harness/desktop_session.h"
#include "tests/desktop/harness/tolvika_run.h"
#include "tests/desktop/harness/waiting.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>

namespace bench {

namespace {

using namespace desktop;

// After the window is mapped, long enough for every start-up paint, and well
// before the welcome sound ends and the repeat control appears.
constexpr auto kSettle = 1500ms;
// Lets the sound server and the X server tidy up after a killed program.
constexpr auto kBetweenStarts = 200ms;
// How much more than the toolkit's own start tolvika may take to its first frame.
constexpr double kFloorTarget = 1.2;

// One started program: its process and the moment just before the fork.
class Started {
public:
    virtual ~Started() = default;
    virtual pid_t pid() const = 0;
    virtual Clock::time_point startedAt() const = 0;
    virtual void kill() = 0;
};

class StartedTolvika : public Started {
public:
    StartedTolvika(const std::filesystem::path& data, const std::filesystem::path& executable)
        : m_run(LaunchOptions{.data = data, .focusMainWindow = false, .executable = executable})
    {}
    pid_t pid() const override { return m_run.pid(); }
    Clock::time_point startedAt() const override { return m_run.startedAt(); }
    void kill() override { m_run.kill(); }

private:
    TolvikaRun m_run;
};

class StartedFloor : public Started {
public:
    StartedFloor(const char* executable, const std::filesystem::path& home, const QRect& area)
        : m_startedAt(Clock::now()), m_process(options(executable, home, area))
    {}
    pid_t pid() const override { return m_process.pid(); }
    Clock::time_point startedAt() const override { return m_startedAt; }
    void kill() override { m_process.signal(SIGKILL); }

private:
    static ProcessOptions options(const char* executable, const std::filesystem::path& home, const QRect& area)
    {
        ProcessOptions result({executable, std::to_string(area.x()), std::to_string(area.y()),
                               std::to_string(area.width()), std::to_string(area.height())},
                              session().programEnvironment(home));
        result.workingDirectory = home;
        return result;
    }

    Clock::time_point m_startedAt;
    ChildProcess m_process;
};

// A program's window and its settled look, from a start that is not measured.
struct SettledLook {
    QRect area;
    std::vector<quint32> pixels;
};

void endStart(FrameWatch& watch, Started& started)
{
    const pid_t pid = started.pid();
    started.kill();
    waitUntil([&] { return !watch.anyWindowOf(pid); });
    std::this_thread::sleep_for(kBetweenStarts);
}

SettledLook settledLook(FrameWatch& watch, Started& started)
{
    std::optional<QRect> area;
    if (!waitUntil([&] { return (area = watch.mappedWindowOf(started.pid())).has_value(); }))
        throw std::runtime_error("a program's window did not appear");
    std::this_thread::sleep_for(kSettle);
    SettledLook look{.area = *watch.mappedWindowOf(started.pid()), .pixels = {}};
    look.pixels = watch.pixels(look.area);
    endStart(watch, started);
    return look;
}

void measureOne(FrameWatch& watch, Started& started, const SettledLook& look, StartSeries& series, int& missed)
{
    if (const auto frame = watch.waitForFirstFrame(started.pid(), started.startedAt(), look.area, look.pixels)) {
        series.mapped.add(frame->mapped);
        series.drawn.add(frame->drawn);
        series.processor.add(frame->processor);
    } else {
        ++missed;
    }
    endStart(watch, started);
}

// The value below which the given share of the series lies (nearest rank).
double quantile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[rank];
}

std::string spread(const Series& series)
{
    const std::vector<double>& values = series.values();
    return format("%.1f ms (quartiles %.1f-%.1f, range %.1f-%.1f, %zu starts)", series.median(), quantile(values, 0.25),
                  quantile(values, 0.75), quantile(values, 0), quantile(values, 1), series.count());
}

double ratioOfMedians(const Series& numerator, const Series& denominator)
{
    return denominator.median() > 0 ? numerator.median() / denominator.median() : 0;
}

// One kind of start: how it is made, its settled look, and its figures.
struct Contender {
    std::function<std::unique_ptr<Started>()> start;
    StartSeries& series;
    SettledLook look{};
};

// The bundled DATA folder less some of its welcome page's files.
std::filesystem::path dataWithout(const std::filesystem::path& bundledData, const std::filesystem::path& folder,
                                  std::initializer_list<const char*> welcomeFiles)
{
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder.parent_path());
    copyFolder(bundledData, folder);
    for (const char* file : welcomeFiles)
        std::filesystem::remove(folder / "Main" / file);
    return folder;
}

void printSeries(Table& table, const char* what, const StartSeries& series)
{
    table.note(format("%s: spawn to its first drawn frame", what), spread(series.drawn));
    table.note(format("%s: spawn to its main window mapped", what), spread(series.mapped));
    table.note(format("%s: processor time used by its first drawn frame", what), spread(series.processor));
}

std::string difference(const StartSeries& more, const StartSeries& less)
{
    return format("%.1f ms of first frame, %.1f ms of processor time", more.drawn.median() - less.drawn.median(),
                  more.processor.median() - less.processor.median());
}

} // namespace

void measureStartAgainstFloor(const std::filesystem::path& bundledData, const std::filesystem::path& earlier,
                              int rounds, StartAgainstFloor& figures)
{
    FrameWatch watch(session().server().display());
    const std::filesystem::path home = session().runtimeFolder() / "floor-home";
    std::filesystem::create_directories(home);
    const std::filesystem::path variants = session().runtimeFolder() / "start-variants";
    const std::filesystem::path withoutSound = dataWithout(bundledData, variants / "without-sound",
                                                           {"welcome_sound.wav"});
    const std::filesystem::path withoutWelcome = dataWithout(
        bundledData, variants / "without-welcome", {"welcome_sound.wav", "welcome_img.jpg", "welcome_text.txt"});
    const auto tolvika = [](const std::filesystem::path& data,
                            const std::filesystem::path& executable = TOLVIKA_EXECUTABLE) {
        return
            [data, executable] { return std::unique_ptr<Started>(std::make_unique<StartedTolvika>(data, executable)); };
    };
    QRect area;
    const auto floor = [&home, &area](const char* executable) {
        return [executable, &home, &area] {
            return std::unique_ptr<Started>(std::make_unique<StartedFloor>(executable, home, area));
        };
    };
    std::vector<Contender> contenders;
    contenders.push_back({tolvika(bundledData), figures.tolvika});
    contenders.push_back({tolvika(withoutSound), figures.withoutSound});
    contenders.push_back({tolvika(withoutWelcome), figures.withoutWelcome});
    contenders.push_back({tolvika(withoutWelcome, TOLVIKA_MAIN_WINDOW_ALONE), figures.mainWindowAlone});
    contenders.push_back({floor(TOLVIKA_LABEL_FLOOR), figures.floor});
    contenders.push_back({floor(TOLVIKA_LABEL_FLOOR_SDL), figures.floorWithSoundLibrary});
    if (!earlier.empty())
        contenders.push_back({tolvika(bundledData, earlier), figures.earlier});
    // The first starts fill the page cache and give each program's settled look;
    // the floor's window takes the place and size of the first tolvika's.
    for (Contender& contender : contenders) {
        contender.look = settledLook(watch, *contender.start());
        if (area.isEmpty())
            area = contender.look.area;
    }
    for (int round = 0; round < rounds; ++round)
        for (Contender& contender : contenders)
            measureOne(watch, *contender.start(), contender.look, contender.series, figures.missed);
}

void printStartAgainstFloor(const StartAgainstFloor& figures, int rounds)
{
    std::printf("Start-up against the toolkit's floor: on the same display, in turn, %d starts each after one\n"
                "unmeasured, from just before the fork until the first drawn frame: the process's largest mapped\n"
                "window read back from the X server (MIT-SHM) every 0.5 ms until it matches its settled look\n"
                "(at most 0.5 %% of its pixels differ). tolvika runs with the sound server, with the bundled DATA\n"
                "folder, with that folder less its welcome sound, and with it less all three welcome files (the\n"
                "built-in stand-ins for the picture and the text show then). The main window alone is the\n"
                "program's start without Help, About and the sound output's preparation, with that last folder.\n"
                "The floor is a bare widgets program showing one label in a window of the main window's size and\n"
                "place; it starts once more in each round with the sound library linked as tolvika links it.%s\n\n",
                rounds,
                figures.earlier.drawn.count() > 0
                    ? "\nAn earlier build of tolvika, given on the command line, starts in each round too, with the\n"
                      "bundled DATA folder."
                    : "");
    Table table;
    printSeries(table, "tolvika", figures.tolvika);
    printSeries(table, "tolvika without the welcome sound", figures.withoutSound);
    printSeries(table, "tolvika without its welcome files", figures.withoutWelcome);
    printSeries(table, "the main window alone", figures.mainWindowAlone);
    printSeries(table, "floor (one label)", figures.floor);
    printSeries(table, "floor with the sound library", figures.floorWithSoundLibrary);
    // Each share of the difference: what one kind of start does more than the other.
    const struct {
        const char* what;
        const StartSeries& more;
        const StartSeries& less;
    } shares[] = {
        {"of which the welcome sound (decoding, the sound output's opening, its start)", figures.tolvika,
         figures.withoutSound},
        {"of which the welcome picture and text read instead of the stand-ins", figures.withoutSound,
         figures.withoutWelcome},
        {"of which the windows, fonts, stand-ins and libraries", figures.withoutWelcome, figures.floor},
        {"  of these, Help, About and the sound output's preparation", figures.withoutWelcome, figures.mainWindowAlone},
        {"  of these, the main window's controls, fonts, stand-ins and icon", figures.mainWindowAlone,
         figures.floorWithSoundLibrary},
        {"  of these, the sound library's loading (SDL2 and the libraries it links)", figures.floorWithSoundLibrary,
         figures.floor},
    };
    for (const auto& share : shares)
        table.note(share.what, difference(share.more, share.less));
    const double ratio = ratioOfMedians(figures.tolvika.drawn, figures.floor.drawn);
    table.add("tolvika / floor, medians of the first drawn frame", format("%.2f", ratio),
              format("at most %.2f", kFloorTarget), ratio > 0 && ratio <= kFloorTarget);
    table.note("tolvika / floor, medians of the processor time by then",
               format("%.2f", ratioOfMedians(figures.tolvika.processor, figures.floor.processor)));
    table.note("the main window alone / floor, medians of the first drawn frame",
               format("%.2f", ratioOfMedians(figures.mainWindowAlone.drawn, figures.floor.drawn)));
    table.note("the main window alone / floor with the sound library, medians of the first drawn frame",
               format("%.2f", ratioOfMedians(figures.mainWindowAlone.drawn, figures.floorWithSoundLibrary.drawn)));
    if (figures.earlier.drawn.count() > 0) {
        printSeries(table, "the earlier tolvika", figures.earlier);
        table.note("the earlier tolvika / floor, medians of the first drawn frame",
                   format("%.2f", ratioOfMedians(figures.earlier.drawn, figures.floor.drawn)));
        table.note("tolvika / the earlier tolvika, medians of the first drawn frame",
                   format("%.2f", ratioOfMedians(figures.tolvika.drawn, figures.earlier.drawn)));
    }
    table.print();
    if (figures.missed > 0)
        std::printf("\nTROUBLE: %d starts showed no settled frame within 10 s\n", figures.missed);
}

} // namespace bench
