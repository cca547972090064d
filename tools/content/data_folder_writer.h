// Writes the complete bundled data folder: the welcome page, the 33 letter
// pages, the help text and the marker file. It builds the folder beside the
// target and swaps it in only when every file is done, so a failed run never
// leaves a half-written folder that looks complete.
#pragma once

#include <filesystem>

namespace content {

struct GeneratorInputs {
    std::filesystem::path output; // the data folder to (re)create
    std::filesystem::path synthesiser; // the espeak-ng program
    std::filesystem::path emojiFont; // NotoColorEmoji.ttf
};

// Raises Exception on the first problem; the old folder then stays as it was.
void writeDataFolder(const GeneratorInputs& inputs);

} // namespace content
