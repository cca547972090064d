// Times one text file into one text area as the program loads it
// (LoadTextLines) until the area has been drawn again. The area is emptied and
// drawn before every run, so that each run lays the text out afresh.
#pragma once

#include "bench/program/figures.h"

#include <QString>

class TMemo;

namespace bench {

struct LoadFigures {
    // The first load of this text: fonts and glyphs are warm, the layout is not.
    double firstMs = 0;
    // The same span in the user-interface thread's processor time: on a shared
    // machine the wall clock also counts the time other processes had the core.
    double firstProcessorMs = 0;
    // Further loads; none when the first took longer than the repeat budget.
    Series repeats;
    Series repeatsProcessor;
};

// One first load and up to `repeats` more, while a run stays under `repeatBudgetMs`.
LoadFigures timeLoads(TMemo& area, const QString& path, int repeats, double repeatBudgetMs);

} // namespace bench
