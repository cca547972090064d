// The main window's controls and the runtime services as the letter browser
// sees them: small adapters from the browser's narrow interfaces to the
// window's text area, picture areas, check box, data-folder field, repeat
// control and open-file dialog. They add no behaviour of their own.
#pragma once

#include "browser/browser_player.h"
#include "browser/browser_services.h"
#include "browser/browser_view.h"

class TMemo;
class TImage;
class TCheckBox;
class TEdit;
class TMediaPlayer;
class TForm;
class TOpenDialog;

class MainWindowView : public BrowserView {
public:
    MainWindowView(TForm& form, TMemo& memo, TImage& picture, TImage& fallback, TCheckBox& sound, TEdit& folder,
                   TMediaPlayer& player);

    void clearLines() override;
    void loadTextLines(const QString& path) override;
    void addLine(const QString& line) override;
    void focusMemo() override;
    void loadPictureFile(const QString& path) override;
    void showFallbackPicture() override;
    bool playerVisible() const override;
    void setPlayerVisible(bool visible) override;
    bool soundChecked() const override;
    void setDataFolderText(const QString& text) override;

private:
    TForm& m_form;
    TMemo& m_memo;
    TImage& m_picture;
    TImage& m_fallback;
    TCheckBox& m_sound;
    TEdit& m_folder;
    TMediaPlayer& m_player;
};

class MediaPlayerAdapter : public BrowserPlayer {
public:
    explicit MediaPlayerAdapter(TMediaPlayer& player) : m_player(player) {}

    void setFileName(const QString& path) override;
    void Open() override;
    void Play() override;
    void Stop() override;
    void setWait(bool wait) override;
    bool isPlaying() override;
    bool lastNotifyEndedPlay() const override;

private:
    TMediaPlayer& m_player;
};

class DesktopBrowserServices : public BrowserServices {
public:
    explicit DesktopBrowserServices(TOpenDialog& dialog) : m_dialog(dialog) {}

    QString ProgramFilePath() const override;
    QString FolderPart(const QString& path) const override;
    bool FileIsPresent(const QString& path) const override;
    void MessageBeep() override;
    std::optional<QString> ChooseFile() override;

private:
    TOpenDialog& m_dialog;
};
