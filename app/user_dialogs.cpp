#include "app/user_dialogs.h"

#include "app/desktop_dialogs.h"

namespace {

UserDialogs* g_installed = nullptr;

UserDialogs& desktopDialogs()
{
    static DesktopDialogs dialogs;
    return dialogs;
}

} // namespace

UserDialogs& userDialogs() { return g_installed ? *g_installed : desktopDialogs(); }

void setUserDialogs(UserDialogs* dialogs) { g_installed = dialogs; }

UserDialogsOverride::UserDialogsOverride(UserDialogs& dialogs) : m_previous(g_installed) { g_installed = &dialogs; }

UserDialogsOverride::~UserDialogsOverride() { g_installed = m_previous; }

int AskYesNo(const QString& text) { return userDialogs().askYesNo(text); }

bool ChooseFile(TOpenDialog& dialog) { return userDialogs().chooseFile(dialog); }

void MessageBeep(unsigned int) { userDialogs().messageBeep(); }
