// A panel: a container with an outer and an inner bevel (raised, lowered or
// none) and a background colour. Its bevels inset the client area that its
// aligned children fill; unaligned children are placed from its top-left.
#pragma once

#include "platform/ui/control.h"

#include <QWidget>

enum class TBevelCut { bvNone, bvLowered, bvRaised };

// A bevel cut by its layout name ("bvNone", "bvLowered", "bvRaised"); EReadError otherwise.
TBevelCut bevelCutByName(const QString& name);

class TPanel : public QWidget, public TControl {
    Q_OBJECT
public:
    explicit TPanel(QWidget* parent = nullptr);
    ~TPanel() override;

    TBevelCut BevelOuter = TBevelCut::bvRaised;
    TBevelCut BevelInner = TBevelCut::bvNone;
    int BevelWidth = 1;
    int BorderWidth = 0;
    QString Caption; // drawn centred

    // The area inside the bevels, in the panel's coordinates.
    QRect clientArea() const;
    void realign();

    bool setLayoutProperty(const QString& name, const LayoutValue& value) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

// Draws a 3-D frame one line wide per step: raised has light top-left edges.
void drawBevelFrame(class QPainter& painter, QRect& rect, TBevelCut cut, int width);
// Draws one line of a 3-D frame along the rectangle's edges and moves it one pixel inwards.
void drawEdgeLines(class QPainter& painter, QRect& rect, const QColor& topLeft, const QColor& bottomRight);
