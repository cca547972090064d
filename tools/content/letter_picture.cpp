#include "tools/content/letter_picture.h"

#include "tools/content/emoji_painter.h"
#include "tools/content/picture_style.h"

#include <QPainter>

#include <vector>

namespace content {

namespace {

// The card with the letter, left; the thing, right; the word, below.
constexpr QRectF kLetterCard(24, 22, 270, 282);
constexpr qreal kCardRadius = 40;
constexpr int kCapitalPixels = 250;
constexpr int kSmallPixels = 170;
// The room the letter pair may take inside the card.
constexpr QSizeF kLetterRoom(236, 232);

// The thing stands on the ground line beside the card, whatever its shape.
constexpr qreal kThingCentreX = 448;
constexpr qreal kGroundY = 292;
constexpr int kThingSide = 250;

constexpr QRectF kWordBand(24, 322, 544, 80);
constexpr int kWordPixels = 58;
constexpr qreal kWordLetterSpacing = 3;
const QColor kWordColour(0x37, 0x47, 0x4F);
constexpr int kHighlightAlpha = 60;
constexpr qreal kHighlightPadding = 7;
constexpr qreal kHighlightInset = 8;
constexpr qreal kHighlightRadius = 14;

QString q(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

// The capital and the small letter side by side, scaled down only if they
// would not fit the card, centred in it.
void paintLetterPair(QPainter& painter, const LetterEntry& letter, const Palette& palette)
{
    QPainterPath pair;
    pair.addText(0, 0, letterFont(kCapitalPixels), q(letter.capital));
    const qreal gap = kCapitalPixels * 0.06;
    const qreal smallX = pair.boundingRect().right() + gap;
    QPainterPath small;
    small.addText(0, 0, letterFont(kSmallPixels), q(letter.small));
    pair.addPath(small.translated(smallX - small.boundingRect().left(), 0));

    const QRectF ink = pair.boundingRect();
    const qreal scale = std::min({1.0, kLetterRoom.width() / ink.width(), kLetterRoom.height() / ink.height()});
    QTransform fit;
    fit.translate(kLetterCard.center().x(), kLetterCard.center().y());
    fit.scale(scale, scale);
    fit.translate(-ink.center().x(), -ink.center().y());
    paintRaised(painter, fit.map(pair), palette.strong, palette.strong.darker(135), 5);
}

// The word, each character drawn on its own so the letter can take its colour.
void paintWord(QPainter& painter, const LetterEntry& letter, const Palette& palette)
{
    const QFont font = letterFont(kWordPixels);
    const QString word = q(letter.word);
    const QString mark = q(letter.small);

    QPainterPath plain;
    std::vector<QPainterPath> marked;
    QPainterPath all;
    qreal x = 0;
    const QFontMetricsF metrics(font);
    for (const QChar c : word) {
        QPainterPath glyph;
        glyph.addText(x, 0, font, QString(c));
        if (QString(c).toLower() == mark)
            marked.push_back(glyph);
        else
            plain.addPath(glyph);
        all.addPath(glyph);
        x += metrics.horizontalAdvance(c) + kWordLetterSpacing;
    }
    // Centre on the ink of the whole word; the baseline stays shared.
    const QPointF shift = kWordBand.center() - all.boundingRect().center();

    // A patch of the letter's colour behind it, like a highlighter stroke, so
    // that it stands out in the middle of a word too.
    painter.save();
    painter.setPen(Qt::NoPen);
    QColor patch = palette.strong;
    patch.setAlpha(kHighlightAlpha);
    painter.setBrush(patch);
    for (const QPainterPath& glyph : marked) {
        const QRectF box = glyph.translated(shift).boundingRect();
        painter.drawRoundedRect(QRectF(box.left() - kHighlightPadding, kWordBand.top() + kHighlightInset,
                                       box.width() + 2 * kHighlightPadding, kWordBand.height() - 2 * kHighlightInset),
                                kHighlightRadius, kHighlightRadius);
    }
    painter.restore();

    paintRaised(painter, plain.translated(shift), kWordColour, Qt::white, 4);
    for (const QPainterPath& glyph : marked)
        paintRaised(painter, glyph.translated(shift), palette.strong, Qt::white, 4);
}

} // namespace

QImage paintLetterPicture(const LetterEntry& letter, int index, const EmojiPainter& emoji)
{
    const Palette& palette = paletteFor(index);
    QImage picture(kPictureSize, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);

    paintBackground(painter, palette, index + 1);

    paintCard(painter, kLetterCard, kCardRadius);
    paintLetterPair(painter, letter, palette);

    // A soft shadow on the ground under the thing, then the thing on it.
    const QImage thing = emoji.render(letter.emoji, kThingSide);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 35));
    painter.drawEllipse(QPointF(kThingCentreX, kGroundY), thing.width() * 0.4, 11);
    painter.drawImage(QPointF(kThingCentreX - thing.width() / 2.0, kGroundY + 4 - thing.height()), thing);

    paintCard(painter, kWordBand, kWordBand.height() / 2, 225);
    paintWord(painter, letter, palette);
    painter.end();
    return picture;
}

} // namespace content
