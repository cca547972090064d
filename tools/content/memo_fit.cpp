#include "tools/content/memo_fit.h"

#include "platform/ui/exception.h"

#include <QFontInfo>
#include <QFontMetrics>

namespace content {

QFont memoFont()
{
    QFont font("Liberation Serif");
    font.setPixelSize(MemoFontPixels);
    font.setBold(true);
    return font;
}

int memoLineWidth(const QString& line)
{
    return QFontMetrics(memoFont()).horizontalAdvance(line);
}

void checkFitsMemo(const std::vector<std::string>& utf8Lines)
{
    // Measuring in a substitute face would prove nothing.
    const QString family = QFontInfo(memoFont()).family();
    if (family != QLatin1String("Liberation Serif"))
        throw Exception("Liberation Serif is needed to measure the texts, found " + family.toStdString());
    if (utf8Lines.size() > MemoVisibleLines)
        throw Exception("More than two lines for the text area: " + utf8Lines.front());
    for (const std::string& line : utf8Lines) {
        const int width = memoLineWidth(QString::fromStdString(line));
        if (width > MemoTextWidth)
            throw Exception("Line too wide for the text area (" + std::to_string(width)
                            + " px): " + line);
    }
}

} // namespace content
