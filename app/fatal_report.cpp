#include "app/fatal_report.h"

#include "app/program_name.h"
#include "app/user_dialogs.h"
#include "platform/exception/exception.h"

#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

namespace {

constexpr auto kStartupFailureCaption = "Application Error";

// The class name of an error object that is not one of the program's.
QString demangledName(const std::type_info& type)
{
    int status = 0;
    const std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                      std::free);
    return QString::fromLatin1(status == 0 && name ? name.get() : type.name());
}

} // namespace

QString startupFailureText(const QString& className, const QString& module, quintptr address, const QString& message)
{
    QString text = QStringLiteral("Exception %1 in module %2 at %3.\n%4")
                       .arg(className, module,
                            QStringLiteral("%1").arg(address & 0xFFFFFFFFu, 8, 16, QLatin1Char('0')).toUpper(),
                            message);
    if (!message.isEmpty() && !message.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    return text;
}

void ShowFatalReport(const std::exception_ptr& error)
{
    QString className = QStringLiteral("Exception");
    QString message;
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        className = QString::fromLatin1(e.ClassName());
        message = QString::fromUtf8(e.what());
    } catch (const std::exception& e) {
        className = demangledName(typeid(e));
        message = QString::fromUtf8(e.what());
    } catch (...) {
        if (const std::type_info* type = abi::__cxa_current_exception_type())
            className = demangledName(*type);
    }
    const QString module = QFileInfo(shownProgramPath()).fileName();
    const auto address = reinterpret_cast<quintptr>(&ShowFatalReport);
    const QString text = startupFailureText(className, module, address, message);
    std::fprintf(stderr, "%s: %s\n", kStartupFailureCaption, text.toUtf8().constData());
    userDialogs().showErrorBox(text, QString::fromLatin1(kStartupFailureCaption));
}
