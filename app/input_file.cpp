#include "app/input_file.h"

#include "app/core/errors.h"
#include "app/core/path_encoding.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

void openInputFile(QFile& file, const QString& name)
{
    // O_NONBLOCK keeps a pipe from blocking the open; such entries are refused below.
    const int fd = open(pathBytes(name).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        throw fileOpenError(name);
    struct stat entry {};
    if (fstat(fd, &entry) != 0 || !S_ISREG(entry.st_mode)) {
        close(fd);
        throw fileOpenError(name);
    }
    // From here the QFile owns the descriptor and closes it.
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        close(fd);
        throw fileOpenError(name);
    }
}
