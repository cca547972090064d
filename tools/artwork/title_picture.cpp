#include "tools/artwork/title_picture.h"

#include "tools/artwork/artwork_fonts.h"
#include "tools/artwork/everyday_objects.h"
#include "tools/artwork/figures.h"
#include "tools/artwork/letters3d.h"

#include <QPainter>
#include <functional>
#include <vector>

namespace artwork {

namespace {

// The capitals: Liberation Sans Bold grown into rounder, toy-like shapes.
constexpr int kLetterPixels = 140;
constexpr double kLetterGrow = 3.0;
// Extrusion towards the lower right, one pixel a step.
constexpr QPointF kExtrudeStep(0.8, 1.0);
constexpr int kExtrudeDepth = 10;
// Baselines of the two rows.
constexpr double kTopBaseline = 118;
constexpr double kBottomBaseline = 392;
// How far the fallback picture keeps the title's contrast (0 white, 1 unchanged).
constexpr int kFadeKeepPercent = 10;
// The fallback's words: Liberation Serif Bold at this pixel size.
constexpr int kFallbackTextPixels = 112;

using ObjectPainter = std::function<void(QPainter&, const QRectF&)>;

// One capital and the object beside it, placed relative to the letter's box.
struct LetterPlace {
    QChar letter;
    bool red;
    double gapBefore; // space left of the letter's box
    ObjectPainter object;
    QRectF objectBox; // relative to the letter's box: x from its right edge, y from the baseline
};

struct PlacedLetter {
    QPainterPath shape;
    bool red;
    QRectF objectBox;
    ObjectPainter object;
};

std::vector<PlacedLetter> layRow(const std::vector<LetterPlace>& row, const QFont& font, double baseline)
{
    std::vector<QPainterPath> shapes;
    double width = 0;
    for (const LetterPlace& place : row) {
        shapes.push_back(letterShape(place.letter, font, QPointF(0, baseline), kLetterGrow));
        width += place.gapBefore + shapes.back().boundingRect().width();
    }
    width += kExtrudeStep.x() * kExtrudeDepth;
    double x = (kPictureWidth - width) / 2;
    std::vector<PlacedLetter> placed;
    for (std::size_t i = 0; i < row.size(); ++i) {
        x += row[i].gapBefore;
        const QRectF bounds = shapes[i].boundingRect();
        QPainterPath shape = shapes[i].translated(x - bounds.left(), 0);
        const double right = x + bounds.width();
        const QRectF& rel = row[i].objectBox;
        placed.push_back(
            {shape, row[i].red, QRectF(right + rel.x(), baseline + rel.y(), rel.width(), rel.height()), row[i].object});
        x = right;
    }
    return placed;
}

void drawRow(QPainter& p, const std::vector<PlacedLetter>& row)
{
    for (const PlacedLetter& letter : row)
        drawExtrudedLetter(p, letter.shape, letter.red ? redLetter() : blueLetter(), kExtrudeStep, kExtrudeDepth);
    for (const PlacedLetter& letter : row)
        letter.object(p, letter.objectBox);
}

} // namespace

QImage titlePicture()
{
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QFont font = liberationFont(QStringLiteral("LiberationSans-Bold.ttf"), kLetterPixels);

    const std::vector<LetterPlace> top = {
        {QChar('T'), true, 0, drawHouse, QRectF(-34, -62, 66, 66)},
        {QChar('O'), false, 38, drawFirTree, QRectF(0, -76, 58, 78)},
        {QChar('L'), true, 62, drawCatWithYarn, QRectF(-66, -96, 76, 76)},
    };
    const std::vector<LetterPlace> bottom = {
        {QChar('V'), false, 0, drawSock, QRectF(-24, -60, 56, 62)},
        {QChar('I'), true, 36, drawWatermelon, QRectF(6, -50, 64, 54)},
        {QChar('K'), false, 76, drawUmbrella, QRectF(-30, -108, 62, 66)},
        {QChar('A'), true, 14, drawDrum, QRectF(4, -60, 62, 62)},
    };
    drawRow(p, layRow(top, font, kTopBaseline));
    drawRow(p, layRow(bottom, font, kBottomBaseline));

    // The middle: an iron on the left, the child and the robot dog.
    drawIron(p, QRectF(22, 214, 82, 70));
    drawRobotDog(p, QRectF(250, 136, 250, 150));
    drawLyingChild(p, QRectF(100, 204, 154, 83));
    p.end();
    return image;
}

QImage fallbackPicture(const QImage& title)
{
    QImage image = title.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            auto fade = [](int c) { return 255 - (255 - c) * kFadeKeepPercent / 100; };
            row[x] = qRgb(fade(qRed(row[x])), fade(qGreen(row[x])), fade(qBlue(row[x])));
        }
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QFont font = liberationFont(QStringLiteral("LiberationSerif-Bold.ttf"), kFallbackTextPixels);
    const QStringList words = {QStringLiteral("Invalid"), QStringLiteral("image")};
    const double lineHeight = kFallbackTextPixels * 1.0;
    const double firstBaseline = kPictureHeight / 2.0 - lineHeight * 0.2;
    for (int i = 0; i < words.size(); ++i) {
        QPainterPath text;
        text.addText(QPointF(0, 0), font, words[i]);
        const QRectF ink = text.boundingRect();
        const double baseline = firstBaseline + i * lineHeight;
        p.fillPath(text.translated((kPictureWidth - ink.width()) / 2 - ink.left(), baseline), QColor(230, 0, 0));
    }
    p.end();
    return image;
}

} // namespace artwork
