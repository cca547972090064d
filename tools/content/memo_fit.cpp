#include "tools/content/memo_fit.h"

#include "platform/exception/exception.h"

#include <QFontInfo>
#include <QFontMetrics>

namespace content {

QFont memoFont()
{
    QFont font("Liberation Serif");
    font.setPixelSize(kMemoFontPixels);
    font.setBold(true);
    return font;
}

int memoLineWidth(const QString& line) { return QFontMetrics(memoFont()).horizontalAdvance(line); }

std::vector<std::string> memoFitProblems(const std::vector<std::string>& utf8Lines)
{
    const QString family = QFontInfo(memoFont()).family();
    if (family != QLatin1String("Liberation Serif"))
        throw Exception("Liberation Serif is needed to measure the texts, found " + family.toStdString());
    std::vector<std::string> problems;
    for (std::size_t i = 0; i < utf8Lines.size(); ++i) {
        const int width = memoLineWidth(QString::fromStdString(utf8Lines[i]));
        if (width > kMemoTextWidth)
            problems.push_back("line " + std::to_string(i + 1) + " is too wide for the text area ("
                               + std::to_string(width) + " of " + std::to_string(kMemoTextWidth)
                               + " px): it wraps, and its end is not seen: " + utf8Lines[i]);
    }
    if (utf8Lines.size() > kMemoVisibleLines)
        problems.push_back(std::to_string(utf8Lines.size()) + " lines, but the text area shows "
                           + std::to_string(kMemoVisibleLines) + ": from line " + std::to_string(kMemoVisibleLines + 1)
                           + " on, nothing is seen: " + utf8Lines[kMemoVisibleLines]);
    return problems;
}

void checkFitsMemo(const std::vector<std::string>& utf8Lines)
{
    const std::vector<std::string> problems = memoFitProblems(utf8Lines);
    if (!problems.empty())
        throw Exception("Text does not fit the text area: " + problems.front());
}

} // namespace content
