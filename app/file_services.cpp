#include "app/file_services.h"

#include "app/core/path_encoding.h"

#include <QCoreApplication>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Linux's own link to the executable of the calling process.
constexpr char kSelfExecutable[] = "/proc/self/exe";
// Far longer than any path the program will lie on.
constexpr std::size_t kMaxPathBytes = 4096;

constexpr QChar kSeparator = u'/';

} // namespace

QString ProgramFilePath()
{
    char buffer[kMaxPathBytes];
    const ssize_t length = readlink(kSelfExecutable, buffer, sizeof buffer);
    if (length > 0 && static_cast<std::size_t>(length) < sizeof buffer)
        return pathFromBytes(QByteArray(buffer, static_cast<qsizetype>(length)));
    // Without /proc, Qt's own answer is the best there is.
    return QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
}

QString FolderPart(const QString& path)
{
    const qsizetype last = path.lastIndexOf(kSeparator);
    return last < 0 ? QString() : path.left(last + 1);
}

bool FileIsPresent(const QString& name)
{
    if (name.isEmpty())
        return false;
    struct stat entry {};
    if (stat(pathBytes(name).constData(), &entry) != 0)
        return false;
    // Only regular files: a directory is absent, and so is a pipe or device,
    // which reading would block on or never finish.
    return S_ISREG(entry.st_mode);
}

bool FolderIsPresent(const QString& name)
{
    struct stat entry {};
    return !name.isEmpty() && stat(pathBytes(name).constData(), &entry) == 0 && S_ISDIR(entry.st_mode);
}
