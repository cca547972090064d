#include "tools/page/page_maker.h"

#include "tools/check/content_check.h"
#include "tools/check/report_table.h"
#include "tools/page/page_errors.h"
#include "tools/page/page_writer.h"
#include "tools/page/picture_import.h"
#include "tools/page/source_file.h"
#include "tools/page/text_import.h"
#include "tools/page/voice_import.h"

#include <QDir>
#include <QFileInfo>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Larger than any phone photo or voice memo; a bigger file is no page's.
constexpr qint64 kMaxPictureBytes = qint64{200} << 20;
constexpr qint64 kMaxSoundBytes = qint64{200} << 20;
// Far more than the text area's capacity; only a mistaken file is this large.
constexpr qint64 kMaxTextBytes = qint64{64} << 10;
constexpr auto kMarkerFileName = "data.txt";

[[noreturn]] void refuse(const QString& message) { throw EPageRefused(message.toStdString()); }

QString dataFolderOf(const PageCommand& command)
{
    const QFileInfo info(command.dataFolder);
    if (!info.isDir())
        throw EPageUsage(QStringLiteral("%1 is not a folder").arg(command.dataFolder).toStdString());
    const QString folder = QDir::cleanPath(info.absoluteFilePath()) + QLatin1Char('/');
    if (!QFileInfo::exists(folder + QLatin1String(kMarkerFileName)))
        refuse(QStringLiteral("%1 is not a Tolvika data folder (it has no data.txt); make one with "
                              "tolvika-page --new FOLDER, or give the folder that holds data.txt")
                   .arg(command.dataFolder));
    return folder;
}

// The files the command would write, with leave to replace or not.
void refuseToOverwrite(const PageCommand& command, const ContentPage& paths)
{
    const std::pair<bool, QString> parts[] = {{command.picture.has_value(), paths.picturePath},
                                              {command.text || command.textFile, paths.textPath},
                                              {command.sound.has_value(), paths.soundPath}};
    for (const auto& [given, path] : parts) {
        const QFileInfo info(path);
        if (!given || (!info.exists() && !info.isSymLink()))
            continue;
        if (info.isDir())
            refuse(QStringLiteral("%1 is a folder, where the page's file should be; move it away first").arg(path));
        if (!command.replace)
            refuse(QStringLiteral("%1 is there already; add --replace to replace it (nothing was written)").arg(path));
    }
}

// Said before any conversion, since the root of the data folder may be
// writable where a letter's folder is not.
void refuseUnwritable(const QString& pageFolder, const QString& dataFolder)
{
    const QString folder = QFileInfo(pageFolder).isDir() ? pageFolder : dataFolder;
    if (QFileInfo(pageFolder).exists() && !QFileInfo(pageFolder).isDir())
        refuse(QStringLiteral("%1 is a file, where the page's folder should be").arg(pageFolder));
    if (::faccessat(AT_FDCWD, QFile::encodeName(folder).constData(), W_OK, AT_EACCESS) != 0)
        refuse(QStringLiteral("no permission to write in %1 (nothing was written)").arg(folder));
}

QString pageText(const PageCommand& command)
{
    if (command.text)
        return textFromArgument(*command.text);
    const QByteArray bytes = readSourceFile(*command.textFile, kMaxTextBytes, "text");
    return textFromUtf8File(bytes, *command.textFile);
}

void warn(QTextStream& err, const QString& what, const QStringList& warnings)
{
    for (const QString& warning : warnings)
        err << "tolvika-page: warning: " << what << ": " << warning << Qt::endl;
}

// What the program shows in place of each file the page lacks.
QStringList stillMissing(const PageCheck& page)
{
    QStringList missing;
    if (!page.text.loads())
        missing.append(QStringLiteral("its text (--text or --text-file)"));
    if (!page.picture.loads())
        missing.append(QStringLiteral("its picture (--picture)"));
    if (!page.sound.loads())
        missing.append(QStringLiteral("its sound (--sound)"));
    return missing;
}

} // namespace

int makePage(const PageCommand& command, QTextStream& out, QTextStream& err)
{
    const QString dataFolder = dataFolderOf(command);
    const PageTarget& target = command.target;
    const ContentPage paths = target.files(dataFolder);
    const QString pageFolder = dataFolder + target.folderName();
    refuseToOverwrite(command, paths);
    refuseUnwritable(pageFolder, dataFolder);

    // Every source is read and converted before anything is written.
    PageFiles files;
    if (command.text || command.textFile) {
        const ImportedText text = importText(pageText(command));
        out << "text: " << text.lines.size() << (text.lines.size() == 1 ? " line" : " lines") << Qt::endl;
        warn(err, QStringLiteral("text"), text.warnings);
        files.text = text.bytes;
    }
    if (command.picture) {
        const QByteArray bytes = readSourceFile(*command.picture, kMaxPictureBytes, "picture");
        files.picture = importPicture(bytes, *command.picture, out);
    }
    if (command.sound) {
        const QByteArray bytes = readSourceFile(*command.sound, kMaxSoundBytes, "sound");
        ImportedVoice voice = importVoice(bytes, *command.sound, out);
        warn(err, QStringLiteral("sound"), voice.warnings);
        files.sound = std::move(voice.clip);
    }

    for (const QString& path : writePageFiles(pageFolder, paths, files))
        out << "wrote " << path << Qt::endl;

    const PageCheck check = target.welcome ? checkWelcomePage(dataFolder) : checkLetterPage(dataFolder, target.letter);
    out << Qt::endl;
    writePageRows({check}, out);
    out.flush();
    if (check.shows())
        return kPageDone;
    const QStringList missing = stillMissing(check);
    err << "tolvika-page: the page " << target.folderName() << " does not show whole yet: it still needs "
        << missing.join(QStringLiteral(", ")) << "; the row above says what Tolvika shows instead" << Qt::endl;
    return kPageRefused;
}
