// The DATA folder the build puts beside the program: every page the program
// asks for is there, in the encodings and sizes the program can show whole.
#include "tests/tools/content/bundled_file_checks.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QRegularExpression>
#include <QString>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

#ifdef TOLVIKA_BUNDLED_DATA_FOLDER
const fs::path kDataFolder = TOLVIKA_BUNDLED_DATA_FOLDER;
#define SKIP_WITHOUT_BUNDLED_DATA() (void)0
#else
const fs::path kDataFolder;
#define SKIP_WITHOUT_BUNDLED_DATA() GTEST_SKIP() << "built without the bundled data folder"
#endif

// The picture area is 614 × 443; pictures up to this size show whole with a margin.
constexpr int kMaxPictureWidth = 592;
constexpr int kMaxPictureHeight = 419;
// The text area: 497 pixels wide, 489 inside its border, two lines visible.
constexpr int kMemoTextWidth = 489;

// The 33 capital letters as the program names them: Windows-1251 bytes
// 0xC0..0xDF and 0xA8 (Ё), here in their UTF-8 form, the folder names.
std::vector<std::string> capitalLetters()
{
    std::string bytes;
    for (int b = 0xC0; b <= 0xDF; ++b)
        bytes += static_cast<char>(b);
    bytes += static_cast<char>(0xA8);
    const QString all = QString::fromStdString(*bundled::fromWindows1251(bytes));
    std::vector<std::string> letters;
    for (const QChar c : all)
        letters.push_back(QString(c).toStdString());
    return letters;
}

// The program's text-area face: "Times New Roman", bold, 27 pixels.
QFont memoFont()
{
    QFont font("Times New Roman");
    font.setPixelSize(27);
    font.setBold(true);
    return font;
}

// Reads a page text as the program would and checks its form; returns its lines.
std::vector<QString> pageLines(const fs::path& file)
{
    const std::string bytes = bundled::readBytes(file);
    EXPECT_FALSE(bytes.empty()) << file;
    EXPECT_FALSE(bundled::isUtf8(bytes)) << file << " looks like UTF-8, not Windows-1251";
    const auto text = bundled::fromWindows1251(bytes);
    EXPECT_TRUE(text.has_value()) << file << " holds a byte with no Windows-1251 character";
    const auto lines = bundled::splitCrLf(text.value_or(""));
    EXPECT_TRUE(lines.has_value()) << file << " has a line end other than CR LF";
    std::vector<QString> result;
    for (const std::string& line : lines.value_or(std::vector<std::string>{}))
        result.push_back(QString::fromStdString(line));
    const QFontMetrics metrics(memoFont());
    EXPECT_EQ(result.size(), 2u) << file;
    for (const QString& line : result)
        EXPECT_LE(metrics.horizontalAdvance(line), kMemoTextWidth) << file << ": " << line.toStdString();
    return result;
}

void expectPicture(const fs::path& file)
{
    try {
        const bundled::JpegFacts jpeg = bundled::decodeJpeg(file);
        EXPECT_TRUE(jpeg.baseline) << file;
        EXPECT_FALSE(jpeg.progressive) << file;
        EXPECT_EQ(jpeg.components, 3) << file;
        EXPECT_GE(jpeg.width, 200) << file;
        EXPECT_GE(jpeg.height, 150) << file;
        EXPECT_LE(jpeg.width, kMaxPictureWidth) << file;
        EXPECT_LE(jpeg.height, kMaxPictureHeight) << file;
        // A blank or nearly blank page would still decode; a picture has contrast.
        EXPECT_GT(jpeg.lumaSpread, 20.0) << file;
    } catch (const std::exception& e) {
        ADD_FAILURE() << file << ": " << e.what();
    }
}

void expectSpeech(const fs::path& file, double maxSeconds)
{
    try {
        const bundled::WaveFacts wave = bundled::inspectWave(file);
        EXPECT_EQ(wave.format, 1) << file << " is not PCM";
        EXPECT_EQ(wave.channels, 1) << file;
        EXPECT_EQ(wave.bits, 16) << file;
        EXPECT_GE(wave.sampleRate, 8000u) << file;
        EXPECT_TRUE(wave.sizesConsistent) << file;
        EXPECT_GE(wave.seconds, 0.6) << file;
        EXPECT_LE(wave.seconds, maxSeconds) << file;
        // Speech sits around -20 dB; a near-silent clip is far below.
        EXPECT_GT(wave.rms, 0.03) << file;
    } catch (const std::exception& e) {
        ADD_FAILURE() << file << ": " << e.what();
    }
}

} // namespace

// The folder holds exactly the welcome page, the 33 letter folders named by
// their capitals, the help text and the marker file; nothing left over.
TEST(BundledData, HoldsEveryPageAndNothingElse)
{
    SKIP_WITHOUT_BUNDLED_DATA();
    ASSERT_TRUE(fs::is_directory(kDataFolder)) << kDataFolder;
    std::set<std::string> expected{"Main", "help.txt", "data.txt"};
    for (const std::string& letter : capitalLetters())
        expected.insert(letter);
    ASSERT_EQ(expected.size(), 36u);

    std::set<std::string> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(kDataFolder))
        found.insert(entry.path().filename().string());
    EXPECT_EQ(found, expected);

    const std::set<std::string> letterFiles{"letter_text.txt", "letter_img.jpg", "letter_voice.wav"};
    for (const std::string& letter : capitalLetters()) {
        std::set<std::string> files;
        for (const fs::directory_entry& entry : fs::directory_iterator(kDataFolder / letter))
            files.insert(entry.path().filename().string());
        EXPECT_EQ(files, letterFiles) << letter;
    }
    std::set<std::string> mainFiles;
    for (const fs::directory_entry& entry : fs::directory_iterator(kDataFolder / "Main"))
        mainFiles.insert(entry.path().filename().string());
    EXPECT_EQ(mainFiles, (std::set<std::string>{"welcome_text.txt", "welcome_img.jpg", "welcome_sound.wav"}));
}

// Each letter's text is its two cases, then a word with the letter: at the
// start, or inside it for the three letters no word begins with. Both lines
// fit the text area in the program's face.
TEST(BundledData, LetterTextsShowTheLetterAndAWord)
{
    SKIP_WITHOUT_BUNDLED_DATA();
    ASSERT_EQ(QFontInfo(memoFont()).family(), QStringLiteral("Liberation Serif"))
        << "widths measured in another face would prove nothing";
    const std::set<QString> neverFirst{"Ъ", "Ы", "Ь"};
    for (const std::string& letter : capitalLetters()) {
        SCOPED_TRACE(letter);
        const QString capital = QString::fromStdString(letter);
        const QString small = capital.toLower();
        const std::vector<QString> lines = pageLines(kDataFolder / letter / "letter_text.txt");
        if (lines.size() != 2)
            continue;
        EXPECT_EQ(lines[0].toStdString(), (capital + small).toStdString());
        const QString& word = lines[1];
        ASSERT_GE(word.size(), 3);
        if (neverFirst.count(capital)) {
            EXPECT_TRUE(word.mid(1).contains(small)) << word.toStdString();
            EXPECT_TRUE(word[0].isUpper()) << word.toStdString();
        } else {
            EXPECT_EQ(word.left(1).toStdString(), letter) << word.toStdString();
        }
        for (const QChar c : word)
            EXPECT_TRUE(c == u'-' || (c.isLetter() && c.script() == QChar::Script_Cyrillic)) << word.toStdString();
    }
}

// The welcome text greets in Russian on two lines that fit; its picture and
// sound are there like a letter's.
TEST(BundledData, WelcomePageIsComplete)
{
    SKIP_WITHOUT_BUNDLED_DATA();
    const fs::path main = kDataFolder / "Main";
    const std::vector<QString> lines = pageLines(main / "welcome_text.txt");
    for (const QString& line : lines) {
        EXPECT_GE(line.size(), 8);
        EXPECT_TRUE(line.contains(QRegularExpression("[А-Яа-яЁё]"))) << line.toStdString();
    }
    expectPicture(main / "welcome_img.jpg");
    expectSpeech(main / "welcome_sound.wav", 8.0);
}

// Every letter picture is a baseline colour JPEG that decodes completely and
// shows whole in the picture area.
TEST(BundledData, LetterPicturesDecodeAndShowWhole)
{
    SKIP_WITHOUT_BUNDLED_DATA();
    for (const std::string& letter : capitalLetters())
        expectPicture(kDataFolder / letter / "letter_img.jpg");
}

// Every letter sound is a short 16-bit mono PCM wave with speech in it.
TEST(BundledData, LetterSoundsAreShortSpeech)
{
    SKIP_WITHOUT_BUNDLED_DATA();
    for (const std::string& letter : capitalLetters())
        expectSpeech(kDataFolder / letter / "letter_voice.wav", 4.0);
}

// The help text for the parent is Windows-1251 with CR LF and explains the
// keys, the buttons and how to make a data folder; the marker file has text.
TEST(BundledData, HelpAndMarkerFilesAreReadable)
{
    SKIP_WITHOUT_BUNDLED_DATA();
    const std::string bytes = bundled::readBytes(kDataFolder / "help.txt");
    EXPECT_FALSE(bundled::isUtf8(bytes));
    const auto text = bundled::fromWindows1251(bytes);
    ASSERT_TRUE(text.has_value());
    const auto lines = bundled::splitCrLf(*text);
    ASSERT_TRUE(lines.has_value()) << "help.txt has a line end other than CR LF";
    EXPECT_GE(lines->size(), 20u);
    const QString help = QString::fromStdString(*text);
    for (const char* needle : {"data.txt", "help.txt", "Main", "welcome_text.txt", "welcome_img.jpg",
                               "welcome_sound.wav", "letter_text.txt", "letter_img.jpg", "letter_voice.wav",
                               "Windows-1251", "JPEG", "WAV", "614 x 443", "Sound", "«A»", "Exit", "латинской", "Ё"})
        EXPECT_TRUE(help.contains(QString::fromUtf8(needle))) << needle;

    const std::string marker = bundled::readBytes(kDataFolder / "data.txt");
    const auto markerText = bundled::fromWindows1251(marker);
    ASSERT_TRUE(markerText.has_value());
    const auto markerLines = bundled::splitCrLf(*markerText);
    ASSERT_TRUE(markerLines.has_value());
    ASSERT_EQ(markerLines->size(), 1u);
    EXPECT_GE(markerLines->front().size(), 8u);
}
