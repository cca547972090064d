// tolvika-check DATA-FOLDER: tells, page by page, whether Tolvika would show
// the texts, pictures and sounds of a data folder. Exit status 0 when
// everything it would show loads (warnings allowed), 1 when something is
// missing or fails to load, 2 for a wrong argument.
#include "app/core/path_encoding.h"
#include "app/file_services.h"
#include "app/picture_file.h"
#include "tools/check/content_check.h"
#include "tools/check/offscreen_application.h"

#include <QTextStream>

#include <cstdio>
#include <cstring>

namespace {

constexpr auto kUsage = "usage: tolvika-check DATA-FOLDER\n"
                        "Checks a Tolvika data folder: for the welcome page and each of the 33 letters,\n"
                        "whether its text, picture and sound are there and load as the program loads them;\n"
                        "then help.txt and data.txt. Exit status: 0 when everything loads (warnings\n"
                        "allowed), 1 when something is missing or fails, 2 for a wrong argument.\n";

bool isHelpOption(const char* argument)
{
    return std::strcmp(argument, "-h") == 0 || std::strcmp(argument, "--help") == 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && isHelpOption(argv[1])) {
        std::fputs(kUsage, stdout);
        return kCheckPassed;
    }
    if (argc != 2) {
        std::fputs(argc < 2 ? "tolvika-check: no data folder given\n" : "tolvika-check: give one data folder only\n",
                   stderr);
        std::fputs(kUsage, stderr);
        return kCheckBadArgument;
    }
    // A folder is named by its bytes, whatever their encoding.
    const QString folder = pathFromBytes(QByteArray(argv[1]));
    if (!FolderIsPresent(folder)) {
        std::fprintf(stderr, "tolvika-check: %s is not a folder\n", argv[1]);
        std::fputs(kUsage, stderr);
        return kCheckBadArgument;
    }

    const OffscreenApplication application(argv[0]);

    QTextStream out(stdout);
    return runContentCheck(folder, out);
}
