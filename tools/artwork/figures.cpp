#include "tools/artwork/figures.h"

#include "tools/artwork/drawing_helpers.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace artwork {

namespace {

// Metal of the robot dog: highlight, body and shadow tones and its edge.
const QColor kMetalLight(252, 253, 255);
const QColor kMetalMid(200, 207, 218);
const QColor kMetalDark(128, 137, 152);
const QColor kMetalEdge(44, 52, 68);
// The child's skin and outline.
const QColor kSkin(255, 219, 186);
const QColor kSkinShade(240, 178, 140);
const QColor kSkinEdge(150, 80, 50);

QLinearGradient metalVertical(double top, double bottom)
{
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, kMetalLight);
    g.setColorAt(0.45, kMetalMid);
    g.setColorAt(1, kMetalDark);
    return g;
}

QRadialGradient metalBall(QPointF centre, double radius)
{
    QRadialGradient g(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.3);
    g.setColorAt(0, kMetalLight);
    g.setColorAt(0.5, kMetalMid);
    g.setColorAt(1, kMetalDark);
    return g;
}

void outlined(QPainter& p, const QPainterPath& path, const QBrush& fill, QColor edge, double width)
{
    p.setBrush(fill);
    p.setPen(roundPen(edge, width));
    p.drawPath(path);
}

QPainterPath rounded(QRectF rect, double radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QPainterPath ellipse(QPointF centre, double rx, double ry)
{
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

// A limb as a thick stroke with an outline: a dark wide stroke under a coloured one.
void limb(QPainter& p, const QPainterPath& path, QColor colour, QColor edge, double width, double edgeWidth)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(edge, width + 2 * edgeWidth));
    p.drawPath(path);
    p.setPen(roundPen(colour, width));
    p.drawPath(path);
}

// A sneaker on a foot kicked up in the air: sole to the sky, toe pointing
// back, a white sock above the ankle.
void sneaker(QPainter& p, QPointF ankle, double angle, QColor colour, QColor edge)
{
    p.save();
    p.translate(ankle);
    p.rotate(angle);
    outlined(p, rounded(QRectF(-4.5, 0, 9, 6), 2.5), Qt::white, QColor(120, 120, 140), 1.2);
    const QPainterPath shoe = rounded(QRectF(-19, -9, 25, 11), 5.5);
    outlined(p, shoe, colour, edge, 1.8);
    outlined(p, rounded(QRectF(-19, -11.5, 25, 5), 2.5), QColor(250, 250, 245), edge, 1.4);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (double x : {-9.0, -5.0, -1.0})
        p.drawEllipse(QPointF(x, -2), 1.1, 1.1);
    p.restore();
}

void groundShadow(QPainter& p, QPointF centre, double rx, double ry, int alpha)
{
    QRadialGradient g(centre, rx);
    g.setColorAt(0, QColor(50, 55, 75, alpha));
    g.setColorAt(0.7, QColor(50, 55, 75, alpha / 2));
    g.setColorAt(1, QColor(50, 55, 75, 0));
    p.save();
    p.translate(centre);
    p.scale(1.0, ry / rx);
    p.translate(-centre);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, rx, rx);
    p.restore();
}

void bolt(QPainter& p, QPointF at, double radius)
{
    outlined(p, ellipse(at, radius, radius), metalBall(at, radius), kMetalEdge, 1.2);
}

void paw(QPainter& p, QRectF rect)
{
    outlined(p, rounded(rect, rect.height() / 2), metalVertical(rect.top(), rect.bottom()), kMetalEdge, 2.6);
    p.setPen(roundPen(QColor(70, 78, 95), 1.6));
    for (int i = 1; i <= 2; ++i) {
        const double x = rect.left() + rect.width() * i / 5.0;
        p.drawLine(QPointF(x, rect.top() + rect.height() * 0.45), QPointF(x, rect.bottom() - 1.5));
    }
}

} // namespace

void drawRobotDog(QPainter& p, const QRectF& box)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    enterDesignSpace(p, box, kRobotDogDesign);
    groundShadow(p, QPointF(100, 111), 104, 10, 110);

    // Tail: a springy antenna with a glowing tip.
    QPainterPath tail;
    tail.moveTo(176, 66);
    tail.cubicTo(192, 60, 186, 40, 193, 26);
    limb(p, tail, kMetalMid, kMetalEdge, 4.5, 1.6);
    QRadialGradient glow(QPointF(193, 22), 9);
    glow.setColorAt(0, QColor(255, 240, 200));
    glow.setColorAt(0.4, QColor(255, 60, 50));
    glow.setColorAt(1, QColor(160, 0, 0));
    outlined(p, ellipse(QPointF(193, 22), 6, 6), glow, QColor(90, 0, 0), 1.6);

    // The far front paw, in the shade behind the near one.
    p.save();
    p.setOpacity(0.85);
    paw(p, QRectF(40, 92, 40, 15));
    p.restore();

    // Body.
    const QPainterPath body = rounded(QRectF(62, 48, 122, 58), 27);
    outlined(p, body, metalVertical(48, 106), kMetalEdge, 3);
    p.save();
    p.setClipPath(body);
    p.setPen(roundPen(QColor(60, 70, 90, 120), 1.6));
    p.setBrush(Qt::NoBrush);
    QPainterPath seam;
    seam.moveTo(118, 48);
    seam.cubicTo(112, 66, 112, 88, 118, 106);
    p.drawPath(seam);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawPath(rounded(QRectF(80, 53, 86, 7), 3.5));
    p.restore();
    for (double y : {60.0, 94.0})
        bolt(p, QPointF(110, y), 2.3);
    // A battery window on the flank with three green bars.
    outlined(p, rounded(QRectF(126, 62, 30, 13), 4), QColor(30, 40, 60), kMetalEdge, 1.6);
    for (int i = 0; i < 3; ++i) {
        QLinearGradient bar(0, 64, 0, 73);
        bar.setColorAt(0, QColor(170, 255, 160));
        bar.setColorAt(1, QColor(20, 170, 60));
        p.setPen(Qt::NoPen);
        p.setBrush(bar);
        p.drawRoundedRect(QRectF(129.5 + i * 8.5, 64.5, 6.5, 8), 1.5, 1.5);
    }

    // Near hind leg: the haunch and a long foot.
    paw(p, QRectF(116, 96, 62, 16));
    outlined(p, ellipse(QPointF(160, 82), 24, 21), metalBall(QPointF(160, 82), 24), kMetalEdge, 2.6);
    outlined(p, ellipse(QPointF(160, 82), 9, 9), metalBall(QPointF(160, 82), 9), kMetalEdge, 1.6);
    bolt(p, QPointF(160, 82), 3);

    // Near front leg stretched forward, with its shoulder joint.
    outlined(p, rounded(QRectF(40, 94, 52, 14), 7), metalVertical(94, 108), kMetalEdge, 2.6);
    paw(p, QRectF(16, 94, 34, 17));
    outlined(p, ellipse(QPointF(86, 88), 15, 15), metalBall(QPointF(86, 88), 15), kMetalEdge, 2.6);
    bolt(p, QPointF(86, 88), 3.2);

    // Neck with a red collar and a gold tag.
    outlined(p, rounded(QRectF(62, 44, 30, 30), 9), metalVertical(44, 74), kMetalEdge, 2.6);
    QPainterPath collar;
    collar.moveTo(61, 60);
    collar.quadTo(77, 70, 94, 58);
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(QColor(110, 0, 10), 9));
    p.drawPath(collar);
    p.setPen(roundPen(QColor(235, 40, 50), 6));
    p.drawPath(collar);
    QRadialGradient gold(QPointF(76, 70), 6);
    gold.setColorAt(0, QColor(255, 245, 160));
    gold.setColorAt(1, QColor(220, 150, 20));
    outlined(p, ellipse(QPointF(77, 72), 4.5, 4.5), gold, QColor(120, 70, 0), 1.5);

    // Ear, folded back.
    QPainterPath ear;
    ear.moveTo(64, 20);
    ear.cubicTo(74, 2, 92, -2, 100, 6);
    ear.cubicTo(96, 18, 88, 28, 80, 30);
    ear.closeSubpath();
    outlined(p, ear, metalVertical(0, 30), kMetalEdge, 2.6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 130, 220));
    QPainterPath earPanel;
    earPanel.moveTo(72, 19);
    earPanel.cubicTo(79, 9, 88, 6, 93, 8);
    earPanel.cubicTo(89, 16, 84, 21, 79, 23);
    earPanel.closeSubpath();
    p.drawPath(earPanel);

    // Head and muzzle.
    const QPainterPath head = rounded(QRectF(24, 10, 62, 50), 17);
    outlined(p, head, metalVertical(10, 60), kMetalEdge, 3);
    const QPainterPath muzzle = rounded(QRectF(3, 32, 44, 27), 12);
    outlined(p, muzzle, metalVertical(30, 60), kMetalEdge, 3);
    p.save();
    p.setClipPath(head.united(muzzle));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 180));
    p.drawPath(rounded(QRectF(32, 14, 40, 6), 3));
    p.drawPath(rounded(QRectF(10, 35, 26, 4), 2));
    p.restore();
    bolt(p, QPointF(74, 50), 3);
    // Nose and mouth.
    QRadialGradient nose(QPointF(6, 37), 10);
    nose.setColorAt(0, QColor(110, 110, 130));
    nose.setColorAt(1, QColor(15, 15, 25));
    outlined(p, rounded(QRectF(0, 32, 15, 12), 5), nose, QColor(10, 10, 15), 1.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(kMetalEdge, 2.2));
    QPainterPath mouth;
    mouth.moveTo(7, 51);
    mouth.quadTo(20, 56, 33, 50);
    p.drawPath(mouth);
    // Eye: a glowing lens in a dark ring.
    outlined(p, ellipse(QPointF(56, 30), 10.5, 10.5), QColor(36, 44, 60), kMetalEdge, 1.6);
    QRadialGradient lens(QPointF(54, 27), 10);
    lens.setColorAt(0, QColor(230, 255, 255));
    lens.setColorAt(0.45, QColor(60, 220, 255));
    lens.setColorAt(1, QColor(0, 110, 190));
    p.setPen(Qt::NoPen);
    p.setBrush(lens);
    p.drawEllipse(QPointF(56, 30), 7.5, 7.5);
    p.setBrush(QColor(10, 40, 80));
    p.drawEllipse(QPointF(54, 30), 3.2, 3.6);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(52.5, 27.5), 1.6, 1.6);
    // A small antenna on the crown.
    p.setPen(roundPen(kMetalEdge, 2.2));
    p.drawLine(QPointF(44, 11), QPointF(40, 2));
    QRadialGradient blue(QPointF(39, 1), 5);
    blue.setColorAt(0, QColor(200, 230, 255));
    blue.setColorAt(1, QColor(30, 90, 220));
    outlined(p, ellipse(QPointF(40, 2), 3.5, 3.5), blue, QColor(10, 30, 100), 1.3);
    p.restore();
}

void drawLyingChild(QPainter& p, const QRectF& box)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    enterDesignSpace(p, box, kChildDesign);
    groundShadow(p, QPointF(68, 66), 62, 5, 100);

    const QColor jeans(60, 110, 210);
    const QColor jeansEdge(20, 40, 100);
    const QColor shoe(230, 40, 40);
    const QColor shoeEdge(110, 10, 10);

    // Lower legs kicked up, crossed at the ankles; the far one first, darker.
    const QPointF farAnkle(43, 22);
    const QPointF nearAnkle(29, 22);
    QPainterPath farShin;
    farShin.moveTo(32, 56);
    farShin.quadTo(36, 38, farAnkle.x(), farAnkle.y() + 4);
    limb(p, farShin, jeans.darker(125), jeansEdge, 11, 1.6);
    sneaker(p, farAnkle, 14, shoe.darker(120), shoeEdge);
    // Thigh on the ground, tucked under the shirt.
    QPainterPath thigh;
    thigh.moveTo(58, 57);
    thigh.lineTo(28, 57.5);
    limb(p, thigh, jeans, jeansEdge, 15, 1.6);
    QPainterPath nearShin;
    nearShin.moveTo(25, 56);
    nearShin.quadTo(21, 38, nearAnkle.x(), nearAnkle.y() + 4);
    limb(p, nearShin, jeans, jeansEdge, 11, 1.6);
    sneaker(p, nearAnkle, -12, shoe, shoeEdge);

    // Torso in a striped T-shirt.
    const QPainterPath torso = rounded(QRectF(42, 38, 54, 27), 13);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 214, 60));
    p.drawPath(torso);
    p.save();
    p.setClipPath(torso);
    p.setBrush(QColor(60, 180, 90));
    for (double x = 47; x < 100; x += 10)
        p.drawRect(QRectF(x, 30, 4.5, 40));
    QLinearGradient round(0, 38, 0, 65);
    round.setColorAt(0, QColor(255, 255, 255, 90));
    round.setColorAt(0.5, QColor(255, 255, 255, 0));
    round.setColorAt(1, QColor(80, 40, 0, 70));
    p.setBrush(round);
    p.drawRect(QRectF(40, 36, 60, 32));
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(QColor(130, 80, 10), 1.8));
    p.drawPath(torso);

    // Head with a mop of brown hair.
    const QPointF face(106, 31);
    for (double side : {-21.0, 21.0})
        outlined(p, ellipse(face + QPointF(side, 2), 4.5, 5.5), kSkin, kSkinEdge, 1.5);
    QRadialGradient skin(face - QPointF(6, 8), 30);
    skin.setColorAt(0, QColor(255, 236, 215));
    skin.setColorAt(1, kSkinShade);
    outlined(p, ellipse(face, 20, 19), skin, kSkinEdge, 1.8);
    QPainterPath hair;
    hair.moveTo(face.x() - 21, face.y() + 2);
    hair.cubicTo(face.x() - 25, face.y() - 22, face.x() + 22, face.y() - 30, face.x() + 21, face.y() - 1);
    hair.lineTo(face.x() + 16, face.y() - 10);
    hair.lineTo(face.x() + 11, face.y() - 6);
    hair.lineTo(face.x() + 6, face.y() - 12);
    hair.lineTo(face.x() + 0, face.y() - 7);
    hair.lineTo(face.x() - 5, face.y() - 12);
    hair.lineTo(face.x() - 11, face.y() - 7);
    hair.lineTo(face.x() - 16, face.y() - 10);
    hair.closeSubpath();
    QLinearGradient brown(0, face.y() - 24, 0, face.y());
    brown.setColorAt(0, QColor(170, 100, 40));
    brown.setColorAt(1, QColor(110, 55, 20));
    outlined(p, hair, brown, QColor(70, 30, 10), 1.6);
    p.setPen(roundPen(QColor(220, 160, 90, 200), 1.6));
    p.setBrush(Qt::NoBrush);
    QPainterPath shine;
    shine.moveTo(face.x() - 10, face.y() - 16);
    shine.quadTo(face.x() - 2, face.y() - 20, face.x() + 6, face.y() - 18);
    p.drawPath(shine);
    QPainterPath curl;
    curl.moveTo(face.x() + 2, face.y() - 19);
    curl.cubicTo(face.x() + 4, face.y() - 28, face.x() + 12, face.y() - 26, face.x() + 9, face.y() - 22);
    p.setPen(roundPen(QColor(90, 45, 15), 2));
    p.drawPath(curl);

    // Face: eyes, brows, nose, smile and rosy cheeks.
    for (double side : {-7.0, 7.0}) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 20, 20));
        p.drawEllipse(face + QPointF(side, 1), 2.6, 3.4);
        p.setBrush(Qt::white);
        p.drawEllipse(face + QPointF(side - 0.9, -0.4), 1, 1);
        p.setBrush(Qt::NoBrush);
        p.setPen(roundPen(QColor(100, 50, 20), 1.3));
        p.drawLine(face + QPointF(side - 3, -5), face + QPointF(side + 2.5, -5.8));
        QRadialGradient blush(face + QPointF(side * 1.6, 8), 5);
        blush.setColorAt(0, QColor(255, 110, 120, 150));
        blush.setColorAt(1, QColor(255, 110, 120, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(blush);
        p.drawEllipse(face + QPointF(side * 1.6, 8), 5, 5);
    }
    p.setPen(roundPen(kSkinEdge, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(face.x() - 2, face.y() + 2, 4, 4), 200 * 16, 140 * 16);
    QPainterPath smile;
    smile.moveTo(face.x() - 6, face.y() + 9);
    smile.quadTo(face.x(), face.y() + 17, face.x() + 6, face.y() + 9);
    smile.closeSubpath();
    outlined(p, smile, QColor(190, 40, 50), QColor(120, 20, 30), 1.3);

    // Forearms propped on the ground, hands under the chin.
    for (double side : {-1.0, 1.0}) {
        QPainterPath arm;
        arm.moveTo(face.x() + side * 14, 63);
        arm.lineTo(face.x() + side * 8, 50);
        limb(p, arm, kSkin, kSkinEdge, 7.5, 1.4);
        outlined(p, ellipse(face + QPointF(side * 7, 20), 5.5, 4.5), kSkin, kSkinEdge, 1.4);
    }
    p.restore();
}

} // namespace artwork
