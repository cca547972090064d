#include "app/program_name.h"

#include "app/core/path_encoding.h"
#include "app/file_services.h"

#include <QFileInfo>

QString titleFromFileName(const QString& path)
{
    QString name = QFileInfo(path).fileName();
    name = name.section(QLatin1Char('.'), 0, 0);
    // Executables here are named in lower case, so the first character is
    // made a capital rather than kept, or every caption would read "tolvika".
    if (!name.isEmpty())
        name = name.left(1).toUpper() + name.mid(1).toLower();
    return name;
}

QString shownProgramPath() { return displayPath(ProgramFilePath()); }
