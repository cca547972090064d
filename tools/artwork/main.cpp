// tolvika-artwork: draws the program's built-in pictures, button glyphs and
// icon and writes them below the given repository root, where they are
// committed. With --preview FOLDER it also writes enlarged pictures to look at.
#include "platform/exception/exception.h"
#include "tools/artwork/artwork_set.h"
#include "tools/artwork/preview.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2 && !(argc == 4 && QByteArray(argv[2]) == "--preview")) {
        std::fprintf(stderr, "usage: tolvika-artwork <repository-root> [--preview <folder>]\n");
        return 2;
    }
    // Painting needs a GUI application but no display.
    static char platformOption[] = "-platform";
    static char platformName[] = "offscreen";
    char* qtArgv[] = {argv[0], platformOption, platformName, nullptr};
    int qtArgc = 3;
    QGuiApplication app(qtArgc, qtArgv);
    try {
        artwork::writeArtwork(QString::fromLocal8Bit(argv[1]), artwork::generateArtwork());
        if (argc == 4)
            artwork::writePreview(QString::fromLocal8Bit(argv[3]));
    } catch (const Exception& error) {
        std::fprintf(stderr, "tolvika-artwork: %s\n", error.what());
        return 1;
    }
    return 0;
}
