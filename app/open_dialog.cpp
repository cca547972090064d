#include "app/open_dialog.h"

QStringList TOpenDialog::nameFilters() const
{
    QStringList filters;
    const QStringList parts = Filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters.append(parts[i] + QLatin1String(" (") + patterns.simplified() + QLatin1Char(')'));
    }
    return filters;
}
