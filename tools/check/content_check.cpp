#include "tools/check/content_check.h"

#include "app/core/path_encoding.h"
#include "app/file_services.h"
#include "browser/content_page.h"
#include "browser/key_mapping.h"
#include "tools/check/picture_check.h"
#include "tools/check/report_table.h"
#include "tools/check/sound_check.h"
#include "tools/check/text_check.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <filesystem>

namespace {

constexpr auto kWelcomePageName = "Main";
constexpr auto kHelpFileName = "help.txt";
constexpr auto kMarkerFileName = "data.txt";

// The Windows-1251 capitals in alphabetical order: Ё, outside the block of
// the others, comes after Е.
std::vector<std::uint8_t> lettersInOrder()
{
    std::vector<std::uint8_t> letters;
    constexpr std::uint8_t kCapitalA = 0xC0, kCapitalYe = 0xC5, kCapitalYa = 0xDF;
    for (int letter = kCapitalA; letter <= kCapitalYa; ++letter) {
        letters.push_back(static_cast<std::uint8_t>(letter));
        if (letter == kCapitalYe)
            letters.push_back(kCapitalYo);
    }
    return letters;
}

PageCheck checkPage(const QString& name, const ContentPage& files)
{
    PageCheck page;
    page.name = name;
    page.text = checkTextFile(files.textPath, QStringLiteral("missing: \"%1\" shows").arg(files.missingTextLine));
    page.picture = checkPictureFile(files.picturePath);
    page.sound = checkSoundFile(files.soundPath);
    return page;
}

// The working folder by its bytes: the toolkit's own answer decodes its name
// as text and loses what is not UTF-8.
QString workingFolder()
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    return error ? QDir::currentPath() : pathFromBytes(QByteArray::fromStdString(folder.native()));
}

// A page without its folder is said once, not three times.
void noteMissingFolder(PageCheck& page, const QString& folderName, const ContentPage& files)
{
    page.notes.append(
        QStringLiteral("no folder %1: \"%2\", the fallback picture and a beep").arg(folderName, files.missingTextLine));
    for (FileCheck* file : {&page.text, &page.picture, &page.sound})
        file->notes.clear();
}

QString withFinalSeparator(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

} // namespace

bool FolderCheck::passed() const
{
    const bool pagesLoad = std::all_of(pages.begin(), pages.end(), [](const PageCheck& page) { return page.shows(); });
    return pagesLoad && help.loads() && marker.loads();
}

PageCheck checkWelcomePage(const QString& folder)
{
    const QString root = withFinalSeparator(folder);
    const ContentPage welcome = welcomePage(root);
    PageCheck page = checkPage(QLatin1String(kWelcomePageName), welcome);
    if (!FolderIsPresent(root + QLatin1String(kWelcomePageName)))
        noteMissingFolder(page, QLatin1String(kWelcomePageName), welcome);
    return page;
}

PageCheck checkLetterPage(const QString& folder, std::uint8_t letter)
{
    const QString root = withFinalSeparator(folder);
    const QString name = letterFolderName(letter);
    const ContentPage files = letterPage(root, letter);
    PageCheck page = checkPage(name, files);
    if (!FolderIsPresent(root + name))
        noteMissingFolder(page, name, files);
    return page;
}

FolderCheck checkDataFolder(const QString& folder)
{
    FolderCheck result;
    result.folder = withFinalSeparator(folder);

    result.pages.push_back(checkWelcomePage(result.folder));
    for (const std::uint8_t letter : lettersInOrder())
        result.pages.push_back(checkLetterPage(result.folder, letter));

    // The Help window loads its text without looking first: a missing file is
    // its error box, which the text check's note says.
    const QString helpPath = result.folder + QLatin1String(kHelpFileName);
    result.help = checkTextFile(helpPath,
                                QStringLiteral("missing: the Help window shows the error box "
                                               "\"Cannot open file %1.\"")
                                    .arg(helpPath));

    if (!FileIsPresent(result.folder + QLatin1String(kMarkerFileName)))
        result.marker.report(CheckStatus::Missing,
                             QStringLiteral("missing: the folder button cannot choose this folder"));
    return result;
}

int runContentCheck(const QString& folder, QTextStream& out)
{
    if (!FolderIsPresent(folder)) {
        out << "not a folder: " << displayPath(folder) << '\n';
        out.flush();
        return kCheckBadArgument;
    }
    // Made absolute as text, so that every byte of the name stays as it is.
    const QString absolute = folder.startsWith(QLatin1Char('/')) ? folder : workingFolder() + QLatin1Char('/') + folder;
    const FolderCheck result = checkDataFolder(QDir::cleanPath(absolute));
    writeReport(result, out);
    out.flush();
    return result.passed() ? kCheckPassed : kCheckFailed;
}
