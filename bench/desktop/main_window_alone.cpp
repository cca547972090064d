// The least start-up that shows this program's main window, for the start-up
// comparison: the program's own start with its main window alone. Neither
// Help nor About is built and no sound output is prepared; run with a DATA
// folder without the welcome files, it shows the built-in stand-ins and plays
// nothing. What it takes beyond the toolkit's floor is the main window's own
// cost: its controls read from their layout, their fonts and pictures, the
// icon, and the libraries the program links. Bench-only.
#include "app/application.h"
#include "app/display_start.h"
#include "app/program_start.h"
#include "windows/main.h"

#include <optional>

int main(int, char** argv)
{
    std::optional<DisplayStartGuard> displayStart(std::in_place);
    TApplication app(QString::fromLocal8Bit(argv[0]));
    displayStart.reset();
    return RunProgram(app, [](TApplication& application) { application.CreateForm<TfmMain>(); });
}
