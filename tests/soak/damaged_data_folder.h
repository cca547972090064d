// A data folder for the key-mash soak, made on the spot: the welcome page and
// all 33 letters, every third letter damaged in its own way (missing folder,
// bad or corrupt pictures, empty or broken sounds, wrong encodings, entries of
// the wrong kind, a text beyond the text area's capacity). For each letter it
// records what its page must show and which error boxes loading it may raise,
// so that the soak can check every page against the damage that made it.
#pragma once

#include <QRegularExpression>
#include <QString>
#include <cstdint>
#include <vector>

namespace soak {

struct LetterPage {
    std::uint8_t letter = 0; // the Windows-1251 capital
    QString damage; // what is wrong with it; empty for a sound page
    QString memoText; // what Memo1 holds once the page is loaded
    bool hasSound = false; // whether loading opens a sound
    // A box every load of this page raises, at load or at its first painting; empty: none.
    QString requiredError;
};

class DamagedDataFolder {
public:
    // Builds the folder below `root`, which must exist and be empty.
    explicit DamagedDataFolder(const QString& root);

    // The folder with its final separator, as DataFolder holds it.
    QString path() const { return m_path; }
    QString markerFile() const { return m_path + QStringLiteral("data.txt"); }
    const QString& welcomeText() const { return m_welcomeText; }
    const LetterPage& page(std::uint8_t letter) const;
    const std::vector<LetterPage>& pages() const { return m_pages; }

private:
    void writeGoodLetter(const QString& folder, LetterPage& page, int variant);
    void writeDamagedLetter(const QString& folder, LetterPage& page, int kind);

    QString m_path;
    QString m_welcomeText;
    std::vector<LetterPage> m_pages;
};

// The 33 capitals in the order of the alphabet.
const std::vector<std::uint8_t>& alphabet();
// The folder name of a capital: its Unicode form.
QString letterName(std::uint8_t letter);

// Whether an error box text is one that the program's own errors give.
bool isKnownErrorText(const QString& text);

} // namespace soak
