#include "windows/prg_about.h"

#include "platform/ui/bevel.h"
#include "platform/ui/bit_btn.h"
#include "platform/ui/label.h"
#include "platform/ui/panel.h"
#include "windows/window_classes.h"

TfmPrgAbout::TfmPrgAbout()
    : TForm((registerWindowClasses(), QStringLiteral("TFMPRGABOUT"))), Panel1(&component<TPanel>("Panel1")),
      Panel2(&component<TPanel>("Panel2")), btnExit(&component<TBitBtn>("btnExit")),
      Label1(&component<TLabel>("Label1")), Label2(&component<TLabel>("Label2")), Label3(&component<TLabel>("Label3")),
      Label4(&component<TLabel>("Label4")), Label5(&component<TLabel>("Label5")), Bevel1(&component<TBevel>("Bevel1")),
      Bevel2(&component<TBevel>("Bevel2"))
{
    btnExit->OnClick = [this](TControl* sender) { btnExitClick(sender); };
}

void TfmPrgAbout::btnExitClick(TControl*) { Close(); }
