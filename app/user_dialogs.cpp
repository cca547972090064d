#include "app/user_dialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace {

class PlainDialogs : public UserDialogs {
public:
    void showErrorBox(const QString& text, const QString& caption) override
    {
        QMessageBox::critical(nullptr, caption, text);
    }
    int askYesNo(const QString&) override { return 7; }
    bool chooseFile(TOpenDialog&) override { return false; }
    void messageBeep() override { QApplication::beep(); }
};

UserDialogs* g_override = nullptr;

} // namespace

UserDialogs& userDialogs()
{
    static PlainDialogs desktop;
    return g_override ? *g_override : desktop;
}

void setUserDialogs(UserDialogs* dialogs) { g_override = dialogs; }
