#include "platform/ui/image.h"

#include "platform/ui/event_guard.h"
#include "platform/ui/layout_value.h"

#include <QPainter>

TImage::TImage(QWidget* parent) : QWidget(parent), TControl(this)
{
    setFocusPolicy(Qt::NoFocus);
    m_picture.OnChange = [this] { update(); };
}

TImage::~TImage() = default;

QPoint TImage::pictureOrigin() const
{
    const TGraphic* graphic = m_picture.Graphic();
    if (!graphic || !Center)
        return {0, 0};
    // Integer division truncates toward zero, as the layout rule wants.
    return {(width() - graphic->Width()) / 2, (height() - graphic->Height()) / 2};
}

void TImage::paintEvent(QPaintEvent*)
{
    TGraphic* graphic = m_picture.Graphic();
    if (!graphic)
        return;
    QPainter painter(this);
    const QPoint origin = pictureOrigin();
    // A picture decoded at its first painting may fail here; the frame shows
    // the error once this paint is over.
    ui::guarded([&] { graphic->Draw(painter, origin.x(), origin.y()); });
}

bool TImage::setLayoutProperty(const QString& name, const LayoutValue& value)
{
    if (name == QLatin1String("Center"))
        Center = value.asBool();
    else if (name == QLatin1String("Picture.Data"))
        m_picture.LoadFromStream(value.asBinary());
    else
        return TControl::setLayoutProperty(name, value);
    return true;
}
