// Start-up against the toolkit's floor, on the same display in one run: the
// built tolvika with the bundled DATA folder (its welcome page and sound) and
// a bare widgets program that shows one label in a window of the main
// window's size and place, started alternately. Each start is timed from just
// before the fork until its first drawn frame, observed from outside the same
// way for both (first_frame.h).
#pragma once

#include "bench/program/figures.h"

#include <filesystem>

namespace bench {

struct StartAgainstFloor {
    Series tolvikaMapped; // ms, spawn to the main window mapped
    Series tolvikaDrawn; // ms, spawn to its first drawn frame
    Series tolvikaProcessor; // ms of processor time used by then
    Series floorMapped;
    Series floorDrawn;
    Series floorProcessor;
    int missed = 0; // starts whose frame never came
};

void measureStartAgainstFloor(const std::filesystem::path& bundledData, int rounds, StartAgainstFloor& figures);

// The printed rows: medians, spread and the ratio of the medians.
void printStartAgainstFloor(const StartAgainstFloor& figures, int rounds);

} // namespace bench
