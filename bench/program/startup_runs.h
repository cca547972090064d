// Timed starts of the program: each starts tolvika_bench_start as a new
// process and measures from just before the process is spawned to the moment
// it reports that its main window, welcome page included, has been painted
// for the first time. The monotonic clock is the same for both processes.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct StartRun {
    double toFirstPaintMs = 0;
    double toMainMs = 0; // spawn to main(): the dynamic loader and static initialisers
    double processorMs = 0; // processor time the started process used until its first paint
    double residentMiB = 0; // the started process's, at its first paint
    bool welcomeDrawn = false;
};

// Runs the probe `runs` times, one after the other. Returns false and says why
// when a run fails to report.
bool runStarts(const std::string& probe, int runs, std::vector<StartRun>& results, std::string& error);

} // namespace bench
