// Start-up against the toolkit's floor, on the same display in one run: the
// built tolvika with the bundled DATA folder (its welcome page and sound) and
// a bare widgets program that shows one label in a window of the main
// window's size and place, started alternately. Each start is timed from just
// before the fork until its first drawn frame, observed from outside the same
// way for both (first_frame.h). Two more tolvika starts in each round tell
// where the difference goes: one without the welcome sound, and one without
// any of the welcome page's files (it then shows its built-in stand-ins for the
// picture and the text), so that what remains against the floor is the
// program's windows, their fonts, the stand-ins and its libraries. Two more
// starts split that rest: the program's start with its main window alone (no
// Help, no About, no sound output prepared) and the floor with the sound
// library linked. Given an earlier build of tolvika, each round starts it too,
// with the bundled DATA folder, so that a change is measured before and after
// in the same run.
#pragma once

#include "bench/program/figures.h"

#include <filesystem>

namespace bench {

// One program's starts: ms from the spawn to its main window mapped and to its
// first drawn frame, and ms of processor time it had used by then.
struct StartSeries {
    Series mapped;
    Series drawn;
    Series processor;
};

struct StartAgainstFloor {
    StartSeries tolvika; // the bundled DATA folder
    StartSeries withoutSound; // the same without the welcome sound
    StartSeries withoutWelcome; // the same without any of the welcome page's files
    StartSeries mainWindowAlone; // the program's start with its main window alone, without the welcome files
    StartSeries floor;
    StartSeries floorWithSoundLibrary; // the floor with SDL2 linked as tolvika links it
    StartSeries earlier; // an earlier build with the bundled DATA folder, when one is given
    int missed = 0; // starts whose frame never came
};

// `earlier` is the path of an earlier tolvika executable, or empty.
void measureStartAgainstFloor(const std::filesystem::path& bundledData, const std::filesystem::path& earlier,
                              int rounds, StartAgainstFloor& figures);

// The printed rows: medians, spread, the ratio of the medians, and the
// differences between the kinds of start.
void printStartAgainstFloor(const StartAgainstFloor& figures, int rounds);

} // namespace bench
