// Keys typed into the program's real main window, made in this process as
// the program's start makes it, on the bundled data folder. For each key: the
// time from the key event's delivery to the text area until the window has
// been repainted with the new page (text set, picture decoded and drawn), and
// until the letter's first sample was handed to the sound output. Keys are
// ignored while a sound plays, so each sound is stopped through the player
// control after its first sample, before the next key. It also counts the
// media commands and sound decodes each key costs.
#pragma once

#include "bench/program/figures.h"

#include <cstdint>
#include <set>
#include <string>

class TApplication;

namespace bench {

struct KeyFigures {
    Series page; // key to window repainted, ms
    Series pageProcessor; // the same span in the user-interface thread's processor time, ms
    Series sound; // key to first sample handed to the output, ms
    // What the keys cost the media layer, summed over every key until its page was drawn.
    std::uint64_t mediaCommands = 0;
    std::uint64_t soundDecodes = 0;
    double residentAfterStart = 0;
    double residentAfterFirstRound = 0;
    double residentAfterLastRound = 0;
    int rounds = 0;
    int keys = 0;
    // Anything that would make the figures dishonest: a key that showed no
    // page, a sound that never started, a beep or an error box; each once.
    std::set<std::string> trouble;
};

// Creates the windows, shows the main window, then types all 33 letters `rounds` times.
void runKeys(TApplication& app, int rounds, KeyFigures& figures);

} // namespace bench
