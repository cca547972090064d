#include "windows/open_dialog_component.h"

#include "platform/exception/exception.h"
#include "platform/ui/layout_value.h"

namespace {

TOpenOption optionByName(const QString& name)
{
    static const std::pair<const char*, TOpenOption> table[] = {
        {"ofHideReadOnly", TOpenOption::ofHideReadOnly},
        {"ofPathMustExist", TOpenOption::ofPathMustExist},
        {"ofFileMustExist", TOpenOption::ofFileMustExist},
        {"ofEnableSizing", TOpenOption::ofEnableSizing},
    };
    for (const auto& [text, option] : table)
        if (name == QLatin1String(text))
            return option;
    throw EReadError("Invalid property value: " + name.toStdString());
}

} // namespace

bool TOpenDialogComponent::setLayoutProperty(const QString& name, const LayoutValue& value)
{
    if (name == QLatin1String("DefaultExt"))
        Dialog.DefaultExt = value.asString();
    else if (name == QLatin1String("Filter"))
        Dialog.Filter = value.asString();
    else if (name == QLatin1String("Options")) {
        TOpenOptions options;
        for (const QString& item : value.asSet())
            options |= optionByName(item);
        Dialog.Options = options;
    } else
        return false;
    return true;
}
