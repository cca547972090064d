#include "tools/content/data_folder_writer.h"

#include "platform/codepage/windows1251.h"
#include "tools/content/alphabet.h"
#include "tools/content/emoji_painter.h"
#include "tools/content/help_text.h"
#include "tools/content/jpeg_writer.h"
#include "tools/content/letter_picture.h"
#include "tools/content/memo_fit.h"
#include "tools/content/speech_batch.h"
#include "tools/content/welcome_picture.h"

#include "platform/exception/exception.h"

#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace content {

namespace {

void writeBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file)
        throw Exception("Cannot write file " + path.string());
}

void writePageText(const fs::path& path, const std::vector<std::string>& lines)
{
    checkFitsMemo(lines);
    writeBytes(path, cp1251::windows1251Lines(lines));
}

// Every picture must exist before anything is written, and the message names
// them all, so a font update that drops one is mended in one go.
void checkPictures(const EmojiPainter& emoji)
{
    std::string missing;
    for (const LetterEntry& letter : alphabet()) {
        if (!emoji.supports(letter.emoji))
            missing.append(" ").append(letter.word);
    }
    if (!missing.empty())
        throw Exception("The emoji font has no picture for:" + missing);
}

fs::path siblingPath(const fs::path& folder, const char* suffix)
{
    fs::path sibling = folder;
    sibling += suffix;
    return sibling;
}

void writeInto(const fs::path& staging, const GeneratorInputs& inputs, const EmojiPainter& emoji)
{
    SpeechBatch speech(inputs.synthesiser);

    const fs::path main = staging / "Main";
    fs::create_directory(main);
    const WelcomeEntry& hello = welcome();
    writePageText(main / "welcome_text.txt", {std::string(hello.lines[0]), std::string(hello.lines[1])});
    writeBaselineJpeg(paintWelcomePicture(emoji), main / "welcome_img.jpg");
    speech.add(std::string(hello.spoken), main / "welcome_sound.wav");

    int index = 0;
    for (const LetterEntry& letter : alphabet()) {
        // UTF-8 bytes are the native form of file names here.
        const fs::path folder = staging / std::string(letter.capital);
        fs::create_directory(folder);
        writePageText(folder / "letter_text.txt",
                      {std::string(letter.capital) + std::string(letter.small), std::string(letter.word)});
        writeBaselineJpeg(paintLetterPicture(letter, index, emoji), folder / "letter_img.jpg");
        speech.add(std::string(letter.spoken), folder / "letter_voice.wav");
        ++index;
    }

    writeBytes(staging / "help.txt", cp1251::windows1251Lines(helpLines()));
    writeBytes(staging / "data.txt", cp1251::windows1251Lines(markerLines()));

    speech.run();
}

} // namespace

void writeDataFolder(const GeneratorInputs& inputs)
{
    const EmojiPainter emoji(inputs.emojiFont);
    checkPictures(emoji);

    const fs::path staging = siblingPath(inputs.output, ".new");
    fs::remove_all(staging);
    fs::create_directories(staging);
    try {
        writeInto(staging, inputs, emoji);
    } catch (...) {
        std::error_code ignored; // the first error is the one to report
        fs::remove_all(staging, ignored);
        throw;
    }

    // Swap the finished folder in.
    const fs::path old = siblingPath(inputs.output, ".old");
    fs::remove_all(old);
    if (fs::exists(inputs.output))
        fs::rename(inputs.output, old);
    fs::rename(staging, inputs.output);
    fs::remove_all(old);
}

} // namespace content
