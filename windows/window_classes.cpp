#include "windows/window_classes.h"

#include "platform/ui/kit_classes.h"

#include <mutex>

void registerWindowClasses()
{
    static std::once_flag once;
    std::call_once(once, [] { registerKitClasses(); });
}
