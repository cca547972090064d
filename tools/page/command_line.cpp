#include "tools/page/command_line.h"

#include "tools/page/page_errors.h"

const char* const kPageUsageText =
    "usage: tolvika-page DATA LETTER [--picture FILE] [--text TEXT | --text-file FILE]\n"
    "                    [--sound FILE] [--replace]\n"
    "       tolvika-page DATA --welcome [--picture FILE] [--text ...] [--sound FILE] [--replace]\n"
    "       tolvika-page --new FOLDER\n"
    "Makes a page of a Tolvika data folder from a phone photo (JPEG, PNG, HEIC, WebP,\n"
    "GIF, BMP, TIFF), a text (UTF-8; \\n between lines) and a voice memo (m4a, Opus,\n"
    "AMR, MP3, FLAC, WAV). LETTER is a Russian letter, capital or small; Main or\n"
    "--welcome is the welcome page. A page file that is there already is replaced\n"
    "only with --replace. --new makes an empty data folder with data.txt and help.txt.\n"
    "Exit status: 0 when the page shows whole, 1 when an input is refused, a\n"
    "conversion fails or the page still lacks a file, 2 for a wrong command line.\n";

namespace {

[[noreturn]] void wrong(const QString& message) { throw EPageUsage(message.toStdString()); }

// The words of the command line, one at a time; "--name=value" counts as two.
class Words {
public:
    explicit Words(const QStringList& arguments)
    {
        for (const QString& argument : arguments) {
            const qsizetype equals = argument.indexOf(QLatin1Char('='));
            if (argument.startsWith(QLatin1String("--")) && equals > 2) {
                m_words.append(argument.left(equals));
                m_words.append(argument.mid(equals + 1));
            } else {
                m_words.append(argument);
            }
        }
    }
    bool done() const { return m_next >= m_words.size(); }
    QString take() { return m_words.at(m_next++); }
    QString valueOf(const QString& option)
    {
        if (done())
            wrong(QStringLiteral("%1 needs a value").arg(option));
        return take();
    }

private:
    QStringList m_words;
    qsizetype m_next = 0;
};

void setOnce(std::optional<QString>& slot, const QString& option, const QString& value)
{
    if (slot)
        wrong(QStringLiteral("%1 is given twice").arg(option));
    slot = value;
}

} // namespace

PageCommand parseCommandLine(const QStringList& arguments)
{
    PageCommand command;
    command.kind = PageCommand::Kind::MakePage;
    QStringList positional;
    std::optional<QString> newFolder;
    bool welcome = false;
    Words words(arguments);
    while (!words.done()) {
        const QString word = words.take();
        if (word == QLatin1String("-h") || word == QLatin1String("--help")) {
            command.kind = PageCommand::Kind::Help;
            return command;
        }
        if (word == QLatin1String("--picture"))
            setOnce(command.picture, word, words.valueOf(word));
        else if (word == QLatin1String("--text"))
            setOnce(command.text, word, words.valueOf(word));
        else if (word == QLatin1String("--text-file"))
            setOnce(command.textFile, word, words.valueOf(word));
        else if (word == QLatin1String("--sound"))
            setOnce(command.sound, word, words.valueOf(word));
        else if (word == QLatin1String("--new"))
            setOnce(newFolder, word, words.valueOf(word));
        else if (word == QLatin1String("--replace"))
            command.replace = true;
        else if (word == QLatin1String("--welcome"))
            welcome = true;
        else if (word.startsWith(QLatin1String("--")))
            wrong(QStringLiteral("unknown option %1").arg(word));
        else
            positional.append(word);
    }

    if (newFolder) {
        if (!positional.isEmpty() || welcome || command.replace || command.picture || command.text || command.textFile
            || command.sound)
            wrong(QStringLiteral("--new takes only the new folder"));
        if (newFolder->isEmpty())
            wrong(QStringLiteral("--new needs a folder"));
        command.kind = PageCommand::Kind::NewFolder;
        command.dataFolder = *newFolder;
        return command;
    }
    if (positional.isEmpty())
        wrong(QStringLiteral("no data folder given"));
    command.dataFolder = positional.takeFirst();
    if (welcome) {
        if (!positional.isEmpty())
            wrong(QStringLiteral("--welcome and a letter (%1) both given").arg(positional.first()));
        command.target = PageTarget{true, 0};
    } else {
        if (positional.isEmpty())
            wrong(QStringLiteral("no letter given (or --welcome for the welcome page)"));
        command.target = parsePageTarget(positional.takeFirst());
    }
    if (!positional.isEmpty())
        wrong(QStringLiteral("one letter only: \"%1\" is one word too many").arg(positional.first()));
    if (command.text && command.textFile)
        wrong(QStringLiteral("--text and --text-file both given: one text only"));
    if (!command.picture && !command.text && !command.textFile && !command.sound)
        wrong(QStringLiteral("nothing to put on the page: give --picture, --text, --text-file or --sound"));
    return command;
}
