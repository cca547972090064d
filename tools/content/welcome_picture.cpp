#include "tools/content/welcome_picture.h"

#include "tools/content/emoji_painter.h"
#include "tools/content/picture_style.h"

#include <QLinearGradient>
#include <QPainter>

#include <array>

namespace content {

namespace {

const QColor kSkyTop(0x7C, 0xC8, 0xFF);
const QColor kSkyBottom(0xE3, 0xF5, 0xFF);
const QColor kHillFar(0x9C, 0xD6, 0x5C);
const QColor kHillNear(0x6F, 0xB8, 0x3A);

constexpr QPointF kGreetingCentre(296, 150);
constexpr int kGreetingPixels = 104;
constexpr qreal kGreetingSpacing = 4;

struct Block {
    const char* letter;
    QPointF centre;
    qreal angle;
    int palette; // index into the shared palettes
};

constexpr qreal kBlockSide = 92;
constexpr int kBlockLetterPixels = 70;

struct Sticker {
    char32_t emoji;
    QPointF centre;
    int side;
};

QString q(const char* utf8) { return QString::fromUtf8(utf8); }

void paintSky(QPainter& painter)
{
    const QRectF all(QPointF(0, 0), QSizeF(kPictureSize));
    QLinearGradient sky(all.topLeft(), all.bottomLeft());
    sky.setColorAt(0, kSkyTop);
    sky.setColorAt(1, kSkyBottom);
    painter.fillRect(all, sky);

    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kHillFar);
    painter.drawEllipse(QPointF(120, 470), 330, 150);
    painter.setBrush(kHillNear);
    painter.drawEllipse(QPointF(470, 480), 360, 160);
    painter.restore();
}

void paintSticker(QPainter& painter, const EmojiPainter& emoji, const Sticker& sticker)
{
    const QImage image = emoji.render(sticker.emoji, sticker.side);
    painter.drawImage(sticker.centre - QPointF(image.width() / 2.0, image.height() / 2.0), image);
}

// "Привет!" with every letter in its own colour.
void paintGreeting(QPainter& painter)
{
    const QFont font = letterFont(kGreetingPixels);
    const QString text = q("Привет!");
    const QFontMetricsF metrics(font);
    std::vector<QPainterPath> glyphs;
    QPainterPath all;
    qreal x = 0;
    for (const QChar c : text) {
        QPainterPath glyph;
        glyph.addText(x, 0, font, QString(c));
        glyphs.push_back(glyph);
        all.addPath(glyph);
        x += metrics.horizontalAdvance(c) + kGreetingSpacing;
    }
    const QPointF shift = kGreetingCentre - all.boundingRect().center();
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const Palette& palette = paletteFor(static_cast<int>(i) * 2 + 1);
        paintRaised(painter, glyphs[i].translated(shift), palette.strong, Qt::white, 10);
    }
}

void paintBlock(QPainter& painter, const Block& block)
{
    const Palette& palette = paletteFor(block.palette);
    painter.save();
    painter.translate(block.centre);
    painter.rotate(block.angle);
    const QRectF face(-kBlockSide / 2, -kBlockSide / 2, kBlockSide, kBlockSide);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 50));
    painter.drawRoundedRect(face.translated(5, 6), 16, 16);
    painter.setBrush(palette.strong);
    painter.drawRoundedRect(face, 16, 16);
    painter.setBrush(palette.skyTop);
    painter.drawRoundedRect(face.adjusted(8, 8, -8, -8), 11, 11);
    const QPainterPath letter = centredTextPath(letterFont(kBlockLetterPixels), q(block.letter), QPointF(0, 0));
    paintRaised(painter, letter, palette.strong, palette.strong.darker(140), 3);
    painter.restore();
}

} // namespace

QImage paintWelcomePicture(const EmojiPainter& emoji)
{
    QImage picture(kPictureSize, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    paintSky(painter);

    const std::array<Sticker, 4> sky{{
        {U'\U0001F308', QPointF(470, 70), 170}, // rainbow
        {U'\U00002600', QPointF(70, 62), 110}, // sun
        {U'\U00002601', QPointF(230, 40), 80}, // cloud
        {U'\U0001F98B', QPointF(540, 210), 60}, // butterfly
    }};
    for (const Sticker& s : sky)
        paintSticker(painter, emoji, s);

    paintGreeting(painter);

    const std::array<Block, 3> blocks{{
        {"А", QPointF(206, 318), -7, 0},
        {"Б", QPointF(300, 306), 3, 5},
        {"В", QPointF(394, 320), 8, 3},
    }};
    for (const Block& b : blocks)
        paintBlock(painter, b);

    const std::array<Sticker, 2> friends{{
        {U'\U0001F431', QPointF(84, 330), 118}, // cat
        {U'\U0001F436', QPointF(510, 330), 118}, // puppy
    }};
    for (const Sticker& s : friends)
        paintSticker(painter, emoji, s);

    painter.end();
    return picture;
}

} // namespace content
