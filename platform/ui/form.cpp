// The window itself: its making from a layout, its place as the main window,
// its components by name and its background. Reading the layout, the stored
// properties, showing and closing, focus and keys each have a file of their
// own beside this one.
#include "platform/ui/form.h"

#include "platform/exception/exception.h"
#include "platform/ui/layout_reader.h"
#include "platform/ui/tooltips.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPainter>

namespace {

TForm* g_mainForm = nullptr;

} // namespace

TForm::TForm(const QString& layoutResource) : TForm(LayoutText{layout::layoutResource(layoutResource)}) {}

TForm::TForm(const LayoutText& text) : QWidget(nullptr), TControl(this)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::NoFocus);
    connect(qApp, &QApplication::focusChanged, this, &TForm::focusChanged);
    loadLayout(text.bytes);
}

TForm::~TForm()
{
    if (g_mainForm == this)
        g_mainForm = nullptr;
    // The widget part still closes the window after this destructor, and that
    // moves the focus; the slot must not be called on what is no longer a TForm.
    if (qApp)
        disconnect(qApp, &QApplication::focusChanged, this, &TForm::focusChanged);
}

TForm* TForm::MainForm() { return g_mainForm; }
void TForm::setMainForm(TForm* form) { g_mainForm = form; }

void TForm::missingComponent(const QString& name)
{
    throw EReadError("Component " + name.toStdString() + " missing from the layout");
}

void TForm::adoptComponent(std::unique_ptr<TComponent> component) { m_components.push_back(std::move(component)); }

TComponent* TForm::FindComponent(const QString& name) const
{
    for (const auto& component : m_components)
        if (component->Name == name)
            return component.get();
    for (QWidget* child : findChildren<QWidget*>())
        if (TControl* control = TControl::of(child); control && control->Name == name)
            return control;
    return nullptr;
}

std::vector<TComponent*> TForm::components() const
{
    std::vector<TComponent*> result;
    for (QWidget* child : findChildren<QWidget*>())
        if (TControl* control = TControl::of(child))
            result.push_back(control);
    for (const auto& component : m_components)
        result.push_back(component.get());
    return result;
}

void TForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Color());
}

bool TForm::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        tooltips::answer(*static_cast<QHelpEvent*>(event));
        return true;
    }
    return QWidget::event(event);
}
