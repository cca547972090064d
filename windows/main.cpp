#include "windows/main.h"

#include "app/user_dialogs.h"
#include "platform/ui/check_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/image.h"
#include "platform/ui/memo.h"
#include "platform/ui/panel.h"
#include "platform/ui/speed_button.h"
#include "player/media_player.h"
#include "windows/help.h"
#include "windows/open_dialog_component.h"
#include "windows/prg_about.h"
#include "windows/window_classes.h"

namespace {
constexpr auto kExitQuestion = "Вы уверены???";
constexpr int kAnswerYes = 6;
} // namespace

TfmMain::TfmMain()
    : TForm((registerWindowClasses(), QStringLiteral("TFMMAIN"))), Panel1(&component<TPanel>("Panel1")),
      Image1(&component<TImage>("Image1")), Panel2(&component<TPanel>("Panel2")),
      sbHelp(&component<TSpeedButton>("sbHelp")), SpeedButton1(&component<TSpeedButton>("SpeedButton1")),
      cbSound(&component<TCheckBox>("cbSound")), eDataFolder(&component<TEdit>("eDataFolder")),
      btnDir(&component<TSpeedButton>("btnDir")), OpenDialog1(&component<TOpenDialogComponent>("OpenDialog1")),
      SpeedButton3(&component<TSpeedButton>("SpeedButton3")), Image2(&component<TImage>("Image2")),
      Panel4(&component<TPanel>("Panel4")), SpeedButton2(&component<TSpeedButton>("SpeedButton2")),
      Panel5(&component<TPanel>("Panel5")), Memo1(&component<TMemo>("Memo1")), Panel3(&component<TPanel>("Panel3")),
      MediaPlayer1(&component<TMediaPlayer>("MediaPlayer1"))
{
    m_view = std::make_unique<MainWindowView>(*this, *Memo1, *Image1, *Image2, *cbSound, *eDataFolder, *MediaPlayer1);
    m_player = std::make_unique<MediaPlayerAdapter>(*MediaPlayer1);
    m_services = std::make_unique<DesktopBrowserServices>(OpenDialog1->Dialog);
    m_browser = std::make_unique<LetterBrowser>(*m_view, *m_player, *m_services);
    MediaPlayer1->setDisplay(this);
    bindEvents();
}

TfmMain::~TfmMain() = default;

void TfmMain::bindEvents()
{
    OnShow = [this](TControl* s) { FormActivate(s); };
    OnKeyPress = [this](TControl* s, std::uint8_t& key) { FormKeyPress(s, key); };
    Memo1->OnKeyPress = [this](TControl* s, std::uint8_t& key) { FormKeyPress(s, key); };
    for (TControl* control :
         std::initializer_list<TControl*>{Panel1, Panel3, Panel4, Panel5, eDataFolder, MediaPlayer1})
        control->OnEnter = [this](TControl* s) { MediaPlayer1Enter(s); };
    sbHelp->OnClick = [this](TControl* s) { N3Click(s); };
    SpeedButton1->OnClick = [this](TControl* s) { N2Click(s); };
    SpeedButton3->OnClick = [this](TControl* s) { SpeedButton3Click(s); };
    cbSound->OnClick = [this](TControl* s) { cbSoundClick(s); };
    btnDir->OnClick = [this](TControl* s) { btnDirClick(s); };
    SpeedButton2->OnClick = [this](TControl* s) { Exit1Click(s); };
    MediaPlayer1->OnClick = [this](TControl* s, TMPBtnType b, bool& d) { MediaPlayer1Click(s, b, d); };
    MediaPlayer1->OnPostClick = [this](TControl* s, TMPBtnType b) { MediaPlayer1PostClick(s, b); };
    MediaPlayer1->OnNotify = [this](TControl* s) { MediaPlayer1Notify(s); };
}

void TfmMain::setCompanions(TfmHelp* help, TfmPrgAbout* about)
{
    m_help = help;
    m_about = about;
    if (m_help)
        m_help->DataFolder = [this] { return m_browser->DataFolder(); };
}

void TfmMain::FormActivate(TControl*) { m_browser->FormActivate(); }
void TfmMain::MediaPlayer1Click(TControl*, TMPBtnType, bool& DoDefault) { m_browser->MediaPlayer1Click(DoDefault); }
void TfmMain::MediaPlayer1PostClick(TControl*, TMPBtnType) { m_browser->MediaPlayer1PostClick(); }
void TfmMain::MediaPlayer1Notify(TControl*) { m_browser->MediaPlayer1Notify(); }
void TfmMain::FormKeyPress(TControl*, std::uint8_t& Key) { m_browser->FormKeyPress(Key); }
void TfmMain::cbSoundClick(TControl*) { m_browser->cbSoundClick(); }
void TfmMain::btnDirClick(TControl*) { m_browser->btnDirClick(); }
void TfmMain::SpeedButton3Click(TControl*) { m_browser->SpeedButton3Click(); }

void TfmMain::MediaPlayer1Enter(TControl*) { setActiveControl(Memo1); }

void TfmMain::N2Click(TControl*)
{
    if (m_help)
        m_help->Show();
}

void TfmMain::N3Click(TControl*)
{
    if (m_about)
        m_about->Show();
}

void TfmMain::Exit1Click(TControl*)
{
    if (AskYesNo(QString::fromUtf8(kExitQuestion)) == kAnswerYes)
        Close();
}
