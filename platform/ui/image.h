// A picture area: draws its picture at the picture's own size, centred (the
// top-left corner at half the size difference, truncated toward zero), cut
// off equally on both sides when the picture is larger. It never stretches.
// It owns its TPicture; the picture's graphic may raise while drawing, and
// that error leaves the paint to the frame's catch point.
#pragma once

#include "platform/ui/control.h"
#include "platform/ui/graphic.h"

#include <QPoint>
#include <QWidget>

class TImage : public QWidget, public TControl {
    Q_OBJECT
public:
    explicit TImage(QWidget* parent = nullptr);
    ~TImage() override;

    TPicture& Picture() { return m_picture; }
    const TPicture& Picture() const { return m_picture; }
    bool Center = true;

    // Where the picture's top-left corner lies in the area.
    QPoint pictureOrigin() const;

    bool setLayoutProperty(const QString& name, const LayoutValue& value) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TPicture m_picture;
};
