// Draws pictures from the colour emoji font. The font holds bitmaps at one
// size only (its 109-pixel strike); the painter draws a glyph at that size,
// trims the transparent margin and scales it smoothly to the size asked for.
// The few pictures the font lacks come from the drawn things. Where and on
// what the picture is placed is the page painters' business.
#pragma once

#include <QImage>
#include <QRawFont>
#include <QString>
#include <filesystem>

namespace content {

class EmojiPainter {
public:
    // Loads the font file; raises Exception when it is missing or unusable.
    explicit EmojiPainter(const std::filesystem::path& fontFile);

    bool supports(char32_t codePoint) const;

    // The glyph scaled to fit a square of the given side, keeping its aspect.
    // Raises Exception for a code point the font has no picture for.
    QImage render(char32_t codePoint, int side) const;

private:
    QImage renderNative(char32_t codePoint) const;

    QString m_family;
    QRawFont m_raw;
};

} // namespace content
