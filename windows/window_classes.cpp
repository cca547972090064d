#include "windows/window_classes.h"

#include "app/picture_file.h"
#include "platform/ui/component.h"
#include "platform/ui/kit_classes.h"
#include "player/media_player.h"
#include "windows/open_dialog_component.h"
#include "windows/program_icon.h"

#include <mutex>

void registerWindowClasses()
{
    static std::once_flag once;
    std::call_once(once, [] {
        registerKitClasses();
        registerPictureFormats();
        classregistry::registerClass(QStringLiteral("TMediaPlayer"),
                                     [](QWidget* parent) -> TComponent* { return new TMediaPlayer(parent); });
        classregistry::registerClass(QStringLiteral("TOpenDialog"),
                                     [](QWidget*) -> TComponent* { return new TOpenDialogComponent; });
        installProgramIcon();
    });
}
