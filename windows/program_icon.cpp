#include "windows/program_icon.h"

#include "platform/ui/image_decoding.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

namespace {
constexpr auto kMainIcon = ":/windows/resources/icon/MAINICON.ico";
}

// Each size read by the icon format's reader alone: an icon made from the file
// name asks every image plugin (loading each, with its libraries) which reads it.
QIcon ProgramIcon()
{
    QIcon icon;
    for (const QImage& image : ui::readEveryImage(QString::fromLatin1(kMainIcon), "ICO"))
        icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}

void installProgramIcon()
{
    if (qApp && QApplication::windowIcon().isNull())
        QApplication::setWindowIcon(ProgramIcon());
}
