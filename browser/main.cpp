#include "browser/main.h"

#include "browser/key_mapping.h"

#include "app/core/path_encoding.h"

namespace {

// The content folder beside the executable, with its final separator so that
// content paths are the folder followed directly by a relative name.
const QString kDefaultDataSubfolder = QStringLiteral("DATA/");

} // namespace

LetterBrowser::LetterBrowser(BrowserView& view, BrowserPlayer& player, BrowserServices& services)
    : m_view(view), m_player(player), m_services(services)
{}

// Each step stands alone: a missing file is answered by its fallback and the
// next step goes on; an error raised by a step ends it all, and what was
// loaded before it stays on screen. Nothing is cached.
bool LetterBrowser::loadPage(const ContentPage& page)
{
    m_pageSoundStarted = false;
    m_view.clearLines();
    if (m_services.FileIsPresent(page.textPath))
        m_view.loadTextLines(page.textPath);
    else
        m_view.addLine(page.missingTextLine);

    if (m_services.FileIsPresent(page.picturePath))
        m_view.loadPictureFile(page.picturePath);
    else
        m_view.showFallbackPicture();

    if (m_services.FileIsPresent(page.soundPath)) {
        m_player.setFileName(page.soundPath);
        m_player.Open();
        return true;
    }
    // The player keeps its previous file, so the Sound check box can still
    // replay the last sound that existed.
    m_services.MessageBeep();
    m_view.setPlayerVisible(false);
    return false;
}

bool LetterBrowser::LoadInitialData() { return loadPage(welcomePage(m_dataFolder)); }

bool LetterBrowser::LoadLetterData() { return loadPage(letterPage(m_dataFolder, m_currentLetter)); }

void LetterBrowser::PlayerActivate()
{
    m_view.setPlayerVisible(false);
    m_pageSoundStarted = false;
    if (!m_view.soundChecked())
        return;
    m_player.Open();
    // Open has used up any earlier Wait, so this Play returns at once.
    m_player.Play();
    m_pageSoundStarted = true;
    // A click on the repeat control plays again after this call: that Play
    // is to wait for the end of the sound.
    m_player.setWait(true);
}

void LetterBrowser::PlayerDeActivate()
{
    m_player.setWait(false);
    m_player.Stop();
    m_view.setPlayerVisible(m_view.soundChecked());
}

void LetterBrowser::presentWelcomePage()
{
    m_autoPlayArmed = true;
    if (LoadInitialData())
        PlayerActivate();
}

void LetterBrowser::FormActivate()
{
    m_dataFolder = m_services.FolderPart(m_services.ProgramFilePath()) + kDefaultDataSubfolder;
    m_view.setDataFolderText(displayPath(m_dataFolder));
    presentWelcomePage();
}

void LetterBrowser::SpeedButton3Click() { presentWelcomePage(); }

void LetterBrowser::FormKeyPress(std::uint8_t& Key)
{
    // A key never cuts off the sound of the page on screen.
    if (m_player.isPlaying())
        return;
    Key = foldKey(Key);
    m_currentLetter = letterForFoldedKey(Key);
    if (m_currentLetter == kNoLetter) {
        m_services.MessageBeep();
        return;
    }
    if (LoadLetterData()) {
        m_autoPlayArmed = true;
        PlayerActivate();
    }
}

void LetterBrowser::MediaPlayer1Click(bool& DoDefault)
{
    // DoDefault stays true: the control then plays again, now waiting for the
    // end, and raises OnPostClick.
    (void)DoDefault;
    PlayerActivate();
}

void LetterBrowser::MediaPlayer1PostClick() { PlayerDeActivate(); }

// Only the end of an automatically started sound brings the repeat control
// back: played to its end, or given up because the sound output failed (a
// sound server that died, or none at all), so that the control never stays
// hidden for good. The notification of a Play that a later Open, Play or Stop
// cut short, or of one that ended while a newer sound is already playing,
// must not stop the sound now playing. Nor may the late end of an earlier
// page's sound bring the control back to a page without a sound, or stop a
// device that the next page's failed Open has closed.
void LetterBrowser::MediaPlayer1Notify()
{
    if (!m_autoPlayArmed || !m_pageSoundStarted || !m_player.lastNotifyEndedPlay() || m_player.isPlaying())
        return;
    m_autoPlayArmed = false;
    PlayerDeActivate();
}

void LetterBrowser::cbSoundClick()
{
    m_view.focusMemo();
    if (m_view.soundChecked() && !m_view.playerVisible()) {
        m_autoPlayArmed = true;
        PlayerActivate();
    }
    if (!m_view.soundChecked() && m_view.playerVisible())
        m_view.setPlayerVisible(false);
}

void LetterBrowser::btnDirClick()
{
    const std::optional<QString> chosen = m_services.ChooseFile();
    if (!chosen)
        return;
    const QString folder = m_services.FolderPart(*chosen);
    m_view.setDataFolderText(displayPath(folder));
    // Not read back from the field: its text is for reading and need not name the folder.
    m_dataFolder = folder;
}
