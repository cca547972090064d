#include "tools/page/page_target.h"

#include "browser/key_mapping.h"
#include "tools/page/page_errors.h"

#include <QStringList>

namespace {

// Ё comes after Е in the alphabet, though not in the code page.
const QString kAlphabet = QStringLiteral("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
constexpr std::uint8_t kCapitalA = 0xC0;
constexpr char16_t kUnicodeCapitalA = u'А';
constexpr char16_t kUnicodeCapitalYo = u'Ё';

// The Windows-1251 byte of a capital from the alphabet above.
std::uint8_t capitalByte(QChar capital)
{
    if (capital == QChar(kUnicodeCapitalYo))
        return kCapitalYo;
    return static_cast<std::uint8_t>(kCapitalA + (capital.unicode() - kUnicodeCapitalA));
}

} // namespace

QString PageTarget::folderName() const
{
    return welcome ? QLatin1String(kWelcomeFolderName) : letterFolderName(letter);
}

ContentPage PageTarget::files(const QString& dataFolder) const
{
    return welcome ? welcomePage(dataFolder) : letterPage(dataFolder, letter);
}

QString acceptedLetters()
{
    QStringList letters;
    for (const QChar letter : kAlphabet)
        letters.append(QString(letter));
    return letters.join(QLatin1Char(' '));
}

PageTarget parsePageTarget(const QString& argument)
{
    if (argument == QLatin1String(kWelcomeFolderName))
        return PageTarget{true, 0};
    const QString capital = argument.toUpper();
    if (capital.size() == 1 && kAlphabet.contains(capital.at(0))) {
        const std::uint8_t byte = capitalByte(capital.at(0));
        if (isCapitalLetter(byte))
            return PageTarget{false, byte};
    }
    throw EPageLetter(QStringLiteral("\"%1\" is not a letter of the Russian alphabet. Give one of %2 "
                                     "(capital or small), or Main (or --welcome) for the welcome page")
                          .arg(argument, acceptedLetters())
                          .toStdString());
}
