#include "tools/page/new_folder.h"

#include "platform/codepage/windows1251.h"
#include "tools/content/help_text.h"
#include "tools/page/page_errors.h"
#include "tools/page/page_writer.h"
#include "tools/page/staged_file.h"

#include <QDir>
#include <QFileInfo>

namespace fs = std::filesystem;

namespace {

QByteArray windows1251Bytes(const std::vector<std::string>& lines)
{
    return QByteArray::fromStdString(cp1251::windows1251Lines(lines));
}

} // namespace

void makeNewDataFolder(const QString& folder, QTextStream& out)
{
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir())
        throw EPageRefused((folder + QStringLiteral(" is a file, not a folder")).toStdString());
    if (info.isDir() && !QDir(folder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        throw EPageRefused((folder
                            + QStringLiteral(" is not empty; give a new folder, or add pages to it with "
                                             "tolvika-page if it is a data folder already"))
                               .toStdString());
    const QString absolute = QDir::cleanPath(info.absoluteFilePath());
    try {
        const fs::path parent = nativePath(absolute).parent_path();
        // The folders above are the parent's to have; only the last one is made here.
        if (!fs::is_directory(parent))
            throw EPageRefused("the folder " + parent.string() + " is not there to hold it");
        NewFolderGuard made(nativePath(absolute));
        StagedFile marker(nativePath(absolute + QStringLiteral("/data.txt")));
        StagedFile help(nativePath(absolute + QStringLiteral("/help.txt")));
        marker.write(windows1251Bytes(content::markerLines()));
        help.write(windows1251Bytes(content::helpLines()));
        marker.sync();
        help.sync();
        swapInTogether({&marker, &help});
        made.keep();
    } catch (const EPageRefused&) {
        throw;
    } catch (const std::exception& error) {
        throw EPageRefused(std::string(error.what()) + "; nothing was made");
    }
    out << "made the data folder " << absolute << " with data.txt and help.txt" << Qt::endl
        << "add a page:  tolvika-page " << absolute << " А --picture PHOTO --text \"Аа\\nАрбуз\" --sound MEMO"
        << Qt::endl;
}
