// The toolkit's floor for the start-up comparison: the least a widgets program
// does to put a window with text on the screen. One label, at the place and
// size given on the command line (the main window's, so that both programs
// fill the same pixels), shown, and the event loop. Bench-only.
#include <QApplication>
#include <QLabel>
#include <cstdlib>

namespace {

// x, y, width and height after the program's name.
constexpr int kGeometryArguments = 5;

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QLabel label(QStringLiteral("Толвика"));
    label.setAlignment(Qt::AlignCenter);
    if (argc == kGeometryArguments)
        label.setGeometry(std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
    label.show();
    return application.exec();
}
