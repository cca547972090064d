// The runtime services that need a person: the error box, the Yes/No box, the
// open-file dialog and the beep. The program uses the desktop implementation;
// tests install a scripted one that answers without a person.
#pragma once

#include <QString>

class TOpenDialog;

class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    virtual void showErrorBox(const QString& text, const QString& caption) = 0;
    virtual int askYesNo(const QString& text) = 0;
    virtual bool chooseFile(TOpenDialog& dialog) = 0;
    virtual void messageBeep() = 0;
};

UserDialogs& userDialogs();
// Installs a replacement (tests); null restores the desktop implementation.
void setUserDialogs(UserDialogs* dialogs);
