// The made-up alphabet the end-to-end tests share: the 33 letters in order,
// the Latin-layout key that carries each, and a page for each letter whose
// text, picture colour and sound level tell it apart from every other page.
#pragma once

#include "tests/support/content_folder.h"

#include <QString>

namespace e2e {

using namespace testcontent;

// In letter order, Ё after Е.
inline const QString kLetters = QStringLiteral("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
// The character each letter's key gives with a Latin layout, in the same order.
inline const QString kLatinKeys = QStringLiteral("f,dult`;pbqrkvyjghcnea[wxio]sm'.z");

// Letters the tests name.
inline const QString kEf = QStringLiteral("Ф");
inline const QString kVe = QStringLiteral("В");
inline const QString kYa = QStringLiteral("Я");

// Short sounds, so that playing one through costs nothing.
constexpr int kLetterFrames = 20;
constexpr int kWelcomeFrames = 30;
constexpr std::int16_t kWelcomeLevel = 7000;

inline PageContent letterContent(int index)
{
    const QString letter = kLetters.mid(index, 1);
    return {{QStringLiteral("Буква ") + letter, letter + letter.toLower() + QStringLiteral(" line 2")},
            QColor::fromHsv((index * 360) / 33, 200, 90 + (index % 4) * 40),
            static_cast<std::int16_t>(1000 + 100 * index),
            kLetterFrames};
}

inline PageContent letterContent(const QString& letter) { return letterContent(kLetters.indexOf(letter)); }

inline PageContent welcomeContent()
{
    return {{QStringLiteral("Здравствуй!"), QStringLiteral("Нажми клавишу")},
            QColor(20, 160, 60),
            kWelcomeLevel,
            kWelcomeFrames};
}

// The welcome page and every letter's page.
inline void writeAlphabet(ContentFolder& folder)
{
    folder.writeWelcome(welcomeContent());
    for (int i = 0; i < kLetters.size(); ++i)
        folder.writeLetter(kLetters.mid(i, 1), letterContent(i));
}

} // namespace e2e
