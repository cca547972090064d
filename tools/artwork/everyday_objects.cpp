#include "tools/artwork/everyday_objects.h"

#include "tools/artwork/drawing_helpers.h"

#include <QLinearGradient>
#include <QPolygonF>
#include <QRadialGradient>
#include <cmath>

namespace artwork {

namespace {

// Outline width in design units (a 50-pixel box draws it 2.5 pixels wide).
constexpr double kOutline = 4.5;

// A soft oval shadow on the ground under an object, in design units.
void groundShadow(QPainter& p, QRectF oval)
{
    QRadialGradient g(oval.center(), oval.width() / 2);
    g.setColorAt(0, QColor(60, 60, 80, 90));
    g.setColorAt(1, QColor(60, 60, 80, 0));
    p.save();
    p.translate(oval.center());
    p.scale(1.0, oval.height() / oval.width());
    p.translate(-oval.center());
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(oval.center(), oval.width() / 2, oval.width() / 2);
    p.restore();
}

QLinearGradient vertical(double top, double bottom, QColor a, QColor b)
{
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}

QLinearGradient horizontal(double left, double right, QColor a, QColor b)
{
    QLinearGradient g(left, 0, right, 0);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}

void shapeWith(QPainter& p, const QPainterPath& path, const QBrush& fill, QColor edge, double width = kOutline)
{
    p.setBrush(fill);
    p.setPen(roundPen(edge, width));
    p.drawPath(path);
}

QPainterPath polygonPath(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    return path;
}

QPainterPath ellipsePath(QPointF centre, double rx, double ry)
{
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

} // namespace

void drawHouse(QPainter& p, const QRectF& box)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    enterDesignBox(p, box);
    const QColor edge(90, 40, 20);
    groundShadow(p, QRectF(6, 88, 96, 14));

    QPainterPath chimney;
    chimney.addRect(QRectF(64, 14, 13, 26));
    shapeWith(p, chimney, vertical(14, 40, QColor(210, 90, 70), QColor(150, 50, 40)), edge);

    QPainterPath walls;
    walls.addRect(QRectF(16, 46, 68, 48));
    shapeWith(p, walls, horizontal(16, 84, QColor(255, 236, 170), QColor(240, 190, 110)), edge);

    const QPainterPath roof = polygonPath({{5, 52}, {50, 8}, {95, 52}});
    shapeWith(p, roof, vertical(8, 52, QColor(255, 110, 80), QColor(185, 30, 25)), edge);
    p.setPen(roundPen(QColor(150, 25, 20, 160), 2.2));
    for (double y = 26; y < 52; y += 9)
        p.drawLine(QPointF(50 - (y - 8) * 0.97 + 4, y), QPointF(50 + (y - 8) * 0.97 - 4, y));

    QPainterPath door;
    door.addRoundedRect(QRectF(42, 62, 17, 32), 6, 6);
    shapeWith(p, door, vertical(62, 94, QColor(190, 110, 55), QColor(120, 60, 25)), edge, 3.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 215, 60));
    p.drawEllipse(QPointF(55, 79), 2.2, 2.2);

    for (double x : {22.0, 65.0}) {
        QPainterPath window;
        window.addRect(QRectF(x, 58, 14, 14));
        shapeWith(p, window, vertical(58, 72, QColor(200, 235, 255), QColor(90, 170, 235)), edge, 3.2);
        p.setPen(roundPen(edge, 2.2));
        p.drawLine(QPointF(x + 7, 58), QPointF(x + 7, 72));
        p.drawLine(QPointF(x, 65), QPointF(x + 14, 65));
    }
    p.restore();
}

void drawFirTree(QPainter& p, const QRectF& box)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    enterDesignBox(p, box);
    const QColor edge(10, 70, 25);
    groundShadow(p, QRectF(14, 88, 78, 13));

    QPainterPath trunk;
    trunk.addRect(QRectF(43, 78, 14, 18));
    shapeWith(p, trunk, horizontal(43, 57, QColor(170, 100, 50), QColor(105, 55, 25)), QColor(70, 35, 15));

    struct Tier {
        double top, bottom, half;
    };
    const Tier tiers[] = {{40, 84, 42}, {20, 62, 33}, {2, 40, 23}};
    for (const Tier& t : tiers) {
        QPainterPath tier;
        tier.moveTo(50, t.top);
        tier.quadTo(50 + t.half * 0.45, t.top + (t.bottom - t.top) * 0.55, 50 + t.half, t.bottom);
        tier.quadTo(50, t.bottom - 7, 50 - t.half, t.bottom);
        tier.quadTo(50 - t.half * 0.45, t.top + (t.bottom - t.top) * 0.55, 50, t.top);
        QLinearGradient g(30, t.top, 70, t.bottom);
        g.setColorAt(0, QColor(110, 210, 90));
        g.setColorAt(1, QColor(20, 120, 45));
        shapeWith(p, tier, g, edge);
    }
    const struct {
        QPointF at;
        QColor colour;
    } balls[] = {{{36, 72}, QColor(235, 40, 40)},
                 {{64, 76}, QColor(255, 210, 40)},
                 {{58, 52}, QColor(60, 110, 240)},
                 {{40, 50}, QColor(255, 210, 40)},
                 {{50, 30}, QColor(235, 40, 40)}};
    for (const auto& b : balls) {
        QRadialGradient g(b.at - QPointF(1.2, 1.2), 4.5);
        g.setColorAt(0, b.colour.lighter(170));
        g.setColorAt(1, b.colour);
        p.setBrush(g);
        p.setPen(roundPen(b.colour.darker(200), 1.4));
        p.drawEllipse(b.at, 4, 4);
    }
    p.restore();
}

void drawCatWithYarn(QPainter& p, const QRectF& box)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    enterDesignBox(p, box);
    const QColor edge(110, 50, 10);
    const QColor fur(250, 165, 60);
    const QColor furDark(215, 110, 30);
    groundShadow(p, QRectF(4, 88, 100, 14));

    // Tail curling up at the right.
    QPainterPath tail;
    tail.moveTo(50, 90);
    tail.cubicTo(84, 96, 98, 72, 86, 58);
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(edge, 13));
    p.drawPath(tail);
    p.setPen(roundPen(fur, 8.5));
    p.drawPath(tail);

    // Body and front paws.
    const QPainterPath body = ellipsePath(QPointF(38, 72), 24, 23);
    QRadialGradient bodyShade(QPointF(30, 62), 34);
    bodyShade.setColorAt(0, fur.lighter(125));
    bodyShade.setColorAt(1, furDark);
    shapeWith(p, body, bodyShade, edge);
    p.setPen(roundPen(furDark, 3));
    p.drawLine(QPointF(48, 58), QPointF(56, 62));
    p.drawLine(QPointF(50, 68), QPointF(59, 71));
    QPainterPath belly = ellipsePath(QPointF(34, 76), 11, 14);
    shapeWith(p, belly, QColor(255, 235, 200), QColor(0, 0, 0, 0), 0.1);
    for (double x : {28.0, 44.0}) {
        QPainterPath paw = ellipsePath(QPointF(x, 93), 7.5, 5);
        shapeWith(p, paw, fur.lighter(115), edge, 3.5);
    }

    // Head with ears.
    for (int side : {-1, 1}) {
        const QPainterPath ear = polygonPath({{38 + side * 6.0, 26}, {38 + side * 20.0, 6}, {38 + side * 21.0, 32}});
        shapeWith(p, ear, fur, edge);
        const QPainterPath inner = polygonPath(
            {{38 + side * 10.0, 26}, {38 + side * 18.5, 13}, {38 + side * 18.5, 29}});
        shapeWith(p, inner, QColor(255, 160, 170), QColor(0, 0, 0, 0), 0.1);
    }
    const QPainterPath head = ellipsePath(QPointF(38, 36), 21, 18);
    QRadialGradient headShade(QPointF(32, 28), 26);
    headShade.setColorAt(0, fur.lighter(130));
    headShade.setColorAt(1, furDark);
    shapeWith(p, head, headShade, edge);
    p.setPen(roundPen(furDark, 2.6));
    p.drawLine(QPointF(38, 19), QPointF(38, 25));
    p.drawLine(QPointF(32, 20), QPointF(33, 25));
    p.drawLine(QPointF(44, 20), QPointF(43, 25));
    // Eyes, nose, mouth, whiskers.
    for (int side : {-1, 1}) {
        p.setPen(roundPen(QColor(20, 60, 20), 1.6));
        p.setBrush(QColor(120, 210, 80));
        p.drawEllipse(QPointF(38 + side * 8.0, 34), 4.2, 5);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(38 + side * 8.0, 34.5), 1.6, 3.6);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(37 + side * 8.0, 32.5), 1.1, 1.1);
    }
    p.setBrush(QColor(240, 110, 130));
    p.setPen(roundPen(QColor(150, 50, 60), 1.2));
    p.drawPath(polygonPath({{35, 41}, {41, 41}, {38, 44.5}}));
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(QColor(110, 40, 20), 1.8));
    QPainterPath mouth;
    mouth.moveTo(33, 46);
    mouth.quadTo(35.5, 49, 38, 45);
    mouth.quadTo(40.5, 49, 43, 46);
    p.drawPath(mouth);
    p.setPen(roundPen(QColor(80, 40, 20), 1.2));
    for (int side : {-1, 1}) {
        p.drawLine(QPointF(38 + side * 9.0, 43), QPointF(38 + side * 24.0, 40));
        p.drawLine(QPointF(38 + side * 9.0, 45), QPointF(38 + side * 24.0, 46));
    }

    // The ball of yarn with a loose thread to the cat's paw.
    QPainterPath thread;
    thread.moveTo(44, 94);
    thread.cubicTo(56, 100, 62, 86, 72, 92);
    p.setPen(roundPen(QColor(40, 70, 190), 1.8));
    p.drawPath(thread);
    const QPointF ball(84, 86);
    QRadialGradient yarn(ball - QPointF(4, 5), 16);
    yarn.setColorAt(0, QColor(150, 190, 255));
    yarn.setColorAt(1, QColor(40, 80, 200));
    shapeWith(p, ellipsePath(ball, 13, 12), yarn, QColor(15, 30, 110), 3.5);
    p.save();
    p.setClipPath(ellipsePath(ball, 12, 11));
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(QColor(20, 45, 150), 1.5));
    for (int i = -2; i <= 2; ++i) {
        p.drawEllipse(ball + QPointF(i * 4.0, -i * 2.0), 13, 6);
    }
    p.restore();
    p.restore();
}

void drawSock(QPainter& p, const QRectF& box)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    enterDesignBox(p, box);
    const QColor edge(90, 10, 20);
    groundShadow(p, QRectF(14, 90, 86, 12));

    p.translate(50, 50);
    p.rotate(-8);
    p.translate(-50, -50);
    QPainterPath sock;
    sock.moveTo(26, 6);
    sock.lineTo(60, 6);
    sock.lineTo(60, 56);
    sock.cubicTo(62, 66, 72, 66, 82, 68);
    sock.cubicTo(100, 72, 100, 96, 80, 96);
    sock.lineTo(44, 96);
    sock.cubicTo(22, 96, 22, 76, 26, 62);
    sock.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 50, 60));
    p.drawPath(sock);
    p.save();
    p.setClipPath(sock);
    for (double y = 22; y < 100; y += 16) {
        p.setBrush(QColor(255, 250, 240));
        p.drawRect(QRectF(0, y, 100, 7));
    }
    // Heel and toe in a darker knit, and the ribbed cuff.
    p.setBrush(QColor(40, 90, 210));
    p.drawEllipse(QPointF(28, 88), 16, 14);
    p.drawEllipse(QPointF(94, 84), 16, 18);
    p.setBrush(QColor(40, 90, 210));
    p.drawRect(QRectF(0, 0, 100, 16));
    p.setPen(roundPen(QColor(20, 50, 150), 1.6));
    for (double x = 30; x < 60; x += 5)
        p.drawLine(QPointF(x, 7), QPointF(x, 15));
    QLinearGradient roundness(26, 0, 60, 0);
    roundness.setColorAt(0, QColor(255, 255, 255, 70));
    roundness.setColorAt(0.4, QColor(255, 255, 255, 0));
    roundness.setColorAt(1, QColor(0, 0, 40, 60));
    p.setPen(Qt::NoPen);
    p.setBrush(roundness);
    p.drawRect(QRectF(0, 0, 100, 100));
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(edge, kOutline));
    p.drawPath(sock);
    p.restore();
}

void drawWatermelon(QPainter& p, const QRectF& box)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    enterDesignBox(p, box);
    groundShadow(p, QRectF(6, 84, 94, 14));
    const QColor edge(10, 70, 20);

    // A half-moon slice standing on its rind, cut face towards us.
    auto halfDisc = [](double radius) {
        QPainterPath path;
        const QPointF centre(50, 36);
        path.moveTo(centre.x() - radius, centre.y());
        path.arcTo(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), 180, 180);
        path.closeSubpath();
        return path;
    };
    shapeWith(p, halfDisc(47), vertical(36, 84, QColor(90, 190, 70), QColor(20, 110, 40)), edge);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(225, 245, 200));
    p.drawPath(halfDisc(40));
    QRadialGradient flesh(QPointF(50, 30), 40);
    flesh.setColorAt(0, QColor(255, 110, 110));
    flesh.setColorAt(1, QColor(225, 30, 50));
    p.setBrush(flesh);
    p.drawPath(halfDisc(36));
    p.setPen(roundPen(edge, kOutline));
    p.drawLine(QPointF(3, 36), QPointF(97, 36));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 20, 20));
    const QPointF seeds[] = {{30, 46}, {44, 52}, {58, 50}, {70, 44}, {38, 64}, {52, 66}, {64, 60}, {22, 40}, {78, 40}};
    for (const QPointF& s : seeds) {
        p.save();
        p.translate(s);
        p.rotate((s.x() - 50) * 1.2);
        p.drawEllipse(QPointF(0, 0), 1.9, 3.2);
        p.restore();
    }
    p.restore();
}

void drawUmbrella(QPainter& p, const QRectF& box)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    enterDesignBox(p, box);
    groundShadow(p, QRectF(20, 90, 60, 10));
    const QColor edge(70, 10, 60);
    // Tilted a little, as if twirled.
    p.translate(50, 50);
    p.rotate(-14);
    p.translate(-50, -50);

    // Shaft and hooked handle.
    QPainterPath shaft;
    shaft.moveTo(50, 44);
    shaft.lineTo(50, 86);
    shaft.cubicTo(50, 96, 36, 96, 36, 86);
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(QColor(60, 30, 15), 7.5));
    p.drawPath(shaft);
    p.setPen(roundPen(QColor(170, 100, 50), 3.5));
    p.drawPath(shaft);

    // Canopy: a dome with a scalloped rim, panels in two colours.
    const double rimY = 48;
    const double xs[] = {4, 27, 50, 73, 96};
    QPainterPath canopy;
    canopy.moveTo(xs[0], rimY);
    canopy.cubicTo(4, 10, 96, 10, 96, rimY);
    for (int i = 4; i > 0; --i)
        canopy.quadTo((xs[i] + xs[i - 1]) / 2, rimY - 9, xs[i - 1], rimY);
    canopy.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 210, 40));
    p.drawPath(canopy);
    p.save();
    p.setClipPath(canopy);
    for (int i = 0; i < 4; i += 2) {
        const QPainterPath panel = polygonPath({{50, 14}, {xs[i] - 2, rimY + 2}, {xs[i + 1], rimY + 2}});
        p.setBrush(QColor(230, 40, 110));
        p.drawPath(panel);
    }
    QRadialGradient light(QPointF(36, 18), 70);
    light.setColorAt(0, QColor(255, 255, 255, 110));
    light.setColorAt(0.5, QColor(255, 255, 255, 0));
    light.setColorAt(1, QColor(60, 0, 40, 70));
    p.setBrush(light);
    p.drawRect(QRectF(0, 0, 100, 100));
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(edge, 2.2));
    for (int i = 1; i < 4; ++i)
        p.drawLine(QPointF(50, 16), QPointF(xs[i], rimY));
    p.setPen(roundPen(edge, kOutline));
    p.drawPath(canopy);
    p.setPen(roundPen(edge, 5));
    p.drawLine(QPointF(50, 18), QPointF(50, 8));
    p.restore();
}

void drawDrum(QPainter& p, const QRectF& box)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    enterDesignBox(p, box);
    groundShadow(p, QRectF(6, 86, 96, 14));
    const QColor edge(80, 20, 10);
    const double left = 12, right = 88, top = 44, bottom = 84, ry = 10;

    QPainterPath shell;
    shell.moveTo(left, top);
    shell.lineTo(left, bottom);
    shell.arcTo(QRectF(left, bottom - ry, right - left, 2 * ry), 180, 180);
    shell.lineTo(right, top);
    shell.closeSubpath();
    QLinearGradient cylinder(left, 0, right, 0);
    cylinder.setColorAt(0, QColor(150, 20, 20));
    cylinder.setColorAt(0.3, QColor(255, 90, 70));
    cylinder.setColorAt(1, QColor(140, 15, 15));
    shapeWith(p, shell, cylinder, edge);

    // Cords zigzagging between the rims.
    p.setPen(roundPen(QColor(255, 240, 200), 2.6));
    QPainterPath cords;
    const int zigs = 6;
    for (int i = 0; i <= zigs; ++i) {
        const double x = left + (right - left) * i / zigs;
        const double t = (x - 50) / 38.0;
        const double curve = ry * std::sqrt(std::max(0.0, 1 - t * t));
        const QPointF at(x, i % 2 == 0 ? top + 6 + curve : bottom - 2 + curve);
        if (i == 0)
            cords.moveTo(at);
        else
            cords.lineTo(at);
    }
    p.drawPath(cords);

    // Gold hoops at top and bottom.
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(QColor(120, 80, 10), 7));
    p.drawArc(QRectF(left, bottom - ry - 1, right - left, 2 * ry), 180 * 16, 180 * 16);
    p.setPen(roundPen(QColor(255, 205, 60), 4));
    p.drawArc(QRectF(left, bottom - ry - 1, right - left, 2 * ry), 180 * 16, 180 * 16);

    // The drum head.
    QPainterPath head = ellipsePath(QPointF(50, top), (right - left) / 2, ry);
    QRadialGradient skin(QPointF(42, top - 4), 40);
    skin.setColorAt(0, QColor(255, 253, 245));
    skin.setColorAt(1, QColor(225, 210, 180));
    shapeWith(p, head, skin, QColor(120, 80, 10), 6.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(QColor(255, 205, 60), 3));
    p.drawPath(head);

    // Two sticks crossed above it.
    for (int side : {-1, 1}) {
        const QPointF tip(50 + side * 30.0, 6);
        const QPointF end(50 - side * 8.0, 38);
        p.setPen(roundPen(QColor(90, 50, 15), 6));
        p.drawLine(tip, end);
        p.setPen(roundPen(QColor(225, 170, 100), 3));
        p.drawLine(tip, end);
        p.setPen(roundPen(QColor(90, 50, 15), 2));
        p.setBrush(QColor(255, 240, 220));
        p.drawEllipse(end, 4, 4);
    }
    p.restore();
}

void drawIron(QPainter& p, const QRectF& box)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    enterDesignBox(p, box);
    groundShadow(p, QRectF(4, 80, 96, 14));
    const QColor edge(20, 30, 70);

    // The cord trailing from the back.
    QPainterPath cord;
    cord.moveTo(90, 62);
    cord.cubicTo(104, 70, 100, 90, 86, 92);
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(QColor(40, 40, 50), 3));
    p.drawPath(cord);

    // Handle.
    QPainterPath handle;
    handle.moveTo(36, 46);
    handle.cubicTo(36, 20, 46, 18, 60, 18);
    handle.lineTo(84, 18);
    handle.cubicTo(90, 18, 92, 30, 90, 46);
    p.setPen(roundPen(edge, 12));
    p.drawPath(handle);
    p.setPen(roundPen(QColor(40, 100, 210), 7));
    p.drawPath(handle);

    // Body over a silver soleplate.
    QPainterPath body;
    body.moveTo(6, 80);
    body.cubicTo(14, 56, 30, 44, 52, 44);
    body.lineTo(84, 44);
    body.cubicTo(94, 44, 96, 56, 96, 80);
    body.closeSubpath();
    QLinearGradient bodyShade(0, 44, 0, 80);
    bodyShade.setColorAt(0, QColor(140, 190, 255));
    bodyShade.setColorAt(1, QColor(30, 80, 190));
    shapeWith(p, body, bodyShade, edge);
    QPainterPath sole;
    sole.moveTo(4, 82);
    sole.lineTo(97, 82);
    sole.lineTo(97, 74);
    sole.lineTo(9, 74);
    sole.closeSubpath();
    shapeWith(p, sole, vertical(74, 82, QColor(245, 248, 252), QColor(140, 150, 165)), edge, 3.5);
    // Temperature dial.
    QRadialGradient dial(QPointF(68, 58), 8);
    dial.setColorAt(0, QColor(255, 255, 255));
    dial.setColorAt(1, QColor(190, 195, 205));
    shapeWith(p, ellipsePath(QPointF(70, 60), 7, 7), dial, edge, 2.5);
    p.setPen(roundPen(QColor(230, 30, 30), 2.2));
    p.drawLine(QPointF(70, 60), QPointF(73, 55));
    p.restore();
}

} // namespace artwork
