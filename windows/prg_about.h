// The About window: the program's title, author, version, web site and
// contact, fixed texts from its stored layout. Non-modal; OK and the close box
// only hide it, and it reappears where it was left.
#pragma once

#include "platform/ui/form.h"

class TPanel;
class TBitBtn;
class TLabel;
class TBevel;

class TfmPrgAbout : public TForm {
    Q_OBJECT
public:
    TfmPrgAbout();

    TPanel* Panel1;
    TPanel* Panel2;
    TBitBtn* btnExit;
    TLabel* Label1;
    TLabel* Label2;
    TLabel* Label3;
    TLabel* Label4;
    TLabel* Label5;
    TBevel* Bevel1;
    TBevel* Bevel2;

    void btnExitClick(TControl* Sender);
};
