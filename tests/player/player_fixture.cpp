#include "tests/player/player_fixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

namespace playertest {

LayoutValue identifier(const char* name)
{
    LayoutValue value;
    value.kind = LayoutValue::Kind::Identifier;
    value.text = QString::fromUtf8(name);
    return value;
}

LayoutValue integer(int value)
{
    LayoutValue result;
    result.kind = LayoutValue::Kind::Integer;
    result.integer = value;
    return result;
}

LayoutValue set(std::initializer_list<const char*> items)
{
    LayoutValue value;
    value.kind = LayoutValue::Kind::Set;
    for (const char* item : items)
        value.items.push_back(QString::fromUtf8(item));
    return value;
}

void configureAsRepeatControl(TMediaPlayer& player)
{
    player.setLayoutProperty("Left", integer(8));
    player.setLayoutProperty("Top", integer(8));
    player.setLayoutProperty("Width", integer(80));
    player.setLayoutProperty("Height", integer(80));
    player.setLayoutProperty("Constraints.MinWidth", integer(80));
    player.setLayoutProperty("Constraints.MinHeight", integer(80));
    player.setLayoutProperty("Constraints.MaxWidth", integer(80));
    player.setLayoutProperty("Constraints.MaxHeight", integer(80));
    player.setLayoutProperty("VisibleButtons", set({"btPlay"}));
    player.setLayoutProperty("EnabledButtons", set({"btPlay"}));
    player.setLayoutProperty("ColoredButtons", set({"btNext", "btPrev", "btStep", "btBack", "btRecord", "btEject"}));
    player.setLayoutProperty("AutoRewind", identifier("False"));
    player.loaded();
}

QImage grabbed(TMediaPlayer& player) { return player.grab().toImage().convertToFormat(QImage::Format_RGB32); }

QImage glyphOnFace(TGlyphLook look, TMPBtnType button)
{
    QImage glyph = playerglyphs::load(look, button);
    const QRgb olive = playerglyphs::transparentColor().rgb();
    for (int y = 0; y < glyph.height(); ++y)
        for (int x = 0; x < glyph.width(); ++x)
            if (glyph.pixel(x, y) == olive)
                glyph.setPixel(x, y, colors::btnFace().rgb());
    return glyph;
}

bool holdsAt(const QImage& image, const QImage& part, int x, int y)
{
    if (x < 0 || y < 0 || x + part.width() > image.width() || y + part.height() > image.height())
        return false;
    for (int py = 0; py < part.height(); ++py)
        for (int px = 0; px < part.width(); ++px)
            if (image.pixel(x + px, y + py) != part.pixel(px, py))
                return false;
    return true;
}

bool containsColour(const QImage& image, QColor colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour.rgb())
                return true;
    return false;
}

void press(QWidget* widget, QPoint at) { QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, at); }

void moveTo(QWidget* widget, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

void release(QWidget* widget, QPoint at) { QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, at); }

void click(QWidget* widget, QPoint at)
{
    press(widget, at);
    release(widget, at);
}

void PlayerTest::SetUp()
{
    window = std::make_unique<QWidget>();
    window->resize(300, 200);
    player = new TMediaPlayer(port, window.get());
}

void PlayerTest::openVoice()
{
    player->setFileName("voice.wav");
    player->Open();
    port.commands.clear();
}

} // namespace playertest
