#include "tests/soak/damaged_data_folder.h"

#include "tests/support/content_files.h"

#include "app/text_lines.h"
#include "platform/codepage/windows1251.h"
#include "platform/mci/mci.h"
#include "platform/ui/memo.h"
#include "tests/support/test_files.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <iterator>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace soak {

using testcontent::toneWav;
using testcontent::wavFile;
using testcontent::WavFormat;
using testcontent::windows1251;
using testfiles::makeFolder;
using testfiles::writeFile;

namespace {

// The fallback lines the text area shows for a missing text, each added as a line.
const QString kMissingLetterText = QStringLiteral("Invalid text data!\n");
// Every box a JPEG decoder error gives.
const QString kJpegErrorPattern = QStringLiteral("^JPEG error #\\d+\\.$");
// Pictures are small so that twenty thousand page loads decode quickly.
constexpr int kPictureWidth = 96;
constexpr int kPictureHeight = 64;

QByteArray jpegPicture(int variant)
{
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    image.fill(QColor::fromHsv((variant * 37) % 360, 200, 230));
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.drawEllipse(8 + variant % 20, 8, 40, 40);
    painter.end();
    if (variant % 3 == 2)
        image = image.convertToFormat(QImage::Format_Grayscale8);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(80);
    writer.setProgressiveScanWrite(variant % 3 == 1);
    if (!writer.write(image))
        throw std::runtime_error("cannot encode a JPEG: " + writer.errorString().toStdString());
    return bytes;
}

// The offset of the first byte after the start-of-scan segment's header.
qsizetype scanDataStart(const QByteArray& jpeg, qsizetype* sosAt = nullptr)
{
    const qsizetype sos = jpeg.indexOf(QByteArrayLiteral("\xFF\xDA"));
    if (sos < 0)
        throw std::runtime_error("JPEG without a scan");
    if (sosAt)
        *sosAt = sos;
    const int length = (static_cast<unsigned char>(jpeg[sos + 2]) << 8) | static_cast<unsigned char>(jpeg[sos + 3]);
    return sos + 2 + length;
}

// The scan asks for Huffman tables that the file never defines: the header
// reads fine, the decoding fails.
QByteArray withUndefinedScanTables(QByteArray jpeg)
{
    qsizetype sos = 0;
    scanDataStart(jpeg, &sos);
    const int components = static_cast<unsigned char>(jpeg[sos + 4]);
    for (int i = 0; i < components; ++i)
        jpeg[sos + 6 + 2 * i] = static_cast<char>(0x33);
    return jpeg;
}

// The scan's data replaced by noise that holds no marker: only warnings.
QByteArray withNoiseScan(QByteArray jpeg, unsigned seed)
{
    const qsizetype start = scanDataStart(jpeg);
    for (qsizetype i = start; i < jpeg.size() - 2; ++i) {
        seed = seed * 1103515245u + 12345u;
        jpeg[i] = static_cast<char>((seed >> 16) % 0xFF); // never 0xFF
    }
    return jpeg;
}

// A short tone in one of several encodings.
QByteArray goodSound(int variant, int milliseconds)
{
    static const WavFormat formats[] = {
        {1, 1, 8000, 16}, {1, 1, 11025, 8}, {7, 1, 8000, 8}, {1, 2, 22050, 16}, {3, 1, 8000, 32}, {6, 1, 8000, 8},
    };
    return toneWav(formats[static_cast<std::size_t>(variant) % std::size(formats)], milliseconds);
}

QString pageText(std::uint8_t letter, int variant, QByteArray& bytes)
{
    const QString name = letterName(letter);
    const QStringList lines{name + name.toLower(), QStringLiteral("Слово номер %1").arg(variant),
                            QStringLiteral("ещё строка")};
    static const char* breaks[] = {"\r\n", "\n", "\r"};
    const QByteArray lineBreak = breaks[variant % 3];
    const bool finalBreak = variant % 4 != 3;
    bytes.clear();
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            bytes += lineBreak;
        bytes += windows1251(lines[i]);
    }
    if (finalBreak)
        bytes += lineBreak;
    return lines.join(QLatin1Char('\n')) + (finalBreak ? QStringLiteral("\n") : QString());
}

QString mediaErrorText(MCIERROR code)
{
    char buffer[256];
    if (!mciGetErrorString(code, buffer, sizeof buffer))
        throw std::runtime_error("no text for a media error");
    return QString::fromUtf8(buffer);
}

QString exactly(const QString& text) { return QLatin1Char('^') + QRegularExpression::escape(text) + QLatin1Char('$'); }

} // namespace

const std::vector<std::uint8_t>& alphabet()
{
    static const std::vector<std::uint8_t> letters = [] {
        std::vector<std::uint8_t> result;
        for (int b = 0xC0; b <= 0xC5; ++b)
            result.push_back(static_cast<std::uint8_t>(b));
        result.push_back(0xA8); // Ё after Е
        for (int b = 0xC6; b <= 0xDF; ++b)
            result.push_back(static_cast<std::uint8_t>(b));
        return result;
    }();
    return letters;
}

QString letterName(std::uint8_t letter) { return cp1251::decode(QByteArray(1, static_cast<char>(letter))); }

DamagedDataFolder::DamagedDataFolder(const QString& root) : m_path(root + QStringLiteral("/data/"))
{
    makeFolder(m_path + QStringLiteral("Main"));
    writeFile(markerFile(), QByteArray());
    writeFile(m_path + QStringLiteral("help.txt"), windows1251(QStringLiteral("Помощь\r\n")));
    m_welcomeText = QStringLiteral("Привет!\n");
    writeFile(m_path + QStringLiteral("Main/welcome_text.txt"), windows1251(QStringLiteral("Привет!\r\n")));
    writeFile(m_path + QStringLiteral("Main/welcome_img.jpg"), jpegPicture(100));
    writeFile(m_path + QStringLiteral("Main/welcome_sound.wav"), goodSound(0, 120));

    const auto& letters = alphabet();
    int damaged = 0;
    for (std::size_t i = 0; i < letters.size(); ++i) {
        LetterPage page;
        page.letter = letters[i];
        const QString folder = m_path + letterName(page.letter) + QLatin1Char('/');
        if (i % 3 == 1)
            writeDamagedLetter(folder, page, damaged++);
        else
            writeGoodLetter(folder, page, static_cast<int>(i));
        m_pages.push_back(page);
    }
}

const LetterPage& DamagedDataFolder::page(std::uint8_t letter) const
{
    for (const LetterPage& page : m_pages)
        if (page.letter == letter)
            return page;
    throw std::out_of_range("no such letter");
}

void DamagedDataFolder::writeGoodLetter(const QString& folder, LetterPage& page, int variant)
{
    makeFolder(folder);
    QByteArray text;
    page.memoText = pageText(page.letter, variant, text);
    writeFile(folder + QStringLiteral("letter_text.txt"), text);
    writeFile(folder + QStringLiteral("letter_img.jpg"), jpegPicture(variant));
    writeFile(folder + QStringLiteral("letter_voice.wav"), goodSound(variant, 20 + (variant * 23) % 200));
    page.hasSound = true;
}

void DamagedDataFolder::writeDamagedLetter(const QString& folder, LetterPage& page, int kind)
{
    const QString textPath = folder + QStringLiteral("letter_text.txt");
    const QString picturePath = folder + QStringLiteral("letter_img.jpg");
    const QString soundPath = folder + QStringLiteral("letter_voice.wav");
    const QString invalidSound = exactly(mediaErrorText(MCIERR_INVALID_FILE));
    QByteArray text;
    const QString goodText = pageText(page.letter, kind, text);
    if (kind != 0)
        makeFolder(folder);
    // What every damaged page but the missing folder holds unless said otherwise.
    auto writeGoodParts = [&](bool withText, bool withPicture, bool withSound) {
        if (withText) {
            writeFile(textPath, text);
            page.memoText = goodText;
        }
        if (withPicture)
            writeFile(picturePath, jpegPicture(kind));
        if (withSound) {
            writeFile(soundPath, goodSound(kind, 60));
            page.hasSound = true;
        }
    };
    switch (kind) {
    case 0:
        page.damage = QStringLiteral("no folder");
        page.memoText = kMissingLetterText;
        break;
    case 1: {
        page.damage = QStringLiteral("a bitmap named .jpg");
        writeGoodParts(true, false, true);
        writeFile(picturePath, QByteArrayLiteral("BM") + QByteArray(200, '\x11'));
        page.hasSound = false; // the handler ends at the picture
        page.requiredError = kJpegErrorPattern;
        break;
    }
    case 2:
        page.damage = QStringLiteral("a JPEG whose scan names undefined tables");
        writeGoodParts(true, false, true);
        writeFile(picturePath, withUndefinedScanTables(jpegPicture(kind)));
        page.requiredError = kJpegErrorPattern;
        break;
    case 3:
        page.damage = QStringLiteral("a zero-byte sound");
        writeGoodParts(true, true, false);
        writeFile(soundPath, QByteArray());
        page.requiredError = invalidSound;
        break;
    case 4: {
        page.damage = QStringLiteral("a UTF-8 text and a JPEG whose scan is noise");
        writeGoodParts(false, false, true);
        const QByteArray utf8 = QStringLiteral("Ёжик в тумане\nбукв много\n").toUtf8();
        writeFile(textPath, utf8);
        page.memoText = textFromFileBytes(utf8);
        writeFile(picturePath, withNoiseScan(jpegPicture(kind), 7));
        break;
    }
    case 5:
        page.damage = QStringLiteral("a directory named letter_text.txt");
        writeGoodParts(false, true, true);
        makeFolder(textPath);
        page.memoText = kMissingLetterText;
        break;
    case 6:
        page.damage = QStringLiteral("a zero-byte picture");
        writeGoodParts(true, false, true);
        writeFile(picturePath, QByteArray());
        page.requiredError = exactly(QStringLiteral("JPEG error #41."));
        break;
    case 7:
        page.damage = QStringLiteral("a sound whose format chunk is nonsense");
        writeGoodParts(true, true, false);
        writeFile(
            soundPath,
            wavFile({.tag = 0x7777, .channels = 9, .rate = 3, .bits = 5, .extension = {0, 0}}, QByteArray(64, '\x42')));
        page.requiredError = invalidSound;
        break;
    case 8:
        page.damage = QStringLiteral("a sound cut short");
        writeGoodParts(true, true, false);
        writeFile(soundPath, wavFile({1, 1, 8000, 16}, QByteArray(100, '\x01'), 4000));
        page.requiredError = invalidSound;
        break;
    case 9:
        page.damage = QStringLiteral("a text beyond the text area's capacity");
        writeGoodParts(false, true, true);
        writeFile(textPath, QByteArray(TMemo::kCapacity + 1, 'x'));
        page.memoText = QString(); // cleared, then the load fails
        page.hasSound = false;
        page.requiredError = exactly(QStringLiteral("Text exceeds memo capacity."));
        break;
    default:
        page.damage = QStringLiteral("a dangling link, a pipe and a directory in place of the files");
        if (symlink("nowhere.txt", QFile::encodeName(textPath).constData()) != 0
            || mkfifo(QFile::encodeName(picturePath).constData(), 0600) != 0)
            throw std::runtime_error("cannot make the special entries");
        makeFolder(soundPath);
        page.memoText = kMissingLetterText;
        break;
    }
}

bool isKnownErrorText(const QString& text)
{
    static const std::vector<QRegularExpression> patterns = [] {
        std::vector<QRegularExpression> result;
        for (const char* fixed :
             {"^Cannot open file .+\\.$", "^JPEG error #\\d+\\.$", "^Stream read error\\.$",
              "^Text exceeds memo capacity\\.$", "^No MCI device open\\.$", "^Unknown error code\\.$"})
            result.emplace_back(QString::fromLatin1(fixed));
        for (MCIERROR code : {MCIERR_INVALID_DEVICE_ID, MCIERR_FILE_NOT_FOUND, MCIERR_INVALID_FILE,
                              MCIERR_FILENAME_REQUIRED, MCIERR_FILE_READ, MCIERR_NO_SOUND_OUTPUT,
                              MCIERR_SOUND_OUTPUT_FAILED, MCIERR_SOUND_TOO_LARGE, MCIERR_TOO_MANY_DEVICES})
            result.emplace_back(exactly(mediaErrorText(code)));
        return result;
    }();
    for (const QRegularExpression& pattern : patterns)
        if (pattern.match(text).hasMatch())
            return true;
    return false;
}

} // namespace soak
