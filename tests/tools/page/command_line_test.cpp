// The page tool's command line: which letters name a page (Russian capitals
// and small letters, Ё, Main), what is refused with the list of letters, and
// the option mistakes that are a usage error rather than a guess.
#include "tools/page/command_line.h"
#include "tools/page/page_errors.h"

#include <gtest/gtest.h>

namespace {

QStringList words(std::initializer_list<const char*> list)
{
    QStringList result;
    for (const char* word : list)
        result.append(QString::fromUtf8(word));
    return result;
}

} // namespace

// Each letter, capital or small, names its own Windows-1251 capital; Ё lies
// outside the block of the others; Main and --welcome name the welcome page.
TEST(PageCommandLine, LettersNameTheirPages)
{
    const struct {
        const char* argument;
        std::uint8_t letter;
        const char* folder;
    } cases[] = {{"А", 0xC0, "А"}, {"а", 0xC0, "А"}, {"б", 0xC1, "Б"}, {"Я", 0xDF, "Я"},
                 {"я", 0xDF, "Я"}, {"Ё", 0xA8, "Ё"}, {"ё", 0xA8, "Ё"}, {"Ж", 0xC6, "Ж"}};
    for (const auto& c : cases) {
        const PageCommand command = parseCommandLine(words({"DATA", c.argument, "--text", "x"}));
        EXPECT_FALSE(command.target.welcome) << c.argument;
        EXPECT_EQ(command.target.letter, c.letter) << c.argument;
        EXPECT_EQ(command.target.folderName(), QString::fromUtf8(c.folder)) << c.argument;
    }
    EXPECT_TRUE(parseCommandLine(words({"DATA", "Main", "--sound", "m.m4a"})).target.welcome);
    const PageCommand welcome = parseCommandLine(words({"--welcome", "DATA", "--sound=m.m4a"}));
    EXPECT_TRUE(welcome.target.welcome);
    EXPECT_EQ(welcome.target.folderName(), QStringLiteral("Main"));
    EXPECT_EQ(welcome.sound.value_or(QString()), QStringLiteral("m.m4a"));
}

// A Latin letter, a digit, two letters, a Ukrainian or Greek letter: refused,
// and the message lists every accepted letter.
TEST(PageCommandLine, AnythingButARussianLetterIsRefusedWithTheList)
{
    for (const char* wrong : {"Q", "f", "1", "ББ", "Ї", "Ω", "main", ""}) {
        try {
            parseCommandLine(words({"DATA", wrong, "--text", "x"}));
            ADD_FAILURE() << "accepted " << wrong;
        } catch (const EPageLetter& error) {
            const QString message = QString::fromUtf8(error.what());
            EXPECT_TRUE(message.contains(QStringLiteral("А Б В Г Д Е Ё Ж"))) << message.toStdString();
            EXPECT_TRUE(message.contains(QStringLiteral("Ю Я"))) << message.toStdString();
        }
    }
}

// Options are read whatever their order, and the text keeps its "\n" for the
// text import to turn into breaks.
TEST(PageCommandLine, ReadsEveryOption)
{
    const PageCommand command = parseCommandLine(
        words({"--replace", "DATA", "--picture", "p.heic", "Б", "--text", "Бб\\nБабушка", "--sound", "s.m4a"}));
    EXPECT_EQ(command.kind, PageCommand::Kind::MakePage);
    EXPECT_EQ(command.dataFolder, QStringLiteral("DATA"));
    EXPECT_TRUE(command.replace);
    EXPECT_EQ(command.picture.value_or(QString()), QStringLiteral("p.heic"));
    EXPECT_EQ(command.text.value_or(QString()), QStringLiteral("Бб\\nБабушка"));
    EXPECT_FALSE(command.textFile.has_value());

    const PageCommand created = parseCommandLine(words({"--new", "МояАзбука"}));
    EXPECT_EQ(created.kind, PageCommand::Kind::NewFolder);
    EXPECT_EQ(created.dataFolder, QStringLiteral("МояАзбука"));
    EXPECT_EQ(parseCommandLine(words({"DATA", "Б", "--help"})).kind, PageCommand::Kind::Help);
}

// Mistakes that a guess would turn into a wrong page are usage errors.
TEST(PageCommandLine, MistakesAreUsageErrors)
{
    const std::initializer_list<const char*> wrong[] = {
        {}, // nothing
        {"DATA"}, // no letter
        {"DATA", "Б"}, // nothing to put on the page
        {"DATA", "Б", "В", "--text", "x"}, // two letters
        {"DATA", "Б", "--welcome", "--text", "x"}, // a letter and the welcome page
        {"DATA", "Б", "--text", "x", "--text-file", "t.txt"}, // two texts
        {"DATA", "Б", "--picture", "a.jpg", "--picture", "b.jpg"},
        {"DATA", "Б", "--sound"}, // an option without its value
        {"DATA", "Б", "--colour", "red"}, // an unknown option
        {"--new", "X", "Б"}, // --new with a page
    };
    for (const auto& arguments : wrong)
        EXPECT_THROW(parseCommandLine(words(arguments)), EPageUsage) << words(arguments).join(' ').toStdString();
}
