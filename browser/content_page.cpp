#include "browser/content_page.h"

#include "platform/codepage/windows1251.h"

#include <QByteArray>

ContentPage welcomePage(const QString& dataFolder)
{
    return {
        dataFolder + QStringLiteral("Main/welcome_text.txt"),
        dataFolder + QStringLiteral("Main/welcome_img.jpg"),
        dataFolder + QStringLiteral("Main/welcome_sound.wav"),
        QStringLiteral("Invalid welcome text data!"),
    };
}

ContentPage letterPage(const QString& dataFolder, std::uint8_t letter)
{
    const QString folder = dataFolder + letterFolderName(letter);
    return {
        folder + QStringLiteral("/letter_text.txt"),
        folder + QStringLiteral("/letter_img.jpg"),
        folder + QStringLiteral("/letter_voice.wav"),
        QStringLiteral("Invalid text data!"),
    };
}

QString letterFolderName(std::uint8_t letter) { return cp1251::decode(QByteArray(1, static_cast<char>(letter))); }
