// The real-desktop time for the costliest text that loads: one line of the
// widest letter, as long as the text area holds, with no place to break it.
// Measured as a person sees it: from the key press until the letter's page,
// its text and its picture, is on the screen; and from the click on the Help
// button until the Help window shows such a help text.
#pragma once

#include "bench/program/figures.h"

namespace bench {

struct LongTextFigures {
    Series keyToPage; // ms, one per key press
    Series clickToHelp; // ms, one per showing of the Help window
    int unanswered = 0; // presses or clicks whose page or window never showed
};

void measureLongText(LongTextFigures& figures);

} // namespace bench
