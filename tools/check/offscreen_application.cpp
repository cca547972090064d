#include "tools/check/offscreen_application.h"

#include "app/picture_file.h"

namespace {

char kPlatformOption[] = "-platform";
char kPlatformName[] = "offscreen";

} // namespace

OffscreenApplication::OffscreenApplication(char* programName)
    : m_argv{programName, kPlatformOption, kPlatformName, nullptr}, m_application(m_argc, m_argv)
{
    registerPictureFormats();
}
