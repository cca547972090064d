// Wires the program: the application frame, the three windows, the event loop.
#include "windows/main.h"
#include "app/application.h"
#include "app/display_start.h"
#include "app/program_start.h"
#include "platform/mci/media_layer.h"
#include "windows/help.h"
#include "windows/prg_about.h"

#include <optional>

int main(int, char** argv)
{
    std::optional<DisplayStartGuard> displayStart(std::in_place);
    TApplication app(QString::fromLocal8Bit(argv[0]));
    displayStart.reset();
    // The sound server takes about 100 ms to open the output; that wait overlaps
    // the building of the windows instead of holding back the first frame.
    mci::MediaLayer::instance().prepareMachineOutput();
    return RunProgram(app, [](TApplication& application) {
        auto* main = application.CreateForm<TfmMain>();
        auto* about = application.CreateForm<TfmPrgAbout>();
        auto* help = application.CreateForm<TfmHelp>();
        main->setCompanions(help, about);
    });
}
