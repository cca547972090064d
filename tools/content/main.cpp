// Writes Tolvika's bundled data folder.
//   content_generator <data folder> <espeak-ng program> <NotoColorEmoji.ttf>
// The build runs it; it draws on the offscreen platform, so no display is needed.
#include "tools/content/data_folder_writer.h"

#include "platform/exception/exception.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <data folder> <espeak-ng> <emoji font>\n", argv[0]);
        return 2;
    }
    const content::GeneratorInputs inputs{argv[1], argv[2], argv[3]};

    // Painting text needs a GUI application, never a screen.
    static char platformOption[] = "-platform";
    static char platformName[] = "offscreen";
    char* qtArgv[] = {argv[0], platformOption, platformName, nullptr};
    int qtArgc = 3;
    QGuiApplication app(qtArgc, qtArgv);

    QElapsedTimer timer;
    timer.start();
    try {
        content::writeDataFolder(inputs);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "content_generator: %s\n", e.what());
        return 1;
    }
    std::printf("content_generator: wrote %s in %lld ms\n", std::filesystem::absolute(inputs.output).c_str(),
                static_cast<long long>(timer.elapsed()));
    return 0;
}
