// The real boxes of this host: the error box as a stop-icon message box, the
// confirmation box TMessageForm, Qt's own (non-native) file dialog and the
// toolkit's beep. All are application-modal and run their own event loop on
// the user-interface thread; none of them reads or writes any settings file.
#pragma once

#include "app/user_dialogs.h"

class DesktopDialogs : public UserDialogs {
public:
    void showErrorBox(const QString& text, const QString& caption) override;
    int askYesNo(const QString& text) override;
    bool chooseFile(TOpenDialog& dialog) override;
    void messageBeep() override;
};
