#include "windows/help.h"

#include "app/text_lines.h"
#include "platform/ui/bit_btn.h"
#include "platform/ui/memo.h"
#include "platform/ui/panel.h"
#include "windows/window_classes.h"

namespace {
constexpr auto kHelpFileName = "help.txt";
}

TfmHelp::TfmHelp()
    : TForm((registerWindowClasses(), QStringLiteral("TFMHELP"))), Panel1(&component<TPanel>("Panel1")),
      btnExit(&component<TBitBtn>("btnExit")), Panel2(&component<TPanel>("Panel2")), Memo1(&component<TMemo>("Memo1"))
{
    btnExit->OnClick = [this](TControl* sender) { btnExitClick(sender); };
    OnShow = [this](TControl* sender) { FormShow(sender); };
}

void TfmHelp::btnExitClick(TControl*) { Close(); }

void TfmHelp::FormShow(TControl*)
{
    const QString folder = DataFolder ? DataFolder() : QString();
    LoadTextLines(*Memo1, folder + QLatin1String(kHelpFileName));
}
