// The Help window: shows "help.txt" from the current data folder, read again
// every time the window goes from hidden to shown. When the file cannot be
// read the error box reports it and the window shows its previous text (at
// first a built-in notice). The text can be edited but is never saved.
#pragma once

#include "platform/ui/form.h"

#include <functional>

class TPanel;
class TBitBtn;
class TMemo;

class TfmHelp : public TForm {
    Q_OBJECT
public:
    TfmHelp();

    TPanel* Panel1;
    TBitBtn* btnExit;
    TPanel* Panel2;
    TMemo* Memo1;

    // Where the data folder comes from (the letter browser's DataFolder).
    std::function<QString()> DataFolder;

    void btnExitClick(TControl* Sender);
    void FormShow(TControl* Sender);
};
