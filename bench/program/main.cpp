// The program's benchmark, one table: start-up time of new processes, key to
// page, key to sound, and memory, on the offscreen platform with the real
// JPEG decoder and the media layer on SDL's dummy audio driver (paced in real
// time like a sound card), reading the bundled DATA folder beside the program.
// Prints figures beside their targets; asserts nothing.
#include "app/application.h"
#include "app/file_services.h"

#include "bench/program/figures.h"
#include "bench/program/key_runs.h"
#include "bench/program/quiet_messages.h"
#include "bench/program/startup_runs.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

constexpr int kStarts = 10;
constexpr int kRounds = 10;
// Start-up under this, in every run.
constexpr double kStartTargetMs = 100;
// Key to page: the median under this, and no key slower than one frame at 60 Hz.
constexpr double kPageMedianTargetMs = 5;
constexpr double kPageWorstTargetMs = 16.7;
constexpr double kSoundMedianTargetMs = 20;
constexpr double kResidentTargetMiB = 45;
// What the allocator may keep between rounds without it being growth.
constexpr double kGrowthToleranceMiB = 0.5;

} // namespace

int main(int, char** argv)
{
    qInstallMessageHandler(quietMessages);
    // The benchmark's own choices, passed on to the starts it runs.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);

    const std::string folder = FolderPart(ProgramFilePath()).toStdString();
    const std::string probe = folder + "tolvika_bench_start";
    const std::string loadBefore = bench::loadAverage();
    std::vector<bench::StartRun> warmUp;
    std::vector<bench::StartRun> starts;
    std::string error;
    // One start first, unmeasured, so that every measured one finds the files in the page cache.
    if (!bench::runStarts(probe, 1, warmUp, error) || !bench::runStarts(probe, kStarts, starts, error)) {
        std::fprintf(stderr, "start-up run failed: %s\n", error.c_str());
        return 1;
    }

    bench::KeyFigures keys;
    {
        TApplication app(QString::fromLocal8Bit(argv[0]));
        bench::runKeys(app, kRounds, keys);
    }

    bench::Series startTimes;
    bench::Series startLoader;
    bench::Series startProcessor;
    bench::Series startResident;
    int welcomeDrawn = 0;
    for (const bench::StartRun& run : starts) {
        startTimes.add(run.toFirstPaintMs);
        startLoader.add(run.toMainMs);
        startProcessor.add(run.processorMs);
        startResident.add(run.residentMiB);
        welcomeDrawn += run.welcomeDrawn ? 1 : 0;
    }

    std::printf("Tolvika benchmark: load average %s before the run and %s after it (%ld processors)\n",
                loadBefore.c_str(), bench::loadAverage().c_str(), sysconf(_SC_NPROCESSORS_ONLN));
    std::printf("Offscreen platform at its own 96 dpi, SDL audio driver \"dummy\", data folder %sDATA\n",
                folder.c_str());
    std::printf("start-up: from just before a new process is spawned to the end of the event in which its main window\n"
                "  (welcome text, welcome picture decoded) was first painted; the process starts as main.cpp does.\n"
                "  %d measured starts after one unmeasured; welcome page drawn at first paint in %d of %d.\n",
                kStarts, welcomeDrawn, kStarts);
    std::printf(
        "keys: the 33 small Cyrillic letters in order, %d rounds (%d keys), each sent to Memo1 with sound on;\n"
        "  page = key event delivered until the window's repaint() returned (text set, JPEG decoded and drawn);\n"
        "  sound = key event delivered until the letter's first sample was handed to the output. Keys are\n"
        "  ignored while a sound plays, so each sound is stopped through the player after its first sample.\n\n",
        keys.rounds, keys.keys);

    bench::Table table;
    table.add("start-up, median", bench::format("%.1f ms", startTimes.median()),
              bench::format("< %.0f ms", kStartTargetMs), startTimes.median() < kStartTargetMs);
    table.add("start-up, worst", bench::format("%.1f ms", startTimes.worst()),
              bench::format("< %.0f ms", kStartTargetMs), startTimes.worst() < kStartTargetMs);
    table.note("start-up, spawn to main() (loader, libraries), median", bench::format("%.1f ms", startLoader.median()));
    table.note("start-up, processor time to first paint, median", bench::format("%.1f ms", startProcessor.median()));
    table.add("key to page, median", bench::format("%.2f ms", keys.page.median()),
              bench::format("< %.0f ms", kPageMedianTargetMs), keys.page.median() < kPageMedianTargetMs);
    table.add("key to page, worst", bench::format("%.2f ms", keys.page.worst()),
              bench::format("< %.1f ms", kPageWorstTargetMs), keys.page.worst() < kPageWorstTargetMs);
    table.note("key to page, UI thread processor time, median / worst",
               bench::format("%.2f / %.2f ms", keys.pageProcessor.median(), keys.pageProcessor.worst()));
    table.add("key to sound, median", bench::format("%.2f ms", keys.sound.median()),
              bench::format("< %.0f ms", kSoundMedianTargetMs), keys.sound.median() < kSoundMedianTargetMs);
    table.note("key to sound, worst", bench::format("%.2f ms", keys.sound.worst()));
    const double keyCount = keys.keys > 0 ? keys.keys : 1;
    table.note("per key until its page is drawn: media commands / WAV decodes",
               bench::format("%.1f / %.1f", static_cast<double>(keys.mediaCommands) / keyCount,
                             static_cast<double>(keys.soundDecodes) / keyCount));
    table.add("RSS at first paint, start-up process (median)", bench::format("%.1f MiB", startResident.median()),
              bench::format("< %.0f MiB", kResidentTargetMiB), startResident.median() < kResidentTargetMiB);
    table.add("RSS of this process after start", bench::format("%.1f MiB", keys.residentAfterStart),
              bench::format("< %.0f MiB", kResidentTargetMiB), keys.residentAfterStart < kResidentTargetMiB);
    table.add("RSS after round 1 / after round 10",
              bench::format("%.1f / %.1f MiB", keys.residentAfterFirstRound, keys.residentAfterLastRound),
              bench::format("< %.0f MiB, growth <= %.1f", kResidentTargetMiB, kGrowthToleranceMiB),
              keys.residentAfterLastRound < kResidentTargetMiB
                  && keys.residentAfterLastRound - keys.residentAfterFirstRound <= kGrowthToleranceMiB);
    table.print();
    for (const std::string& trouble : keys.trouble)
        std::printf("\nTROUBLE (the key figures are not to be trusted): %s\n", trouble.c_str());
    if (welcomeDrawn != kStarts)
        std::printf("\nTROUBLE: a start did not draw the welcome page at its first paint\n");
    return 0;
}
