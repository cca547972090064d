#include "tools/page/text_import.h"

#include "platform/codepage/windows1251.h"
#include "platform/ui/memo.h"
#include "tools/content/memo_fit.h"
#include "tools/page/page_errors.h"

#include <QStringDecoder>

namespace {

constexpr char16_t kByteOrderMark = 0xFEFF;
constexpr char16_t kTab = u'\t';

[[noreturn]] void refuse(const QString& message) { throw EPageRefused(message.toStdString()); }

QStringList splitLines(const QString& text)
{
    QString unified = text;
    unified.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    unified.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (unified.endsWith(QLatin1Char('\n')))
        unified.chop(1);
    return unified.split(QLatin1Char('\n'));
}

// "line 2, character 5": where a character stands, counting from 1.
QString place(qsizetype line, qsizetype character)
{
    return QStringLiteral("line %1, character %2").arg(line + 1).arg(character);
}

// Control characters show as boxes or cut the text short (a NUL ends it).
void refuseControlCharacters(const QStringList& lines)
{
    for (qsizetype line = 0; line < lines.size(); ++line) {
        qsizetype character = 0;
        for (const char32_t c : lines[line].toUcs4()) {
            ++character;
            if (QChar::category(c) == QChar::Other_Control && c != kTab)
                refuse(QStringLiteral("the text holds a control character (%1) at %2: Tolvika cannot show it")
                           .arg(QString::fromStdString(cp1251::codePointName(c)), place(line, character)));
        }
    }
}

QByteArray convertLine(const QString& line, qsizetype index)
{
    try {
        return QByteArray::fromStdString(cp1251::toWindows1251(line.toStdString()));
    } catch (const cp1251::EUnmappableCharacter& error) {
        const char32_t character = error.character();
        refuse(QStringLiteral("the text holds \"%1\" (%2) at %3, which Windows-1251 cannot hold, so Tolvika cannot "
                              "show it; leave it out or write it in letters")
                   .arg(QString::fromUcs4(&character, 1),
                        QString::fromStdString(cp1251::codePointName(error.character())),
                        place(index, static_cast<qsizetype>(error.position()))));
    }
}

} // namespace

QString textFromArgument(const QString& argument)
{
    QString text;
    for (qsizetype i = 0; i < argument.size(); ++i) {
        const QChar c = argument.at(i);
        if (c == QLatin1Char('\\') && i + 1 < argument.size()) {
            const QChar next = argument.at(i + 1);
            if (next == QLatin1Char('n') || next == QLatin1Char('\\')) {
                text += next == QLatin1Char('n') ? QLatin1Char('\n') : QLatin1Char('\\');
                ++i;
                continue;
            }
        }
        text += c;
    }
    return text;
}

QString textFromUtf8File(const QByteArray& bytes, const QString& path)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        refuse(QStringLiteral("%1: saved as UTF-16; save it as UTF-8").arg(path));
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    for (qsizetype at = 0, line = 0, lineStart = 0; at < bytes.size(); ++at) {
        // Check line by line, so that the message can say where.
        if (bytes.at(at) != '\n' && at + 1 != bytes.size())
            continue;
        const QByteArray lineBytes = bytes.mid(lineStart, at + 1 - lineStart);
        QStringDecoder lineDecoder(QStringDecoder::Utf8);
        const QString decoded = lineDecoder.decode(lineBytes);
        if (lineDecoder.hasError()) {
            const qsizetype bad = decoded.indexOf(QChar::ReplacementCharacter);
            refuse(QStringLiteral("%1: not UTF-8 text at line %2, byte %3 of the line (saved as Windows-1251 or "
                                  "another code page?); save it as UTF-8")
                       .arg(path)
                       .arg(line + 1)
                       .arg(bad < 0 ? 1 : decoded.left(bad).toUtf8().size() + 1));
        }
        ++line;
        lineStart = at + 1;
    }
    QString text = decoder.decode(bytes);
    if (text.startsWith(QChar(kByteOrderMark)))
        text.remove(0, 1);
    return text;
}

ImportedText importText(const QString& text)
{
    ImportedText result;
    result.lines = splitLines(text);
    if (text.trimmed().isEmpty())
        refuse(QStringLiteral("the text is empty: nothing would show"));
    refuseControlCharacters(result.lines);
    std::vector<std::string> utf8Lines;
    for (qsizetype i = 0; i < result.lines.size(); ++i) {
        result.bytes += convertLine(result.lines[i], i);
        result.bytes += "\r\n";
        utf8Lines.push_back(result.lines[i].toStdString());
    }
    // Tolvika reads no text file larger than its text area holds; written,
    // such a text would replace a good one with an error box.
    if (result.bytes.size() > TMemo::kCapacity)
        refuse(QStringLiteral("the text takes %1 bytes as Tolvika stores it (one a letter, two a line break), more "
                              "than the %2 its text area holds; shorten it")
                   .arg(result.bytes.size())
                   .arg(TMemo::kCapacity));
    try {
        for (const std::string& problem : content::memoFitProblems(utf8Lines))
            result.warnings.append(QString::fromStdString(problem));
    } catch (const Exception& error) {
        result.warnings.append(
            QStringLiteral("the fit in the text area was not measured: %1").arg(QString::fromUtf8(error.what())));
    }
    return result;
}
