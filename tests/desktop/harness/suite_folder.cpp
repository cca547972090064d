#include "tests/desktop/harness/suite_folder.h"

#include "tests/support/content_files.h"
#include "tests/support/jpeg_encoding.h"

#include <QBuffer>
#include <QImage>
#include <stdexcept>

namespace desktop {

const QString kLetters = QStringLiteral("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");

namespace {

// The keys of the Latin layout that carry the letters above, in the same order.
const char* const kKeysyms[] = {"f",         "comma",       "d",          "u",      "l", "t", "grave",
                                "semicolon", "p",           "b",          "q",      "r", "k", "v",
                                "y",         "j",           "g",          "h",      "c", "n", "e",
                                "a",         "bracketleft", "w",          "x",      "i", "o", "bracketright",
                                "s",         "m",           "apostrophe", "period", "z"};

} // namespace

std::string keysymOf(const QString& letter)
{
    const int index = kLetters.indexOf(letter);
    if (index < 0)
        throw std::invalid_argument("not a letter");
    return kKeysyms[index];
}

int pageIndexOf(const QString& letter) { return kLetters.indexOf(letter) + 1; }

QString pageText(int page)
{
    if (page == 0)
        return QStringLiteral("Привет");
    const QString letter = kLetters.mid(page - 1, 1);
    return letter + letter.toLower() + QStringLiteral("\nстраница ") + letter;
}

QColor pageColour(int page)
{
    // Well apart in hue, and never the grey of the window or the navy of the text area.
    return QColor::fromHsv((page * 47) % 360, 200, 230);
}

int pageFrequency(int page) { return 300 + 25 * page; }

std::unique_ptr<testcontent::ContentFolder> alphabetFolder(int letterMilliseconds)
{
    auto folder = std::make_unique<testcontent::ContentFolder>();
    const auto picture = [](int page) {
        QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB888);
        image.fill(pageColour(page));
        return testcontent::encodeJpeg(image, {.quality = 95});
    };
    folder->writeText(QStringLiteral("Main/welcome_text.txt"), pageText(0).split(QLatin1Char('\n')));
    folder->writeBytes(QStringLiteral("Main/welcome_img.jpg"), picture(0));
    folder->writeBytes(QStringLiteral("Main/welcome_sound.wav"),
                       testcontent::sineWav(pageFrequency(0), kWelcomeMilliseconds));
    for (int page = 1; page <= kLetters.size(); ++page) {
        const QString letter = kLetters.mid(page - 1, 1);
        folder->writeText(letter + QStringLiteral("/letter_text.txt"), pageText(page).split(QLatin1Char('\n')));
        folder->writeBytes(letter + QStringLiteral("/letter_img.jpg"), picture(page));
        folder->writeBytes(letter + QStringLiteral("/letter_voice.wav"),
                           testcontent::sineWav(pageFrequency(page), letterMilliseconds));
    }
    folder->writeHelp({QStringLiteral("Помощь"), QStringLiteral("Нажми на букву.")});
    return folder;
}

QByteArray bitmapBytes()
{
    QImage image(10, 10, QImage::Format_RGB888);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

} // namespace desktop
