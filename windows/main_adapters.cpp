#include "windows/main_adapters.h"

#include "app/core/path_encoding.h"
#include "app/file_services.h"
#include "app/open_dialog.h"
#include "app/picture_file.h"
#include "app/text_lines.h"
#include "app/user_dialogs.h"
#include "platform/ui/check_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/image.h"
#include "platform/ui/memo.h"
#include "player/media_player.h"

MainWindowView::MainWindowView(TForm& form, TMemo& memo, TImage& picture, TImage& fallback, TCheckBox& sound,
                               TEdit& folder, TMediaPlayer& player)
    : m_form(form), m_memo(memo), m_picture(picture), m_fallback(fallback), m_sound(sound), m_folder(folder),
      m_player(player)
{}

void MainWindowView::clearLines() { m_memo.Clear(); }
void MainWindowView::loadTextLines(const QString& path) { LoadTextLines(m_memo, path); }
void MainWindowView::addLine(const QString& line) { m_memo.AddLine(line); }
void MainWindowView::focusMemo() { m_form.setActiveControl(&m_memo); }
void MainWindowView::loadPictureFile(const QString& path) { LoadPictureFile(m_picture, path); }
void MainWindowView::showFallbackPicture() { ClonePicture(m_fallback, m_picture); }
bool MainWindowView::playerVisible() const { return m_player.isVisibleTo(m_player.parentWidget()); }
void MainWindowView::setPlayerVisible(bool visible) { m_player.setVisible(visible); }
bool MainWindowView::soundChecked() const { return m_sound.Checked(); }
void MainWindowView::setDataFolderText(const QString& text) { m_folder.setText(text); }

void MediaPlayerAdapter::setFileName(const QString& path) { m_player.setFileName(pathBytes(path).toStdString()); }
void MediaPlayerAdapter::Open() { m_player.Open(); }
void MediaPlayerAdapter::Play() { m_player.Play(); }
void MediaPlayerAdapter::Stop() { m_player.Stop(); }
void MediaPlayerAdapter::setWait(bool wait) { m_player.setWait(wait); }
bool MediaPlayerAdapter::isPlaying() { return m_player.Mode() == mdPlaying; }
bool MediaPlayerAdapter::lastNotifyEndedPlay() const
{
    return m_player.LastNotify() == nrSuccessful || m_player.LastNotify() == nrFailure;
}

QString DesktopBrowserServices::ProgramFilePath() const { return ::ProgramFilePath(); }
QString DesktopBrowserServices::FolderPart(const QString& path) const { return ::FolderPart(path); }
bool DesktopBrowserServices::FileIsPresent(const QString& path) const { return ::FileIsPresent(path); }
void DesktopBrowserServices::MessageBeep() { ::MessageBeep(0); }

std::optional<QString> DesktopBrowserServices::ChooseFile()
{
    if (!::ChooseFile(m_dialog))
        return std::nullopt;
    return m_dialog.FileName;
}
