// A drawn push button with a raised 3-D frame that never takes the keyboard
// focus. Its glyph bitmap holds two cells side by side (normal, disabled); the
// colour of the bitmap's bottom-left pixel is transparent. Glyph and caption
// stand centred together, the glyph on the left, Spacing pixels apart; the
// face moves one pixel right and down while the button is held down.
#pragma once

#include "platform/ui/control.h"

#include <QImage>
#include <QWidget>

class TSpeedButton : public QWidget, public TControl {
    Q_OBJECT
public:
    static constexpr int kNumGlyphs = 2;

    explicit TSpeedButton(QWidget* parent = nullptr);
    ~TSpeedButton() override;

    QString Caption;
    int Spacing = 4;
    TNotifyEvent OnClick;

    // A glyph stream: 4-byte little-endian length, then a bitmap file.
    void setGlyphStream(const QByteArray& stream);
    const QImage& Glyph() const { return m_glyph; }
    bool isDown() const { return m_down; }
    // Where the glyph's top-left corner lies, up or down.
    QPoint glyphOrigin(bool down) const;

    bool setLayoutProperty(const QString& name, const LayoutValue& value) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QSize contentSize() const;
    QImage m_glyph; // both cells, transparent colour made transparent
    bool m_down = false;
    bool m_tracking = false;
};
