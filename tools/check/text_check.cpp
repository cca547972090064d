#include "tools/check/text_check.h"

#include "app/error_box.h"
#include "app/file_services.h"
#include "app/text_lines.h"
#include "platform/ui/memo.h"
#include "tools/check/text_encoding.h"

#include <QFile>

namespace {

// Enough of a garbled line for the reader to recognise the words it came from.
constexpr qsizetype kGarbledSampleLength = 24;

QString linesValue(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 line") : QStringLiteral("%1 lines").arg(count);
}

// The first line as the text area shows it, shortened.
QString firstLineShown(const QByteArray& bytes)
{
    QString line = textFromFileBytes(bytes).section(QLatin1Char('\n'), 0, 0);
    if (line.size() > kGarbledSampleLength)
        line = line.left(kGarbledSampleLength) + QStringLiteral("…");
    return line;
}

} // namespace

FileCheck checkTextFile(const QString& path, const QString& missingNote)
{
    FileCheck check;
    if (!FileIsPresent(path)) {
        check.report(CheckStatus::Missing, missingNote);
        return check;
    }
    TMemo area;
    try {
        LoadTextLines(area, path);
    } catch (const std::exception& error) {
        check.report(CheckStatus::Failed,
                     QStringLiteral("error box \"%1\"").arg(withFinalPeriod(QString::fromUtf8(error.what()))));
        return check;
    }
    check.value = linesValue(area.Lines().size());

    // The loader has read the file, so reading it again here succeeds too.
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (looksLikeUtf8(bytes))
        check.report(CheckStatus::Warning,
                     QStringLiteral("saved as UTF-8, but read as Windows-1251: it shows garbled, as \"%1\"")
                         .arg(firstLineShown(bytes)));
    if (bytes.contains('\0'))
        check.report(CheckStatus::Warning, QStringLiteral("holds a NUL byte: only the text before it shows"));
    if (area.Text().isEmpty())
        check.report(CheckStatus::Warning, QStringLiteral("empty: no text shows"));
    return check;
}
