#include "tools/artwork/main_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>

namespace artwork {

namespace {

using C = Colour16;

void fill(PixelMap& m, int left, int top, int right, int bottom, Colour16 colour)
{
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            m.set(x, y, colour);
}

void frame(PixelMap& m, int left, int top, int right, int bottom, Colour16 colour)
{
    for (int x = left; x <= right; ++x) {
        m.set(x, top, colour);
        m.set(x, bottom, colour);
    }
    for (int y = top; y <= bottom; ++y) {
        m.set(left, y, colour);
        m.set(right, y, colour);
    }
}

void hline(PixelMap& m, int left, int right, int y, Colour16 colour)
{
    for (int x = left; x <= right; ++x)
        m.set(x, y, colour);
}

// Rows of the 32-pixel clock face, relative to its top-left corner: K rim,
// W face, R centre; the hands at three o'clock, ticks at three, six and nine.
constexpr std::array<std::string_view, 13> kClock32 = {
    "....KKKKK....", "..KKWWWWWKK..", ".KWWWWKWWWWK.", "KWWWWWKWWWWWK", "KWWWWWKWWWWWK",
    "KWWWWWKWWWWWK", "KKWWWWRKKKWKK", "KWWWWWWWWWWWK", "KWWWWWWWWWWWK", "KWWWWWWWWWWWK",
    ".KWWWWWWWWWK.", "..KKWWKWWKK..", "....KKKKK....",
};
// Where the clock face sits on the 32-pixel icon.
constexpr int kClock32Left = 19;

} // namespace

PixelMap mainIcon32()
{
    PixelMap m(32, 32);
    // The cover shows round the pages and in the gutter.
    fill(m, 0, 7, 31, 28, C::Navy);
    hline(m, 1, 30, 28, C::Blue);
    // Left page: ruled faintly, blank.
    fill(m, 1, 4, 14, 26, C::White);
    frame(m, 1, 4, 14, 26, C::Black);
    for (int y = 9; y <= 24; y += 3)
        hline(m, 4, 12, y, C::Silver);
    // Right page with lines of blue text, words separated by gaps.
    fill(m, 17, 4, 30, 26, C::White);
    frame(m, 17, 4, 30, 26, C::Black);
    const std::array<std::array<int, 4>, 4> words = {
        {{19, 22, 24, 28}, {19, 21, 23, 28}, {19, 24, 26, 28}, {19, 23, 0, -1}}};
    int y = 15;
    for (const auto& w : words) {
        hline(m, w[0], w[1], y, C::Blue);
        if (w[3] >= w[2])
            hline(m, w[2], w[3], y, C::Blue);
        y += 3;
    }
    // Rings through both pages.
    for (int r = 7; r <= 25; r += 3) {
        hline(m, 13, 18, r, C::Silver);
        m.set(13, r, C::Grey);
        m.set(18, r, C::Grey);
        hline(m, 14, 17, r + 1, C::Grey);
    }
    // The clock face over the top-right corner.
    for (int row = 0; row < static_cast<int>(kClock32.size()); ++row) {
        for (int col = 0; col < static_cast<int>(kClock32[0].size()); ++col) {
            const char c = kClock32[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
            if (c == 'K')
                m.set(kClock32Left + col, row, C::Black);
            else if (c == 'W')
                m.set(kClock32Left + col, row, C::White);
            else if (c == 'R')
                m.set(kClock32Left + col, row, C::Red);
        }
    }
    return m;
}

PixelMap mainIcon16()
{
    return PixelMap::fromRows({
        ".........KKKKK..",
        "........KWWKWWK.",
        ".......KWWWKWWWK",
        ".......KWWWKWWWK",
        "KKKKKKKKWWWRKKWK",
        "KWWWWWKKWWWWWWWK",
        "KWsssWKKWWWWWWWK",
        "KWWWWWKsKWWWWWKK",
        "KWsssWKNNKKKKKWK",
        "KWWWWWKssKWWWWWK",
        "KWsssWKNNKBBBWBK",
        "KWWWWWKssKWWWWWK",
        "KWsssWKNNKBBWBBK",
        "KKKKKKKNNKKKKKKK",
        ".NNNNNNNNNNNNNN.",
        "................",
    });
}

QImage mainIconLarge(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 128.0, size / 128.0);

    const QColor ink(20, 24, 40);
    // Cover.
    QLinearGradient cover(0, 28, 0, 118);
    cover.setColorAt(0, QColor(40, 60, 170));
    cover.setColorAt(1, QColor(10, 20, 100));
    p.setPen(QPen(ink, 2.5));
    p.setBrush(cover);
    p.drawRoundedRect(QRectF(3, 28, 122, 88), 8, 8);
    // Pages, slightly curved towards the gutter.
    auto page = [&](bool right) {
        QPainterPath path;
        const double outer = right ? 120 : 8;
        const double inner = right ? 67 : 61;
        path.moveTo(inner, 22);
        path.quadTo((inner + outer) / 2, 12, outer, 18);
        path.lineTo(outer, 106);
        path.quadTo((inner + outer) / 2, 100, inner, 108);
        path.closeSubpath();
        QLinearGradient paper(right ? inner : outer, 0, right ? outer : inner, 0);
        paper.setColorAt(0, right ? QColor(225, 228, 235) : Qt::white);
        paper.setColorAt(0.25, Qt::white);
        paper.setColorAt(1, right ? Qt::white : QColor(225, 228, 235));
        p.setBrush(paper);
        p.setPen(QPen(ink, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
    };
    page(false);
    page(true);
    // Faint ruling on the left page.
    p.setPen(QPen(QColor(190, 200, 215), 2, Qt::SolidLine, Qt::RoundCap));
    for (int y = 38; y <= 94; y += 11)
        p.drawLine(QPointF(16, y), QPointF(54, y + 1));
    // Blue text on the right page.
    p.setPen(QPen(QColor(20, 60, 220), 3.2, Qt::SolidLine, Qt::RoundCap));
    const std::array<std::array<double, 4>, 6> words = {{{75, 86, 91, 110},
                                                         {75, 96, 101, 112},
                                                         {75, 82, 87, 108},
                                                         {75, 99, 104, 112},
                                                         {75, 89, 94, 110},
                                                         {75, 95, 0, -1}}};
    double y = 50;
    for (const auto& w : words) {
        p.drawLine(QPointF(w[0], y), QPointF(w[1], y));
        if (w[3] >= w[2])
            p.drawLine(QPointF(w[2], y), QPointF(w[3], y));
        y += 10;
    }
    // Rings.
    for (int r = 0; r < 7; ++r) {
        const double ry = 30 + r * 11.5;
        QLinearGradient metal(0, ry - 3, 0, ry + 3);
        metal.setColorAt(0, QColor(250, 250, 250));
        metal.setColorAt(0.5, QColor(170, 175, 185));
        metal.setColorAt(1, QColor(90, 95, 105));
        p.setPen(QPen(ink, 1.5));
        p.setBrush(metal);
        p.drawRoundedRect(QRectF(54, ry - 3, 20, 6.5), 3, 3);
    }
    // Clock face at the top right.
    const QPointF centre(100, 26);
    const double radius = 24;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawEllipse(centre + QPointF(2.5, 3), radius, radius);
    QRadialGradient rim(centre - QPointF(6, 8), radius * 1.4);
    rim.setColorAt(0, QColor(255, 110, 100));
    rim.setColorAt(1, QColor(170, 10, 10));
    p.setBrush(rim);
    p.setPen(QPen(ink, 2.5));
    p.drawEllipse(centre, radius, radius);
    QRadialGradient face(centre - QPointF(5, 6), radius);
    face.setColorAt(0, Qt::white);
    face.setColorAt(1, QColor(228, 232, 240));
    p.setBrush(face);
    p.setPen(QPen(ink, 1.5));
    p.drawEllipse(centre, radius - 5, radius - 5);
    p.setPen(QPen(ink, 2.5, Qt::SolidLine, Qt::RoundCap));
    for (int hour = 0; hour < 12; ++hour) {
        p.save();
        p.translate(centre);
        p.rotate(hour * 30.0);
        p.drawLine(QPointF(0, -(radius - 8)), QPointF(0, hour % 3 == 0 ? -(radius - 12) : -(radius - 9.5)));
        p.restore();
    }
    p.setPen(QPen(ink, 3.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(-7, -5)); // hour hand towards ten
    p.setPen(QPen(ink, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(10, -7)); // minute hand towards two
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 20, 20));
    p.drawEllipse(centre, 2.6, 2.6);
    p.end();
    return image;
}

} // namespace artwork
