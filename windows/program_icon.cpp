#include "windows/program_icon.h"

#include <QApplication>
#include <QIcon>

namespace {
constexpr auto kMainIcon = ":/windows/resources/icon/MAINICON.ico";
}

QIcon ProgramIcon() { return QIcon(QString::fromLatin1(kMainIcon)); }

void installProgramIcon()
{
    if (qApp && QApplication::windowIcon().isNull())
        QApplication::setWindowIcon(ProgramIcon());
}
