// Wires the program: the application frame, the three windows, the event loop.
#include "app/application.h"
#include "platform/ui/form.h"
#include "platform/ui/kit_classes.h"

int main(int, char** argv)
{
    TApplication app(QString::fromLocal8Bit(argv[0]));
    registerKitClasses();
    return RunProgram(app, [](TApplication& application) {
        application.CreateForm<TForm>(QStringLiteral("TFMMAIN"));
    });
}
