// The text areas at their capacity: the time from loading a text file into a
// text area, as a page or the Help window loads it, until the area has been
// drawn, for the largest text that loads in the shape that costs the most
// (one line of the widest glyph with no place to break it) and, beside it,
// shapes that real texts have. Both text areas are measured as the program
// builds them: the main window's Memo1 (27-pixel bold serif, word wrap, no
// scroll bar) and the Help window's (17-pixel, word wrap, a scroll bar), on
// the offscreen platform at its 96 dpi. Prints figures; asserts nothing.
#include "windows/main.h"
#include "app/application.h"
#include "app/scripted_dialogs.h"
#include "app/user_dialogs.h"
#include "platform/codepage/windows1251.h"
#include "platform/ui/memo.h"
#include "windows/help.h"
#include "windows/prg_about.h"

#include "bench/memo_layout/load_timing.h"
#include "bench/memo_layout/text_shapes.h"
#include "bench/program/figures.h"
#include "bench/program/quiet_messages.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace {

// A page shows within this after its key, whatever its text.
constexpr double kTargetMs = 100;
constexpr int kRepeats = 5;
// A first load slower than this is not repeated: the figure is plain enough.
constexpr double kRepeatBudgetMs = 2000;
// Fractions of the capacity at which the worst shape is also measured, to show how it grows.
constexpr int kGrowthDivisors[] = {4, 2};

struct Area {
    const char* name;
    TMemo* memo;
};

QString writeText(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    return path;
}

std::string figuresOf(const bench::LoadFigures& load)
{
    if (load.repeats.empty())
        return bench::format("first %.1f (%.1f) ms, not repeated", load.firstMs, load.firstProcessorMs);
    return bench::format("first %.1f (%.1f); again: median %.1f (%.1f), worst %.1f (%.1f) ms", load.firstMs,
                         load.firstProcessorMs, load.repeats.median(), load.repeatsProcessor.median(),
                         load.repeats.worst(), load.repeatsProcessor.worst());
}

// Judged on processor time: the wall clock of a shared machine counts other processes' turns too.
double slowestOf(const bench::LoadFigures& load)
{
    return std::max(load.firstProcessorMs, load.repeatsProcessor.worst());
}

void measureArea(const Area& area, const QTemporaryDir& dir, bench::Table& table)
{
    const std::uint8_t widest = bench::widestByte(area.memo->font());
    const QString glyph = cp1251::decode(QByteArray(1, static_cast<char>(widest)));
    const int advance = QFontMetrics(area.memo->font()).horizontalAdvance(glyph);
    const int width = area.memo->viewport()->width();
    std::printf("%s: %d pixels wide inside its border; its widest glyph is %s (byte 0x%02X), %d pixels: "
                "%d to a screen line\n",
                area.name, width, qPrintable(glyph), widest, advance, advance > 0 ? width / advance : 0);
    std::fflush(stdout);

    const auto row = [&](const std::string& shape, const QByteArray& bytes, bool targeted) {
        const QString path = writeText(dir, QStringLiteral("letter_text.txt"), bytes);
        const bench::LoadFigures load = bench::timeLoads(*area.memo, path, kRepeats, kRepeatBudgetMs);
        const std::string measure = bench::format("%s, %s", area.name, shape.c_str());
        // As it goes, for runs long enough to be watched.
        std::fprintf(stderr, "%s: %s\n", measure.c_str(), figuresOf(load).c_str());
        if (targeted)
            table.add(measure, figuresOf(load), bench::format("< %.0f ms processor", kTargetMs),
                      slowestOf(load) < kTargetMs);
        else
            table.note(measure, figuresOf(load));
    };
    const qsizetype bound = TMemo::kCapacity;
    const std::string letter = glyph.toStdString();
    row(bench::format("one line of %s at the capacity (worst)", letter.c_str()), bench::oneLineOf(widest, bound), true);
    row("one line of 'a' at the capacity", bench::oneLineOf('a', bound), true);
    row(bench::format("words of %s at the capacity, one line", letter.c_str()), bench::wordsOf(widest, bound), true);
    row(bench::format("short lines of %s at the capacity", letter.c_str()), bench::shortLinesOf(widest, bound), true);
    for (const int divisor : kGrowthDivisors)
        row(bench::format("one line of %s, 1/%d of the capacity", letter.c_str(), divisor),
            bench::oneLineOf(widest, bound / divisor), false);
}

} // namespace

int main(int, char** argv)
{
    qInstallMessageHandler(quietMessages);
    // The benchmark's own choice: no display needed.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::string loadBefore = bench::loadAverage();

    TApplication app(QString::fromLocal8Bit(argv[0]));
    ScriptedDialogs dialogs;
    UserDialogsOverride dialogsScope(dialogs);
    QTemporaryDir dir;
    writeText(dir, QStringLiteral("help.txt"), QByteArray("help\r\n"));

    // As main.cpp and the frame's Run make them.
    auto* main = app.CreateForm<TfmMain>();
    auto* about = app.CreateForm<TfmPrgAbout>();
    auto* help = app.CreateForm<TfmHelp>();
    main->setCompanions(help, about);
    help->DataFolder = [&dir] { return dir.path() + QLatin1Char('/'); };
    main->Show();
    help->Show();
    QCoreApplication::processEvents();
    dialogs.reset();

    std::printf(
        "Tolvika's text areas at their capacity of %d characters, offscreen at 96 dpi.\n"
        "Each figure: LoadTextLines from a file (read, split, set) until the area's repaint() returned;\n"
        "the area is emptied and drawn before each load. First load, then %d more unless it took over %.0f ms.\n"
        "Figures: wall clock (the user-interface thread's processor time); the target is judged on the latter,\n"
        "which on a quiet machine is the wall clock.\n\n",
        TMemo::kCapacity, kRepeats, kRepeatBudgetMs);
    bench::Table table;
    measureArea({"main window's Memo1", main->Memo1}, dir, table);
    measureArea({"Help window's Memo1", help->Memo1}, dir, table);
    std::printf("load average %s before the run and %s after it\n\n", loadBefore.c_str(), bench::loadAverage().c_str());
    table.print();
    if (!dialogs.errorBoxes().empty())
        std::printf("\nTROUBLE: %zu error boxes while measuring, the first: %s\n", dialogs.errorBoxes().size(),
                    qPrintable(dialogs.errorBoxes().front().text));
    return 0;
}
