#include "app/error_box.h"

#include "app/application.h"
#include "app/program_name.h"
#include "app/user_dialogs.h"

#include <QByteArray>

QString withFinalPeriod(const QString& message)
{
    const QByteArray bytes = message.toUtf8();
    if (!bytes.isEmpty() && static_cast<unsigned char>(bytes.back()) > static_cast<unsigned char>('.'))
        return message + QLatin1Char('.');
    return message;
}

void ShowErrorBox(const std::exception& error)
{
    const TApplication* app = TApplication::instance();
    const QString caption = app ? app->ApplicationTitle() : titleFromFileName(shownProgramPath());
    userDialogs().showErrorBox(withFinalPeriod(QString::fromUtf8(error.what())), caption);
}
