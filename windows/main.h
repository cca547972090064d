// The main window: picture area, navy text area, the repeat control and the
// bar of small buttons. It is built from its stored layout, binds exactly the
// events its controls raise to its handlers, keeps the keyboard focus on the
// text area, and forwards the letter browser's handlers to the browser core.
#pragma once

#include "browser/main.h"
#include "platform/ui/form.h"
#include "player/player_types.h"
#include "windows/main_adapters.h"

#include <memory>

class TPanel;
class TImage;
class TSpeedButton;
class TCheckBox;
class TEdit;
class TMemo;
class TMediaPlayer;
class TOpenDialogComponent;
class TfmHelp;
class TfmPrgAbout;

class TfmMain : public TForm {
    Q_OBJECT
public:
    TfmMain();
    ~TfmMain() override;

    TPanel* Panel1;
    TImage* Image1;
    TPanel* Panel2;
    TSpeedButton* sbHelp;
    TSpeedButton* SpeedButton1;
    TCheckBox* cbSound;
    TEdit* eDataFolder;
    TSpeedButton* btnDir;
    TOpenDialogComponent* OpenDialog1;
    TSpeedButton* SpeedButton3;
    TImage* Image2;
    TPanel* Panel4;
    TSpeedButton* SpeedButton2;
    TPanel* Panel5;
    TMemo* Memo1;
    TPanel* Panel3;
    TMediaPlayer* MediaPlayer1;

    // The windows the Help and About buttons show.
    void setCompanions(TfmHelp* help, TfmPrgAbout* about);
    LetterBrowser& browser() { return *m_browser; }

    void FormActivate(TControl* Sender);
    void MediaPlayer1Click(TControl* Sender, TMPBtnType Button, bool& DoDefault);
    void MediaPlayer1PostClick(TControl* Sender, TMPBtnType Button);
    void MediaPlayer1Notify(TControl* Sender);
    void MediaPlayer1Enter(TControl* Sender);
    void FormKeyPress(TControl* Sender, std::uint8_t& Key);
    void N2Click(TControl* Sender);
    void N3Click(TControl* Sender);
    void Exit1Click(TControl* Sender);
    void cbSoundClick(TControl* Sender);
    void btnDirClick(TControl* Sender);
    void SpeedButton3Click(TControl* Sender);

private:
    void bindEvents();

    std::unique_ptr<MainWindowView> m_view;
    std::unique_ptr<MediaPlayerAdapter> m_player;
    std::unique_ptr<DesktopBrowserServices> m_services;
    std::unique_ptr<LetterBrowser> m_browser;
    TfmHelp* m_help = nullptr;
    TfmPrgAbout* m_about = nullptr;
};
