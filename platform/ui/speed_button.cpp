#include "platform/ui/speed_button.h"

#include "platform/exception/exception.h"
#include "platform/ui/colors.h"
#include "platform/ui/event_guard.h"
#include "platform/ui/image_decoding.h"
#include "platform/ui/layout_value.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QtEndian>

namespace {

QImage withTransparentColour(QImage image)
{
    if (image.isNull())
        return image;
    image = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (row[x] == transparent)
                row[x] = 0;
    }
    return image;
}

} // namespace

TSpeedButton::TSpeedButton(QWidget* parent) : QWidget(parent), TControl(this) { setFocusPolicy(Qt::NoFocus); }

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::setGlyphStream(const QByteArray& stream)
{
    if (stream.size() < 4)
        throw EReadError("Stream read error");
    const quint32 length = qFromLittleEndian<quint32>(stream.constData());
    if (static_cast<qsizetype>(length) > stream.size() - 4)
        throw EReadError("Stream read error");
    const QImage bitmap = ui::decodeImage(stream.mid(4, length), "BMP");
    if (bitmap.isNull())
        throw EReadError("Bitmap image is not valid");
    m_glyph = withTransparentColour(bitmap);
    update();
}

QSize TSpeedButton::contentSize() const
{
    const QFontMetrics metrics(Font().toQFont());
    const int glyphWidth = m_glyph.isNull() ? 0 : m_glyph.width() / kNumGlyphs;
    const int glyphHeight = m_glyph.isNull() ? 0 : m_glyph.height();
    const int captionWidth = Caption.isEmpty() ? 0 : metrics.horizontalAdvance(Caption);
    const int gap = glyphWidth && captionWidth ? Spacing : 0;
    return {glyphWidth + gap + captionWidth, std::max(glyphHeight, Caption.isEmpty() ? 0 : metrics.height())};
}

QPoint TSpeedButton::glyphOrigin(bool down) const
{
    const QSize content = contentSize();
    const int offset = down ? 1 : 0;
    const int glyphHeight = m_glyph.isNull() ? 0 : m_glyph.height();
    return {(width() - content.width()) / 2 + offset, (height() - glyphHeight) / 2 + offset};
}

void TSpeedButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int w = width(), h = height();
    painter.fillRect(rect(), colors::btnFace());
    // Raised: light top-left and dark bottom-right edges, two lines deep; down: sunken.
    const QColor outerLight = m_down ? colors::windowFrame() : colors::btnHighlight();
    const QColor outerDark = m_down ? colors::btnHighlight() : colors::windowFrame();
    const QColor innerLight = m_down ? colors::btnShadow() : colors::btnFace();
    const QColor innerDark = m_down ? colors::btnFace() : colors::btnShadow();
    painter.fillRect(0, 0, w, 1, outerLight);
    painter.fillRect(0, 0, 1, h, outerLight);
    painter.fillRect(0, h - 1, w, 1, outerDark);
    painter.fillRect(w - 1, 0, 1, h, outerDark);
    painter.fillRect(1, 1, w - 2, 1, innerLight);
    painter.fillRect(1, 1, 1, h - 2, innerLight);
    painter.fillRect(1, h - 2, w - 2, 1, innerDark);
    painter.fillRect(w - 2, 1, 1, h - 2, innerDark);

    const QPoint origin = glyphOrigin(m_down);
    int captionLeft = origin.x();
    if (!m_glyph.isNull()) {
        const int cell = m_glyph.width() / kNumGlyphs;
        const int source = isEnabled() ? 0 : cell;
        painter.drawImage(origin, m_glyph, QRect(source, 0, cell, m_glyph.height()));
        captionLeft += cell + (Caption.isEmpty() ? 0 : Spacing);
    }
    if (!Caption.isEmpty()) {
        painter.setFont(Font().toQFont());
        painter.setPen(isEnabled() ? Font().Color : colors::btnShadow());
        const QFontMetrics metrics(painter.font());
        const int top = (h - metrics.height()) / 2 + (m_down ? 1 : 0);
        painter.drawText(captionLeft, top + metrics.ascent(), Caption);
    }
}

void TSpeedButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_tracking = true;
    m_down = true;
    update();
}

void TSpeedButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_tracking)
        return;
    const bool inside = rect().contains(event->position().toPoint());
    if (inside != m_down) {
        m_down = inside;
        update();
    }
}

void TSpeedButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_tracking)
        return;
    const bool activate = m_down;
    m_tracking = false;
    m_down = false;
    update();
    if (activate && OnClick)
        ui::guarded([this] { OnClick(this); });
}

void TSpeedButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(event);
}

bool TSpeedButton::setLayoutProperty(const QString& name, const LayoutValue& value)
{
    if (name == QLatin1String("Caption"))
        Caption = value.asString();
    else if (name == QLatin1String("Glyph.Data"))
        setGlyphStream(value.asBinary());
    else if (name == QLatin1String("NumGlyphs")) {
        if (value.asInt() != kNumGlyphs)
            throw EReadError("Invalid property value: NumGlyphs");
    } else if (name == QLatin1String("Spacing"))
        Spacing = value.asInt();
    else
        return TControl::setLayoutProperty(name, value);
    return true;
}
