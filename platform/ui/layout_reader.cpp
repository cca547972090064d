#include "platform/ui/layout_reader.h"

#include "platform/exception/exception.h"

#include <QFile>
#include <QStringList>

namespace layout {

namespace {

constexpr auto kResourceRoot = ":/windows/resources/";

class Parser {
public:
    Parser(const QByteArray& text, const ResourceLoader& loader)
        : m_lines(QString::fromUtf8(text).split(QLatin1Char('\n'))), m_loader(loader)
    {}

    Node parseRoot()
    {
        skipBlank();
        if (m_index >= m_lines.size())
            fail("layout is empty");
        Node root = parseObject();
        skipBlank();
        if (m_index < m_lines.size())
            fail("text after the last end");
        return root;
    }

private:
    [[noreturn]] void fail(const std::string& what) const
    {
        throw EReadError("Error reading layout, line " + std::to_string(m_index + 1) + ": " + what);
    }

    QString current() const { return m_lines[m_index].trimmed(); }

    void skipBlank()
    {
        while (m_index < m_lines.size() && (current().isEmpty() || current().startsWith(QLatin1String("//"))))
            ++m_index;
    }

    Node parseObject()
    {
        const QString header = current();
        if (!header.startsWith(QLatin1String("object ")))
            fail("'object' expected");
        const QStringList parts = header.mid(7).split(QLatin1Char(':'));
        if (parts.size() != 2 || parts[0].trimmed().isEmpty() || parts[1].trimmed().isEmpty())
            fail("'object Name: Class' expected");
        Node node;
        node.name = parts[0].trimmed();
        node.className = parts[1].trimmed();
        node.line = m_index + 1;
        ++m_index;
        for (;;) {
            skipBlank();
            if (m_index >= m_lines.size())
                fail("'end' expected");
            const QString line = current();
            if (line == QLatin1String("end")) {
                ++m_index;
                return node;
            }
            if (line.startsWith(QLatin1String("object ")))
                node.children.push_back(parseObject());
            else
                node.properties.push_back(parseProperty());
        }
    }

    std::pair<QString, LayoutValue> parseProperty()
    {
        const QString line = current();
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0)
            fail("'Name = value' expected");
        const QString name = line.left(equals).trimmed();
        QString text = line.mid(equals + 1).trimmed();
        // A list may run over several lines until its closing parenthesis.
        if (text.startsWith(QLatin1Char('('))) {
            while (!endsList(text)) {
                if (++m_index >= m_lines.size())
                    fail("')' expected");
                text += QLatin1Char(' ') + current();
            }
        }
        LayoutValue value = parseValue(text);
        ++m_index;
        return {name, std::move(value)};
    }

    static bool endsList(const QString& text)
    {
        // The list is closed when a ')' stands outside quotes.
        bool quoted = false;
        for (QChar c : text) {
            if (c == QLatin1Char('\''))
                quoted = !quoted;
            else if (c == QLatin1Char(')') && !quoted)
                return true;
        }
        return false;
    }

    // Reads a quoted text at `pos`, leaving pos after its closing quote.
    QString quoted(const QString& text, int& pos) const
    {
        if (pos >= text.size() || text[pos] != QLatin1Char('\''))
            fail("quoted text expected");
        QString result;
        for (++pos; pos < text.size(); ++pos) {
            if (text[pos] == QLatin1Char('\'')) {
                if (pos + 1 < text.size() && text[pos + 1] == QLatin1Char('\'')) {
                    result += QLatin1Char('\'');
                    ++pos;
                    continue;
                }
                ++pos;
                return result;
            }
            result += text[pos];
        }
        fail("unterminated text");
    }

    static void skipSpaces(const QString& text, int& pos)
    {
        while (pos < text.size() && text[pos].isSpace())
            ++pos;
    }

    LayoutValue parseValue(const QString& text) const
    {
        LayoutValue value;
        if (text.isEmpty())
            fail("value expected");
        if (text.startsWith(QLatin1Char('\''))) {
            int pos = 0;
            value.kind = LayoutValue::Kind::String;
            value.text = quoted(text, pos);
            if (pos != text.size())
                fail("text after the closing quote");
        } else if (text.startsWith(QLatin1Char('['))) {
            if (!text.endsWith(QLatin1Char(']')))
                fail("']' expected");
            value.kind = LayoutValue::Kind::Set;
            for (const QString& item : text.mid(1, text.size() - 2).split(QLatin1Char(','), Qt::SkipEmptyParts))
                value.items.push_back(item.trimmed());
        } else if (text.startsWith(QLatin1Char('('))) {
            value.kind = LayoutValue::Kind::List;
            int pos = 1;
            for (;;) {
                skipSpaces(text, pos);
                if (pos < text.size() && text[pos] == QLatin1Char(')'))
                    break;
                value.items.push_back(quoted(text, pos));
            }
            if (pos + 1 != text.size())
                fail("text after ')'");
        } else if (text.startsWith(QLatin1String("resource "))) {
            int pos = 9;
            skipSpaces(text, pos);
            value.kind = LayoutValue::Kind::Binary;
            const QString path = quoted(text, pos);
            value.bytes = m_loader(path);
        } else if (text[0].isDigit() || text[0] == QLatin1Char('-')) {
            bool ok = false;
            value.kind = LayoutValue::Kind::Integer;
            value.integer = text.toLongLong(&ok);
            if (!ok)
                fail("number expected");
        } else {
            for (QChar c : text)
                if (!c.isLetterOrNumber() && c != QLatin1Char('_') && c != QLatin1Char('#'))
                    fail("identifier expected");
            value.kind = LayoutValue::Kind::Identifier;
            value.text = text;
        }
        return value;
    }

    QStringList m_lines;
    const ResourceLoader& m_loader;
    int m_index = 0;
};

QByteArray readResource(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EReadError("Resource " + path.toStdString() + " not found");
    return file.readAll();
}

} // namespace

Node parse(const QByteArray& text, const ResourceLoader& loadResource)
{
    return Parser(text, loadResource).parseRoot();
}

QByteArray layoutResource(const QString& name) { return readResource(kResourceRoot + name + ".layout"); }

QByteArray layoutFile(const QString& path)
{
    if (path.contains(QLatin1String("..")))
        throw EReadError("Resource " + path.toStdString() + " not found");
    return readResource(kResourceRoot + path);
}

} // namespace layout
