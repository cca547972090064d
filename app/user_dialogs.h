// The services that need a person: the error box, the Yes/No box, the
// open-file dialog and the beep. They all go through one small interface, so
// that tests can put a scripted stand-in (ScriptedDialogs) where the real
// boxes (DesktopDialogs) would be. The caller owns any installed stand-in.
#pragma once

#include <QString>

class TOpenDialog;

class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // A stop-icon box with the text, the caption and one OK button; returns when closed.
    virtual void showErrorBox(const QString& text, const QString& caption) = 0;
    // The confirmation box: 6 for Yes, 7 for No, 2 when closed otherwise.
    virtual int askYesNo(const QString& text) = 0;
    // The open-file dialog; true and the dialog's FileName set when a file was chosen.
    virtual bool chooseFile(TOpenDialog& dialog) = 0;
    // The default beep; returns at once.
    virtual void messageBeep() = 0;
};

// The installed implementation: the real boxes unless a test installed another.
UserDialogs& userDialogs();
// Installs an implementation (not owned); nullptr restores the real one.
void setUserDialogs(UserDialogs* dialogs);

// Installs an implementation for a scope and restores the previous one after it.
class UserDialogsOverride {
public:
    explicit UserDialogsOverride(UserDialogs& dialogs);
    ~UserDialogsOverride();
    UserDialogsOverride(const UserDialogsOverride&) = delete;
    UserDialogsOverride& operator=(const UserDialogsOverride&) = delete;

private:
    UserDialogs* m_previous;
};

// Results of the confirmation box.
constexpr int mrYes = 6;
constexpr int mrNo = 7;
constexpr int mrCancel = 2;

// The confirmation box for the text; see UserDialogs::askYesNo.
int AskYesNo(const QString& text);
// Shows the open-file dialog the settings describe; see UserDialogs::chooseFile.
bool ChooseFile(TOpenDialog& dialog);
// The default beep for any sound type (the program uses only 0).
void MessageBeep(unsigned int type);
