// The bundled alphabet: for each of the 33 letters, the word a small child
// knows that shows it, the picture that goes with the word and what the voice
// says. It is plain data in letter order; drawing, speaking and writing the
// files are left to the painters, the speech batch and the folder writer.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace content {

struct LetterEntry {
    std::string_view capital; // UTF-8; also the letter folder's name
    std::string_view small; // UTF-8
    std::string_view word; // the second line of the text, with this letter in it
    char32_t emoji; // the picture of the word: a code point of the colour font,
                    // or of a drawn thing where the font has none
    std::string_view spoken; // what the voice says, in Russian
};

constexpr std::size_t kLetterCount = 33;

// The alphabet in its own order (Ё after Е).
const std::array<LetterEntry, kLetterCount>& alphabet();

// The welcome page: its two lines and what the voice says.
struct WelcomeEntry {
    std::array<std::string_view, 2> lines;
    std::string_view spoken;
};

const WelcomeEntry& welcome();

} // namespace content
